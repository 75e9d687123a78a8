#include "audio/CaptureSink.h"

#include "audio/RecordWriter.h"

void CaptureSink::begin(std::shared_ptr<RecordWriter> writer, bool paused)
{
    m_meter.reset();
    std::lock_guard lock(m_mutex);
    m_writer = std::move(writer);
    m_paused = paused;
    m_capturing = true;
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
    if (!m_capturing)
        return; // the input stays open between calls; what it hears then is not wanted
    if (m_writer && m_writer->failure() != 0) {
        m_capturing = false; // the file cannot take more: capture stops with it
        return;
    }
    m_meter.add(data, len, m_format);
    if (m_writer && !m_paused)
        m_writer->push(data, len);
}
