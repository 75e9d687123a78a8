#include "audio/GsmWaveWriter.h"

#include "audio/ExclusiveFile.h"
#include "base/RecorderCodes.h"

#include <QtEndian>

#include <gsm.h>

namespace {

// Offsets in the 60-byte header.
constexpr int RiffSizeAt = 4;
constexpr int FactSamplesAt = 48;
constexpr int DataSizeAt = 56;
constexpr int HeaderBytes = 60;

void put32(char *p, quint32 v) { qToLittleEndian<quint32>(v, p); }

} // namespace

GsmWaveWriter::GsmWaveWriter(std::unique_ptr<ExclusiveFile> file, const WaveFormat &format)
    : WaveWriter(std::move(file), format)
{
}

GsmWaveWriter::~GsmWaveWriter()
{
    if (!m_finished)
        finish();
    if (m_gsm)
        gsm_destroy(m_gsm);
}

std::unique_ptr<WaveWriter> GsmWaveWriter::open(std::unique_ptr<ExclusiveFile> file,
                                               const WaveFormat &format, qint16 &code)
{
    std::unique_ptr<GsmWaveWriter> w(new GsmWaveWriter(std::move(file), format));
    w->m_gsm = gsm_create();
    if (!w->m_gsm) {
        code = RecorderCode::NoResources;
        return nullptr;
    }
    int wav49 = 1;
    gsm_option(w->m_gsm, GSM_OPT_WAV49, &wav49);

    const QByteArray fmt = format.toBytes();
    QByteArray header(HeaderBytes, '\0');
    char *h = header.data();
    memcpy(h, "RIFF", 4);
    put32(h + RiffSizeAt, HeaderBytes - 8);
    memcpy(h + 8, "WAVEfmt ", 8);
    put32(h + 16, quint32(fmt.size()));
    memcpy(h + 20, fmt.constData(), size_t(fmt.size()));
    memcpy(h + 40, "fact", 4);
    put32(h + 44, 4);
    put32(h + FactSamplesAt, 0);
    memcpy(h + 52, "data", 4);
    put32(h + DataSizeAt, 0);
    if (!w->m_file->write(h, HeaderBytes)) {
        code = RecorderCode::CantOpenFile;
        return nullptr;
    }
    return w;
}

void GsmWaveWriter::encodeBlock(const short *samples, char *block)
{
    // WAV49: the first frame takes 32.5 bytes, the second the rest of the 65.
    gsm_encode(m_gsm, const_cast<gsm_signal *>(samples), reinterpret_cast<gsm_byte *>(block));
    gsm_encode(m_gsm, const_cast<gsm_signal *>(samples + 160),
               reinterpret_cast<gsm_byte *>(block + 32));
}

bool GsmWaveWriter::write(const char *data, qint64 frames)
{
    if (m_failed || m_finished)
        return false;
    const short *in = reinterpret_cast<const short *>(data);
    const qint64 total = m_pendingCount + frames;
    m_out.resize(qsizetype(total / BlockSamples) * BlockBytes);
    char *out = m_out.data();
    qint64 used = 0;
    int blocks = 0;
    if (m_pendingCount > 0 && total >= BlockSamples) {
        const int take = BlockSamples - m_pendingCount;
        memcpy(m_pending.data() + m_pendingCount, in, size_t(take) * sizeof(short));
        encodeBlock(m_pending.data(), out);
        ++blocks;
        used = take;
        m_pendingCount = 0;
    }
    while (m_pendingCount == 0 && frames - used >= BlockSamples) {
        encodeBlock(in + used, out + qsizetype(blocks) * BlockBytes);
        ++blocks;
        used += BlockSamples;
    }
    if (blocks > 0 && !m_file->write(out, qint64(blocks) * BlockBytes)) {
        m_failed = true;
        m_frames = m_blocks * BlockSamples; // what the file holds; the rest is lost
        return false;
    }
    const qint64 rest = frames - used;
    memcpy(m_pending.data() + m_pendingCount, in + used, size_t(rest) * sizeof(short));
    m_pendingCount += int(rest);
    m_blocks += blocks;
    m_frames += frames;
    return true;
}

bool GsmWaveWriter::writeHeaderFields(quint32 samples)
{
    char v[4];
    put32(v, quint32(m_file->size() - 8));
    bool ok = m_file->writeAt(RiffSizeAt, v, 4);
    put32(v, samples);
    ok = ok && m_file->writeAt(FactSamplesAt, v, 4);
    put32(v, quint32(m_blocks * BlockBytes));
    ok = ok && m_file->writeAt(DataSizeAt, v, 4);
    return ok;
}

bool GsmWaveWriter::updateHeader()
{
    if (m_finished)
        return !m_failed;
    if (!writeHeaderFields(quint32(m_blocks * BlockSamples)))
        m_failed = true;
    return !m_failed;
}

bool GsmWaveWriter::finish()
{
    if (m_finished)
        return !m_failed;
    m_finished = true;
    if (!m_failed && m_pendingCount > 0) {
        // The last block is filled up with silence, as every GSM writer does.
        std::fill(m_pending.begin() + m_pendingCount, m_pending.end(), short(0));
        char block[BlockBytes];
        encodeBlock(m_pending.data(), block);
        if (m_file->write(block, BlockBytes))
            ++m_blocks;
        else
            m_failed = true;
    }
    if (m_failed)
        m_frames = m_blocks * BlockSamples;
    if ((m_blocks * BlockBytes) % 2 != 0) {
        // RIFF chunks have even length; a missing pad at the very end harms no reader,
        // so a full disk here leaves the file as it is.
        const char pad = 0;
        m_file->write(&pad, 1);
    }
    // "fact" counts the real samples, not the silence that fills the last block.
    const bool header = writeHeaderFields(quint32(m_frames));
    const bool closed = m_file->close();
    return header && closed && !m_failed;
}
