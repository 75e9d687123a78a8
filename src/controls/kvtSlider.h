#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class frmValueTip;
class QStyleOptionSlider;

// The program's own slider: a thumb dragged along a rail gives a whole-number Value from
// Min to Max. Without a thumb picture the thumb and the default rail are drawn by the
// desktop's style. Out-of-range writes of Min, Max or Value throw RuntimeError 380.
class kvtSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(qint32 Max READ Max WRITE setMax)
    Q_PROPERTY(qint32 Min READ Min WRITE setMin)
    Q_PROPERTY(qint32 Value READ Value WRITE setValue NOTIFY ValueChanged USER true)
    Q_PROPERTY(qint16 Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(qint16 RailStyle READ RailStyle WRITE setRailStyle)
    Q_PROPERTY(QPixmap SliderIcon READ SliderIcon WRITE setSliderIcon)
    Q_PROPERTY(QPixmap RailPicture READ RailPicture WRITE setRailPicture)
    Q_PROPERTY(bool ShowValueTip READ ShowValueTip WRITE setShowValueTip)

public:
    static constexpr qint16 Horizontal = 0, Vertical = 1;
    static constexpr qint16 SunkenEdge = 0, RaisedEdge = 1, ThinSunkenEdge = 2, ThinRaisedEdge = 3,
                            NoEdge = 4, PictureRail = 99;
    // The mouse button number of MouseDown and MouseUp (only the left one drags).
    static constexpr qint16 LeftButton = 1;
    // An OLE colour with the high bit set names a system colour; 0x0F is the button face.
    static constexpr quint32 ButtonFace = 0x8000000F;
    static constexpr int InvalidPropertyValue = 380;
    static constexpr int Margin = 4; // pixels around the thumb across the rail

    explicit kvtSlider(QWidget *parent = nullptr);

    bool Enabled() const { return isEnabled(); }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 color);
    qint32 Max() const { return m_max; }
    void setMax(qint32 max);
    qint32 Min() const { return m_min; }
    void setMin(qint32 min);
    qint32 Value() const { return m_value; }
    void setValue(qint32 value);
    qint16 Orientation() const { return m_orientation; }
    void setOrientation(qint16 orientation);
    qint16 RailStyle() const { return m_railStyle; }
    void setRailStyle(qint16 style);
    QPixmap SliderIcon() const { return m_sliderIcon; }
    void setSliderIcon(const QPixmap &icon);
    QPixmap RailPicture() const { return m_railPicture; }
    void setRailPicture(const QPixmap &picture);
    bool ShowValueTip() const { return m_showValueTip; }
    void setShowValueTip(bool show) { m_showValueTip = show; }
    // What an arrow key steps by.
    qint32 SmallChange() const { return m_smallChange; }
    void setSmallChange(qint32 step) { m_smallChange = qMax(1, step); }
    // Loud and quiet parts (0 to 1, evenly from Min to Max) drawn along the rail, the
    // part before the thumb marked as played; empty: none.
    const QList<float> &overview() const { return m_overview; }
    void setOverview(QList<float> levels);

    // Where things are, for the host's layout and for tests.
    QRect thumbRect() const { return m_thumb; }
    QRect railRect() const { return m_rail; }
    int travel() const;
    bool isDragging() const { return m_dragging; }
    // The tip while it shows, else null.
    QWidget *valueTip() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void ArrivedFirst();
    void ArrivedLast();
    void ValueChanged();
    void MouseDown(qint16 button);
    void MouseUp(qint16 button);
    // The user moved the value with the keyboard (arrows, Page Up/Down, Home, End) or a
    // screen reader set it: a step taken whole, as a drag that was let go.
    void KeyStepped();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

public:
    // Moves the value to `value` (clamped) as a step the user took; false when it stays.
    bool step(qint32 value);

private:
    bool horizontal() const { return m_orientation == Horizontal; }
    QSize thumbSize() const;
    int thumbOffsetFor(qint32 value) const;
    qint32 valueAt(int thumbOffset) const;
    void placeThumb(int thumbOffset);
    void layoutControl();
    void dragTo(const QPoint &pointer);
    void initStyleOption(QStyleOptionSlider &option) const;
    void paintRail(QPainter &painter);
    void paintOverview(QPainter &painter);
    void showTip();
    void updateTip();
    void closeTip();
    [[noreturn]] static void invalidPropertyValue();

    quint32 m_backColor = ButtonFace;
    qint32 m_max = 10;
    qint32 m_min = 0;
    qint32 m_value = 0;
    qint16 m_orientation = Vertical;
    qint16 m_railStyle = SunkenEdge;
    QPixmap m_sliderIcon;
    QPixmap m_railPicture;
    bool m_showValueTip = true;
    qint32 m_smallChange = 1;
    QList<float> m_overview;

    qint32 m_reported = 0; // the value last reported by ValueChanged
    bool m_dragging = false;
    QPoint m_grab;         // where inside the thumb the pointer took hold
    QRect m_thumb;
    QRect m_rail;
    QPointer<frmValueTip> m_tip;
};
