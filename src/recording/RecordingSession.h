#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct AppContext;
struct MainState;
class RecordingView;
class RecorderComponent;
class VoiceDetection;
class clsCall;

// One call from the record button (or voice detection) to its file in the calls folder:
// capture into the temporary folder, rename with the length, hand over to the mover,
// ask for the note and put the call at the top of the list. It arms voice detection, which
// judges every capture buffer on the capture thread: the file starts and ends at the
// buffer where the rule fired, however late the session hears of it.
class RecordingSession : public QObject
{
    Q_OBJECT
public:
    // Starts the mover; answers why it did not start, or nothing.
    using MoverLauncher = std::function<std::optional<QString>()>;

    RecordingSession(AppContext &ctx, MainState &state, RecordingView &view,
                     RecorderComponent &recorder, RecorderComponent &player,
                     QObject *parent = nullptr);
    ~RecordingSession() override;

    void StartRecording();
    // Opens the input and listens (in manual mode too, for the level bar): Stop, Close,
    // OpenInput, Paused, Record. A failure before the input was ever heard in automatic
    // mode switches to manual; otherwise arming is retried until the input is back.
    void ArmDetection();
    // Once a second: the input lost while listening, a retry due, a recorder that stopped.
    void CheckInput();
    // The input went away and arming is retried until it is back.
    bool WaitingForInput() const { return m_waitingForInput; }
    // While a call plays back or the options are open no call starts.
    void SuspendDetection();
    void ResumeDetection();
    // The settings detection uses, after load and after the options.
    void ApplySettings();
    // The level bar is on screen: the levels are wanted.
    void setLevelsWanted(bool wanted);
    VoiceDetection &detection() { return *m_detection; }
    // The recorder stopped by itself during a call (the input was lost, the disk is full):
    // the call so far is filed and the user told why. Polled while recording.
    void CheckRecorder();
    // The program is about to end (the session ends, it was told to stop): the running
    // call is filed now, without asking for its note; no call starts after this.
    void FileBeforeExit();
    // Ends the recording; files the call unless discard is set.
    void StopRecording(bool discard);

    void cmdRecord_Click();
    void cmdStop_Click();
    void cmdPause_Click();

    // At start-up: names the recordings an earlier run left unfinished, then starts the
    // mover once when any recording waits to be filed.
    void FileLeftoverRecordings();

    void setMoverLauncher(MoverLauncher launcher) { m_launchMover = std::move(launcher); }

    std::shared_ptr<clsCall> CurrentCall;
    QString RecordingFileName; // in the temporary folder; after the stop, its final name
    bool WasMinimised = false;

private:
    // Detection's verdicts, at the buffer they were reached.
    void OnCallStarts();
    void OnCallEnds();
    void SwitchToManual();
    void WaitForInput();
    static constexpr int RetrySeconds = 3;

    // Answers the recorder's code when capture could not start.
    qint16 BeginCapture();
    void FileCall(const std::shared_ptr<clsCall> &call, const QString &fileName, qint32 length,
                  bool wasMinimised);
    void WriteNote(const clsCall &call);
    void LaunchMover();

    AppContext &ctx;
    MainState &state;
    RecordingView &view;
    RecorderComponent &recorder;
    RecorderComponent &player;
    MoverLauncher m_launchMover;
    std::shared_ptr<VoiceDetection> m_detection;
    bool m_ending = false;
    bool m_armedOnce = false;
    bool m_waitingForInput = false;
    int m_secondsWaiting = 0;
};
