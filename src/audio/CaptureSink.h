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
// not paused. Whatever is not written is kept for a while (the pre-roll), so that a file
// can begin a moment before the call was noticed. The user-interface thread switches it,
// never waits on it.
class CaptureSink final
{
public:
    explicit CaptureSink(QAudioFormat::SampleFormat format) : m_format(format) {}

    LevelMeter &meter() { return m_meter; }

    // How much of the audio not written is kept: whole frames, 0 for none.
    void setPreRoll(qint64 bytes);
    // Capture starts: levels are measured, and audio goes to `writer` (if any) unless
    // paused, beginning with the pre-roll kept. Answers the bytes of pre-roll written.
    qint64 begin(std::shared_ptr<RecordWriter> writer, bool paused);
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
    QByteArray m_preRoll; // the latest audio not written, at most m_preRollBytes
    qint64 m_preRollBytes = 0;
    bool m_capturing = false;
    bool m_paused = false;
    std::atomic<std::chrono::steady_clock::rep> m_lastAudio{
        std::chrono::steady_clock::now().time_since_epoch().count()};
};
