#include "audio/LevelMeter.h"

#include <cmath>

namespace {

template<typename Sample>
void scan(const char *data, qint64 bytes, double fullScale, double &peak, double &sumSquares,
          qint64 &count)
{
    const Sample *s = reinterpret_cast<const Sample *>(data);
    const qint64 n = bytes / qint64(sizeof(Sample));
    double maxAbs = 0.0;
    double sum = 0.0;
    for (qint64 i = 0; i < n; ++i) {
        const double v = double(s[i]);
        maxAbs = std::max(maxAbs, std::fabs(v));
        sum += v * v;
    }
    peak = std::max(peak, maxAbs / fullScale);
    sumSquares += sum / (fullScale * fullScale);
    count += n;
}

template<typename Sample>
std::pair<qint64, qint64> over(const char *data, qint64 bytes, double threshold)
{
    const Sample *s = reinterpret_cast<const Sample *>(data);
    const qint64 n = bytes / qint64(sizeof(Sample));
    const auto loud = [&](qint64 i) { return std::fabs(double(s[i])) > threshold; };
    qint64 first = 0, last = n - 1;
    while (first < n && !loud(first))
        ++first;
    while (last > first && !loud(last))
        --last;
    return first < n ? std::pair{first, last} : std::pair{n, qint64(-1)};
}

} // namespace

std::pair<qint64, qint64> LevelMeter::loudSamples(const char *data, qint64 bytes, QAudioFormat::SampleFormat format,
                                                  float db)
{
    const double level = std::pow(10.0, double(db) / 20.0);
    if (format == QAudioFormat::Int32)
        return over<qint32>(data, bytes, level * 2147483648.0);
    return over<qint16>(data, bytes, level * 32768.0);
}

float LevelMeter::toDb(double amplitude)
{
    if (amplitude <= 0.0)
        return Floor;
    return std::max(Floor, float(20.0 * std::log10(amplitude)));
}

void LevelMeter::add(const char *data, qint64 bytes, QAudioFormat::SampleFormat format,
                     float *peakDb, float *rmsDb)
{
    double peak = 0.0, sumSquares = 0.0;
    qint64 count = 0;
    if (format == QAudioFormat::Int32)
        scan<qint32>(data, bytes, 2147483648.0, peak, sumSquares, count);
    else
        scan<qint16>(data, bytes, 32768.0, peak, sumSquares, count);
    if (peakDb && rmsDb) {
        *peakDb = toDb(peak);
        *rmsDb = count > 0 ? toDb(std::sqrt(sumSquares / double(count))) : Floor;
    }

    std::lock_guard lock(m_mutex);
    m_peak = std::max(m_peak, peak);
    m_sumSquares += sumSquares;
    m_count += count;
}

void LevelMeter::take(float &peakDb, float &rmsDb)
{
    std::lock_guard lock(m_mutex);
    if (m_count > 0) {
        m_lastPeakDb = toDb(m_peak);
        m_lastRmsDb = toDb(std::sqrt(m_sumSquares / double(m_count)));
        m_peak = 0.0;
        m_sumSquares = 0.0;
        m_count = 0;
    }
    peakDb = m_lastPeakDb;
    rmsDb = m_lastRmsDb;
}

void LevelMeter::reset()
{
    std::lock_guard lock(m_mutex);
    m_peak = 0.0;
    m_sumSquares = 0.0;
    m_count = 0;
    m_lastPeakDb = Floor;
    m_lastRmsDb = Floor;
}
