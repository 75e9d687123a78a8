// GSM 6.10 encoding: one hour of 8 kHz speech-like audio through the engine's record
// writer, and the same input through sox, in the same run. Each is timed five times,
// in turns, and the fastest of each counts (the machine is shared).
#include "Benchmark.h"

#include "audio/RecordWriter.h"
#include "audio/WaveWriter.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rate = 8000;
constexpr qint64 Frames = qint64(Rate) * 3600;
constexpr int Rounds = 5;

// Voiced syllables (a pitch that wanders, harmonics shaped by two formants) about four
// a second, with pauses between phrases and a little line noise.
std::vector<qint16> speechLike()
{
    std::vector<qint16> out(static_cast<size_t>(Frames));
    QRandomGenerator random(1);
    double phase = 0;
    for (qint64 i = 0; i < Frames; ++i) {
        const double t = double(i) / Rate;
        const double pitch = 150 + 50 * std::sin(2 * M_PI * 0.3 * t) + 20 * std::sin(2 * M_PI * 1.7 * t);
        phase += 2 * M_PI * pitch / Rate;
        const double syllable = std::max(0.0, std::sin(2 * M_PI * 4 * t));
        const bool talking = std::fmod(t, 7.0) < 5.0;
        double voice = 0;
        for (int h = 1; h <= 12; ++h) {
            const double f = h * pitch;
            const double formants = std::exp(-std::pow((f - 700) / 300, 2)) + 0.5 * std::exp(-std::pow((f - 1800) / 400, 2));
            voice += formants * std::sin(h * phase) / h;
        }
        const double noise = (random.generateDouble() - 0.5) * 0.002;
        out[size_t(i)] = qint16(std::lround((talking ? 0.4 * syllable * voice : 0.0) * 32767 + noise * 32767));
    }
    return out;
}

bool writePcm(const QString &path, const std::vector<qint16> &samples)
{
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *sf = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!sf)
        return false;
    const bool ok = sf_writef_short(sf, samples.data(), sf_count_t(samples.size())) == sf_count_t(samples.size());
    return sf_close(sf) == 0 && ok;
}

qint64 gsmFrames(const QString &path)
{
    SF_INFO info{};
    SNDFILE *sf = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!sf)
        return -1;
    sf_close(sf);
    return (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_GSM610 ? info.frames : -1;
}

// The engine: capture hands the writer 100 ms at a time.
double engineSeconds(const std::vector<qint16> &samples, const QString &path)
{
    QFile::remove(path);
    const double start = Bench::processCpuSeconds();
    qint16 code = 0;
    auto file = WaveWriter::create(path, WaveFormat::gsm(), code);
    if (!file)
        return -1;
    RecordWriter writer(std::move(file));
    if (writer.start() != 0)
        return -1;
    const qint64 piece = Rate / 10;
    for (qint64 at = 0; at < Frames; at += piece)
        writer.push(reinterpret_cast<const char *>(samples.data() + at), qMin(piece, Frames - at) * 2);
    if (writer.finish() != 0)
        return -1;
    return Bench::processCpuSeconds() - start;
}

double soxSeconds(const QString &input, const QString &path)
{
    QFile::remove(path);
    const double start = Bench::childrenCpuSeconds();
    QProcess sox;
    sox.start(u"sox"_s, {input, u"-e"_s, u"gsm-full-rate"_s, path});
    if (!sox.waitForFinished(600000) || sox.exitStatus() != QProcess::NormalExit || sox.exitCode() != 0)
        return -1;
    return Bench::childrenCpuSeconds() - start;
}

} // namespace

int benchGsmEncode()
{
    QTemporaryDir dir;
    const std::vector<qint16> samples = speechLike();
    const QString input = dir.filePath(u"speech.wav"_s);
    const QString ours = dir.filePath(u"engine.wav"_s);
    const QString theirs = dir.filePath(u"sox.wav"_s);
    if (!writePcm(input, samples)) {
        fprintf(stderr, "gsm_encode: cannot write the input\n");
        return 1;
    }
    double engine = 1e9, sox = 1e9;
    for (int round = 0; round < Rounds; ++round) {
        const double e = engineSeconds(samples, ours);
        const double s = soxSeconds(input, theirs);
        if (e < 0 || s < 0) {
            fprintf(stderr, "gsm_encode: the %s failed\n", e < 0 ? "engine" : "sox run");
            return 1;
        }
        engine = std::min(engine, e);
        sox = std::min(sox, s);
    }
    // Both made a whole hour of GSM, or the figures mean nothing.
    if (gsmFrames(ours) != Frames || gsmFrames(theirs) != Frames) {
        fprintf(stderr, "gsm_encode: an output is not one hour of GSM 6.10\n");
        return 1;
    }
    Bench::report("gsm_encode_engine_cpu_seconds", engine);
    Bench::report("gsm_encode_sox_cpu_seconds", sox);
    Bench::report("gsm_encode_ratio_vs_sox", engine / sox);
    return 0;
}
