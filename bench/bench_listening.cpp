// Listening as a user runs the program all day: the real build/voxmere, started minimised in
// automatic mode with every timer running, on the test line of a sound server of its own.
// Its CPU time over a minute against parec's on the same source for as long. Each thread's
// share goes to stderr, to tell where the time goes.
#include "Benchmark.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int SettleMs = 5000;
constexpr int MeasureMs = 60000;

// utime + stime in seconds from a /proc stat line; its name (comm) into `name`.
double statSeconds(const QString &path, QString *name = nullptr)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1.0;
    const QByteArray line = f.readAll();
    const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
    if (open < 0 || close < open)
        return -1.0;
    if (name)
        *name = QString::fromUtf8(line.mid(open + 1, close - open - 1));
    const QList<QByteArray> fields = line.mid(close + 2).split(' '); // from field 3, "state"
    return fields.size() > 12 ? (fields[11].toDouble() + fields[12].toDouble()) / double(sysconf(_SC_CLK_TCK)) : -1.0;
}

// Each thread's CPU seconds by "name tid".
QMap<QString, double> threadSeconds(qint64 pid)
{
    QMap<QString, double> threads;
    const QString tasks = u"/proc/%1/task"_s.arg(pid);
    for (const QString &tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QString name;
        const double s = statSeconds(tasks + u'/' + tid + u"/stat"_s, &name);
        if (s >= 0)
            threads.insert(name + u' ' + tid, s);
    }
    return threads;
}

QByteArray programOutput(const QTemporaryDir &home)
{
    QFile log(home.filePath(u"voxmere.log"_s));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int benchListening()
{
    if (!Bench::useOwnSoundServer()) {
        fprintf(stderr, "listening: cannot start the sound server (scripts/sound-server)\n");
        return 1;
    }
    const QString program = QCoreApplication::applicationDirPath() + u"/../voxmere"_s;
    QTemporaryDir home;
    const QString user = home.filePath(u"config"_s), machine = home.filePath(u"xdg"_s);
    // Both stores set, so that no first-run message waits for an answer.
    for (const QString &root : {user, machine}) {
        QSettings s(root + u"/Voxmere/Voxmere.conf"_s, QSettings::IniFormat);
        s.setValue(u"CallPath"_s, home.filePath(u"Calls"_s) + u'/');
        s.setValue(u"AutoRecord"_s, 1);
        s.setValue(u"Minimised"_s, 1);
        s.setValue(u"Maximise"_s, 0);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, user);
    env.insert(u"XDG_CONFIG_DIRS"_s, machine);
    env.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    env.insert(u"HOME"_s, home.path());
    // The program's own runtime folder; the line's server named outright.
    env.insert(u"PULSE_SERVER"_s, u"unix:"_s + qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/pulse/native"_s);
    QDir().mkpath(home.filePath(u"run"_s));
    QFile::setPermissions(home.filePath(u"run"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"run"_s));
    QProcess voxmere;
    voxmere.setProcessEnvironment(env);
    voxmere.setStandardOutputFile(home.filePath(u"voxmere.log"_s));
    voxmere.setStandardErrorFile(home.filePath(u"voxmere.log"_s), QIODevice::Append);
    voxmere.start(program, {});
    if (!voxmere.waitForStarted()) {
        fprintf(stderr, "listening: %s does not start\n", qPrintable(program));
        return 1;
    }
    wait(SettleMs);
    const qint64 pid = voxmere.processId();
    const QString stat = u"/proc/%1/stat"_s.arg(pid);
    const QMap<QString, double> before = threadSeconds(pid);
    const double start = statSeconds(stat);
    QElapsedTimer wall;
    wall.start();
    wait(MeasureMs);
    const double cpu = statSeconds(stat) - start;
    const double seconds = wall.elapsed() / 1000.0;
    const QMap<QString, double> after = threadSeconds(pid);
    voxmere.terminate();
    if (!voxmere.waitForFinished(10000))
        voxmere.kill(), voxmere.waitForFinished();
    if (start < 0 || cpu < 0 || voxmere.exitStatus() != QProcess::NormalExit) {
        fprintf(stderr, "listening: the program did not run throughout\n%s", programOutput(home).constData());
        return 1;
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        fprintf(stderr, "listening: thread %s %.3f s\n", qPrintable(it.key()), it.value() - before.value(it.key()));
    Bench::report("listening_cpu_percent", 100.0 * cpu / seconds);

    // The floor: PulseAudio's own recorder on the same source for as long.
    QProcess parec;
    parec.setStandardOutputFile(QProcess::nullDevice());
    parec.start(u"parec"_s, {u"-d"_s, u"phone"_s, u"--rate=8000"_s, u"--channels=1"_s, u"--format=s16le"_s});
    if (!parec.waitForStarted()) {
        fprintf(stderr, "listening: parec did not run\n");
        return 1;
    }
    const QString parecStat = u"/proc/%1/stat"_s.arg(parec.processId());
    wait(500);
    const double parecStart = statSeconds(parecStat);
    wait(MeasureMs);
    const double parecCpu = statSeconds(parecStat) - parecStart;
    parec.terminate();
    parec.waitForFinished();
    if (parecStart < 0 || parecCpu <= 0) {
        fprintf(stderr, "listening: parec did not run\n");
        return 1;
    }
    Bench::report("listening_ratio_vs_parec", cpu / parecCpu, 2);
    return 0;
}
