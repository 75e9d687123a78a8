#pragma once

#include "app/SingleInstance.h"
#include "base/MainState.h"
#include "recording/RecordingView.h"

#include <QMainWindow>
#include <QPointer>
#include <QVariant>
#include <memory>

struct AppContext;
class CallReview;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class QTreeView;
class Playback;
class PlayControls;
class QAction;
class RecorderComponent;
class RecordingSession;
class WaitingCalls;
class frmAddNote;
class kvtSlider;
class JobProgress;
class LevelBar;
class LightButton;
class OrvaneButton;

// The main window: recording and playback buttons, the folder browser, the call list
// with its note, and the status bar. Logic lives in the classes it holds; this class
// lays out the controls and wires them. Tests find its controls and timers by object name.
class frmMain : public QMainWindow, private RecordingView
{
    Q_OBJECT
public:
    explicit frmMain(AppContext &ctx, QWidget *parent = nullptr);
    ~frmMain() override;

    // The load sequence; false when the program must end (the fatal error box was shown).
    bool Form_Load();
    // Brings the window back from the tray or from behind other windows.
    void ShowAndRaise() override;
    bool hasTrayIcon() const;
    // A command from the command line (record, stop, toggle, status, note), answered
    // as the buttons would: what they refuse now is refused, with the reason. A note
    // for a filed call is answered once it is written.
    void RemoteCommand(const QString &command, const QString &argument, const SingleInstance::Answer &answer);
    // The program ends however it was asked to (the session ends, a signal): the running
    // call is filed first.
    void EndSession();
    // Ends the program now, as the system asks (a signal): the call is filed and the
    // window state saved, "SD" or not.
    void Terminate();

signals:
    void loaded();
    // A call was filed: its path in the calls folder.
    void callFiled(const QString &path);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // Answers at once, or (a note for a filed call) nothing and leaves the answer to its job.
    std::optional<SingleInstance::Reply> Command(const QString &command, const QString &argument,
                                                 const SingleInstance::Answer &answer);
    // RecordingView
    void SetStatusText(const QString &text) override;
    void ShowRecordingState(bool recording) override;
    void UpdateButtons() override;
    void SetPlaybackControls(bool enabled) override;
    void setElapsedPanel(const QString &text) override;
    void SetLevels(float levelA, float levelB) override;
    bool IsMinimised() const override;
    void Minimise() override;
    void EnableStopButton(bool enabled) override;
    void EnableQuitAndOptions() override;
    void StopPlayback() override;
    QString AskCallNote() override;
    void CloseCallNotePrompt() override;
    colCalls &CallsCollection() override;
    void AddFiledCall(const std::shared_ptr<clsCall> &call, std::function<std::optional<QString>()> whereFiled) override;

    void buildLayout();
    void wire();
    void tmrTimeStamp_Timer();
    void ShowClock();
    // The tray icon and its tool tip say idle, listening, recording (how long) or input lost.
    void UpdateTrayState();
    // A desktop notification through the tray icon, when there is one.
    void Notify(const QString &title, const QString &text, bool warning = false);
    // F9, F10 and F11 (key codes as Qt::Key).
    void Form_KeyDown(int key);
    void cmdQuit_Click();
    // The options, behind the password when one is set; detection waits meanwhile.
    void cmdOptions_Click();
    // What the options may have changed, shown and put to work.
    void ApplyOptions();
    void SaveFormPosition();
    // "Top" and "Left" unless minimised, with more values in the same write.
    void SaveTopLeft(const QList<std::pair<QString, QVariant>> &more = {});
    // The tray's double click and "&Restore"; an open note prompt is brought forward instead.
    void RestoreFromTray(bool toLoadedPosition);

    AppContext &ctx;
    MainState state;
    std::unique_ptr<RecorderComponent> MSSRCtrl;   // records and meters
    std::unique_ptr<RecorderComponent> MSSRPlayer; // plays calls

    // Recording and playback.
    LightButton *cmdRecord, *cmdStop, *cmdPlay, *cmdPause;
    LightButton *cmdPBOffsetMinus30, *cmdPBOffsetMinus10, *cmdPBOffsetPlus10, *cmdPBOffsetPlus30;
    kvtSlider *sldPlayBackPos;
    QLabel *lblPlaybackPos;
    QLabel *imgLED;
    LevelBar *lvlInput;
    // Review and program.
    QToolButton *cmdFind, *cmdEmail, *cmdSave, *cmdOptions, *cmdHelp, *cmdQuit;
    QToolButton *picLogo;
    // Folder browser.
    QComboBox *drvList;
    OrvaneButton *btnHome, *cmdNewFolder, *btnDelFolder;
    QTreeView *dirList;
    // Call list and note.
    QTreeView *lvwCalls;
    QPlainTextEdit *txtNote;
    QToolButton *cmdEditNote;
    QSplitter *splitter;
    // Status bar: 1 status and mode, 2 elapsed time, 3 call count, 4 date and clock.
    QLabel *StatusPanel[4];
    QLabel *lblWaitingCalls; // calls not filed yet; hidden while none wait
    QTimer *tmrTimeStamp;
    QLabel *lblDiskSpace; // shown while the temporary folder has room for less than an hour
    JobProgress *jobProgress; // the file job running, once it takes a while
    QSystemTrayIcon *trayIcon;
    int m_trayState = 0; // AppIcons::TrayState shown

    // The parts that hold the logic.
    std::unique_ptr<RecordingSession> recording;
    std::unique_ptr<CallReview> review;
    std::unique_ptr<Playback> playback;
    PlayControls *playControls;
    QAction *m_transportEnd = nullptr; // the tool bar's separator after the skip buttons
    // The overview of the call that plays, or else of the selected one.
    void ShowOverview();
    WaitingCalls *waitingCalls;
    QTimer *tmrAddNote;
    QTimer *tmrSavePosition; // writes the window's place once a move or resize is over
    QPointer<frmAddNote> NoteForm;
    bool m_quitting = false;
    QPoint m_loadedPos; // where the settings put the window at load
    bool m_loaded = false;
};
