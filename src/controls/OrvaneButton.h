#pragma once

#include "controls/DrawnButton.h"

#include <QPixmap>

class QSoundEffect;

// A picture-and-caption button with hover and press looks, hover and click sounds and an
// optional link opened on click. Its colours default to the desktop's, so it sits in a
// light or dark window alike.
class OrvaneButton : public DrawnButton
{
    Q_OBJECT
    Q_PROPERTY(qint16 MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(qint16 ShowFocusRect MEMBER m_showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(QString URL READ URL WRITE setURL)
    Q_PROPERTY(qint16 ButtonStyle READ ButtonStyle WRITE setButtonStyle)
    Q_PROPERTY(qint16 PicturePosition MEMBER m_picturePosition WRITE setPicturePosition)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(qint16 PictureWidth MEMBER m_pictureWidth WRITE setPictureWidth)
    Q_PROPERTY(qint16 PictureHeight MEMBER m_pictureHeight WRITE setPictureHeight)
    Q_PROPERTY(qint16 PictureSize MEMBER m_pictureSize WRITE setPictureSize)
    Q_PROPERTY(QPixmap PictureHover READ PictureHover WRITE setPictureHover)
    Q_PROPERTY(quint32 XPColor_Pressed MEMBER m_colorPressed WRITE setXPColor_Pressed)
    Q_PROPERTY(quint32 XPColor_Hover MEMBER m_colorHover WRITE setXPColor_Hover)
    Q_PROPERTY(qint16 XPDefaultColors MEMBER m_defaultColors WRITE setXPDefaultColors)
    Q_PROPERTY(quint32 BackColor MEMBER m_backColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor MEMBER m_foreColor WRITE setForeColor)
    Q_PROPERTY(QString SoundOver READ SoundOver WRITE setSoundOver)
    Q_PROPERTY(QString SoundClick READ SoundClick WRITE setSoundClick)
    Q_PROPERTY(QString version READ version)
    Q_PROPERTY(qint16 DefCurHand READ DefCurHand WRITE setDefCurHand)
    Q_PROPERTY(qint16 XPShowBorderAlways MEMBER m_borderAlways WRITE setXPShowBorderAlways)
    Q_PROPERTY(qint16 MaskColor MEMBER m_maskColor WRITE setMaskColor)
    Q_PROPERTY(qint16 TransparentBG MEMBER m_transparent WRITE setTransparentBG)
    Q_PROPERTY(qint16 BEVEL MEMBER m_bevel WRITE setBEVEL)
    Q_PROPERTY(qint16 BEVELDEPTH MEMBER m_bevelDepth WRITE setBEVELDEPTH)
    Q_PROPERTY(qint16 OriginalPicSizeW MEMBER m_originalW)
    Q_PROPERTY(qint16 OriginalPicSizeH MEMBER m_originalH)

public:
    // ButtonStyle
    static constexpr qint16 Framed = 0, FramedOnHover = 1, Flat = 2, Themed = 3, NoFrame = 4;
    // PicturePosition: where the picture sits beside the caption.
    static constexpr qint16 PictureLeft = 0, PictureTop = 1, PictureRight = 2, PictureBottom = 3,
                            PictureBehind = 4;
    // PictureSize: own size, PictureWidth x PictureHeight, or fitted into the button.
    static constexpr qint16 OwnSize = 0, GivenSize = 1, FitSize = 2;

    explicit OrvaneButton(QWidget *parent = nullptr, const QString &name = QString());

    qint16 MousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap &icon);
    void setShowFocusRect(qint16 show) { m_showFocusRect = show; update(); }
    QString URL() const { return m_url; }
    void setURL(const QString &url) { m_url = url; }
    qint16 ButtonStyle() const { return m_buttonStyle; }
    void setButtonStyle(qint16 style) { m_buttonStyle = style; update(); }
    void setPicturePosition(qint16 position);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    void setPictureWidth(qint16 width);
    void setPictureHeight(qint16 height);
    void setPictureSize(qint16 mode);
    QPixmap PictureHover() const { return m_pictureHover; }
    void setPictureHover(const QPixmap &picture) { m_pictureHover = picture; update(); }
    void setXPColor_Pressed(quint32 colour) { m_colorPressed = colour; update(); }
    void setXPColor_Hover(quint32 colour) { m_colorHover = colour; update(); }
    void setXPDefaultColors(qint16 on) { m_defaultColors = on; update(); }
    void setBackColor(quint32 colour) { m_backColor = colour; update(); }
    void setForeColor(quint32 colour) { m_foreColor = colour; update(); }
    QString SoundOver() const { return m_soundOver; }
    void setSoundOver(const QString &file) { m_soundOver = file; }
    QString SoundClick() const { return m_soundClick; }
    void setSoundClick(const QString &file) { m_soundClick = file; }
    static QString version();
    qint16 DefCurHand() const { return m_defCurHand; }
    void setDefCurHand(qint16 on);
    void setXPShowBorderAlways(qint16 on) { m_borderAlways = on; update(); }
    void setMaskColor(qint16 colour) { m_maskColor = colour; update(); }
    void setTransparentBG(qint16 on) { m_transparent = on; update(); }
    void setBEVEL(qint16 bevel) { m_bevel = bevel; update(); }
    void setBEVELDEPTH(qint16 depth) { m_bevelDepth = depth; update(); }

    // Opens URL as a click does.
    void GoToURL();

    QSize sizeHint() const override;

signals:
    void MouseIn(qint16 shift);
    void MouseOut(qint16 value);

protected:
    void paintFace(QPainter &painter) override;
    void pointerEntered(qint16 shift) override;
    void pointerLeft() override;
    void mouseClick() override;
    void keyClick() override;
    void accessKeyClick() override;

private:
    QColor fill(bool pressed) const;
    QColor textColor() const;
    void paintFrame(QPainter &painter);
    QSize pictureSize(const QRect &area) const;
    QPixmap shownPicture() const;
    void paintContent(QPainter &painter, QRect area);
    void updateCursor();
    // Plays the file asynchronously on `effect`, made on first use; silent when missing.
    void play(QSoundEffect *&effect, const QString &file, const QString &name);

    qint16 m_mousePointer = 0;
    QPixmap m_mouseIcon;
    qint16 m_showFocusRect = 1;
    QString m_url;
    qint16 m_buttonStyle = Flat;
    qint16 m_picturePosition = PictureTop;
    QPixmap m_picture;
    qint16 m_pictureWidth = 32, m_pictureHeight = 32;
    qint16 m_pictureSize = GivenSize;
    QPixmap m_pictureHover;
    quint32 m_colorPressed = 0x80000014, m_colorHover = 0x80000016;
    qint16 m_defaultColors = 1;
    quint32 m_backColor = 0x8000000F, m_foreColor = 0x80000012;
    QString m_soundOver = QStringLiteral("./resources/over.wav");
    QString m_soundClick = QStringLiteral("./resources/click.wav");
    QSoundEffect *m_over = nullptr, *m_click = nullptr;
    qint16 m_defCurHand = 1;
    qint16 m_borderAlways = 0;
    qint16 m_maskColor = 0;
    qint16 m_transparent = 0;
    qint16 m_bevel = 1, m_bevelDepth = 8;
    qint16 m_originalW = 32, m_originalH = 32;
};
