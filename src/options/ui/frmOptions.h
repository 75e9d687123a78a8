#pragma once

#include <QDialog>

struct AppContext;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class OrvaneButton;
class RecorderComponent;
class XPButton;
class kvtSlider;

// "Recorder Options": the installation's recording and access settings. Check boxes and
// option buttons take effect at once; the sliders and the calls folder on close, which
// saves everything.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    // recorder: the main window's recorder, reconfigured when the format changes.
    frmOptions(AppContext &ctx, RecorderComponent &recorder, QWidget *parent = nullptr);

    QCheckBox *chkAutoRecord, *chkAddNote, *chkAutoMaximize, *chkPassword;
    OrvaneButton *btnPW, *btnCal;
    QRadioButton *optFormat[2];
    kvtSlider *sldSensitivity, *sldLatch, *sldMinCall, *sldPreRoll;
    QLabel *lblSensitivity, *lblLatchTime, *lblMinCall, *lblPreRoll;
    QLineEdit *txtCallsFolder;
    XPButton *cmdChangeCallsFolder;
    QCheckBox *chkPreventShutdown, *chkPlay, *chkDelete;
    QRadioButton *optPlay[2], *optDel[2];
    XPButton *cmdAbout, *cmdClose;

    void cmdClose_Click();
    void cmdChangeCallsFolder_Click();
    void btnCal_Click();

public slots:
    // Escape and the window's close button close as cmdClose does: the ticks already
    // took effect, so the rest is saved with them.
    void reject() override;

private:
    void Form_Load();
    void buildLayout();
    void wire();
    void optFormat_Click(int index);
    void chkPassword_Click();
    void btnPW_Click();
    // Ticks "Password Protect Options" from whether a password is set, as no user action.
    void showPasswordState();
    void enableRights();

    AppContext &ctx;
    RecorderComponent &recorder;
    bool updating = false; // the form itself sets controls: their handlers do nothing
};
