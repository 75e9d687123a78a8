#pragma once

#include "audio/LevelMeter.h"

#include <QAudioFormat>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

class RecordWriter;

// Where one input stream's samples arrive, on its capture thread: they are metered while
// capture runs and handed to the record writer while a file is attached and capture is
// not paused. The user-interface thread switches it, never waits on it.
class CaptureSink final
{
public:
    explicit CaptureSink(QAudioFormat::SampleFormat format) : m_format(format) {}

    LevelMeter &meter() { return m_meter; }

    // Capture starts: levels are measured, and audio goes to `writer` (if any) unless paused.
    void begin(std::shared_ptr<RecordWriter> writer, bool paused);
    // Capture stops: answers the writer that was attached.
    std::shared_ptr<RecordWriter> end();
    void setPaused(bool paused);

    // From the capture thread.
    void take(const char *data, qint64 len);
    // When audio last came in (or the stream started).
    std::chrono::steady_clock::time_point lastAudio() const
    {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(m_lastAudio.load()));
    }

private:
    LevelMeter m_meter;
    std::mutex m_mutex;
    const QAudioFormat::SampleFormat m_format;
    std::shared_ptr<RecordWriter> m_writer;
    bool m_capturing = false;
    bool m_paused = false;
    std::atomic<std::chrono::steady_clock::rep> m_lastAudio{
        std::chrono::steady_clock::now().time_since_epoch().count()};
};
