#include "controls/kvtSlider.h"

#include "base/RuntimeError.h"
#include "controls/OleColor.h"
#include "controls/frmValueTip.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
constexpr int RailThickness = 6;

// What a screen reader sees: a slider with its value, which it may set.
class SliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SliderAccessible(kvtSlider *slider) : QAccessibleWidget(slider, QAccessible::Slider) {}
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface *>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return slider()->Value(); }
    void setCurrentValue(const QVariant &value) override { slider()->step(value.toInt()); }
    QVariant maximumValue() const override { return slider()->Max(); }
    QVariant minimumValue() const override { return slider()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    kvtSlider *slider() const { return static_cast<kvtSlider *>(widget()); }
};

QAccessibleInterface *sliderAccessible(const QString &className, QObject *object)
{
    if (className == u"kvtSlider"_s && object && object->isWidgetType())
        return new SliderAccessible(static_cast<kvtSlider *>(object));
    return nullptr;
}

} // namespace

kvtSlider::kvtSlider(QWidget *parent) : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(sliderAccessible), true);
    (void)accessible;
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reached with Tab as well as by a click; the arrow keys move it.
    setFocusPolicy(Qt::StrongFocus);
    layoutControl();
}

bool kvtSlider::step(qint32 value)
{
    value = std::clamp(value, m_min, m_max);
    if (value == m_value || !isEnabled())
        return false;
    setValue(value);
    emit KeyStepped();
    return true;
}

void kvtSlider::keyPressEvent(QKeyEvent *event)
{
    // Up and Right make it larger, whichever way the rail lies; a page is a tenth.
    const qint32 page = std::max<qint32>(1, (m_max - m_min) / 10);
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up: step(m_value + m_smallChange); break;
    case Qt::Key_Left:
    case Qt::Key_Down: step(m_value - m_smallChange); break;
    case Qt::Key_PageUp: step(m_value + page); break;
    case Qt::Key_PageDown: step(m_value - page); break;
    case Qt::Key_Home: step(m_min); break;
    case Qt::Key_End: step(m_max); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void kvtSlider::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void kvtSlider::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void kvtSlider::invalidPropertyValue()
{
    throw RuntimeError(InvalidPropertyValue, tr("Invalid property value"));
}

void kvtSlider::setBackColor(quint32 color)
{
    m_backColor = color;
    update();
}

void kvtSlider::setMax(qint32 max)
{
    if (max <= m_min)
        invalidPropertyValue();
    m_max = max;
    // Value must stay within the range: a Max below it takes it along.
    if (m_value > m_max)
        setValue(m_max);
    if (!m_dragging)
        placeThumb(thumbOffsetFor(m_value));
}

void kvtSlider::setMin(qint32 min)
{
    if (min >= m_max)
        invalidPropertyValue();
    m_min = min;
    setValue(min);
    if (!m_dragging)
        placeThumb(thumbOffsetFor(m_value));
}

void kvtSlider::setValue(qint32 value)
{
    if (value < m_min || value > m_max)
        invalidPropertyValue();
    m_value = value;
    if (value == m_reported)
        return;
    if (!m_dragging)
        placeThumb(thumbOffsetFor(value));
    update();
    updateTip();
    m_reported = value;
    QAccessibleValueChangeEvent told(this, value);
    QAccessible::updateAccessibility(&told);
    emit ValueChanged();
    if (value == m_max)
        emit ArrivedLast();
    if (value == m_min)
        emit ArrivedFirst();
}

void kvtSlider::setOrientation(qint16 orientation)
{
    m_orientation = orientation;
    updateGeometry();
    layoutControl();
}

void kvtSlider::setRailStyle(qint16 style)
{
    m_railStyle = style;
    layoutControl();
}

void kvtSlider::setSliderIcon(const QPixmap &icon)
{
    m_sliderIcon = icon;
    updateGeometry();
    layoutControl();
}

void kvtSlider::setRailPicture(const QPixmap &picture)
{
    m_railPicture = picture;
    updateGeometry();
    layoutControl();
}

QWidget *kvtSlider::valueTip() const
{
    return m_tip && m_tip->isVisible() ? m_tip.data() : nullptr;
}

int kvtSlider::travel() const
{
    return horizontal() ? width() - m_thumb.width() : height() - m_thumb.height();
}

QSize kvtSlider::thumbSize() const
{
    if (!m_sliderIcon.isNull())
        return m_sliderIcon.deviceIndependentSize().toSize();
    QStyleOptionSlider option;
    option.initFrom(this);
    option.orientation = horizontal() ? Qt::Horizontal : Qt::Vertical;
    const int length = style()->pixelMetric(QStyle::PM_SliderLength, &option, this);
    const int thickness = style()->pixelMetric(QStyle::PM_SliderThickness, &option, this);
    return horizontal() ? QSize(length, thickness) : QSize(thickness, length);
}

int kvtSlider::thumbOffsetFor(qint32 value) const
{
    const double range = double(m_max) - double(m_min);
    const int t = travel();
    if (range <= 0 || t <= 0)
        return horizontal() ? m_thumb.left() : m_thumb.top();
    const double along = t * (double(value) - m_min) / range;
    return int(std::lround(horizontal() ? along : t - along));
}

qint32 kvtSlider::valueAt(int thumbOffset) const
{
    const double range = double(m_max) - double(m_min);
    const int t = travel();
    if (range <= 0 || t <= 0)
        return m_value;
    const double along = horizontal() ? thumbOffset : t - thumbOffset;
    // Halves go to the even number, as the rest of the program rounds.
    const double value = std::nearbyint(m_min + range * along / t);
    return qint32(std::clamp(value, double(m_min), double(m_max)));
}

void kvtSlider::placeThumb(int thumbOffset)
{
    if (horizontal())
        m_thumb.moveLeft(thumbOffset);
    else
        m_thumb.moveTop(thumbOffset);
    update();
}

void kvtSlider::layoutControl()
{
    const QSize thumb = thumbSize();
    const bool picture = m_railStyle == PictureRail && !m_railPicture.isNull();
    const QSize railPicture = m_railPicture.deviceIndependentSize().toSize();
    if (horizontal()) {
        const int across = picture ? railPicture.height() : RailThickness;
        m_thumb = QRect(QPoint(0, (height() - thumb.height()) / 2), thumb);
        m_rail = QRect(0, (height() - across) / 2, width(), across);
    } else {
        const int across = picture ? railPicture.width() : RailThickness;
        m_thumb = QRect(QPoint((width() - thumb.width()) / 2, 0), thumb);
        m_rail = QRect((width() - across) / 2, 0, across, height());
    }
    placeThumb(thumbOffsetFor(m_value));
}

QSize kvtSlider::sizeHint() const
{
    const QSize thumb = thumbSize();
    const QSize railPicture = m_railPicture.deviceIndependentSize().toSize();
    if (horizontal())
        return {qMax(150, railPicture.width()),
                qMax(thumb.height(), railPicture.height()) + 2 * Margin};
    return {qMax(thumb.width(), railPicture.width()) + 2 * Margin,
            qMax(150, railPicture.height())};
}

QSize kvtSlider::minimumSizeHint() const
{
    const QSize thumb = thumbSize();
    const QSize hint = sizeHint();
    return horizontal() ? QSize(thumb.width() * 2, hint.height()) : QSize(hint.width(), thumb.height() * 2);
}

void kvtSlider::initStyleOption(QStyleOptionSlider &option) const
{
    option.initFrom(this);
    option.orientation = horizontal() ? Qt::Horizontal : Qt::Vertical;
    // The style places its handle by pixels: one step per pixel of travel.
    option.minimum = 0;
    option.maximum = qMax(0, travel());
    // Vertical values grow upwards: the style fills the groove from the bottom then.
    option.upsideDown = !horizontal();
    option.sliderPosition = option.sliderValue =
        horizontal() ? m_thumb.left() : option.maximum - m_thumb.top();
    option.tickPosition = QSlider::NoTicks;
    option.rect = horizontal() ? QRect(0, m_thumb.top(), width(), m_thumb.height())
                               : QRect(m_thumb.left(), 0, m_thumb.width(), height());
    option.subControls = QStyle::SC_None;
    if (m_dragging) {
        option.state |= QStyle::State_Sunken;
        option.activeSubControls = QStyle::SC_SliderHandle;
    }
}

void kvtSlider::paintRail(QPainter &painter)
{
    switch (m_railStyle) {
    case SunkenEdge: break; // the style's own groove, drawn with the thumb
    case RaisedEdge: qDrawWinPanel(&painter, m_rail, palette(), false); break;
    case ThinSunkenEdge: qDrawShadePanel(&painter, m_rail, palette(), true, 1); break;
    case ThinRaisedEdge: qDrawShadePanel(&painter, m_rail, palette(), false, 1); break;
    case PictureRail:
        if (!m_railPicture.isNull()) {
            const QSize size = m_railPicture.deviceIndependentSize().toSize();
            QRect target(QPoint(), size);
            target.moveCenter(m_rail.center());
            painter.drawPixmap(target.topLeft(), m_railPicture);
        }
        break;
    default: break; // no edge
    }
}

void kvtSlider::setOverview(QList<float> levels)
{
    m_overview = std::move(levels);
    update();
}

void kvtSlider::paintOverview(QPainter &painter)
{
    if (m_overview.isEmpty() || !horizontal())
        return;
    // Along the thumb's centre, so that a level stands where a click on it seeks.
    const int left = m_thumb.width() / 2, span = qMax(1, travel());
    const int middle = height() / 2, reach = qMax(1, height() / 2 - 1);
    const int played = m_thumb.center().x();
    const QColor done = palette().color(QPalette::Highlight);
    QColor ahead = palette().color(QPalette::WindowText);
    ahead.setAlphaF(0.45f);
    const qsizetype bins = m_overview.size();
    for (int x = 0; x < span; ++x) {
        const qsizetype from = x * bins / span, to = qMax(from + 1, (x + 1) * bins / span);
        float level = 0;
        for (qsizetype i = from; i < to && i < bins; ++i)
            level = qMax(level, m_overview[i]);
        const int h = qMax(1, int(level * reach));
        painter.fillRect(left + x, middle - h, 1, 2 * h, left + x < played ? done : ahead);
    }
}

void kvtSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), OleColor(m_backColor, palette()));
    paintRail(painter);
    paintOverview(painter);

    QStyleOptionSlider option;
    initStyleOption(option);
    if (m_railStyle == SunkenEdge && m_overview.isEmpty()) // the overview is the rail then
        option.subControls |= QStyle::SC_SliderGroove;
    if (m_sliderIcon.isNull())
        option.subControls |= QStyle::SC_SliderHandle;
    if (option.subControls != QStyle::SC_None)
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    if (!m_sliderIcon.isNull())
        painter.drawPixmap(m_thumb.topLeft(), m_sliderIcon);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = m_thumb.adjusted(-2, -2, 2, 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void kvtSlider::resizeEvent(QResizeEvent *)
{
    layoutControl();
}

void kvtSlider::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
        layoutControl();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled() && m_dragging) {
            m_dragging = false;
            closeTip();
            placeThumb(thumbOffsetFor(m_value));
        }
        break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void kvtSlider::dragTo(const QPoint &pointer)
{
    const int along = horizontal() ? pointer.x() - m_grab.x() : pointer.y() - m_grab.y();
    const qint32 value = valueAt(std::clamp(along, 0, qMax(0, travel())));
    // The thumb moves in steps: always to the exact place of a whole value.
    placeThumb(thumbOffsetFor(value));
    setValue(value);
    updateTip();
}

void kvtSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pointer = event->position().toPoint();
    m_dragging = true;
    if (m_thumb.contains(pointer)) {
        m_grab = pointer - m_thumb.topLeft();
    } else {
        m_grab = QPoint(m_thumb.width() / 2, m_thumb.height() / 2);
        dragTo(pointer);
    }
    if (m_showValueTip)
        showTip();
    update();
    emit MouseDown(LeftButton);
}

void kvtSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        dragTo(event->position().toPoint());
    else
        QWidget::mouseMoveEvent(event);
}

void kvtSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // The drag ends before the events go out, so that a handler writing Value moves the thumb.
    const bool wasDragging = m_dragging;
    m_dragging = false;
    closeTip();
    placeThumb(thumbOffsetFor(m_value));
    if (rect().contains(event->position().toPoint()))
        emit Click();
    if (wasDragging)
        emit MouseUp(LeftButton);
}

void kvtSlider::showTip()
{
    if (!m_tip)
        m_tip = new frmValueTip(this);
    updateTip();
}

void kvtSlider::updateTip()
{
    if (!m_tip || !m_showValueTip || (!m_tip->isVisible() && !m_dragging))
        return;
    if (horizontal())
        m_tip->showValue(m_value, mapToGlobal(QPoint(m_thumb.center().x(), -Margin)), Qt::AlignTop);
    else
        m_tip->showValue(m_value, mapToGlobal(QPoint(width() + Margin, m_thumb.center().y())),
                         Qt::AlignRight);
}

void kvtSlider::closeTip()
{
    if (m_tip)
        m_tip->hide();
}
