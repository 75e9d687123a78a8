#include "ProgramRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTest>

using namespace Qt::StringLiterals;

ProgramRun::ProgramRun(bool line) : m_line(line)
{
    set(u"CallPath"_s, calls() + u'/');
}

ProgramRun::~ProgramRun()
{
    for (const auto &run : m_runs) {
        run->kill();
        run->waitForFinished();
    }
}

void ProgramRun::set(const QString &name, const QVariant &value)
{
    for (const QString &file : {m_roots.userFile(), m_roots.machineFile()}) {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(name, value);
    }
}

QProcess &ProgramRun::start(const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment(); // with m_roots' folders
    // The line's server is found through this test's runtime folder; the program gets a
    // runtime folder of its own, for its single-instance socket.
    env.insert(u"PULSE_SERVER"_s, m_line ? u"unix:"_s + qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/pulse/native"_s
                                         : u"unix:/nonexistent"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(environment);
    auto &run = *m_runs.emplace_back(std::make_unique<QProcess>());
    run.setProcessEnvironment(env);
    run.setStandardErrorFile(errorLog(), QIODevice::Append);
    // Tests run from build/tests; the program is build/voxmere.
    run.start(QCoreApplication::applicationDirPath() + u"/../voxmere"_s, arguments);
    run.waitForStarted();
    return run;
}

QString ProgramRun::errorLog() const
{
    return m_runtime.filePath(u"stderr.log"_s);
}

bool ProgramRun::waitUntilListening(int timeoutMs) const
{
    // The runtime folder is fresh: its socket is there only once a copy listens.
    return QTest::qWaitFor([&] { return QFile::exists(m_runtime.path() + u"/voxmere.socket"_s); }, timeoutMs);
}

qint64 ProgramRun::runningPid() const
{
    QFile lock(m_runtime.path() + u"/voxmere.socket.lock"_s);
    return lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed().toLongLong() : 0;
}
