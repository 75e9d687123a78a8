#include "controls/OrvaneButton.h"

#include "controls/OleColor.h"

#include "base/ProgramFiles.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSoundEffect>
#include <QStyle>
#include <QStyleOption>
#include <QUrl>
#include <qdrawutil.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Padding = 4;

// A relative sound file is one the program brings along.
QString soundFile(const QString &file)
{
    QString path = file;
    path.replace(u'\\', u'/');
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return ProgramFile(path);
}

Qt::CursorShape cursorShape(qint16 pointer)
{
    static constexpr Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,   Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::SizeAllCursor, Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor, Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,  Qt::WhatsThisCursor, Qt::SizeAllCursor};
    return pointer >= 0 && pointer < qint16(std::size(shapes)) ? shapes[pointer] : Qt::ArrowCursor;
}

} // namespace

OrvaneButton::OrvaneButton(QWidget *parent, const QString &name)
    : DrawnButton(parent, name, u"OrvaneButton"_s)
{
    setCaption(objectName());
    updateCursor();
}

QString OrvaneButton::version()
{
    return u"1.0"_s;
}

void OrvaneButton::setMousePointer(qint16 pointer)
{
    m_mousePointer = pointer;
    updateCursor();
}

void OrvaneButton::setMouseIcon(const QPixmap &icon)
{
    m_mouseIcon = icon;
    updateCursor();
}

void OrvaneButton::setDefCurHand(qint16 on)
{
    m_defCurHand = on;
    updateCursor();
}

void OrvaneButton::updateCursor()
{
    if (m_mousePointer == 99 && !m_mouseIcon.isNull())
        setCursor(QCursor(m_mouseIcon));
    else if (m_mousePointer != 0)
        setCursor(cursorShape(m_mousePointer));
    else if (m_defCurHand)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void OrvaneButton::setPicturePosition(qint16 position)
{
    m_picturePosition = position;
    changed();
}

void OrvaneButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    const QSize own = picture.deviceIndependentSize().toSize();
    m_originalW = qint16(picture.isNull() ? 32 : own.width());
    m_originalH = qint16(picture.isNull() ? 32 : own.height());
    changed();
}

void OrvaneButton::setPictureWidth(qint16 width)
{
    m_pictureWidth = width;
    changed();
}

void OrvaneButton::setPictureHeight(qint16 height)
{
    m_pictureHeight = height;
    changed();
}

void OrvaneButton::setPictureSize(qint16 mode)
{
    m_pictureSize = mode;
    changed();
}

void OrvaneButton::GoToURL()
{
    // Failures are the desktop's to tell: an unreachable link stays silent here.
    if (m_url.startsWith(u"mailto:"_s, Qt::CaseInsensitive))
        QDesktopServices::openUrl(QUrl(m_url));
    else if (!m_url.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(m_url, QDir::currentPath()));
}

void OrvaneButton::play(QSoundEffect *&effect, const QString &file, const QString &name)
{
    const QString path = soundFile(file);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setObjectName(name);
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect->source() != source)
        effect->setSource(source);
    effect->play();
}

void OrvaneButton::pointerEntered(qint16 shift)
{
    emit MouseIn(shift);
    play(m_over, m_soundOver, u"SoundOver"_s);
}

void OrvaneButton::pointerLeft()
{
    emit MouseOut(0);
}

void OrvaneButton::mouseClick()
{
    play(m_click, m_soundClick, u"SoundClick"_s);
    emit Click();
    GoToURL();
}

void OrvaneButton::keyClick()
{
    dropHover();
    GoToURL();
    update();
    play(m_click, m_soundClick, u"SoundClick"_s);
    emit Click();
}

void OrvaneButton::accessKeyClick()
{
    emit Click();
    GoToURL();
}

QColor OrvaneButton::textColor() const
{
    return isEnabled() ? OleColor(m_foreColor, palette()) : palette().color(QPalette::Disabled, QPalette::ButtonText);
}

QColor OrvaneButton::fill(bool pressed) const
{
    if (!m_defaultColors)
        return OleColor(pressed ? m_colorPressed : m_colorHover, palette());
    // The desktop's highlight, tinted into the face: readable under light and dark themes.
    return Mixed(palette().color(QPalette::Button), palette().color(QPalette::Highlight), pressed ? 0.4 : 0.2);
}

void OrvaneButton::paintFrame(QPainter &painter)
{
    const bool down = looksPressed(), hover = isHovering();
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const int depth = qBound(1, m_bevelDepth / 4, 4);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (m_buttonStyle) {
    case Framed:
    case FramedOnHover:
        if ((down || hover) && m_bevel >= 2) {
            qDrawShadePanel(&painter, rect(), palette(), down, depth);
        } else if (down || hover) {
            painter.setPen(Mixed(fill(down), textColor(), 0.3));
            painter.setBrush(fill(down));
            painter.drawRoundedRect(box, 3, 3);
        } else if (m_buttonStyle == Framed) {
            qDrawShadePanel(&painter, rect(), palette(), false, 1);
        }
        if (hasFocus()) { // the default button's frame
            painter.setPen(palette().color(QPalette::Highlight));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(box, 3, 3);
        }
        break;
    case Flat:
        if (down)
            painter.fillRect(rect(), fill(true));
        if (hover || m_borderAlways) {
            painter.setPen(OleColor(m_foreColor, palette()));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
        }
        break;
    case Themed: {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state &= ~QStyle::State_HasFocus;
        option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        if (!hover)
            option.state &= ~QStyle::State_MouseOver;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        break;
    }
    default: break;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

QSize OrvaneButton::pictureSize(const QRect &area) const
{
    const QSize own = m_picture.deviceIndependentSize().toSize();
    switch (m_pictureSize) {
    case OwnSize: return own;
    case FitSize: return own.scaled(area.size(), Qt::KeepAspectRatio);
    default: return QSize(m_pictureWidth, m_pictureHeight);
    }
}

QPixmap OrvaneButton::shownPicture() const
{
    QPixmap picture = isHovering() && !m_pictureHover.isNull() ? m_pictureHover : m_picture;
    if (picture.isNull())
        return picture;
    if (!picture.hasAlphaChannel())
        picture.setMask(picture.createMaskFromColor(OleColor(quint16(m_maskColor), palette())));
    if (!isEnabled()) {
        QStyleOption option;
        option.initFrom(this);
        picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
    }
    return picture;
}

void OrvaneButton::paintContent(QPainter &painter, QRect area)
{
    const QPixmap picture = shownPicture();
    const QSize pictureSize = picture.isNull() ? QSize(0, 0) : this->pictureSize(area);
    const QString caption = Caption();
    const QSize textSize = caption.isEmpty() ? QSize(0, 0) : fontMetrics().size(Qt::TextShowMnemonic, caption);
    const int gap = pictureSize.isEmpty() || textSize.isEmpty() ? 0 : Padding;
    const bool across = m_picturePosition == PictureLeft || m_picturePosition == PictureRight;
    const bool behind = m_picturePosition == PictureBehind || m_picturePosition > PictureBottom;
    const QSize total = behind ? pictureSize.expandedTo(textSize)
                       : across ? QSize(pictureSize.width() + gap + textSize.width(), qMax(pictureSize.height(), textSize.height()))
                                : QSize(qMax(pictureSize.width(), textSize.width()), pictureSize.height() + gap + textSize.height());
    QRect box(QPoint(), total);
    box.moveCenter(area.center());
    QRect pictureBox(QPoint(), pictureSize), textBox(QPoint(), textSize);
    pictureBox.moveCenter(box.center());
    textBox.moveCenter(box.center());
    switch (m_picturePosition) {
    case PictureLeft: pictureBox.moveLeft(box.left()); textBox.moveRight(box.right()); break;
    case PictureRight: pictureBox.moveRight(box.right()); textBox.moveLeft(box.left()); break;
    case PictureTop: pictureBox.moveTop(box.top()); textBox.moveBottom(box.bottom()); break;
    case PictureBottom: pictureBox.moveBottom(box.bottom()); textBox.moveTop(box.top()); break;
    default: break;
    }
    if (!picture.isNull())
        painter.drawPixmap(pictureBox, picture);
    if (!caption.isEmpty()) {
        painter.setPen(textColor());
            style()->drawItemText(&painter, textBox, Qt::AlignCenter | mnemonicFlag(), palette(), isEnabled(), caption);
    }
}

void OrvaneButton::paintFace(QPainter &painter)
{
    const QColor background = OleColor(m_backColor, palette());
    if (!m_transparent)
        painter.fillRect(rect(), background);
    if (m_buttonStyle != NoFrame)
        paintFrame(painter);
    QRect area = rect().adjusted(Padding, Padding, -Padding, -Padding);
    if (looksPressed() && m_buttonStyle != Themed)
        area.translate(1, 1);
    paintContent(painter, area);
    if (hasFocus() && m_showFocusRect && m_buttonStyle != Themed)
        paintFocusRect(painter, 3, background);
}

QSize OrvaneButton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, Caption());
    const QSize picture = m_picture.isNull() ? QSize(0, 0) : pictureSize(QRect(0, 0, 64, 64));
    QSize content;
    if (m_picturePosition == PictureLeft || m_picturePosition == PictureRight)
        content = QSize(picture.width() + Padding + text.width(), qMax(picture.height(), text.height()));
    else if (m_picturePosition == PictureTop || m_picturePosition == PictureBottom)
        content = QSize(qMax(picture.width(), text.width()), picture.height() + Padding + text.height());
    else
        content = picture.expandedTo(text);
    return content + QSize(4 * Padding, 3 * Padding);
}
