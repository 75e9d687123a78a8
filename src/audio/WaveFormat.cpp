#include "audio/WaveFormat.h"

#include <QtEndian>

namespace {

constexpr int MinRate = 1000;
constexpr int MaxRate = 192000;
constexpr int MaxChannels = 8;

quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

bool isHexText(const QString &text)
{
    if (text.isEmpty() || text.size() % 2 != 0)
        return false;
    for (QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

} // namespace

WaveFormat WaveFormat::pcm(int sampleRate, int channels, int bitsPerSample)
{
    WaveFormat f;
    f.m_tag = Pcm;
    f.m_channels = quint16(channels);
    f.m_sampleRate = quint32(sampleRate);
    f.m_bitsPerSample = quint16(bitsPerSample);
    f.m_blockAlign = quint16(channels * bitsPerSample / 8);
    f.m_bytesPerSecond = quint32(sampleRate) * f.m_blockAlign;
    return f;
}

WaveFormat WaveFormat::gsm()
{
    WaveFormat f;
    f.m_tag = Gsm610;
    f.m_channels = 1;
    f.m_sampleRate = 8000;
    f.m_bytesPerSecond = 1625;
    f.m_blockAlign = 65;
    f.m_bitsPerSample = 0;
    f.m_hasCbSize = true;
    f.m_extra = QByteArray("\x40\x01", 2); // 320 samples per block
    return f;
}

std::optional<WaveFormat> WaveFormat::fromHex(const QString &hex)
{
    const QString text = hex.trimmed();
    if (!isHexText(text))
        return std::nullopt;
    const QByteArray b = QByteArray::fromHex(text.toLatin1());
    if (b.size() < 16)
        return std::nullopt;

    WaveFormat f;
    f.m_tag = u16(b, 0);
    f.m_channels = u16(b, 2);
    f.m_sampleRate = u32(b, 4);
    f.m_bytesPerSecond = u32(b, 8);
    f.m_blockAlign = u16(b, 12);
    f.m_bitsPerSample = u16(b, 14);
    if (b.size() >= 18) {
        f.m_hasCbSize = true;
        const int cbSize = u16(b, 16);
        if (b.size() != 18 + cbSize)
            return std::nullopt;
        f.m_extra = b.mid(18);
    } else if (b.size() != 16) {
        return std::nullopt;
    }

    if (f.m_tag == Gsm610) {
        // libgsm's WAV49 blocks come in one shape only.
        if (f.toBytes() != gsm().toBytes())
            return std::nullopt;
        return f;
    }
    if (f.m_tag != Pcm || !f.m_extra.isEmpty())
        return std::nullopt;
    const int bits = f.m_bitsPerSample;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (f.m_channels < 1 || f.m_channels > MaxChannels)
        return std::nullopt;
    if (f.m_sampleRate < quint32(MinRate) || f.m_sampleRate > quint32(MaxRate))
        return std::nullopt;
    // A header whose sizes disagree would describe a different file than the one written.
    const WaveFormat expected = pcm(int(f.m_sampleRate), f.m_channels, bits);
    if (f.m_blockAlign != expected.m_blockAlign || f.m_bytesPerSecond != expected.m_bytesPerSecond)
        return std::nullopt;
    return f;
}

bool WaveFormat::isValidPcmRate(int sampleRate)
{
    return sampleRate >= MinRate && sampleRate <= MaxRate;
}

QByteArray WaveFormat::toBytes() const
{
    QByteArray b(m_hasCbSize ? 18 + m_extra.size() : 16, '\0');
    char *p = b.data();
    qToLittleEndian<quint16>(m_tag, p);
    qToLittleEndian<quint16>(m_channels, p + 2);
    qToLittleEndian<quint32>(m_sampleRate, p + 4);
    qToLittleEndian<quint32>(m_bytesPerSecond, p + 8);
    qToLittleEndian<quint16>(m_blockAlign, p + 12);
    qToLittleEndian<quint16>(m_bitsPerSample, p + 14);
    if (m_hasCbSize) {
        qToLittleEndian<quint16>(quint16(m_extra.size()), p + 16);
        memcpy(p + 18, m_extra.constData(), size_t(m_extra.size()));
    }
    return b;
}

QAudioFormat WaveFormat::captureFormat() const
{
    QAudioFormat f;
    f.setSampleRate(int(m_sampleRate));
    f.setChannelCount(m_channels);
    f.setSampleFormat(m_bitsPerSample > 16 ? QAudioFormat::Int32 : QAudioFormat::Int16);
    return f;
}
