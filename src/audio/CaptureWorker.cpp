#include "audio/CaptureWorker.h"

#include "base/RecorderCodes.h"

#include <QAudioSource>

CaptureWorker::CaptureWorker(QObject *parent) : QObject(parent), m_sink(this)
{
}

CaptureWorker::~CaptureWorker()
{
    stop();
}

qint16 CaptureWorker::start(const QAudioDevice &device, const QAudioFormat &format)
{
    if (m_source && m_device == device && m_format == format && m_failure.load() == 0
        && m_source->state() != QAudio::StoppedState)
        return RecorderCode::Ok;
    stop();
    m_failure.store(0);
    m_device = device;
    m_format = format;
    m_sink.setSampleFormat(format.sampleFormat());
    m_source = new QAudioSource(device, format, this);
    m_source->setBufferSize(format.bytesForDuration(qint64(BufferMs) * 1000));
    m_source->start(&m_sink);
    if (m_source->error() != QAudio::NoError || m_source->state() == QAudio::StoppedState) {
        stop();
        return RecorderCode::CantStartRecording;
    }
    connect(m_source, &QAudioSource::stateChanged, this, &CaptureWorker::onStateChanged);
    return RecorderCode::Ok;
}

void CaptureWorker::stop()
{
    if (!m_source)
        return;
    m_source->disconnect(this);
    m_source->stop();
    delete m_source;
    m_source = nullptr;
}

void CaptureWorker::onStateChanged()
{
    if (m_source && m_source->state() == QAudio::StoppedState && m_source->error() != QAudio::NoError)
        m_failure.store(RecorderCode::RecordingError);
}
