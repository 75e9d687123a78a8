#include "audio/PcmWaveWriter.h"

#include "audio/ExclusiveFile.h"
#include "base/RecorderCodes.h"

#include <cstdio>

namespace {

ExclusiveFile *fileOf(void *user) { return static_cast<ExclusiveFile *>(user); }

sf_count_t ioLength(void *user) { return fileOf(user)->size(); }

sf_count_t ioSeek(sf_count_t offset, int whence, void *user)
{
    ExclusiveFile *f = fileOf(user);
    const qint64 base = whence == SEEK_CUR ? f->offset() : whence == SEEK_END ? f->size() : 0;
    return f->seek(base + offset) ? f->offset() : -1;
}

sf_count_t ioRead(void *ptr, sf_count_t count, void *user)
{
    const qint64 n = fileOf(user)->read(ptr, count);
    return n < 0 ? 0 : n;
}

sf_count_t ioWrite(const void *ptr, sf_count_t count, void *user)
{
    return fileOf(user)->write(ptr, count) ? count : 0;
}

sf_count_t ioTell(void *user) { return fileOf(user)->offset(); }

int subtypeFor(int bits)
{
    switch (bits) {
    case 8: return SF_FORMAT_PCM_U8; // WAV keeps 8-bit samples unsigned
    case 16: return SF_FORMAT_PCM_16;
    case 24: return SF_FORMAT_PCM_24;
    default: return SF_FORMAT_PCM_32;
    }
}

} // namespace

PcmWaveWriter::PcmWaveWriter(std::unique_ptr<ExclusiveFile> file, const WaveFormat &format)
    : WaveWriter(std::move(file), format), m_wide(format.bitsPerSample() > 16)
{
}

PcmWaveWriter::~PcmWaveWriter()
{
    finish();
}

std::unique_ptr<WaveWriter> PcmWaveWriter::open(std::unique_ptr<ExclusiveFile> file,
                                               const WaveFormat &format, qint16 &code)
{
    std::unique_ptr<PcmWaveWriter> w(new PcmWaveWriter(std::move(file), format));
    SF_INFO info{};
    info.samplerate = format.sampleRate();
    info.channels = format.channels();
    info.format = SF_FORMAT_WAV | subtypeFor(format.bitsPerSample());
    if (!sf_format_check(&info)) {
        code = RecorderCode::UnsupportedFormat;
        return nullptr;
    }
    static SF_VIRTUAL_IO io = {ioLength, ioSeek, ioRead, ioWrite, ioTell};
    w->m_sf = sf_open_virtual(&io, SFM_WRITE, &info, w->m_file.get());
    w->m_dataStart = w->m_file->size(); // libsndfile writes the whole header at once
    if (!w->m_sf || w->m_file->failed()) {
        code = w->m_file->failed() ? RecorderCode::CantOpenFile : RecorderCode::UnsupportedFormat;
        if (w->m_sf)
            sf_close(w->m_sf);
        w->m_sf = nullptr;
        return nullptr;
    }
    return w;
}

bool PcmWaveWriter::write(const char *samples, qint64 frames)
{
    if (m_failed || !m_sf)
        return false;
    const sf_count_t n = m_wide
        ? sf_writef_int(m_sf, reinterpret_cast<const int *>(samples), frames)
        : sf_writef_short(m_sf, reinterpret_cast<const short *>(samples), frames);
    if (n != frames || m_file->failed() || sf_error(m_sf) != SF_ERR_NO_ERROR) {
        // libsndfile may have written part of it in pieces before the failing one.
        m_failed = true;
        m_frames = (m_file->size() - m_dataStart) / format().blockAlign();
        return false;
    }
    m_frames += frames;
    return true;
}

bool PcmWaveWriter::updateHeader()
{
    if (!m_sf)
        return !m_failed;
    sf_command(m_sf, SFC_UPDATE_HEADER_NOW, nullptr, 0);
    if (m_file->failed())
        m_failed = true;
    return !m_failed;
}

bool PcmWaveWriter::finish()
{
    if (!m_sf)
        return !m_failed;
    // libsndfile sizes the header from the file's length, which holds whole writes only.
    sf_close(m_sf);
    m_sf = nullptr;
    if (!m_file->close())
        m_failed = true;
    return !m_failed;
}
