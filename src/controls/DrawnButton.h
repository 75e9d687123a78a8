#pragma once

#include <QWidget>

class QPainter;

// What the program's own buttons share: a caption with an access key, the mouse and key
// events in the numbers the windows' handlers expect, hover from the pointer's enter and
// leave, and drawing into an off-screen picture shown in one step. Each button draws its
// own face and adds its own reactions to hover and clicks.
class DrawnButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(quintptr hWnd READ hWnd)

public:
    // Mouse button and shift state numbers of the mouse and key events.
    static constexpr qint16 LeftButton = 1, RightButton = 2, MiddleButton = 4;
    static constexpr qint16 ShiftMask = 1, CtrlMask = 2, AltMask = 4;
    static constexpr int InvalidPropertyValue = 380;

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // The native window, or 0 while the button is drawn in its window's.
    quintptr hWnd() const { return quintptr(internalWinId()); }
    void Refresh() { repaint(); }
    // A click as a release of the mouse inside makes it (its sound and link too): for
    // code that acts for the user, as QAbstractButton::click does.
    void click()
    {
        if (isEnabled())
            mouseClick();
    }

    bool isHovering() const { return m_hovering; }
    // Drawn pressed: held by the mouse with the pointer over it, or by the space bar.
    bool looksPressed() const;

signals:
    void Click();
    void DblClick();
    void KeyDown(qint16 keyCode, qint16 shift);
    void KeyPress(qint16 keyAscii);
    void KeyUp(qint16 keyCode, qint16 shift);
    void MouseDown(qint16 button, qint16 shift, int x, int y);
    void MouseMove(qint16 button, qint16 shift, int x, int y);
    void MouseUp(qint16 button, qint16 shift, int x, int y);

protected:
    // A new button is named as a form designer would name it (className + the first free
    // number in its window) unless it is given a name.
    DrawnButton(QWidget *parent, const QString &name, const QString &className);

    virtual void paintFace(QPainter &painter) = 0;
    // The pointer has come over the button, or left it; the button is redrawn after.
    virtual void pointerEntered(qint16 /*shift*/) {}
    virtual void pointerLeft() {}
    // A release inside after a press, the space bar, the access key.
    virtual void mouseClick() { emit Click(); }
    virtual void keyClick() { emit Click(); }
    virtual void accessKeyClick() { emit Click(); }
    // A key the button acts on itself besides the space bar; true when taken.
    virtual bool takeKey(QKeyEvent *) { return false; }

    // The button raises DblClick for a second press in quick succession (else it is a click).
    void setRaisesDblClick(bool raises) { m_raisesDblClick = raises; }
    // Hover ends without the events of the pointer leaving.
    void dropHover() { m_hovering = false; }
    QString plainCaption() const;
    // Text flag for the access key: underlined where the desktop underlines them.
    int mnemonicFlag() const;
    // The desktop's focus rectangle, `inset` pixels inside the button.
    void paintFocusRect(QPainter &painter, int inset, const QColor &background) const;
    // Size or content changed: laid out and drawn again.
    void changed()
    {
        updateGeometry();
        update();
    }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;

private:
    friend class DrawnButtonAccessible;
    enum class Press { None, Mouse, Key };
    void enter(qint16 shift);
    void leave();
    void updateAccessibleName();

    QString m_caption;
    int m_shortcut = 0;
    Press m_press = Press::None;
    bool m_hovering = false;
    bool m_raisesDblClick = false;
    bool m_doubled = false; // the press under way is a double click's second
};
