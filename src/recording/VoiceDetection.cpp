#include "recording/VoiceDetection.h"

#include <algorithm>
#include <cmath>

int VoiceDetection::FrameTimer::advance(qint64 frames, int sampleRate)
{
    if (!active)
        return 0;
    const auto interval = qint64(std::llround(seconds * sampleRate));
    elapsed += frames;
    const auto ticks = int(elapsed / interval);
    elapsed %= interval;
    return ticks;
}

VoiceDetection::VoiceDetection(QObject *parent) : QObject(parent) {}

void VoiceDetection::setRules(bool automatic, int sensitivity, int callTimeOut)
{
    std::lock_guard lock(m_mutex);
    m_automatic = automatic;
    m_sensitivity = sensitivity;
    m_callTimeOut = callTimeOut;
}

void VoiceDetection::Arm()
{
    std::lock_guard lock(m_mutex);
    IsRecording = false;
    TriggerPending = TriggerConfirmed = false;
    LatchCount = 0;
    tmrVoxTriggerDelay.stop();
    tmrVoxLatch.stop();
}

void VoiceDetection::EndLatch()
{
    Arm();
}

VoiceDetection::Counters VoiceDetection::counters()
{
    std::lock_guard lock(m_mutex);
    return {TriggerPending, TriggerConfirmed, IsRecording, LatchCount};
}

BufferJudge::Verdict VoiceDetection::judge(float levelA, float levelB, qint64 frames, int sampleRate)
{
    Verdict verdict;
    {
        std::lock_guard lock(m_mutex);
        verdict = Detection(levelA, frames, sampleRate);
    }
    if (m_levelsWanted.load())
        emit levels(levelA, levelB);
    if (verdict == StartCall)
        emit callStarts();
    else if (verdict == EndCall)
        emit callEnds();
    return verdict;
}

BufferJudge::Verdict VoiceDetection::Detection(float levelA, qint64 frames, int sampleRate)
{
    if (!m_automatic)
        return Carry;
    // The buffer's time passes first, then its level is judged, as a poll at its end would.
    if (tmrVoxTriggerDelay.advance(frames, sampleRate) > 0) {
        TriggerConfirmed = true;
        tmrVoxTriggerDelay.stop();
    }
    for (int ticks = tmrVoxLatch.advance(frames, sampleRate); ticks > 0; --ticks) {
        LatchCount = std::max(LatchCount - 1, 0);
        if (LatchCount == 0) {
            tmrVoxLatch.stop();
            TriggerPending = TriggerConfirmed = IsRecording = false;
            return EndCall;
        }
    }
    if (levelA > float(m_sensitivity)) {
        if (!TriggerPending) {
            TriggerPending = true;
            tmrVoxTriggerDelay.start();
        }
        if (TriggerConfirmed) {
            LatchCount = m_callTimeOut;
            if (!IsRecording) {
                IsRecording = true;
                tmrVoxLatch.start();
                return StartCall;
            }
        }
    } else if (!IsRecording) {
        tmrVoxTriggerDelay.stop();
        TriggerPending = TriggerConfirmed = false;
    }
    return Carry;
}
