#include "audio/PlaybackFile.h"

#include "base/FileNames.h"
#include "base/RecorderCodes.h"

#include <QFile>

#include <sndfile.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString channelsText(int channels)
{
    if (channels == 1)
        return u"Mono"_s;
    if (channels == 2)
        return u"Stereo"_s;
    return QString::number(channels) + u" Channels"_s;
}

QString describe(const SF_INFO &info)
{
    const QString rate = QString::number(info.samplerate / 1000.0, 'f', 3) + u" kHz"_s;
    const QString channels = channelsText(info.channels);
    auto pcm = [&](int bits) {
        return u"PCM "_s + rate + u", "_s + QString::number(bits) + u" Bit, "_s + channels;
    };
    QString codec;
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_S8: return pcm(8);
    case SF_FORMAT_PCM_16: return pcm(16);
    case SF_FORMAT_PCM_24: return pcm(24);
    case SF_FORMAT_PCM_32: return pcm(32);
    case SF_FORMAT_GSM610: codec = u"GSM 6.10"_s; break;
    case SF_FORMAT_MPEG_LAYER_I: codec = u"MPEG Layer-1"_s; break;
    case SF_FORMAT_MPEG_LAYER_II: codec = u"MPEG Layer-2"_s; break;
    case SF_FORMAT_MPEG_LAYER_III: codec = u"MPEG Layer-3"_s; break;
    case SF_FORMAT_IMA_ADPCM: codec = u"IMA ADPCM"_s; break;
    case SF_FORMAT_MS_ADPCM: codec = u"Microsoft ADPCM"_s; break;
    case SF_FORMAT_ULAW: codec = u"CCITT u-Law"_s; break;
    case SF_FORMAT_ALAW: codec = u"CCITT A-Law"_s; break;
    case SF_FORMAT_G721_32: codec = u"G.721 ADPCM"_s; break;
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE: codec = u"IEEE Float"_s; break;
    default: codec = u"Audio"_s; break;
    }
    return codec + u" "_s + rate + u", "_s + channels;
}

bool isType(int format, qint16 type)
{
    const int major = format & SF_FORMAT_TYPEMASK;
    switch (type) {
    case PlaybackFile::Wav: return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX;
    case PlaybackFile::Mp3: return major == SF_FORMAT_MPEG;
    default: return true;
    }
}

} // namespace

std::unique_ptr<PlaybackFile> PlaybackFile::open(const QString &path, qint16 type, qint16 &code)
{
    const QByteArray name = FileNames::encode(path);
    if (::access(name.constData(), R_OK) != 0) {
        code = RecorderCode::CantOpenFile;
        return nullptr;
    }
    SF_INFO info{};
    SNDFILE *sf = sf_open(name.constData(), SFM_READ, &info);
    if (!sf) {
        const int err = sf_error(nullptr);
        code = err == SF_ERR_UNSUPPORTED_ENCODING ? RecorderCode::UnsupportedFormat
                                                  : RecorderCode::NotWave;
        return nullptr;
    }
    if (!isType(info.format, type) || info.samplerate <= 0 || info.channels <= 0) {
        sf_close(sf);
        code = RecorderCode::NotWave;
        return nullptr;
    }
    std::unique_ptr<PlaybackFile> f(new PlaybackFile);
    f->m_sf = sf;
    f->m_path = path;
    f->m_seekable = info.seekable;
    f->m_frames = info.frames;
    f->m_rate = info.samplerate;
    f->m_channels = info.channels;
    f->m_description = describe(info);
    code = RecorderCode::Ok;
    return f;
}

PlaybackFile::~PlaybackFile()
{
    if (m_sf)
        sf_close(m_sf);
}

QAudioFormat PlaybackFile::outputFormat() const
{
    QAudioFormat f;
    f.setSampleRate(m_rate);
    f.setChannelCount(m_channels);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

bool PlaybackFile::reopen()
{
    SF_INFO info{};
    SNDFILE *sf = sf_open(FileNames::encode(m_path).constData(), SFM_READ, &info);
    if (!sf)
        return false;
    sf_close(m_sf);
    m_sf = sf;
    m_readFrame = 0;
    return true;
}

bool PlaybackFile::seek(qint64 frame)
{
    frame = qBound<qint64>(0, frame, m_frames);
    if (m_seekable) {
        if (sf_seek(m_sf, frame, SEEK_SET) < 0)
            return false;
        m_readFrame = frame;
        return true;
    }
    if (frame < m_readFrame && !reopen())
        return false;
    QList<qint16> scratch(4096 * m_channels);
    while (m_readFrame < frame) {
        if (read(scratch.data(), qMin<qint64>(4096, frame - m_readFrame)) <= 0)
            return false;
    }
    return true;
}

qint64 PlaybackFile::read(qint16 *samples, qint64 frames)
{
    const sf_count_t n = sf_readf_short(m_sf, samples, frames);
    if (n <= 0)
        return 0;
    m_readFrame += n;
    return n;
}
