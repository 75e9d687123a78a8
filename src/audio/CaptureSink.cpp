#include "audio/CaptureSink.h"

#include "audio/RecordWriter.h"

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
    const qint64 written = m_preRoll.size();
    if (written > 0)
        m_writer->push(m_preRoll.constData(), written);
    m_preRoll.clear();
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
    if (m_capturing)
        m_meter.add(data, len, m_format);
    if (m_capturing && m_writer && !m_paused) {
        m_writer->push(data, len);
    } else if (m_preRollBytes > 0) {
        // Between calls the input stays open: only its last moments are wanted.
        m_preRoll.append(data, len);
        if (m_preRoll.size() > m_preRollBytes)
            m_preRoll.remove(0, m_preRoll.size() - m_preRollBytes);
    }
}
