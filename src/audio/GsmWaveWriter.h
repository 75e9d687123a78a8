#pragma once

#include "audio/WaveWriter.h"

#include <QByteArray>

#include <array>

struct gsm_state;

// WAV GSM 6.10 through libgsm's WAV49 coder: each 65-byte block holds two GSM frames,
// 320 samples. The header is RIFF, the 20-byte format block, "fact" and "data", the
// layout every reader of these files expects.
class GsmWaveWriter final : public WaveWriter
{
public:
    static std::unique_ptr<WaveWriter> open(std::unique_ptr<ExclusiveFile> file,
                                            const WaveFormat &format, qint16 &code);
    ~GsmWaveWriter() override;

    bool write(const char *samples, qint64 frames) override;
    bool updateHeader() override;
    bool finish() override;

    static constexpr int BlockBytes = 65;
    static constexpr int BlockSamples = 320;

private:
    GsmWaveWriter(std::unique_ptr<ExclusiveFile> file, const WaveFormat &format);
    void encodeBlock(const short *samples, char *block);
    bool writeHeaderFields(quint32 samples);

    gsm_state *m_gsm = nullptr;
    std::array<short, BlockSamples> m_pending{};
    int m_pendingCount = 0;
    qint64 m_blocks = 0; // blocks on disk
    QByteArray m_out;
    bool m_finished = false;
};
