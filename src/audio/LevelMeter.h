#pragma once

#include <QAudioFormat>

#include <mutex>
#include <utility>

// Peak and RMS of the captured samples since the previous reading, in dBFS: 0 dB is
// full scale, so a full-scale sine reads 0 dB peak and -3 dB RMS. Digital silence, and
// anything quieter, reads Floor. The capture thread adds, the user-interface thread reads.
class LevelMeter
{
public:
    static constexpr float Floor = -100.0f;

    // Also answers the levels of these samples alone, when asked.
    void add(const char *data, qint64 bytes, QAudioFormat::SampleFormat format,
             float *peakDb = nullptr, float *rmsDb = nullptr);
    // The levels since the previous call. When no audio came in since then, the previous
    // reading is repeated, so that a poll between two buffers does not read as silence.
    void take(float &peakDb, float &rmsDb);
    void reset();

    static float toDb(double amplitude);
    // The first and last sample whose magnitude is above `db` dBFS; (count, -1) if none.
    static std::pair<qint64, qint64> loudSamples(const char *data, qint64 bytes, QAudioFormat::SampleFormat format,
                                                 float db);

private:
    std::mutex m_mutex;
    double m_peak = 0.0;
    double m_sumSquares = 0.0;
    qint64 m_count = 0;
    float m_lastPeakDb = Floor;
    float m_lastRmsDb = Floor;
};
