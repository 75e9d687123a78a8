#include "recording/VoiceDetection.h"

#include <algorithm>
#include <cmath>

namespace {
qint64 framesOf(double seconds, int sampleRate) { return std::max<qint64>(1, std::llround(seconds * sampleRate)); }
} // namespace

int VoiceDetection::FrameTimer::advance(qint64 frames, int sampleRate)
{
    if (!active)
        return 0;
    const qint64 interval = framesOf(seconds, sampleRate);
    elapsed += frames;
    const auto ticks = int(elapsed / interval);
    elapsed %= interval;
    return ticks;
}

qint64 VoiceDetection::FrameTimer::tickWithin(qint64 frames, int sampleRate) const
{
    const qint64 left = framesOf(seconds, sampleRate) - elapsed;
    return active && left < frames ? std::max<qint64>(left, 0) : -1;
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

BufferJudge::Ruling VoiceDetection::judge(const Heard &heard)
{
    Ruling ruling;
    {
        std::lock_guard lock(m_mutex);
        ruling = Detection(heard);
    }
    if (m_levelsWanted.load())
        emit levels(heard.levelA, heard.levelB);
    if (ruling.verdict == StartCall)
        emit callStarts();
    else if (ruling.verdict == EndCall)
        emit callEnds();
    return ruling;
}

BufferJudge::Ruling VoiceDetection::Detection(const Heard &heard)
{
    if (!m_automatic)
        return {};
    const qint64 frames = heard.frames;
    const int rate = heard.sampleRate;
    const float threshold = float(m_sensitivity);
    const bool loud = heard.levelA > threshold;
    const auto [firstLoud, lastLoud] =
        !loud ? std::pair<qint64, qint64>{frames, -1}
              : heard.loudFrames ? heard.loudFrames(threshold) : std::pair<qint64, qint64>{0, frames - 1};
    if (IsRecording) {
        // Each loud sample reloads the count, each tick counts it down: in their order.
        const qint64 interval = framesOf(tmrVoxLatch.seconds, rate);
        qint64 t = tmrVoxLatch.tickWithin(frames, rate), lastTick = -1, ticks = 0;
        for (; t >= 0 && t < frames; t += interval, ++ticks) {
            if (t >= firstLoud)
                LatchCount = m_callTimeOut;
            LatchCount = std::max(LatchCount - 1, 0);
            if (LatchCount == 0) {
                tmrVoxLatch.stop();
                TriggerPending = TriggerConfirmed = IsRecording = false;
                return {EndCall, t};
            }
            lastTick = t;
        }
        tmrVoxLatch.elapsed += frames - ticks * interval; // a tick at the very end falls in the next
        if (lastTick < lastLoud)
            LatchCount = m_callTimeOut;
        return {};
    }
    if (!loud) {
        tmrVoxTriggerDelay.stop();
        TriggerPending = TriggerConfirmed = false;
        return {};
    }
    if (!TriggerPending) {
        // The delay runs from the first loud sample, not from the buffer's edge.
        TriggerPending = true;
        tmrVoxTriggerDelay.start(-firstLoud);
    }
    const qint64 at = tmrVoxTriggerDelay.tickWithin(frames, rate);
    if (at < 0) {
        tmrVoxTriggerDelay.elapsed += frames; // a tick at this buffer's very end falls in the next
        return {};
    }
    tmrVoxTriggerDelay.stop();
    TriggerConfirmed = IsRecording = true;
    LatchCount = m_callTimeOut;
    tmrVoxLatch.start(frames - at); // its beat runs from the call's start
    return {StartCall, at};
}
