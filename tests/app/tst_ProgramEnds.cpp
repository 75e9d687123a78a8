#include "ProgramRun.h"
#include "TestFiles.h"

#include <QtTest>

#include <csignal>

using namespace Qt::StringLiterals;

// The real program ends when the system asks (logout, systemctl, timeout), whatever it
// shows: here under the first-run message, before its main loop has run.
class tst_ProgramEnds : public QObject
{
    Q_OBJECT

private slots:
    void terminatedUnderTheFirstRunMessage()
    {
        ProgramRun program;
        // A user who never ran it: the machine's settings only, so the message is shown.
        QVERIFY(QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + u"/Voxmere/Voxmere.conf"_s));
        QProcess &run = program.start();
        QVERIFY(program.waitUntilListening());
        QTest::qWait(1000); // the message is up by now
        QCOMPARE(run.state(), QProcess::Running);
        ::kill(pid_t(run.processId()), SIGTERM);
        QVERIFY2(run.waitForFinished(5000), "still running 5 s after SIGTERM");
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 0);
        QVERIFY2(!TestFiles::read(program.errorLog()).contains("QTextCursor"), TestFiles::read(program.errorLog()).constData());
    }
};

QTEST_GUILESS_MAIN(tst_ProgramEnds)
#include "tst_ProgramEnds.moc"
