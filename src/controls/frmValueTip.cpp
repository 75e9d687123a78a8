#include "controls/frmValueTip.h"

#include <QStyleOption>
#include <QStylePainter>
#include <QToolTip>

frmValueTip::frmValueTip(QWidget *owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setAlignment(Qt::AlignCenter);
}

void frmValueTip::showValue(qint32 value, const QPoint &anchor, Qt::Alignment side)
{
    setText(QString::number(value));
    resize(sizeHint()); // as wide as the text
    if (side & Qt::AlignTop) // above the anchor, centred on it
        move(anchor.x() - width() / 2, anchor.y() - height());
    else // to the right of the anchor, centred on it
        move(anchor.x(), anchor.y() - height() / 2);
    show(); // a tool-tip window stays on top by itself
}

void frmValueTip::paintEvent(QPaintEvent *event)
{
    QStylePainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_PanelTipLabel, frame);
    painter.end();
    QLabel::paintEvent(event);
}
