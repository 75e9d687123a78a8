#include "audio/PlaybackFile.h"

#include "base/FileAccess.h"
#include "base/RecorderCodes.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// What the output plays safely, tried through the sound server. Qt's PulseAudio sink
// feeds 20 ms periods and divides by their size: under 50 Hz that is no frame, and the
// audio thread dies. The top is the highest rate in common use.
constexpr int MinRate = 1000;
constexpr int MaxRate = 192000;
constexpr int MaxChannels = 8; // up to 7.1
// No codec read here packs more frames into a byte than MPEG-2 at 8 kbit/s (24 at
// 24 kHz): a header claiming more lies about the file.
constexpr qint64 MaxFramesPerByte = 32;

// libsndfile on a descriptor of a regular file only, opened as every file of the calls
// folder is: a pipe of a call's name would hang the open, a link lead anywhere. `size`
// is the file's length.
SNDFILE *openRegular(const QString &path, SF_INFO &info, qint64 &size, qint16 &code)
{
    struct stat st{};
    const int fd = FileAccess::OpenRegular(path, &st);
    if (fd < 0) {
        code = errno == ELOOP || errno == EINVAL ? RecorderCode::NotWave : RecorderCode::CantOpenFile;
        return nullptr;
    }
    size = st.st_size;
    info = {};
    SNDFILE *sf = sf_open_fd(fd, SFM_READ, &info, SF_TRUE); // closes fd, even on failure
    if (!sf)
        code = sf_error(nullptr) == SF_ERR_UNSUPPORTED_ENCODING ? RecorderCode::UnsupportedFormat
                                                                : RecorderCode::NotWave;
    return sf;
}

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

// The samples a GSM 6.10 WAV file holds, from its "fact" chunk: libsndfile counts an odd
// number of blocks one block long and decodes noise there. Without one, its own count.
qint64 gsmFrames(SNDFILE *sf, const SF_INFO &info)
{
    if ((info.format & SF_FORMAT_SUBMASK) != SF_FORMAT_GSM610)
        return info.frames;
    SF_CHUNK_INFO chunk{};
    memcpy(chunk.id, "fact", 4);
    chunk.id_size = 4;
    SF_CHUNK_ITERATOR *it = sf_get_chunk_iterator(sf, &chunk);
    quint32 samples = 0;
    if (it && sf_get_chunk_size(it, &chunk) == SF_ERR_NO_ERROR && chunk.datalen >= 4) {
        std::vector<unsigned char> data(chunk.datalen);
        chunk.data = data.data();
        if (sf_get_chunk_data(it, &chunk) == SF_ERR_NO_ERROR)
            samples = quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16 | quint32(data[3]) << 24;
    }
    return samples > 0 ? std::min<qint64>(samples, info.frames) : info.frames;
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
    SF_INFO info;
    qint64 size = 0;
    SNDFILE *sf = openRegular(path, info, size, code);
    if (!sf)
        return nullptr;
    code = RecorderCode::Ok;
    if (!isType(info.format, type) || info.frames < 0 || info.frames / MaxFramesPerByte > size)
        code = RecorderCode::NotWave;
    else if (info.samplerate < MinRate || info.samplerate > MaxRate || info.channels < 1
             || info.channels > MaxChannels)
        code = RecorderCode::UnsupportedFormat;
    if (code != RecorderCode::Ok) {
        sf_close(sf);
        return nullptr;
    }
    std::unique_ptr<PlaybackFile> f(new PlaybackFile);
    f->m_sf = sf;
    f->m_path = path;
    f->m_seekable = info.seekable;
    f->m_frames = gsmFrames(sf, info);
    f->m_rate = info.samplerate;
    f->m_channels = info.channels;
    f->m_description = describe(info);
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
    SF_INFO info;
    qint64 size = 0;
    qint16 code = 0;
    SNDFILE *sf = openRegular(m_path, info, size, code);
    if (!sf)
        return false;
    // Replaced meanwhile by another kind of file: its frames would not fit what we hold.
    if (info.channels != m_channels || info.samplerate != m_rate) {
        sf_close(sf);
        return false;
    }
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
    frames = std::min(frames, m_frames - m_readFrame);
    const sf_count_t n = frames > 0 ? sf_readf_short(m_sf, samples, frames) : 0;
    if (n <= 0)
        return 0;
    m_readFrame += n;
    return n;
}
