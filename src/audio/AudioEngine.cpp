#include "audio/AudioEngine.h"

#include "audio/CaptureWorker.h"
#include "audio/MixerLauncher.h"
#include "audio/PlaybackFile.h"
#include "audio/PlaybackWorker.h"
#include "audio/RecordWriter.h"
#include "audio/WaveWriter.h"
#include "base/OnThread.h"
#include "base/RecorderCodes.h"

#include <QMediaDevices>

#include <QDeadlineTimer>

#include <chrono>
#include <cmath>
#include <type_traits>

void AudioEngine::ensureThread()
{
    if (m_thread->isRunning())
        return;
    m_playback = std::make_unique<PlaybackWorker>();
    m_playback->moveToThread(m_thread.get());
    m_thread->start();
}

template<typename F>
std::optional<qint16> AudioEngine::onAudioThread(F &&f, int waitMs)
{
    ensureThread();
    const auto answer = RunOnThread(m_playback.get(), std::forward<F>(f), waitMs);
    if (!answer)
        return std::nullopt;
    if constexpr (std::is_void_v<std::invoke_result_t<F>>)
        return qint16(RecorderCode::Ok);
    else
        return *answer;
}

AudioEngine::AudioEngine()
{
    // Qt's own sound server connection (its thread, its main loop) is made only when a
    // call is first played, by the thread that plays it: recording and listening use a
    // connection of their own, and a process that only records never holds Qt's.
    m_thread->setObjectName(QStringLiteral("voxmere-audio"));
}

AudioEngine::~AudioEngine()
{
    closePlayer();
    closeRecorder();
    if (!m_thread->isRunning())
        return;
    PlaybackWorker *worker = m_playback.release();
    RunOnThread(worker, [worker] { worker->stop(); }, AudioWaitMs);
    // Deleted on its own thread as it finishes.
    worker->deleteLater();
    m_thread->quit();
    // A thread stuck in a sound server that does not answer is left to the end of the process.
    if (!m_thread->wait(QDeadlineTimer(AudioWaitMs)))
        (void)m_thread.release();
}

// ---------------------------------------------------------------- recorder settings

void AudioEngine::setPcmRate(qint16 rate)
{
    m_pcmRate = rate;
    if (m_recordOption == OptionPcm)
        setRecordOption(OptionPcm);
}

void AudioEngine::setRecordOption(qint16 option)
{
    m_recordOption = option;
    if (option == OptionGsm)
        m_format = WaveFormat::gsm();
    else if (option == OptionPcm && WaveFormat::isValidPcmRate(m_pcmRate))
        m_format = WaveFormat::pcm(m_pcmRate);
    else
        m_format.reset(); // answered with code 5 when the input or file is opened
}

void AudioEngine::setRecordFormat(const QString &waveFormatHex)
{
    m_format = WaveFormat::fromHex(waveFormatHex);
}

// ---------------------------------------------------------------- recorder

qint16 AudioEngine::openStream(const WaveFormat &format)
{
    // The stream of the listening before a call goes on into the call's file.
    if (m_capture.start(format.captureFormat()) != RecorderCode::Ok)
        return RecorderCode::NoDevice;
    const QAudioFormat capture = format.captureFormat();
    m_capture.sink().setPreRoll(capture.bytesForFrames(capture.framesForDuration(qint64(m_preRoll * 1e6))));
    m_capture.sink().setJudge(m_judge);
    return RecorderCode::Ok;
}

qint16 AudioEngine::OpenInput()
{
    if (playerOpen() || m_running)
        return RecorderCode::WrongState;
    if (!m_format)
        return RecorderCode::UnsupportedFormat;
    // With a record file waiting, the input takes that file's format.
    const WaveFormat format = m_writer ? m_openFormat : *m_format;
    if (const qint16 code = openStream(format))
        return code;
    m_openFormat = format;
    m_inputOpen = true;
    return RecorderCode::Ok;
}

qint16 AudioEngine::OpenRecordFile(const QString &path)
{
    if (playerOpen() || m_running || m_writer)
        return RecorderCode::WrongState;
    if (!m_format)
        return RecorderCode::UnsupportedFormat;
    // Whatever happens below, a Record after a failure here must not meter quietly
    // while the caller believes it records.
    m_inputOpen = false;
    if (const qint16 code = openStream(*m_format))
        return code;
    qint16 code = RecorderCode::Ok;
    std::unique_ptr<WaveWriter> file = WaveWriter::create(path, *m_format, code);
    if (!file)
        return code;
    m_writer = std::make_shared<RecordWriter>(std::move(file));
    m_openFormat = *m_format;
    m_inputOpen = true;
    m_lastFrames = 0;
    return RecorderCode::Ok;
}

qint16 AudioEngine::Record()
{
    if (playerOpen() || !m_inputOpen || m_running)
        return RecorderCode::WrongState;
    // Opened with the input; opened again if the input was lost since.
    if (const qint16 code = m_capture.start(m_openFormat.captureFormat()))
        return code;
    if (m_writer) {
        if (const qint16 code = m_writer->start())
            return code;
    }
    const QAudioFormat format = m_openFormat.captureFormat();
    m_capture.sink().setPreRoll(format.bytesForFrames(format.framesForDuration(qint64(m_preRoll * 1e6))));
    m_preRollFrames = format.framesForBytes(qint32(m_capture.sink().begin(m_writer, m_paused)));
    m_running = true;
    return RecorderCode::Ok;
}

void AudioEngine::stopRecorder()
{
    if (m_running) {
        m_capture.sink().end();
        m_running = false;
        if (!m_pendingError)
            m_pendingError = m_capture.failure();
    }
    if (m_writer) {
        const qint16 code = m_writer->finish();
        if (code && !m_pendingError)
            m_pendingError = code;
        m_lastFrames = m_writer->framesWritten();
        m_lastRate = m_writer->sampleRate();
        m_writer.reset();
    }
}

qint16 AudioEngine::closeRecorder()
{
    stopRecorder();
    m_capture.stop();
    m_inputOpen = false;
    m_paused = false;
    m_lastFrames = 0;
    return std::exchange(m_pendingError, qint16(0));
}

qint16 AudioEngine::recorderState()
{
    if (!recorderOpen())
        return 0;
    if (!m_running || m_capture.failure() || (m_writer && m_writer->failure()))
        return 1;
    return m_writer && !m_paused ? 3 : 2;
}

void AudioEngine::GetLevels(float &levelA, qint16 &, float &levelB, qint16 &)
{
    if (!playerOpen() && recorderState() >= 2) {
        m_capture.sink().meter().take(levelA, levelB);
        return;
    }
    levelA = levelB = LevelMeter::Floor;
}

void AudioEngine::setPreRoll(double seconds)
{
    m_preRoll = qBound(0.0, seconds, 60.0);
}

void AudioEngine::setBufferJudge(std::shared_ptr<BufferJudge> judge)
{
    m_judge = std::move(judge);
}

double AudioEngine::PreRollSeconds()
{
    return double(m_preRollFrames) / m_openFormat.sampleRate();
}

qint16 AudioEngine::ShowMixer(qint16 show)
{
    if (show == 0)
        return RecorderCode::Ok;
    return MixerLauncher::show() ? RecorderCode::Ok : RecorderCode::NoMixer;
}

// ---------------------------------------------------------------- shared members

qint16 AudioEngine::State()
{
    if (playerOpen()) {
        if (m_outputRunning && m_playback->playing())
            return 3;
        return 2;
    }
    return recorderState();
}

qint16 AudioEngine::Close()
{
    if (playerOpen()) {
        closePlayer();
        return std::exchange(m_playError, qint16(0));
    }
    return closeRecorder();
}

void AudioEngine::Stop()
{
    if (playerOpen()) {
        haltPlaying();
        m_playRequested = false;
        return;
    }
    stopRecorder();
}

bool AudioEngine::Paused()
{
    return playerOpen() ? m_playPaused : m_paused;
}

void AudioEngine::setPaused(bool paused)
{
    if (playerOpen()) {
        if (paused == m_playPaused)
            return;
        m_playPaused = paused;
        if (paused)
            haltPlaying();
        else if (m_playRequested)
            startPlaying();
        return;
    }
    m_paused = paused;
    if (m_running)
        m_capture.sink().setPaused(paused);
}

double AudioEngine::Position()
{
    if (playerOpen())
        return double(playFrame()) / m_playFile->sampleRate();
    if (m_writer)
        return double(m_writer->framesWritten()) / m_writer->sampleRate();
    return double(m_lastFrames) / m_lastRate;
}

// ---------------------------------------------------------------- player

namespace {
struct Opened : RecorderComponent::OpenedFile
{
    QString path;
    std::unique_ptr<PlaybackFile> file;
    qint16 code = RecorderCode::Ok;
};
} // namespace

RecorderComponent::Opener AudioEngine::FileOpener()
{
    return [type = m_fileType](const QString &path) {
        auto opened = std::make_shared<Opened>();
        opened->path = path;
        opened->file = PlaybackFile::open(path, type, opened->code);
        return std::shared_ptr<OpenedFile>(opened);
    };
}

qint16 AudioEngine::Open(const QString &path)
{
    return Open(path, nullptr);
}

qint16 AudioEngine::Open(const QString &path, const std::shared_ptr<OpenedFile> &opened)
{
    if (recorderOpen())
        return RecorderCode::WrongState;
    closePlayer();
    qint16 code = RecorderCode::Ok;
    auto *ready = dynamic_cast<Opened *>(opened.get());
    if (ready && ready->path == path) {
        m_playFile = std::move(ready->file);
        code = ready->code;
    } else {
        m_playFile = PlaybackFile::open(path, m_fileType, code);
    }
    // Measured meanwhile, for the pauses and the loudness.
    m_profile = m_playFile ? CallProfiles::of(path) : QFuture<CallProfiles::Profile>();
    m_playFrame = 0;
    m_playRequested = false;
    return code;
}

qint64 AudioEngine::playFrame()
{
    if (m_outputRunning) {
        if (const qint16 failure = m_playback->failure(); failure && !m_playError)
            m_playError = failure;
        return m_playback->position();
    }
    return m_playFrame;
}

qint16 AudioEngine::startPlaying()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return RecorderCode::CantStartPlayback;
    ensureThread();
    PlaybackWorker *worker = m_playback.get();
    std::shared_ptr<PlaybackFile> file = m_playFile;
    const qint64 frame = m_playFrame;
    const std::optional<qint16> started = onAudioThread(
        [worker, device, file, frame, options = m_playOptions, profile = m_profile] {
            return worker->start(device, file, frame, options, profile);
        });
    if (!started)
        onAudioThread([worker] { worker->stop(); }, 0); // should it start after all
    const qint16 code = started.value_or(RecorderCode::CantStartPlayback);
    m_outputRunning = code == RecorderCode::Ok;
    return code;
}

void AudioEngine::haltPlaying()
{
    if (!m_outputRunning)
        return;
    PlaybackWorker *worker = m_playback.get();
    onAudioThread([worker] { worker->stop(); });
    m_playFrame = playFrame();
    m_outputRunning = false;
}

void AudioEngine::closePlayer()
{
    haltPlaying();
    m_playFile.reset();
    m_profile = {};
    m_playRequested = false;
    m_playPaused = false;
    m_playFrame = 0;
}

qint16 AudioEngine::Play()
{
    if (!playerOpen())
        return RecorderCode::WrongState;
    m_playRequested = true;
    if (m_playPaused || (m_outputRunning && m_playback->playing()))
        return RecorderCode::Ok;
    m_playFrame = playFrame();
    haltPlaying();
    if (m_playFrame >= m_playFile->frames())
        m_playFrame = 0; // played to the end before: from the start again
    const qint16 code = startPlaying();
    if (code != RecorderCode::Ok)
        m_playRequested = false;
    return code;
}

void AudioEngine::setPosition(double seconds)
{
    if (!playerOpen())
        return;
    const double frame = std::round(seconds * m_playFile->sampleRate());
    const qint64 target = qBound<qint64>(0, qint64(frame), m_playFile->frames());
    const bool resume = m_playRequested && !m_playPaused;
    haltPlaying();
    m_playFrame = target;
    if (resume)
        startPlaying();
}

QString AudioEngine::FileName()
{
    return playerOpen() ? m_playFile->path() : QString();
}

qint32 AudioEngine::SampleCount()
{
    return playerOpen() ? qint32(qMin<qint64>(m_playFile->frames(), INT32_MAX)) : 0;
}

qint32 AudioEngine::SamplePosition()
{
    return playerOpen() ? qint32(qMin<qint64>(playFrame(), INT32_MAX)) : 0;
}

double AudioEngine::Length()
{
    return playerOpen() ? m_playFile->length() : 0.0;
}

void AudioEngine::GetFormatDescription(QString &description)
{
    description = playerOpen() ? m_playFile->description() : QString();
}

void AudioEngine::setOpenMode(qint16 mode)
{
    m_openMode = mode; // 1, playback, is the only mode there is
}

void AudioEngine::setFileType(qint16 type)
{
    m_fileType = type;
}

void AudioEngine::setPlayOptions(const PlayOptions &options)
{
    if (options == m_playOptions)
        return;
    m_playOptions = options;
    // What plays goes on from where it is, the new way.
    if (playerOpen() && m_outputRunning) {
        haltPlaying();
        startPlaying();
    }
}
