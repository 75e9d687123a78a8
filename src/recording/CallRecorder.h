#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class Prompts;
class QTimer;
class RecorderComponent;
class VoiceDetection;
class clsCall;

// The recording side of every call, on a thread of its own: it keeps the input listening,
// opens a call's file when voice detection or the user says, stops it, names it with its
// length and hands it to the mover. The window sends it commands and is told afterwards
// what happened; nothing here waits for the window, so a window that is busy neither
// delays nor loses a call, and a call that ends meanwhile is filed on time.
class CallRecorder final : public QObject
{
    Q_OBJECT
public:
    // The settings recording follows, as the window last sent them.
    struct Rules
    {
        bool autoRecord = false;
        bool suspended = false; // a call plays back or the options are open: no call starts
        bool gsm = false;
        int sensitivity = -18;
        int callTimeOut = 5;
        int minCallLength = 0;
        double preRoll = 0;
    };
    // A recording that ended, as the window is told of it.
    struct Ending
    {
        std::shared_ptr<clsCall> call;
        QString fileName; // in the temporary folder, named with its length
        qint32 length = 0;
        bool byDetection = false;
        bool discarded = false;
        bool exiting = false;      // the program ends: no note is asked for
        qint16 failure = 0;        // the recorder's code for a call cut short
        std::optional<QString> moverFailure;
        QString error;             // stopping failed; nothing was filed
    };
    using MoverLauncher = std::function<std::optional<QString>()>;

    CallRecorder(RecorderComponent &recorder, std::shared_ptr<VoiceDetection> detection,
                 std::function<QDateTime()> now, MoverLauncher launchMover, Prompts &prompts);

    // The commands; on the recorder's thread (queue them there).
    void SetRules(const Rules &rules, bool newTrigger);
    void SetRecordingPlace(const QString &tempFolder, const QString &userName);
    void ArmDetection();
    void StartRecording();
    void StopRecording(bool discard);
    void TogglePause();
    // The program ends: the running call is filed without a note; no call starts after.
    void FileBeforeExit();
    // Names the recordings an earlier run left unfinished; starts the mover once when any waits.
    void FileLeftoverRecordings();
    // Closes the recorder; answers its code.
    qint16 CloseRecorder();
    // Once a second: the input lost while listening, a retry due, a recorder that stopped.
    void CheckInput();
    RecorderComponent &recorderComponent() { return recorder; }

signals:
    void recordingStarted(std::shared_ptr<clsCall> call, QString fileName);
    void recordingNotStarted(qint16 code, QString fileName);
    void recordingEnded(CallRecorder::Ending ending);
    // Listening (armed for a call), and whether it waits for an input that went away.
    void listeningChanged(bool listening, bool waitingForInput);
    // The input went away while listening in automatic mode.
    void inputLost(QString text);
    // The input could never be opened in automatic mode: recording is by hand from now.
    void switchedToManual(qint16 openCode, qint16 recordCode);
    void elapsed(double seconds);
    void leftoverUnfiled(QString text);
    void moverFailed(QString failure);

private:
    void StartChecks();
    void OnCallStarts();
    void OnCallEnds();
    void CheckRecorder();
    void WaitForInput();
    void PublishListening(bool listening, bool waiting);
    void ApplyRules();
    qint16 BeginCapture(const QString &path);
    void StopCall(bool discard, bool byDetection);
    static constexpr int RetrySeconds = 3;

    RecorderComponent &recorder;
    std::shared_ptr<VoiceDetection> m_detection;
    std::function<QDateTime()> m_now;
    MoverLauncher m_launchMover;
    Prompts &m_prompts;
    QTimer *m_check = nullptr;
    Rules m_rules;
    bool m_gsm = false; // the format the recorder was last set to
    QString m_tempFolder, m_userName;
    std::shared_ptr<clsCall> m_call;
    QString m_fileName;
    bool m_recording = false;
    bool m_listening = false;
    bool m_waitingForInput = false;
    bool m_armedOnce = false;
    bool m_ending = false;
    int m_secondsWaiting = 0;
};
