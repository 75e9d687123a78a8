#include "audio/PlaybackWorker.h"

#include "audio/PlaybackFile.h"
#include "base/RecorderCodes.h"

#include <QAudioSink>

#include <utility>

namespace {
constexpr int FollowMs = 50;
}

PlaybackWorker::PlaybackWorker(QObject *parent) : QObject(parent), m_stream(this), m_timer(this)
{
    m_timer.setInterval(FollowMs);
    connect(&m_timer, &QTimer::timeout, this, &PlaybackWorker::follow);
}

PlaybackWorker::~PlaybackWorker()
{
    release();
}

qint16 PlaybackWorker::start(const QAudioDevice &device, std::shared_ptr<PlaybackFile> file, qint64 frame,
                             const PlayOptions &options, QFuture<CallProfiles::Profile> profile)
{
    release();
    ++m_generation;
    m_failure.store(0);
    m_frames = file->frames();
    m_rate = file->sampleRate();
    m_startFrame = qBound<qint64>(0, frame, m_frames);
    m_position.store(m_startFrame);
    const QAudioFormat format = file->outputFormat();
    if (!m_stream.rewind(std::move(file), m_startFrame, options, std::move(profile)))
        return RecorderCode::CantStartPlayback;
    m_sink = new QAudioSink(device, format, this);
    m_sink->start(&m_stream);
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
        release();
        return RecorderCode::CantStartPlayback;
    }
    connect(m_sink, &QAudioSink::stateChanged, this, &PlaybackWorker::onStateChanged);
    m_playing.store(true);
    m_timer.start();
    return RecorderCode::Ok;
}

void PlaybackWorker::stop()
{
    if (m_sink)
        follow();
    release();
}

void PlaybackWorker::release()
{
    m_timer.stop();
    m_playing.store(false);
    m_stream.clear();
    if (!m_sink)
        return;
    // Let go first: the sink's destructor runs pending events, and a stop or start
    // among them comes back here.
    QAudioSink *sink = std::exchange(m_sink, nullptr);
    sink->disconnect(this);
    sink->stop();
    delete sink;
}

void PlaybackWorker::follow()
{
    if (!m_sink)
        return;
    const qint64 played = m_sink->processedUSecs() * m_rate / 1000000;
    const qint64 position = qMin(m_stream.fileFrameAt(played), m_frames);
    m_position.store(position);
    if (position >= m_frames)
        release(); // the last sample has been heard
}

void PlaybackWorker::onStateChanged()
{
    if (!m_sink)
        return;
    if (m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError
        && m_sink->error() != QAudio::UnderrunError) {
        m_failure.store(RecorderCode::PlaybackError);
    } else if (m_sink->state() == QAudio::IdleState && m_stream.atEnd()) {
        m_position.store(m_frames); // ran dry after the silence: everything was played
    } else {
        return;
    }
    m_playing.store(false);
    // Not from inside the sink's own signal; and not a later stream's sink.
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this, [this, generation] { if (generation == m_generation) release(); },
        Qt::QueuedConnection);
}
