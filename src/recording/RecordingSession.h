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
class clsCall;

// One call from the record button (or voice detection) to its file in the calls folder:
// capture into the temporary folder, rename with the length, hand over to the mover,
// ask for the note and put the call at the top of the list.
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

signals:
    // The stop button, or a failure of the recorder, ended a recording: an automatic
    // call's latch must not end it again.
    void stoppedEarly();

private:
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
    bool m_ending = false;
};
