#include "controls/DrawnButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFocusRect>

using namespace Qt::StringLiterals;

// Screen readers and UI automation see a push button that can be pressed.
class DrawnButtonAccessible : public QAccessibleWidget
{
public:
    explicit DrawnButtonAccessible(DrawnButton *button) : QAccessibleWidget(button, QAccessible::Button) {}
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString &action) override
    {
        auto *button = static_cast<DrawnButton *>(widget());
        if (action == pressAction() && button->isEnabled())
            button->keyClick();
        else
            QAccessibleWidget::doAction(action);
    }
};

static QAccessibleInterface *accessibleButton(const QString &, QObject *object)
{
    auto *button = qobject_cast<DrawnButton *>(object);
    return button ? new DrawnButtonAccessible(button) : nullptr;
}

namespace {

qint16 shiftOf(Qt::KeyboardModifiers modifiers)
{
    return qint16((modifiers & Qt::ShiftModifier ? DrawnButton::ShiftMask : 0)
                  | (modifiers & Qt::ControlModifier ? DrawnButton::CtrlMask : 0)
                  | (modifiers & Qt::AltModifier ? DrawnButton::AltMask : 0));
}

qint16 buttonOf(Qt::MouseButtons buttons)
{
    return qint16((buttons & Qt::LeftButton ? DrawnButton::LeftButton : 0)
                  | (buttons & Qt::RightButton ? DrawnButton::RightButton : 0)
                  | (buttons & Qt::MiddleButton ? DrawnButton::MiddleButton : 0));
}

// The key's number as the windows' key handlers know it (letters and digits are their
// upper-case character); 0 for keys they have no number for.
qint16 keyCodeOf(const QKeyEvent *event)
{
    const int key = event->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space)
        return qint16(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return qint16(112 + key - Qt::Key_F1);
    static constexpr std::pair<int, qint16> codes[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19}, {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27}, {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34}, {Qt::Key_End, 35}, {Qt::Key_Home, 36}, {Qt::Key_Left, 37},
        {Qt::Key_Up, 38}, {Qt::Key_Right, 39}, {Qt::Key_Down, 40}, {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46}};
    for (auto [qtKey, code] : codes)
        if (qtKey == key)
            return code;
    return 0;
}

} // namespace

DrawnButton::DrawnButton(QWidget *parent, const QString &name, const QString &className)
    : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleButton), true);
    Q_UNUSED(accessible);
    QString own = name;
    for (int n = 1; own.isEmpty(); ++n) {
        const QString candidate = className + QString::number(n);
        if (!window()->findChild<QWidget *>(candidate))
            own = candidate;
    }
    setObjectName(own);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    updateAccessibleName();
}

QString DrawnButton::plainCaption() const
{
    QString text = m_caption;
    // "&&" is a literal ampersand, a single one marks the access key.
    static const QRegularExpression marker(u"&(.)"_s);
    return text.replace(marker, u"\\1"_s);
}

int DrawnButton::mnemonicFlag() const
{
    return style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic
                                                                            : Qt::TextHideMnemonic;
}

void DrawnButton::paintFocusRect(QPainter &painter, int inset, const QColor &background) const
{
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(inset, inset, -inset, -inset);
    option.backgroundColor = background;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void DrawnButton::updateAccessibleName()
{
    // A picture without a caption is named by its tool tip, as a reader would say it.
    const QString name = plainCaption();
    setAccessibleName(!name.isEmpty() ? name : !toolTip().isEmpty() ? toolTip() : objectName());
}

void DrawnButton::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_shortcut)
        releaseShortcut(m_shortcut);
    const QKeySequence key = QKeySequence::mnemonic(caption);
    m_shortcut = key.isEmpty() ? 0 : grabShortcut(key);
    updateAccessibleName();
    changed();
}

bool DrawnButton::looksPressed() const
{
    return m_press == Press::Key || (m_press == Press::Mouse && m_hovering);
}

void DrawnButton::paintEvent(QPaintEvent *)
{
    // Drawn whole off screen and shown in one step, so a hover change never flickers.
    QPixmap frame(size() * devicePixelRatioF());
    frame.setDevicePixelRatio(devicePixelRatioF());
    frame.fill(Qt::transparent);
    {
        QPainter painter(&frame);
        painter.setFont(font());
        paintFace(painter);
    }
    QPainter(this).drawPixmap(0, 0, frame);
}

void DrawnButton::enter(qint16 shift)
{
    m_hovering = true;
    pointerEntered(shift);
    update();
}

void DrawnButton::leave()
{
    m_hovering = false;
    pointerLeft();
    update();
}

void DrawnButton::enterEvent(QEnterEvent *event)
{
    if (!m_hovering && isEnabled())
        enter(shiftOf(event->modifiers()));
    QWidget::enterEvent(event);
}

void DrawnButton::leaveEvent(QEvent *event)
{
    if (m_hovering)
        leave();
    QWidget::leaveEvent(event);
}

void DrawnButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) {
        m_press = Press::Mouse;
        update();
    }
    emit MouseDown(buttonOf(event->button()), shiftOf(event->modifiers()), event->position().x(),
                   event->position().y());
}

void DrawnButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (m_raisesDblClick && event->button() != Qt::RightButton) {
        m_doubled = true;
        emit DblClick();
    }
}

void DrawnButton::mouseMoveEvent(QMouseEvent *event)
{
    // While a button is held the pointer stays grabbed: leaving shows only in its moves.
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && !m_hovering)
        enter(shiftOf(event->modifiers()));
    else if (!inside && m_hovering)
        leave();
    emit MouseMove(buttonOf(event->buttons()), shiftOf(event->modifiers()), event->position().x(),
                   event->position().y());
}

void DrawnButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) {
        const bool wasPressed = m_press == Press::Mouse, doubled = m_doubled;
        m_press = Press::None;
        m_doubled = false;
        update();
        if (wasPressed && !doubled && rect().contains(event->position().toPoint()))
            mouseClick();
    }
    emit MouseUp(buttonOf(event->button()), shiftOf(event->modifiers()), event->position().x(),
                 event->position().y());
}

void DrawnButton::keyPressEvent(QKeyEvent *event)
{
    emit KeyDown(keyCodeOf(event), shiftOf(event->modifiers()));
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).unicode() < 256)
        emit KeyPress(qint16(text.at(0).unicode()));
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_press == Press::None) {
        m_press = Press::Key;
        update();
    } else if (!takeKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

void DrawnButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_press == Press::Key) {
        m_press = Press::None;
        update();
        keyClick();
    }
    emit KeyUp(keyCodeOf(event), shiftOf(event->modifiers()));
}

void DrawnButton::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void DrawnButton::focusOutEvent(QFocusEvent *event)
{
    if (m_press == Press::Key)
        m_press = Press::None;
    update();
    QWidget::focusOutEvent(event);
}

void DrawnButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        // A disabled widget hears no more of the pointer: its hover ends here.
        m_press = Press::None;
        if (m_hovering)
            leave();
    }
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void DrawnButton::hideEvent(QHideEvent *event)
{
    m_press = Press::None;
    if (m_hovering)
        leave();
    QWidget::hideEvent(event);
}

bool DrawnButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->shortcutId() == m_shortcut && isEnabled()) {
            accessKeyClick();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTipChange)
        updateAccessibleName();
    return QWidget::event(event);
}
