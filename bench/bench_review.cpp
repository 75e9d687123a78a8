// Reviewing calls: the one pass that gives a call's overview, pauses and loudness, over a
// one-hour GSM 6.10 call (overview_1h_gsm_ms); and what playing at 2x costs in CPU time
// against 1x, time-stretched with the pitch kept, on a sound server of the benchmarks' own
// (playback_2x_cpu_ratio_vs_1x).
#include "Benchmark.h"

#include "audio/AudioEngine.h"
#include "audio/CallProfile.h"
#include "audio/WaveWriter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rate = 8000;
constexpr int PlaySeconds = 8;

// Talk and pauses: 3 s of a voice-like tone pair, then 2 s of line noise, over and over.
bool writeCall(const QString &path, int seconds, const WaveFormat &format)
{
    qint16 code = 0;
    auto file = WaveWriter::create(path, format, code);
    if (!file)
        return false;
    std::vector<qint16> second(Rate);
    quint32 noise = 1;
    for (int s = 0; s < seconds; ++s) {
        const bool talk = s % 5 < 3;
        for (int i = 0; i < Rate; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double t = double(s * Rate + i) / Rate;
            const double v = talk ? 6000 * std::sin(2 * M_PI * 180 * t) + 3000 * std::sin(2 * M_PI * 720 * t) : 0;
            second[size_t(i)] = qint16(v + int(noise >> 24) - 128);
        }
        if (!file->write(reinterpret_cast<const char *>(second.data()), Rate))
            return false;
    }
    return file->finish();
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU seconds of this process while `seconds` of the call play at `speed`.
double playCpu(const QString &path, double speed)
{
    AudioEngine player;
    player.setPlayOptions(PlayOptions{.speed = speed});
    if (player.Open(path) != 0)
        return -1;
    wait(300); // the profile measured: not part of playing
    const double start = Bench::processCpuSeconds();
    if (player.Play() != 0)
        return -1;
    wait(PlaySeconds * 1000);
    const double used = Bench::processCpuSeconds() - start;
    player.Close();
    return used;
}

} // namespace

int benchReview()
{
    QTemporaryDir dir;
    const QString hour = dir.filePath(u"hour.wav"_s);
    if (!writeCall(hour, 3600, WaveFormat::gsm())) {
        fprintf(stderr, "review: cannot write the one-hour call\n");
        return 1;
    }
    QElapsedTimer timer;
    const double cpu = Bench::processCpuSeconds();
    timer.start();
    const auto profile = CallProfile::measure(hour);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    // On a busy machine the wait says little without the work.
    fprintf(stderr, "review: the one-hour call took %.3f s of CPU time\n", Bench::processCpuSeconds() - cpu);
    if (!profile || profile->skips().size() < 700) {
        fprintf(stderr, "review: the one-hour call was not measured as written\n");
        return 1;
    }
    Bench::report("overview_1h_gsm_ms", ms, 1);

    if (!Bench::useOwnSoundServer()) {
        fprintf(stderr, "review: cannot start the sound server (scripts/sound-server)\n");
        return 1;
    }
    const QString call = dir.filePath(u"call.wav"_s);
    if (!writeCall(call, 60, WaveFormat::gsm()))
        return 1;
    const double normal = playCpu(call, 1.0), fast = playCpu(call, 2.0);
    if (normal <= 0 || fast < 0) {
        fprintf(stderr, "review: cannot play the call\n");
        return 1;
    }
    fprintf(stderr, "review: cpu 1x %.3f s, 2x %.3f s over %d s\n", normal, fast, PlaySeconds);
    Bench::report("playback_2x_cpu_ratio_vs_1x", fast / normal, 2);
    return 0;
}
