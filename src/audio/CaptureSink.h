#pragma once

#include "audio/LevelMeter.h"

#include <QAudioFormat>
#include <QIODevice>

#include <memory>
#include <mutex>

class RecordWriter;

// Where the input's samples arrive, on the capture thread: they are metered while
// capture runs and handed to the record writer while a file is attached and capture is
// not paused. The user-interface thread switches it, never waits on it.
class CaptureSink final : public QIODevice
{
    Q_OBJECT

public:
    explicit CaptureSink(QObject *parent = nullptr);

    LevelMeter &meter() { return m_meter; }
    void setSampleFormat(QAudioFormat::SampleFormat format);

    // Capture starts: levels are measured, and audio goes to `writer` (if any) unless paused.
    void begin(std::shared_ptr<RecordWriter> writer, bool paused);
    // Capture stops: answers the writer that was attached.
    std::shared_ptr<RecordWriter> end();
    void setPaused(bool paused);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override;

private:
    LevelMeter m_meter;
    std::mutex m_mutex;
    QAudioFormat::SampleFormat m_format = QAudioFormat::Int16;
    std::shared_ptr<RecordWriter> m_writer;
    bool m_capturing = false;
    bool m_paused = false;
};
