#include "audio/CaptureSink.h"

#include "audio/RecordWriter.h"
#include "base/BufferJudge.h"

void CaptureSink::setJudge(std::shared_ptr<BufferJudge> judge)
{
    std::lock_guard lock(m_mutex);
    m_judge = std::move(judge);
}

void CaptureSink::setPreRoll(qint64 bytes)
{
    std::lock_guard lock(m_mutex);
    m_preRollBytes = bytes;
    if (m_preRoll.size() > bytes)
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
    const BufferJudge::Verdict verdict =
        m_judge ? m_judge->judge(peakDb, rmsDb, len / m_bytesPerFrame, m_sampleRate) : BufferJudge::Carry;
    if (verdict == BufferJudge::StartCall && !m_writer) {
        if (m_preRoll.size() > m_preRollBytes)
            m_preRoll.remove(0, m_preRoll.size() - m_preRollBytes);
        m_holding = true;
        m_heldPreRoll = m_preRoll.size();
    }
    if (m_capturing && m_writer && !m_paused) {
        m_writer->push(data, len);
        if (verdict == BufferJudge::EndCall)
            m_writer.reset(); // the call ends at this buffer; its owner finishes the file
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
