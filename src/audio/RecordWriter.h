#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class WaveWriter;

// Takes captured audio from the capture thread and writes it on a thread of its own,
// so that neither a slow disk nor a busy user-interface thread can hold up capture.
// The file's header is brought up to date every HeaderInterval, so that a process
// killed in the middle of a call leaves a file holding all but its last moments.
class RecordWriter
{
public:
    static constexpr std::chrono::milliseconds HeaderInterval{500};
    // Audio waiting for the disk beyond this is dropped and reported (code 6).
    static constexpr qint64 MaxQueuedBytes = qint64(256) << 20;
    // A backlog goes to the disk in pieces of about this size: few system calls, and
    // little lost to a write that finds the disk full.
    static constexpr qsizetype BatchBytes = 16 * 1024;

    // `frameLimit` 0 means the WAV format's own limit (a 4 GiB data chunk).
    explicit RecordWriter(std::unique_ptr<WaveWriter> writer, qint64 frameLimit = 0);
    ~RecordWriter();
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    // Starts the writing thread; answers a result code (6 when no thread can be had).
    qint16 start();
    // From the capture thread: queues whole frames of capture samples. Never waits on I/O.
    void push(const char *data, qint64 bytes);
    // Writes what is queued, completes the file and answers the first failure code
    // (3 write failed, 6 queue overflow, 13 WAV size limit reached) or 0.
    qint16 finish();

    // Non-zero once writing has stopped for good; capture should stop too.
    qint16 failure() const { return m_failure.load(); }
    qint64 framesWritten() const { return m_frames.load(); }
    int sampleRate() const { return m_sampleRate; }

private:
    void run();
    void writeChunks(const std::deque<QByteArray> &chunks);
    void writeChunk(const QByteArray &chunk);
    void fail(qint16 code);

    std::unique_ptr<WaveWriter> m_writer;
    const int m_sampleRate;
    const int m_bytesPerFrame;
    const qint64 m_frameLimit;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QByteArray> m_queue;
    qint64 m_queuedBytes = 0;
    bool m_stopping = false;
    bool m_finished = false;
    qint16 m_result = 0;
    std::thread m_thread;

    std::atomic<qint16> m_failure{0};
    std::atomic<qint64> m_frames{0};
};
