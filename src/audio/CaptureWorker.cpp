#include "audio/CaptureWorker.h"

#include "base/Product.h"
#include "base/RecorderCodes.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

// What the capture thread shares with the worker. The thread holds it (and its sink)
// for as long as it runs, so a stop never has to wait for a server that does not answer.
struct CaptureWorker::Stream
{
    std::atomic<bool> stopped{false};
    std::atomic<qint16> failure{0};
    std::promise<qint16> started;
};

namespace {

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

void capture(const std::shared_ptr<CaptureWorker::Stream> &stream,
             const std::shared_ptr<CaptureSink> &sink, pa_sample_spec spec, uint32_t chunk)
{
    const QByteArray client = ProductName().toUtf8();
    const uint32_t unset = uint32_t(-1);
    const pa_buffer_attr attr{unset, unset, unset, unset, chunk};
    int error = 0;
    pa_simple *pa = pa_simple_new(nullptr, client.constData(), PA_STREAM_RECORD, nullptr,
                                  "Telephone line", &spec, nullptr, &attr, &error);
    stream->started.set_value(pa ? RecorderCode::Ok : RecorderCode::CantStartRecording);
    if (!pa)
        return;
    std::vector<char> buffer(chunk);
    while (!stream->stopped.load()) {
        if (pa_simple_read(pa, buffer.data(), buffer.size(), &error) < 0) {
            stream->failure.store(RecorderCode::RecordingError);
            break;
        }
        if (!stream->stopped.load())
            sink->take(buffer.data(), qint64(buffer.size()));
    }
    pa_simple_free(pa);
}

} // namespace

CaptureWorker::~CaptureWorker()
{
    stop();
}

qint16 CaptureWorker::start(const QAudioFormat &format)
{
    if (m_stream && m_format == format && failure() == 0)
        return RecorderCode::Ok;
    stop();
    const pa_sample_spec spec{sampleFormatOf(format.sampleFormat()), uint32_t(format.sampleRate()),
                              uint8_t(format.channelCount())};
    if (!pa_sample_spec_valid(&spec))
        return RecorderCode::CantStartRecording;
    auto stream = std::make_shared<Stream>();
    auto sink = std::make_shared<CaptureSink>(format.sampleFormat());
    std::future<qint16> started = stream->started.get_future();
    const auto chunk = uint32_t(format.bytesForDuration(qint64(BufferMs) * 1000));
    std::thread(capture, stream, sink, spec, chunk).detach();
    const bool answered =
        started.wait_for(std::chrono::milliseconds(StartWaitMs)) == std::future_status::ready;
    if (!answered || started.get() != RecorderCode::Ok) {
        stream->stopped.store(true); // a late answer ends the thread by itself
        return RecorderCode::CantStartRecording;
    }
    m_stream = std::move(stream);
    m_sink = std::move(sink);
    m_format = format;
    return RecorderCode::Ok;
}

void CaptureWorker::stop()
{
    if (!m_stream)
        return;
    m_stream->stopped.store(true);
    m_stream.reset();
    m_sink.reset();
}

qint16 CaptureWorker::failure() const
{
    if (!m_stream)
        return 0;
    if (std::chrono::steady_clock::now() - m_sink->lastAudio() > std::chrono::milliseconds(StallMs))
        m_stream->failure.store(RecorderCode::RecordingError);
    return m_stream->failure.load();
}
