#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <optional>

// The audio format of the files the recorder writes, as the WAVEFORMATEX that
// RecordFormat carries in hexadecimal. Only what the writers can produce is accepted:
// WAV GSM 6.10 (exactly the one block the format has) and PCM of 8, 16, 24 or 32 bits.
class WaveFormat
{
public:
    enum Tag : quint16 { Pcm = 0x0001, Gsm610 = 0x0031 };

    // The PCM format "RecordOption 8" stands for, and the engine's default.
    static WaveFormat pcm(int sampleRate, int channels = 1, int bitsPerSample = 16);
    static WaveFormat gsm();
    // Parses hexadecimal WAVEFORMATEX text; nothing for text that does not parse or a
    // format the engine cannot write.
    static std::optional<WaveFormat> fromHex(const QString &hex);
    static bool isValidPcmRate(int sampleRate);

    quint16 tag() const { return m_tag; }
    bool isGsm() const { return m_tag == Gsm610; }
    int sampleRate() const { return int(m_sampleRate); }
    int channels() const { return m_channels; }
    int bitsPerSample() const { return m_bitsPerSample; }
    int blockAlign() const { return m_blockAlign; }
    int bytesPerSecond() const { return int(m_bytesPerSecond); }
    int framesPerBlock() const { return isGsm() ? 320 : 1; }

    // The little-endian WAVEFORMATEX block (cbSize included), as in the file's "fmt " chunk.
    QByteArray toBytes() const;
    QString toHex() const { return QString::fromLatin1(toBytes().toHex()); }

    // What the input is asked for: the file's rate and channels in 16-bit samples, or
    // 32-bit ones for 24 and 32-bit files.
    QAudioFormat captureFormat() const;

    bool operator==(const WaveFormat &) const = default;

private:
    quint16 m_tag = Pcm;
    quint16 m_channels = 1;
    quint32 m_sampleRate = 8000;
    quint32 m_bytesPerSecond = 16000;
    quint16 m_blockAlign = 2;
    quint16 m_bitsPerSample = 16;
    QByteArray m_extra; // the cbSize bytes after the 18-byte header
    bool m_hasCbSize = false;
};
