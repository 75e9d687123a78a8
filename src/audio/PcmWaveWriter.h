#pragma once

#include "audio/WaveWriter.h"

#include <sndfile.h>

// WAV PCM through libsndfile. libsndfile writes through the ExclusiveFile, so that a
// short write is seen here (sf_close alone would still answer 0) and taken back whole.
class PcmWaveWriter final : public WaveWriter
{
public:
    static std::unique_ptr<WaveWriter> open(std::unique_ptr<ExclusiveFile> file,
                                            const WaveFormat &format, qint16 &code);
    ~PcmWaveWriter() override;

    bool write(const char *samples, qint64 frames) override;
    bool updateHeader() override;
    bool finish() override;

private:
    PcmWaveWriter(std::unique_ptr<ExclusiveFile> file, const WaveFormat &format);

    SNDFILE *m_sf = nullptr;
    bool m_wide = false; // 32-bit capture samples
    qint64 m_dataStart = 0;
};
