#pragma once

#include "audio/WaveFormat.h"

#include <QString>

#include <memory>

class ExclusiveFile;

// Writes one WAV file in a WaveFormat from samples in the format's capture format
// (WaveFormat::captureFormat). Every write is checked; after a failed one the file still
// holds every complete write before it, and finish() leaves it a valid, playable WAV.
class WaveWriter
{
public:
    // Creates the file (never over an existing one). On failure answers nothing and sets
    // `code`: 2 when the file cannot be created, 5 when the format cannot be written.
    static std::unique_ptr<WaveWriter> create(const QString &path, const WaveFormat &format,
                                              qint16 &code);
    virtual ~WaveWriter();

    // `frames` frames of interleaved capture samples.
    virtual bool write(const char *samples, qint64 frames) = 0;
    // Brings the header's lengths up to what is written, so that a reader (or a process
    // killed right after) sees a whole file.
    virtual bool updateHeader() = 0;
    // Completes and closes the file. False when any write failed on the way.
    virtual bool finish() = 0;

    const WaveFormat &format() const { return m_format; }
    qint64 framesWritten() const { return m_frames; }
    QString path() const;

protected:
    WaveWriter(std::unique_ptr<ExclusiveFile> file, const WaveFormat &format);

    std::unique_ptr<ExclusiveFile> m_file;
    WaveFormat m_format;
    qint64 m_frames = 0;
    bool m_failed = false;
};
