#pragma once

#include <QString>

// The real network share a SHARE test gets (scripts/share-server): one folder on a
// loopback sshd, mounted twice, as two PCs of an office see their file server.
class TestShare
{
public:
    TestShare();
    // Empty when the share is there; otherwise why not (for QSKIP).
    QString unavailable() const { return m_unavailable; }
    QString pcA() const { return m_dir + QStringLiteral("/a"); }
    QString pcB() const { return m_dir + QStringLiteral("/b"); }
    // The served folder itself, as the server's disk holds it.
    QString exported() const { return m_dir + QStringLiteral("/export"); }
    // The server as the test runs it (scripts/share-server): "server-stop" kills it and its
    // connections, "server-freeze" leaves it hanging, answering nothing; "server-start" and
    // "server-thaw" undo them. The mounts stay.
    bool server(const char *command) const { return run(QString::fromLatin1(command)); }
    // Empties the share between cases.
    bool clear() const;

private:
    bool run(const QString &command) const;

    QString m_dir;
    QString m_script;
    QString m_unavailable;
};

// Skips the test function, saying why, where the share cannot be had; else empties it.
#define REQUIRE_SHARE(share)                                                               \
    do {                                                                                   \
        if (!(share).unavailable().isEmpty())                                              \
            QSKIP(qPrintable(QStringLiteral("no test share: ") + (share).unavailable()));  \
        QVERIFY2((share).clear(), "the share could not be emptied");                       \
    } while (false)
