#pragma once

#include "base/BufferJudge.h"

#include <QObject>

#include <atomic>
#include <mutex>

// Voice-operated recording, judged on every capture buffer and counted in frames: a call
// starts at the frame where level A has been above "Sensitivity" for the trigger delay,
// counted from the first loud sample, in buffers that all stayed loud; it ends when the
// latch of "CallTimeOut" seconds, reloaded by every loud buffer, runs out. Runs on the capture thread; the recording session arms it and is told.
// In manual mode it only reports the levels, for the level bar.
class VoiceDetection final : public QObject, public BufferJudge
{
    Q_OBJECT
public:
    // A timer that runs on the audio's own clock: its interval and what has passed, in frames.
    struct FrameTimer
    {
        double seconds = 0;
        qint64 elapsed = 0;
        bool active = false;
        // `already`: frames counted before the next buffer (negative: not yet begun).
        void start(qint64 already = 0) { active = true, elapsed = already; }
        void stop() { active = false; }
        // Ticks due in the next `frames`.
        int advance(qint64 frames, int sampleRate);
        // The frame of the next `frames` at which the next tick falls, or -1.
        qint64 tickWithin(qint64 frames, int sampleRate) const;
    };

    explicit VoiceDetection(QObject *parent = nullptr);

    // automatic: calls start by voice; otherwise levels only.
    void setRules(bool automatic, int sensitivity, int callTimeOut);
    // Listening afresh: no trigger, no call.
    void Arm();
    // A call ended otherwise (by hand, a failure): its latch and trigger end with it.
    void EndLatch();
    // Whether the levels signal is wanted (the level bar is on screen).
    void setLevelsWanted(bool wanted) { m_levelsWanted.store(wanted); }

    Ruling judge(const Heard &heard) override;
    bool levelsWatched() const override { return m_levelsWanted.load(); }

    // The detector's counters, as the tests read them.
    struct Counters
    {
        bool TriggerPending, TriggerConfirmed, IsRecording;
        qint32 LatchCount;
    };
    Counters counters();

signals:
    // From the capture thread: connect queued.
    void callStarts();
    void callEnds();
    void levels(float levelA, float levelB);

private:
    Ruling Detection(const Heard &heard);

    std::mutex m_mutex;
    bool m_automatic = false;
    int m_sensitivity = -18;
    int m_callTimeOut = 5;
    bool TriggerPending = false;
    bool TriggerConfirmed = false;
    bool IsRecording = false;
    qint32 LatchCount = 0;
    FrameTimer tmrVoxTriggerDelay{1.5}; // the level must stay high this long
    FrameTimer tmrVoxLatch{1.0};        // silence count-down that ends a call
    std::atomic<bool> m_levelsWanted{false};
};
