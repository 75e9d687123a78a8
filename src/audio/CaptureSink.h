#pragma once

#include "audio/LevelMeter.h"

#include <QAudioFormat>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

class BufferJudge;
class RecordWriter;

// Where one input stream's samples arrive, on its capture thread: they are metered while
// capture runs and handed to the record writer while a file is attached and capture is
// not paused. Whatever is not written is kept for a while (the pre-roll), so that a file
// can begin a moment before the call was noticed. A judge, when one is set, is shown every
// buffer: at its StartCall's frame the pre-roll is frozen and everything from there on is kept
// until a writer is attached, at its EndCall the writer takes no more. The recorder's
// thread switches it, never waits on it.
class CaptureSink final
{
public:
    // At most this much audio is held for a writer that does not come.
    static constexpr qint64 MaxHeldBytes = qint64(64) << 20;

    CaptureSink(QAudioFormat::SampleFormat format, int sampleRate, int bytesPerFrame)
        : m_format(format), m_sampleRate(sampleRate), m_bytesPerFrame(bytesPerFrame)
    {
    }

    LevelMeter &meter() { return m_meter; }

    // How much of the audio not written is kept: whole frames, 0 for none.
    void setPreRoll(qint64 bytes);
    // Capture starts: levels are measured, and audio goes to `writer` (if any) unless
    // paused, beginning with the pre-roll kept. Answers the bytes of pre-roll written.
    qint64 begin(std::shared_ptr<RecordWriter> writer, bool paused);
    // Capture stops: answers the writer that was attached.
    std::shared_ptr<RecordWriter> end();
    void setPaused(bool paused);
    void setJudge(std::shared_ptr<BufferJudge> judge);

    // From the capture thread.
    void take(const char *data, qint64 len);
    // Whether buffers must come often: while a file is written (it trails the call by
    // little), or while the levels are watched.
    bool wantsShortBuffers();
    // When audio last came in (or the stream started).
    std::chrono::steady_clock::time_point lastAudio() const
    {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(m_lastAudio.load()));
    }

private:
    LevelMeter m_meter;
    std::mutex m_mutex;
    const QAudioFormat::SampleFormat m_format;
    const int m_sampleRate, m_bytesPerFrame;
    std::shared_ptr<BufferJudge> m_judge; // set before capture starts, read by it
    std::shared_ptr<RecordWriter> m_writer;
    QByteArray m_preRoll; // the latest audio not written, at most m_preRollBytes unless held
    qint64 m_preRollBytes = 0;
    bool m_holding = false;  // a call started: m_preRoll keeps everything for its writer
    qint64 m_heldPreRoll = 0; // of which the pre-roll before the call's start
    bool m_capturing = false;
    bool m_paused = false;
    std::atomic<std::chrono::steady_clock::rep> m_lastAudio{
        std::chrono::steady_clock::now().time_since_epoch().count()};
};
