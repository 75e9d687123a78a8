#include "audio/CaptureWorker.h"

#include "base/Product.h"
#include "base/RecorderCodes.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

// What the capture thread shares with the worker. The main loop is made and freed by the
// worker, around the thread's whole life, so that a stop can always wake it.
struct CaptureWorker::Stream
{
    Stream() : loop(pa_mainloop_new()) {}
    ~Stream()
    {
        if (loop)
            pa_mainloop_free(loop);
    }
    pa_mainloop *const loop;
    std::atomic<bool> stopped{false};
    std::atomic<qint16> failure{0};
    std::mutex mutex;
    std::condition_variable answered;
    int started = -1; // -1 still connecting, else the code
};

namespace {

std::atomic<int> runningThreads{0};

// The server's description of a stream's samples: format, rate and channels.
using ServerFormat = pa_sample_spec;

pa_sample_format_t sampleFormatOf(QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::UInt8: return PA_SAMPLE_U8;
    case QAudioFormat::Int16: return PA_SAMPLE_S16LE;
    case QAudioFormat::Int32: return PA_SAMPLE_S32LE;
    case QAudioFormat::Float: return PA_SAMPLE_FLOAT32LE;
    default: return PA_SAMPLE_INVALID;
    }
}

// One connection on one thread, driven by a plain main loop: the thread wakes once a
// packet, as the server's own recorder does. (The simple API's threaded loop wakes two
// threads a packet, which costs more than the listening itself.)
class Connection
{
public:
    Connection(pa_mainloop *loop, const std::atomic<bool> &stopped) : m_loop(loop), m_stopped(stopped) {}
    ~Connection()
    {
        if (m_stream) {
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
        }
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Connected and recording from the default input.
    bool open(const ServerFormat &sampleFormat, uint32_t chunk)
    {
        const QByteArray client = ProductName().toUtf8();
        m_context = pa_context_new(pa_mainloop_get_api(m_loop), client.constData());
        // No autospawn: a daemon forked from a busy multi-threaded process is the desktop's
        // job (socket activation), and its lock is shared with Qt's own connection.
        if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0
            || !waitFor([this] { return contextReady(); }))
            return false;
        m_stream = pa_stream_new(m_context, "Telephone line", &sampleFormat, nullptr);
        const uint32_t unset = uint32_t(-1);
        const pa_buffer_attr attr{unset, unset, unset, unset, chunk};
        return m_stream
            && pa_stream_connect_record(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY) >= 0
            && waitFor([this] { return streamReady(); });
    }
    // The source's latency, and so how often the server hands over packets, from now on.
    void setFragment(uint32_t bytes)
    {
        const uint32_t unset = uint32_t(-1);
        const pa_buffer_attr attr{unset, unset, unset, unset, bytes};
        if (pa_operation *o = pa_stream_set_buffer_attr(m_stream, &attr, nullptr, nullptr))
            pa_operation_unref(o);
    }
    // Waits for the next packets and hands them over; false once the connection is lost.
    template <class Take>
    bool read(Take take)
    {
        if (pa_mainloop_iterate(m_loop, 1, nullptr) < 0 || !contextReady() || !streamReady())
            return false;
        if (m_stopped.load())
            return true;
        while (pa_stream_readable_size(m_stream) > 0) {
            const void *data = nullptr;
            size_t length = 0;
            if (pa_stream_peek(m_stream, &data, &length) < 0)
                return false;
            if (length == 0)
                break;
            take(static_cast<const char *>(data), length); // null data: a hole, taken as silence
            pa_stream_drop(m_stream);
        }
        return true;
    }

private:
    bool contextReady() const { return pa_context_get_state(m_context) == PA_CONTEXT_READY; }
    bool streamReady() const { return pa_stream_get_state(m_stream) == PA_STREAM_READY; }
    template <class Ready>
    bool waitFor(Ready ready)
    {
        while (!ready()) {
            if (m_stopped.load() || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context))
                || (m_stream && !PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))
                || pa_mainloop_iterate(m_loop, 1, nullptr) < 0)
                return false;
        }
        return true;
    }

    pa_mainloop *m_loop;
    const std::atomic<bool> &m_stopped;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
};

void capture(const std::shared_ptr<CaptureWorker::Stream> &stream, const std::shared_ptr<CaptureSink> &sink,
             ServerFormat sampleFormat, uint32_t shortChunk, uint32_t longChunk)
{
    Connection pa(stream->loop, stream->stopped);
    const auto wanted = [&] { return sink->wantsShortBuffers() ? shortChunk : longChunk; };
    uint32_t chunk = wanted();
    const bool opened = pa.open(sampleFormat, chunk) && !stream->stopped.load();
    {
        std::lock_guard lock(stream->mutex);
        stream->started = opened ? RecorderCode::Ok : RecorderCode::CantStartRecording;
    }
    stream->answered.notify_all();
    if (!opened)
        return;
    // Packets are gathered into whole buffers: the sink meters and keeps a buffer at a time.
    std::vector<char> buffer;
    buffer.reserve(longChunk);
    const auto take = [&](const char *data, size_t length) {
        while (length > 0 && !stream->stopped.load()) {
            const size_t part = std::min<size_t>(length, chunk - buffer.size());
            if (data)
                buffer.insert(buffer.end(), data, data + part);
            else
                buffer.resize(buffer.size() + part, 0);
            if (data)
                data += part;
            length -= part;
            if (buffer.size() == chunk) {
                sink->take(buffer.data(), qint64(buffer.size()));
                buffer.clear();
            }
        }
    };
    while (!stream->stopped.load()) {
        if (const uint32_t now = wanted(); now != chunk) {
            chunk = now;
            pa.setFragment(chunk);
            if (buffer.size() >= chunk) {
                sink->take(buffer.data(), qint64(buffer.size()));
                buffer.clear();
            }
        }
        if (!pa.read(take)) {
            stream->failure.store(RecorderCode::RecordingError);
            break;
        }
    }
}

} // namespace

CaptureWorker::~CaptureWorker()
{
    stop();
}

int CaptureWorker::threads()
{
    return runningThreads.load();
}

int CaptureWorker::waitStarted(int ms)
{
    std::unique_lock lock(m_stream->mutex);
    m_stream->answered.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stream->started >= 0; });
    return m_stream->started;
}

qint16 CaptureWorker::start(const QAudioFormat &format)
{
    if (m_stream && m_format == format && failure() == 0) {
        // Still connecting since an earlier start: that connection, not another.
        const int started = waitStarted(StartWaitMs);
        if (started == RecorderCode::Ok)
            return RecorderCode::Ok;
        if (started < 0)
            return RecorderCode::CantStartRecording;
    }
    stop();
    const ServerFormat sampleFormat{sampleFormatOf(format.sampleFormat()), uint32_t(format.sampleRate()),
                              uint8_t(format.channelCount())};
    if (!pa_sample_spec_valid(&sampleFormat))
        return RecorderCode::CantStartRecording;
    auto stream = std::make_shared<Stream>();
    if (!stream->loop)
        return RecorderCode::CantStartRecording;
    auto sink = std::make_shared<CaptureSink>(format.sampleFormat(), format.sampleRate(), format.bytesPerFrame());
    const auto shortChunk = uint32_t(format.bytesForDuration(qint64(BufferMs) * 1000));
    const auto longChunk = uint32_t(format.bytesForDuration(qint64(ListeningBufferMs) * 1000));
    try {
        m_thread = std::thread([stream, sink, sampleFormat, shortChunk, longChunk] {
            ++runningThreads;
            capture(stream, sink, sampleFormat, shortChunk, longChunk);
            --runningThreads;
        });
    } catch (const std::system_error &) {
        return RecorderCode::CantStartRecording;
    }
    m_stream = std::move(stream);
    m_sink = std::move(sink);
    m_format = format;
    const int started = waitStarted(StartWaitMs);
    if (started == RecorderCode::Ok)
        return RecorderCode::Ok;
    if (started > 0)
        stop(); // refused: the thread has ended
    return RecorderCode::CantStartRecording;
}

void CaptureWorker::stop()
{
    if (!m_stream)
        return;
    m_stream->stopped.store(true);
    pa_mainloop_wakeup(m_stream->loop);
    join();
    m_stream.reset();
    m_sink.reset();
}

void CaptureWorker::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

qint16 CaptureWorker::failure() const
{
    if (!m_stream)
        return 0;
    if (std::chrono::steady_clock::now() - m_sink->lastAudio() > std::chrono::milliseconds(StallMs))
        m_stream->failure.store(RecorderCode::RecordingError);
    {
        std::lock_guard lock(m_stream->mutex);
        if (m_stream->started > 0)
            return RecorderCode::RecordingError;
    }
    return m_stream->failure.load();
}
