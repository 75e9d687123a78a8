#pragma once

#include "controls/DrawnButton.h"

#include <QPixmap>

// A two-mode button: a caption on BackColor that lights up in SelColor under the pointer,
// or one of four pictures by state. It reports the pointer coming and going.
class LightButton : public DrawnButton
{
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(qint16 ButtonMode READ ButtonMode WRITE setButtonMode)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 SelColor READ SelColor WRITE setSelColor)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QPixmap SelPicture READ SelPicture WRITE setSelPicture)
    Q_PROPERTY(QPixmap DisPicture READ DisPicture WRITE setDisPicture)
    Q_PROPERTY(QPixmap DwnPicture READ DwnPicture WRITE setDwnPicture)

public:
    static constexpr qint16 TextMode = 0, GraphicMode = 1;

    explicit LightButton(QWidget *parent = nullptr, const QString &name = QString());

    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    qint16 BorderStyle() const { return m_borderStyle; }
    // 0 or 1; anything else throws RuntimeError 380 and changes nothing.
    void setBorderStyle(qint16 style);
    qint16 ButtonMode() const { return m_buttonMode; }
    // TextMode or GraphicMode; anything else throws RuntimeError 380 and changes nothing.
    void setButtonMode(qint16 mode);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    quint32 SelColor() const { return m_selColor; }
    void setSelColor(quint32 colour);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    QPixmap SelPicture() const { return m_selPicture; }
    void setSelPicture(const QPixmap &picture);
    QPixmap DisPicture() const { return m_disPicture; }
    void setDisPicture(const QPixmap &picture);
    QPixmap DwnPicture() const { return m_dwnPicture; }
    void setDwnPicture(const QPixmap &picture);

    QSize sizeHint() const override;

signals:
    // true when the pointer has come over the button, false when it has left.
    void StatusChanged(bool Newstatus);

protected:
    void paintFace(QPainter &painter) override;
    void pointerEntered(qint16) override { emit StatusChanged(true); }
    void pointerLeft() override { emit StatusChanged(false); }

private:
    QPixmap shownPicture() const;

    quint32 m_backColor = 0xFFFFFF;
    qint16 m_borderStyle = 0;
    qint16 m_buttonMode = TextMode;
    quint32 m_foreColor = 0x80000008;
    quint32 m_selColor = 0x80FFFF;
    QPixmap m_picture, m_selPicture, m_disPicture, m_dwnPicture;
};
