#pragma once

#include "recording/CallRecorder.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct AppContext;
struct MainState;
class RecordingView;
class RecorderComponent;
class QThread;
class QTimer;
class VoiceDetection;
class clsCall;

// The window's side of recording: it sends the recorder's thread its commands (record,
// stop, pause, the settings) and shows what the recorder says happened: the recording
// state, the elapsed time, the note prompt after a call and the call at the top of the
// list. The recorder files every call without waiting for any of it.
class RecordingSession : public QObject
{
    Q_OBJECT
public:
    // The recorder runs on a thread of its own, or (for tests that run the line's clock
    // themselves) on the window's, where its commands wait for the events to be sent.
    enum class Threading { Own, Window };
    RecordingSession(AppContext &ctx, MainState &state, RecordingView &view,
                     RecorderComponent &recorder, RecorderComponent &player,
                     QObject *parent = nullptr, Threading threading = Threading::Own);
    ~RecordingSession() override;

    // Opens the input and listens (in manual mode too, for the level bar). A failure
    // before the input was ever heard in automatic mode switches to manual; otherwise
    // arming is retried until the input is back.
    void ArmDetection();
    // The recorder's once-a-second check, now; it runs by itself on its own thread.
    void CheckInput();
    // The input went away and arming is retried until it is back.
    bool WaitingForInput() const { return m_waitingForInput; }
    // While a call plays back or the options are open no call starts.
    void SuspendDetection();
    void ResumeDetection();
    // The settings recording follows, after load and after the options.
    void ApplySettings();
    // The level bar is on screen: the levels are wanted.
    void setLevelsWanted(bool wanted);
    VoiceDetection &detection() { return *m_detection; }
    // The program is about to end (the session ends, it was told to stop): the running
    // call is filed now, without asking for its note; no call starts after this.
    void FileBeforeExit();
    // Ends the recording; files the call unless discard is set.
    void StopRecording(bool discard);
    // Ends the recording and waits a moment until it is filed and its note asked for, as
    // before the options, which may reconfigure the recorder.
    void StopAndFile();
    // While detection is suspended and nothing records, the recorder waits for commands
    // only: the window may use it (the options reconfigure it) until it arms detection
    // again. Nothing when the recorder is busy or records.
    RecorderComponent *LendRecorder();
    // Closes the recorder; answers its code, or nothing when it does not answer.
    std::optional<qint16> CloseRecorder();

    void cmdRecord_Click();
    void cmdStop_Click();
    void cmdPause_Click();

    // At start-up: names the recordings an earlier run left unfinished, then starts the
    // mover once when any recording waits to be filed.
    void FileLeftoverRecordings();

    std::shared_ptr<clsCall> CurrentCall;
    QString RecordingFileName; // in the temporary folder; after the stop, its final name
    double ElapsedSeconds = 0; // of the call being recorded, as last told
    QString LastFiledCall;     // where the call filed last is (its path in the calls folder)
    QString LastFiledName;     // its name in the temporary folder
    // Writes the note of the call filed last, in a job that gives up on a share that
    // hangs: beside its recording while that waits in the temporary folder (the mover
    // files them together), else beside the call where the mover filed it. `done` hears
    // the call's path in the calls folder and the error, empty when written.
    void WriteLastFiledNote(const QString &note, std::function<void(const QString &path, const QString &error)> done);
    bool WasMinimised = false;

    static constexpr int FollowFilingMs = 1000;

signals:
    // A call was filed: its path in the calls folder, once the mover has put it there.
    void callFiled(const QString &path);

private:
    // What the recorder says.
    void OnStarted(const std::shared_ptr<clsCall> &call, const QString &fileName);
    void OnNotStarted(qint16 code, const QString &fileName);
    void OnEnded(const CallRecorder::Ending &ending);
    void OnListening(bool listening, bool waitingForInput);
    void OnSwitchedToManual(qint16 openCode, qint16 recordCode);

    template<typename F> void onRecorder(F &&f);
    void SendRules(bool newTrigger);
    void FileCall(const CallRecorder::Ending &ending);
    void WriteNote(const clsCall &call);
    // Tells each call the mover has filed since, and looks again while any waits.
    void followFiling();
    // Runs work (which answers an error, empty when none) in a job over the calls folder.
    void onCallsFolder(std::function<QString()> work, std::function<void(const QString &error)> done);

    AppContext &ctx;
    MainState &state;
    RecordingView &view;
    RecorderComponent &player;
    std::shared_ptr<VoiceDetection> m_detection;
    QThread *m_thread = nullptr; // none: the window's
    CallRecorder *m_recorder; // on m_thread
    bool m_ending = false;
    bool m_waitingForInput = false;
    std::vector<std::function<std::optional<QString>()>> m_filing; // where each call waiting was filed
    QTimer *m_followFiling;
};
