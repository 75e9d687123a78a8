#pragma once

#include <QDialog>

#include <memory>

struct AppContext;
class CalPicture;
class LevelBar;
class QLabel;
class XPButton;
class QTimer;
class RecorderComponent;

// "Calibrate Voxmere": with its own recorder, shows the line's level while the user sets
// the recording level on a dial tone, then measures the idle line for the sensitivity.
class dlgCalibrate : public QDialog
{
    Q_OBJECT
public:
    dlgCalibrate(AppContext &ctx, QWidget *owner);
    ~dlgCalibrate() override;

    XPButton *cmdCalibrate, *btnCalSens, *btnOK, *btnCancel;
    QLabel *lblLevel, *lblDirection;
    LevelBar *lvlInput;
    CalPicture *imgRecLevelOk, *imgOutOfRange;
    QTimer *tmrFlash;   // 1 s: "Level OK" alternates with "go to step 2"
    QTimer *tmrLevel;   // 200 ms: the level while it is adjusted; stopped is the stop flag
    QTimer *tmrMeasure; // 200 ms: one round of the sensitivity measurement

    bool Cancelled = false;
    // The loudest level of the last finished measurement, whole dB; 0 before one.
    qint16 MeasuredMaximum = 0;

    void cmdCalibrate_Click();
    void tmrLevel_Timer();
    void tmrFlash_Timer();
    void btnCalSens_Click();
    void tmrMeasure_Timer();

public slots:
    // The close box and Escape cancel.
    void reject() override;

private:
    void buildLayout();
    // OK or Cancel: nothing runs on behind the hidden window.
    void finish(bool cancelled);
    void endMeasuring();

    AppContext &ctx;
    std::unique_ptr<RecorderComponent> MSSRCtrl;
    bool measuring = false;
    int rounds = 0;
    qint16 maximum = 0;
};
