// voxmere-bench [NAME...]: runs the named benchmarks, or all of them.
#include "Benchmark.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

struct Benchmark
{
    const char *name;
    int (*run)();
};

const Benchmark benchmarks[] = {
    {"gsm_encode", benchGsmEncode},
    {"listening", benchListening},
    {"findcalls", benchFindCalls},
    {"playfuzz", benchPlayFuzz},
    {"settings", benchSettingsWrites},
    {"review", benchReview},
    {"share", benchShare},
};

std::unique_ptr<QTemporaryDir> soundRuntime; // the sound server's, once started
std::unique_ptr<QTemporaryDir> shareRuntime; // the share's, once started

bool runScript(const char *script, const QString &command, const QString &dir)
{
    QProcess p;
    p.start(Bench::sourceDir() + u"/scripts/"_s + QLatin1StringView(script), {command, dir});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool soundServer(const QString &command)
{
    return runScript("sound-server", command, soundRuntime->path());
}

double seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// Stops the server once this process is gone, however it ends (killed, crashed or done),
// and removes its folder: a daemon of ours never outlives the benchmarks.
void watchServer(const char *server, const QString &dir)
{
    const QString script = u"while kill -0 %1 2>/dev/null; do sleep 1; done; \"$0\" stop \"$1\" >/dev/null 2>&1; rm -rf \"$1\""_s
                               .arg(QCoreApplication::applicationPid());
    QProcess::startDetached(u"/bin/sh"_s, {u"-c"_s, script, Bench::sourceDir() + u"/scripts/"_s + QLatin1StringView(server), dir});
}

} // namespace

namespace Bench {

void report(const char *name, double value, int decimals)
{
    printf("%s: %.*f\n", name, decimals, value);
    fflush(stdout);
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double childrenCpuSeconds()
{
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    return seconds(r.ru_utime) + seconds(r.ru_stime);
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0.0;
}

QString sourceDir()
{
    return QStringLiteral(VOXMERE_SOURCE_DIR);
}

bool useOwnSoundServer()
{
    static const bool started = [] {
        soundRuntime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/voxmere-bench-XXXXXX"));
        soundRuntime->setAutoRemove(false); // the watcher removes it once the server is stopped
        watchServer("sound-server", soundRuntime->path());
        qputenv("XDG_RUNTIME_DIR", soundRuntime->path().toLocal8Bit());
        qunsetenv("PULSE_SERVER");
        return soundServer(QStringLiteral("start"));
    }();
    return started;
}

QString useOwnShare(QString *why)
{
    if (!shareRuntime) {
        shareRuntime = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/voxmere-bench-share-XXXXXX"));
        shareRuntime->setAutoRemove(false); // the watcher removes it once the share is stopped
        watchServer("share-server", shareRuntime->path());
        if (!runScript("share-server", QStringLiteral("start"), shareRuntime->path())) {
            *why = u"scripts/share-server did not start, see "_s + shareRuntime->path();
            return QString();
        }
    }
    QFile unavailable(shareRuntime->path() + u"/unavailable"_s);
    if (unavailable.open(QIODevice::ReadOnly)) {
        *why = QString::fromUtf8(unavailable.readAll()).trimmed();
        return QString();
    }
    return shareRuntime->path();
}

} // namespace Bench

int main(int argc, char **argv)
{
    // The call list is measured in a real window, headless unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList wanted = app.arguments().mid(1);
    int failures = 0;
    for (const Benchmark &b : benchmarks) {
        if (wanted.isEmpty() || wanted.contains(QString::fromLatin1(b.name)))
            failures += b.run() != 0;
    }
    if (soundRuntime && soundServer(QStringLiteral("stop")))
        soundRuntime->remove();
    if (shareRuntime && runScript("share-server", QStringLiteral("stop"), shareRuntime->path()))
        shareRuntime->remove();
    return failures == 0 ? 0 : 1;
}
