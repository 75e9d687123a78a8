#pragma once

#include <QAudioFormat>
#include <QString>

#include <memory>

struct sf_private_tag;

// An audio file opened for playback through libsndfile: WAV (PCM of any common width,
// GSM 6.10 and the other codecs libsndfile reads) and MP3. Read as 16-bit samples.
class PlaybackFile
{
public:
    enum Type : qint16 { Wav = 0, Mp3 = 2 };

    // Opens `path` expecting `type` (FileType); any other value accepts whatever
    // libsndfile reads. Answers nothing and sets `code`: 2 the file cannot be read,
    // 4 it is not a regular file, not audio of the expected type or its header claims
    // more than the file holds, 5 its encoding, rate (1 to 192 kHz) or channels (1 to 8)
    // are not played.
    static std::unique_ptr<PlaybackFile> open(const QString &path, qint16 type, qint16 &code);
    ~PlaybackFile();
    PlaybackFile(const PlaybackFile &) = delete;
    PlaybackFile &operator=(const PlaybackFile &) = delete;

    const QString &path() const { return m_path; }
    qint64 frames() const { return m_frames; }
    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }
    double length() const { return double(m_frames) / m_rate; }
    // For example "PCM 8.000 kHz, 16 Bit, Mono" or "GSM 6.10 8.000 kHz, Mono".
    QString description() const { return m_description; }
    QAudioFormat outputFormat() const;

    // libsndfile cannot seek in GSM 6.10 (nor in some other codecs): there the file is
    // decoded up to the frame, from the start when going back (about 15 ms a minute).
    bool seek(qint64 frame);
    // Reads up to `frames` interleaved 16-bit frames; answers how many came.
    qint64 read(qint16 *samples, qint64 frames);

private:
    PlaybackFile() = default;
    bool reopen();

    sf_private_tag *m_sf = nullptr;
    bool m_seekable = false;
    qint64 m_readFrame = 0;
    QString m_path;
    qint64 m_frames = 0;
    int m_rate = 0;
    int m_channels = 0;
    QString m_description;
};
