#pragma once

#include <QObject>
#include <QTimer>

struct AppContext;
struct MainState;
class DetectionView;
class RecorderComponent;
class RecordingSession;

// Voice-operated recording: polls the input level five times a second (in manual mode
// too, for the level bar, without starting calls), starts a call
// when level A has stayed above "Sensitivity" for the trigger delay and one more poll,
// and ends it "CallTimeOut" seconds after the level last was above it.
class VoiceDetection : public QObject
{
    Q_OBJECT
public:
    VoiceDetection(AppContext &ctx, MainState &state, DetectionView &view, RecorderComponent &recorder,
                   RecordingSession &session, QObject *parent = nullptr);

    void Detection_Timer();
    void DetectionTick();
    void PollVoiceLevel();
    void tmrVoxTriggerDelay_Timer();
    void tmrVoxLatch_Timer();
    // While a call plays back.
    void SuspendDetection();
    // The input went away and arming is retried until it is back.
    bool WaitingForInput() const { return m_waitingForInput; }
    void ResumeDetection();

    QTimer Detection{this};        // 200 ms: poll and arm; the window starts it when loaded
    QTimer tmrVoxTriggerDelay{this}; // 1500 ms, one shot: the level must stay high this long
    QTimer tmrVoxLatch{this};      // 1000 ms: silence count-down that ends a call

private:
    // A stop by hand ends the call: its latch and trigger end with it.
    void EndLatch();
    // Arming failed: manual mode for this run (the stored setting is unchanged).
    void SwitchToManual();
    // The input is away: arming is tried again every RetryTicks polls.
    void WaitForInput();

    static constexpr int RetryTicks = 15; // 3 s

    AppContext &ctx;
    MainState &state;
    DetectionView &view;
    RecorderComponent &recorder;
    RecordingSession &session;
    bool m_armedOnce = false;
    bool m_waitingForInput = false;
    int m_ticksWaiting = 0;
};
