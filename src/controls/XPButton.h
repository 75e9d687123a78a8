#pragma once

#include "controls/DrawnButton.h"

// A rounded text button in the look of the classic themed push button, with keyboard
// handling of its own. Under a dark palette the face is taken from the palette instead.
class XPButton : public DrawnButton
{
    Q_OBJECT
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool FocusRect READ FocusRect WRITE setFocusRect)

public:
    // A new button is captioned "&OK", "&Cancel" or "&Apply", the first that no other
    // button of its window has, and after those its own name.
    explicit XPButton(QWidget *parent = nullptr, const QString &name = QString());

    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    bool FocusRect() const { return m_focusRect; }
    void setFocusRect(bool show);
    // Moves the mouse pointer onto the middle of the button.
    void SnapMouseTo();

    QSize sizeHint() const override;

signals:
    // 1 when the button's window has become the active one, 0 when it has stopped being so.
    void FormActivate(qint32 state);

protected:
    void paintFace(QPainter &painter) override;
    bool takeKey(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    quint32 m_foreColor = 0;
    bool m_focusRect = true;
};
