#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>

// The real network share a SHARE test gets (scripts/share-server): one folder on a
// loopback sshd, mounted twice, as two PCs of an office see their file server.
class TestShare
{
public:
    const QString dir = qEnvironmentVariable("VOXMERE_SHARE_DIR");
    const QString pcA = dir + QStringLiteral("/a"), pcB = dir + QStringLiteral("/b");
    const QString exported = dir + QStringLiteral("/export"); // as the server's disk holds it

    // Runs scripts/share-server: "status"; "server-stop" kills the server and its
    // connections, "server-freeze" leaves it hanging, answering nothing; "server-start" and
    // "server-thaw" undo them. The mounts stay.
    bool server(const char *command) const
    {
        QProcess script;
        script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        script.start(QStringLiteral(VOXMERE_SOURCE_DIR "/scripts/share-server"), {QString::fromLatin1(command), dir});
        return script.waitForFinished(30000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
    }
    // Empty when the share is there; otherwise why not (for QSKIP).
    QString unavailable() const
    {
        if (dir.isEmpty())
            return QStringLiteral("the test runs outside ctest's share fixture");
        if (QFile reason(dir + QStringLiteral("/unavailable")); reason.open(QIODevice::ReadOnly))
            return QString::fromUtf8(reason.readAll()).trimmed();
        return server("status") ? QString() : QStringLiteral("the share in %1 does not answer").arg(dir);
    }
    bool clear() const { return QDir(exported).removeRecursively() && QDir().mkpath(exported); }
};

// Skips the test function, saying why, where the share cannot be had; else empties it.
#define REQUIRE_SHARE(share)                                                               \
    do {                                                                                   \
        if (const QString why = (share).unavailable(); !why.isEmpty())                     \
            QSKIP(qPrintable(QStringLiteral("no test share: ") + why));                    \
        QVERIFY2((share).clear(), "the share could not be emptied");                       \
    } while (false)
