#pragma once

#include "audio/CaptureSink.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>

#include <atomic>

class QAudioSource;

// Owns the input stream, on the engine's audio thread. The stream stays open from the
// first Record until the recorder is closed, so that going from listening to recording
// loses no audio to a reconnect.
class CaptureWorker final : public QObject
{
    Q_OBJECT

public:
    // Audio arrives in buffers of this length: short enough for 200 ms level polls and
    // for the header to trail the recording by well under a second, long enough that
    // listening all day costs next to nothing.
    static constexpr int BufferMs = 100;

    explicit CaptureWorker(QObject *parent = nullptr);
    ~CaptureWorker() override;

    CaptureSink &sink() { return m_sink; }

    // On the audio thread. Answers 0, or 9 when the stream cannot start.
    qint16 start(const QAudioDevice &device, const QAudioFormat &format);
    void stop();
    // 8 once the input failed while open.
    qint16 failure() const { return m_failure.load(); }

private:
    void onStateChanged();

    CaptureSink m_sink;
    QAudioSource *m_source = nullptr;
    QAudioDevice m_device;
    QAudioFormat m_format;
    std::atomic<qint16> m_failure{0};
};
