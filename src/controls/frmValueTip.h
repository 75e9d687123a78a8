#pragma once

#include <QLabel>

// The small borderless window that shows a slider's value while its thumb is held.
// It looks like the desktop's tool tips and never takes the focus.
class frmValueTip : public QLabel
{
    Q_OBJECT

public:
    explicit frmValueTip(QWidget *owner);

    // Shows the number with its bottom centre (or left middle) at the given screen point.
    void showValue(qint32 value, const QPoint &anchor, Qt::Alignment side);

protected:
    void paintEvent(QPaintEvent *event) override;
};
