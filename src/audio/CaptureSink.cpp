#include "audio/CaptureSink.h"

#include "audio/RecordWriter.h"
#include "base/BufferJudge.h"

#include <algorithm>

void CaptureSink::setJudge(std::shared_ptr<BufferJudge> judge)
{
    std::lock_guard lock(m_mutex);
    m_judge = std::move(judge);
}

void CaptureSink::setPreRoll(qint64 bytes)
{
    std::lock_guard lock(m_mutex);
    m_preRollBytes = bytes;
    // Held for a call that has started, it is the call's already: the start of its
    // pre-roll must not be cut for the audio that came after.
    if (!m_holding && m_preRoll.size() > bytes)
        m_preRoll.remove(0, m_preRoll.size() - bytes);
}

qint64 CaptureSink::begin(std::shared_ptr<RecordWriter> writer, bool paused)
{
    m_meter.reset();
    std::lock_guard lock(m_mutex);
    m_writer = std::move(writer);
    m_paused = paused;
    m_capturing = true;
    if (!m_writer || m_paused)
        return 0;
    const qint64 written = m_holding ? m_heldPreRoll : m_preRoll.size();
    if (!m_preRoll.isEmpty())
        m_writer->push(m_preRoll.constData(), m_preRoll.size());
    m_preRoll.clear();
    m_holding = false;
    return written;
}

std::shared_ptr<RecordWriter> CaptureSink::end()
{
    std::lock_guard lock(m_mutex);
    m_capturing = false;
    return std::exchange(m_writer, nullptr);
}

void CaptureSink::setPaused(bool paused)
{
    std::lock_guard lock(m_mutex);
    m_paused = paused;
}

bool CaptureSink::wantsShortBuffers()
{
    std::lock_guard lock(m_mutex);
    return m_capturing || m_holding || (m_judge && m_judge->levelsWatched());
}

void CaptureSink::take(const char *data, qint64 len)
{
    m_lastAudio.store(std::chrono::steady_clock::now().time_since_epoch().count());
    std::lock_guard lock(m_mutex);
    if (m_capturing && m_writer && m_writer->failure() != 0) {
        m_capturing = false; // the file cannot take more: capture stops with it
        return;
    }
    float peakDb = LevelMeter::Floor, rmsDb = LevelMeter::Floor;
    if (m_capturing || m_judge)
        m_meter.add(data, len, m_format, &peakDb, &rmsDb);
    BufferJudge::Ruling ruling;
    if (m_judge) {
        const qint64 frames = len / m_bytesPerFrame;
        const int channels = m_bytesPerFrame / (m_format == QAudioFormat::Int32 ? 4 : 2);
        ruling = m_judge->judge({peakDb, rmsDb, frames, m_sampleRate, [&](float db) {
                                     const auto [first, last] = LevelMeter::loudSamples(data, len, m_format, db);
                                     return std::pair{first / channels, last / channels};
                                 }});
    }
    const BufferJudge::Verdict verdict = ruling.verdict;
    if (verdict == BufferJudge::StartCall && !m_writer) {
        // What came before the call's first frame is pre-roll; the call's own audio follows.
        const qint64 before = std::clamp<qint64>(ruling.at, 0, len / m_bytesPerFrame) * m_bytesPerFrame;
        m_preRoll.append(data, before);
        if (m_preRoll.size() > m_preRollBytes)
            m_preRoll.remove(0, m_preRoll.size() - m_preRollBytes);
        m_holding = true;
        m_heldPreRoll = m_preRoll.size();
        data += before;
        len -= before;
    }
    if (m_capturing && m_writer && !m_paused) {
        if (verdict == BufferJudge::EndCall) {
            // The call ends at that frame; its owner finishes the file.
            m_writer->push(data, std::clamp<qint64>(ruling.at, 0, len / m_bytesPerFrame) * m_bytesPerFrame);
            m_writer.reset();
        } else {
            m_writer->push(data, len);
        }
    } else if (m_holding) {
        if (m_preRoll.size() + len <= MaxHeldBytes)
            m_preRoll.append(data, len);
        if (verdict == BufferJudge::EndCall)
            m_holding = false; // over before its file was opened: the held audio stays as pre-roll
    } else if (m_preRollBytes > 0) {
        // Between calls the input stays open: only its last moments are wanted.
        m_preRoll.append(data, len);
        if (m_preRoll.size() > m_preRollBytes)
            m_preRoll.remove(0, m_preRoll.size() - m_preRollBytes);
    }
}
