#pragma once

#include "base/MainState.h"
#include "recording/DetectionView.h"
#include "recording/RecordingView.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class AppContext;
class CallReview;
class clsCall;
struct clsSearch;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class QTreeView;
class Playback;
class RecorderComponent;
class kvtSlider;
class RecordingSession;
class VoiceDetection;
class colCalls;
class frmAddNote;

// The main window: recording and playback buttons, the folder browser, the call list
// with its note, and the status bar. Logic lives in the classes it holds; this class
// lays out the controls and wires them.
class frmMain : public QMainWindow, public RecordingView, public DetectionView
{
    Q_OBJECT
public:
    explicit frmMain(AppContext &ctx, QWidget *parent = nullptr);
    ~frmMain() override;

    // The load sequence; false when the program must end (the fatal error box was shown).
    bool Form_Load();

    // MainView
    void SetStatusText(const QString &text) override;
    void ShowRecordingState(bool recording) override;
    void UpdateButtons() override;
    void SetPlaybackControls(bool enabled) override;
    void setElapsedPanel(const QString &text) override;
    QString elapsedPanel() const;
    // MainView: recording
    void SetLevels(const QString &levelA, const QString &levelB) override;
    bool IsMinimised() const override;
    void Minimise() override;
    void EnableStopButton(bool enabled) override;
    void EnableQuitAndOptions() override;
    void StopPlayback() override;
    QString AskCallNote() override;
    void CloseCallNotePrompt() override;
    colCalls &CallsCollection() override;
    void AddFiledCall(const std::shared_ptr<clsCall> &call) override;

    void tmrTimeStamp_Timer();
    // F9, F10 and F11 (key codes as Qt::Key).
    void Form_KeyDown(int key);
    void cmdQuit_Click();
    // Brings the window back from the tray or from behind other windows.
    void ShowAndRaise() override;

    // The call list, folder browser and find dialog.
    std::unique_ptr<CallReview> review;
    qsizetype FindCalls(const clsSearch &criteria);
    bool HasCalls() const;
    std::shared_ptr<clsCall> GetCallByKey(const QString &key) const;
    QString GetCallLocation(qsizetype position) const;
    QString GetCallUser(qsizetype position) const;

    AppContext &ctx;
    MainState state;
    std::unique_ptr<RecorderComponent> MSSRCtrl;   // records and meters
    std::unique_ptr<RecorderComponent> MSSRPlayer; // plays calls
    // The play, pause, stop and skip buttons, the position slider and label.
    std::unique_ptr<Playback> playback;
    QString CurrentFolder;
    QString ElapsedText;

    // Recording and playback.
    QToolButton *cmdRecord, *cmdStop, *cmdPlay, *cmdPause;
    QToolButton *cmdPBOffsetMinus30, *cmdPBOffsetMinus10, *cmdPBOffsetPlus10, *cmdPBOffsetPlus30;
    kvtSlider *sldPlayBackPos;
    QLabel *lblPlaybackPos;
    QLabel *imgLED, *lblVol1, *lblVol2;
    // Review and program.
    QToolButton *cmdFind, *cmdEmail, *cmdSave, *cmdOptions, *cmdHelp, *cmdQuit;
    QLabel *picLogo;
    // Folder browser.
    QComboBox *drvList;
    QToolButton *btnHome, *cmdNewFolder, *btnDelFolder;
    QTreeView *dirList;
    // Call list and note.
    QTreeView *lvwCalls;
    QPlainTextEdit *txtNote;
    QToolButton *cmdEditNote;
    QSplitter *splitter;
    // Status bar: 1 status and mode, 2 elapsed time, 3 call count, 4 date and clock.
    QLabel *StatusPanel[4];
    QTimer *tmrTimeStamp;
    QSystemTrayIcon *trayIcon;

    // Recording: the session, voice detection and the note prompt after a call.
    std::unique_ptr<RecordingSession> recording;
    std::unique_ptr<VoiceDetection> detection;
    QTimer *tmrAddNote;
    QPointer<frmAddNote> NoteForm;

signals:
    void loaded();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void SaveFormPosition();
    bool m_quitting = false;
};
