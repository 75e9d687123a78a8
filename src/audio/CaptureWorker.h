#pragma once

#include "audio/CaptureSink.h"

#include <QAudioFormat>

#include <atomic>
#include <memory>
#include <thread>

// Owns the input stream: a connection of its own to the sound server, read on a thread of
// its own. The stream stays open from the first Record until the recorder is closed, so
// that going from listening to recording loses no audio to a reconnect; each start
// connects afresh, so a sound server that was restarted is simply found again. There is
// never more than one capture thread and one connection: a stop wakes the thread's main
// loop and joins it, and a connection the server has not answered yet is waited for by the
// next start rather than replaced. The caller never waits on the server for more than
// StartWaitMs.
class CaptureWorker final
{
public:
    // Audio arrives in buffers of this length while recording or while the levels are
    // watched: short enough for 200 ms level polls and for the header to trail the
    // recording by well under a second.
    static constexpr int BufferMs = 200;
    // Listening unwatched (in the tray), in buffers of this length: few wakeups all day.
    static constexpr int ListeningBufferMs = 1000;
    // A server that does not answer within this is treated as absent for now; the
    // connection goes on trying, and a later start finds it ready.
    static constexpr int StartWaitMs = 150;
    // An input silent for this long has stopped (a server that hangs, a stalled device).
    static constexpr int StallMs = 5000;

    CaptureWorker() = default;
    ~CaptureWorker();
    CaptureWorker(const CaptureWorker &) = delete;
    CaptureWorker &operator=(const CaptureWorker &) = delete;

    // The running stream's sink; only valid after a successful start.
    CaptureSink &sink() { return *m_sink; }
    // Capture threads running now, for the tests (0 or 1).
    static int threads();

    // Answers 0, or 9 when the stream cannot start.
    qint16 start(const QAudioFormat &format);
    void stop();
    // 8 once the input failed or stalled while open (the sound server went away or hangs,
    // the device was removed).
    qint16 failure() const;

    struct Stream; // what the worker shares with its capture thread

private:
    // Answers 0 once the running thread is connected, 9 when it failed, -1 while it waits.
    int waitStarted(int ms);
    void join();

    std::thread m_thread;
    std::shared_ptr<Stream> m_stream;
    std::shared_ptr<CaptureSink> m_sink;
    QAudioFormat m_format;
};
