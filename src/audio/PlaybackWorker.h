#pragma once

#include "audio/PlaybackStream.h"

#include <QAudioDevice>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>

class PlaybackFile;
class QAudioSink;

// Owns the output stream, on the engine's audio thread, and follows what it has played.
class PlaybackWorker final : public QObject
{
    Q_OBJECT

public:
    explicit PlaybackWorker(QObject *parent = nullptr);
    ~PlaybackWorker() override;

    // On the audio thread. Plays `file` from `frame`; answers 0 or 10.
    qint16 start(const QAudioDevice &device, std::shared_ptr<PlaybackFile> file, qint64 frame,
                 const PlayOptions &options = {}, QFuture<CallProfiles::Profile> profile = {});
    void stop();

    // Safe from any thread.
    qint64 position() const { return m_position.load(); } // frame played up to
    bool playing() const { return m_playing.load(); }     // false once the end is played
    qint16 failure() const { return m_failure.load(); }   // 11 once the output failed

private:
    void follow();
    void onStateChanged();
    void release();

    PlaybackStream m_stream;
    QAudioSink *m_sink = nullptr;
    QTimer m_timer;
    qint64 m_startFrame = 0;
    qint64 m_frames = 0;
    int m_rate = 8000;
    quint64 m_generation = 0;
    std::atomic<qint64> m_position{0};
    std::atomic<bool> m_playing{false};
    std::atomic<qint16> m_failure{0};
};
