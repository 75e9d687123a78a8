#include "controls/LightButton.h"

#include "base/RuntimeError.h"
#include "controls/OleColor.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

using namespace Qt::StringLiterals;

LightButton::LightButton(QWidget *parent, const QString &name) : DrawnButton(parent, name, u"LightButton"_s)
{
    setRaisesDblClick(true);
    setCaption(objectName());
}

void LightButton::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void LightButton::setBorderStyle(qint16 style)
{
    if (style != 0 && style != 1)
        throw RuntimeError(InvalidPropertyValue, tr("Invalid Borderstyle value (0 or 1 only)"));
    m_borderStyle = style;
    update();
}

void LightButton::setButtonMode(qint16 mode)
{
    if (mode != TextMode && mode != GraphicMode)
        throw RuntimeError(InvalidPropertyValue, tr("Invalid ButtonMode Value(0 or 1 only)"));
    m_buttonMode = mode;
    changed();
}

void LightButton::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    update();
}

void LightButton::setSelColor(quint32 colour)
{
    m_selColor = colour;
    update();
}

void LightButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    changed();
}

void LightButton::setSelPicture(const QPixmap &picture)
{
    m_selPicture = picture;
    update();
}

void LightButton::setDisPicture(const QPixmap &picture)
{
    m_disPicture = picture;
    update();
}

void LightButton::setDwnPicture(const QPixmap &picture)
{
    m_dwnPicture = picture;
    update();
}

QPixmap LightButton::shownPicture() const
{
    if (!isEnabled()) {
        if (!m_disPicture.isNull())
            return m_disPicture;
        QStyleOption option;
        option.initFrom(this);
        return m_picture.isNull() ? m_picture : style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option);
    }
    if (looksPressed() && !m_dwnPicture.isNull())
        return m_dwnPicture;
    if (isHovering() && !m_selPicture.isNull())
        return m_selPicture;
    return m_picture;
}

void LightButton::paintFace(QPainter &painter)
{
    if (m_buttonMode == GraphicMode) {
        const QPixmap picture = shownPicture();
        QRect box(QPoint(), picture.deviceIndependentSize().toSize().boundedTo(size()));
        box.moveCenter(rect().center());
        painter.drawPixmap(box, picture);
        if (hasFocus())
            paintFocusRect(painter, 1, palette().color(QPalette::Window));
        return;
    }
    // The faces are chosen by the enabled colours, so that a disabled button keeps its face.
    QPalette colours = palette();
    colours.setCurrentColorGroup(QPalette::Active);
    QColor text = OleColor(m_foreColor, colours);
    QColor back = OleColor(m_backColor, colours), lit = OleColor(m_selColor, colours);
    // White and pale yellow under the light text of a dark theme: the palette's own instead.
    if (!Legible(text, back)) {
        back = colours.color(QPalette::Base);
        if (!Legible(text, back))
            text = colours.color(QPalette::Text);
    }
    if (!Legible(text, lit))
        lit = Mixed(back, colours.color(QPalette::Highlight), 0.35);
    if (!isEnabled())
        text = palette().color(QPalette::Disabled, QPalette::WindowText);
    const bool down = looksPressed();
    painter.fillRect(rect(), down ? lit.darker(112) : isHovering() ? lit : back);
    if (m_borderStyle == 1) {
        painter.setPen(Mixed(back, text, 0.5));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setPen(text);
    painter.drawText(rect().adjusted(2, 2, -2, -2).translated(down ? 1 : 0, down ? 1 : 0),
                     Qt::AlignCenter | Qt::TextWordWrap | mnemonicFlag(), Caption());
    if (hasFocus())
        paintFocusRect(painter, 2, back);
}

QSize LightButton::sizeHint() const
{
    if (m_buttonMode == GraphicMode && !m_picture.isNull())
        return m_picture.deviceIndependentSize().toSize();
    return fontMetrics().size(Qt::TextShowMnemonic, Caption()) + QSize(16, 10);
}
