#pragma once

#include "TempSettingsRoots.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>
#include <vector>

// The real program, build/voxmere, started as a user starts it: in settings, data and
// runtime folders of its own, with a calls folder of its own. Whatever still runs at the
// end is killed.
class ProgramRun
{
public:
    // `line`: on the test sound server's line (a SOUND test); else on no sound server.
    explicit ProgramRun(bool line = false);
    ~ProgramRun();

    // A setting as the user and the machine store have it.
    void set(const QString &name, const QVariant &value);
    QString calls() const { return m_roots.path() + QStringLiteral("/Calls"); }
    // Where the recordings wait while they are made.
    QString recordings() const { return m_roots.dataRoot() + QStringLiteral("/Voxmere"); }

    // Where the copies' error output goes.
    QString errorLog() const;
    // Added to the environment of the copies started from now on.
    QProcessEnvironment environment;
    // Starts one more copy of the program.
    QProcess &start(const QStringList &arguments = {});
    // True once a copy listens on the single-instance socket.
    bool waitUntilListening(int timeoutMs = 10000) const;
    // The copy that holds the single-instance lock (one started by another, too), or 0.
    qint64 runningPid() const;

private:
    TempSettingsRoots m_roots;
    QTemporaryDir m_runtime;
    bool m_line;
    std::vector<std::unique_ptr<QProcess>> m_runs;
};
