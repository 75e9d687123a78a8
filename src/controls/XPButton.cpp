#include "controls/XPButton.h"

#include "controls/OleColor.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The face and edges of one state.
struct Look
{
    QColor top, bottom;           // the face, a vertical gradient
    QColor border;
    QColor innerTop, innerBottom; // the hover or focus glow inside the border; none when invalid
    QColor text;
};

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

} // namespace

XPButton::XPButton(QWidget *parent, const QString &name) : DrawnButton(parent, name, u"XPButton"_s)
{
    setRaisesDblClick(true);
    QString caption = objectName();
    const QList<XPButton *> others = window()->findChildren<XPButton *>();
    for (const QString &candidate : {u"&OK"_s, u"&Cancel"_s, u"&Apply"_s}) {
        if (std::none_of(others.begin(), others.end(),
                         [&](XPButton *b) { return b != this && b->Caption() == candidate; })) {
            caption = candidate;
            break;
        }
    }
    setCaption(caption);
}

void XPButton::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    update();
}

void XPButton::setFocusRect(bool show)
{
    m_focusRect = show;
    update();
}

void XPButton::SnapMouseTo()
{
    QCursor::setPos(mapToGlobal(rect().center()));
}

bool XPButton::takeKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: keyClick(); return true;
    case Qt::Key_Left:
    case Qt::Key_Up: focusNextPrevChild(false); return true;
    case Qt::Key_Right:
    case Qt::Key_Down: focusNextPrevChild(true); return true;
    default: return false;
    }
}

void XPButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange)
        emit FormActivate(isActiveWindow() ? 1 : 0);
    DrawnButton::changeEvent(event);
}

void XPButton::paintFace(QPainter &painter)
{
    const bool down = looksPressed(), hover = isHovering(), focused = hasFocus();
    Look look;
    if (!isDark(palette())) {
        look = {QColor(252, 252, 251), QColor(236, 235, 230), QColor(0, 60, 116), {}, {}, Qt::black};
        if (!isEnabled())
            look = {QColor(245, 244, 234), QColor(245, 244, 234), QColor(201, 199, 186), {}, {}, QColor(161, 161, 146)};
        else if (down)
            look.top = look.bottom = QColor(231, 227, 222);
        else if (hover)
            look.innerTop = QColor(255, 240, 207), look.innerBottom = QColor(229, 151, 0);
        else if (focused)
            look.innerTop = QColor(206, 231, 255), look.innerBottom = QColor(105, 130, 238);
    } else {
        // The fixed near-white face would glare in a dark window: the palette's button instead.
        const QColor button = palette().color(QPalette::Button), text = palette().color(QPalette::ButtonText);
        const QColor highlight = palette().color(QPalette::Highlight);
        look = {button.lighter(115), button, Mixed(button, text, 0.45), {}, {}, text};
        if (!isEnabled())
            look = {button, button, Mixed(button, text, 0.2), {}, {}, palette().color(QPalette::Disabled, QPalette::ButtonText)};
        else if (down)
            look.top = look.bottom = button.darker(120);
        else if (hover)
            look.innerTop = highlight.lighter(130), look.innerBottom = highlight;
        else if (focused)
            look.innerTop = look.innerBottom = highlight;
    }
    if (isEnabled()) {
        const QColor fore = OleColor(m_foreColor, palette());
        if (Legible(fore, look.bottom))
            look.text = fore;
    }

    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient face(0, 0, 0, height());
    face.setColorAt(0, look.top);
    face.setColorAt(1, look.bottom);
    painter.setPen(look.border);
    painter.setBrush(face);
    painter.drawRoundedRect(box, 3, 3);
    if (look.innerTop.isValid()) {
        QLinearGradient glow(0, 0, 0, height());
        glow.setColorAt(0, look.innerTop);
        glow.setColorAt(1, look.innerBottom);
        painter.setPen(QPen(QBrush(glow), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(look.text);
    painter.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0),
                     Qt::AlignCenter | Qt::TextSingleLine | mnemonicFlag(), Caption());
    if (focused && m_focusRect)
        paintFocusRect(painter, 4, look.bottom);
}

QSize XPButton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, Caption());
    return {qMax(75, text.width() + 24), qMax(23, text.height() + 10)};
}
