// Armed listening as the main window keeps it all day: input open, paused, the pre-roll
// kept, levels and state polled every 200 ms. Measured for 30 s against a sound server of its own.
#include "Benchmark.h"

#include "audio/AudioEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int PollMs = 200;
constexpr int MeasureMs = 30000;

} // namespace

int benchListening()
{
    if (!Bench::useOwnSoundServer()) {
        fprintf(stderr, "listening: cannot start the sound server (scripts/sound-server)\n");
        return 1;
    }
    int result = 0;
    {
        AudioEngine engine;
        engine.setPreRoll(3.0); // the default: the line's last seconds kept while listening
        if (engine.OpenInput() != 0 || (engine.setPaused(true), engine.Record()) != 0) {
            fprintf(stderr, "listening: the input does not open\n");
            result = 1;
        } else {
            QTimer poll;
            int polls = 0, running = 0;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                float a, b;
                qint16 spare;
                engine.GetLevels(a, spare, b, spare);
                running += engine.State() >= 2;
                ++polls;
            });
            poll.start(PollMs);
            QEventLoop loop;
            QTimer::singleShot(1000, &loop, &QEventLoop::quit); // settle
            loop.exec();

            QElapsedTimer wall;
            const double start = Bench::processCpuSeconds();
            wall.start();
            polls = running = 0;
            QTimer::singleShot(MeasureMs, &loop, &QEventLoop::quit);
            loop.exec();
            const double cpu = Bench::processCpuSeconds() - start;
            const double seconds = wall.elapsed() / 1000.0;
            if (running != polls || polls < MeasureMs / PollMs - 5) {
                fprintf(stderr, "listening: the recorder stopped listening\n");
                result = 1;
            } else {
                Bench::report("listening_cpu_percent", 100.0 * cpu / seconds);
                // The floor: PulseAudio's own recorder on the same input for as long.
                const double before = Bench::childrenCpuSeconds();
                QProcess parec;
                parec.setStandardOutputFile(QProcess::nullDevice());
                parec.start(u"parec"_s, {u"--rate=8000"_s, u"--channels=1"_s, u"--format=s16le"_s});
                QTimer::singleShot(MeasureMs, &loop, &QEventLoop::quit);
                loop.exec();
                parec.terminate();
                const double parecCpu = parec.waitForFinished() ? Bench::childrenCpuSeconds() - before : 0.0;
                if (parecCpu > 0)
                    Bench::report("listening_ratio_vs_parec", cpu / parecCpu, 2);
                else
                    fprintf(stderr, "listening: parec did not run\n");
            }
        }
        engine.Stop();
        engine.Close();
    }
    return result;
}
