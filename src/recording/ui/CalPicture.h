#pragma once

#include <QWidget>

class QPainter;

// The pictures of the calibration windows, drawn rather than captured: they follow the
// desktop's colours and show the mixer windows of this platform (the Volume Control's
// "Input Devices" tab and alsamixer's capture view) without naming a distribution's theme.
class CalPicture : public QWidget
{
    Q_OBJECT
public:
    enum Kind {
        InputDevicesTab, // the Volume Control open at "Input Devices"
        InputSlider,     // the microphone's volume slider and its fallback tick
        ShowAllInputs,   // "Show: All Input Devices" at the bottom of the tab
        AlsamixerStart,  // a terminal starting alsamixer, F4 for the capture controls
        MicBoost,        // alsamixer's capture view with "Mic Boost"
        LevelOk,         // the recording volume indicator, green
        OutOfRange,      // the recording volume indicator, not green
    };

    CalPicture(Kind kind, const QString &description, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawVolumeControl(QPainter &p);
    void drawAlsamixer(QPainter &p);
    void drawIndicator(QPainter &p);

    Kind m_kind;
};
