#include "ProgramRun.h"
#include "TestFiles.h"

#include <QStandardPaths>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// The real program as a new user first meets it, and its end when the system asks.
class tst_ProgramEnds : public QObject
{
    Q_OBJECT

    // xdotool on `display`: its exit code, and its first line into `out`.
    static int xdotool(const QString &display, const QStringList &arguments, QString *out = nullptr)
    {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DISPLAY"_s, display);
        run.setProcessEnvironment(env);
        run.start(u"xdotool"_s, arguments);
        if (!run.waitForFinished())
            return -1;
        if (out)
            *out = QString::fromLatin1(run.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
        return run.exitCode();
    }
    // The visible window of exactly this title, or nothing.
    static QString window(const QString &display, const QString &title)
    {
        QString id;
        xdotool(display, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + title + u'$'}, &id);
        return id;
    }

private slots:
    // A new user's first start on a real X display with no sound server, the machine busy
    // on every core (it once aborted so): the first-run message, answered with Return,
    // then the main window, and no abort; three times, as a race would not show at once.
    // The first time SIGTERM comes under the message (logout, systemctl, timeout): the
    // program ends at once, before its main loop has run.
    void firstStartOnADisplayWithoutSoundServer()
    {
        if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            QSKIP("needs Xvfb and xdotool (scripts/install-deps --test installs them)");
        QProcess x;
        // -noreset: a server that resets as its last client leaves refuses the next one a moment.
        x.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        QVERIFY(x.waitForReadyRead(10000));
        const QString display = u':' + QString::fromLatin1(x.readAllStandardOutput()).trimmed();
        auto closeX = qScopeGuard([&] { x.terminate(), x.waitForFinished(); });
        QVERIFY(QTest::qWaitFor([&] { return xdotool(display, {u"getdisplaygeometry"_s}) == 0; }, 10000));
        std::vector<std::unique_ptr<QProcess>> load;
        auto unload = qScopeGuard([&] {
            for (const auto &p : load)
                p->kill(), p->waitForFinished();
        });
        for (int i = 0; i < QThread::idealThreadCount(); ++i) {
            load.push_back(std::make_unique<QProcess>());
            load.back()->start(u"sh"_s, {u"-c"_s, u"while :; do :; done"_s});
        }
        for (int trial = 0; trial < 3; ++trial) {
            ProgramRun program;
            QVERIFY(QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + u"/Voxmere/Voxmere.conf"_s));
            program.environment.insert(u"DISPLAY"_s, display);
            program.environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
            QProcess &run = program.start();
            QString box;
            // The display is the test's own: something else ending it is told as such.
            QVERIFY2(x.state() == QProcess::Running, "the test's X server ended");
            QVERIFY2(QTest::qWaitFor([&] { return !(box = window(display, u"Voxmere"_s)).isEmpty(); }, 15000),
                     TestFiles::read(program.errorLog()).constData());
            if (trial > 0) {
                QCOMPARE(xdotool(display, {u"windowfocus"_s, u"--sync"_s, box, u"key"_s, u"Return"_s}), 0);
                QVERIFY2(QTest::qWaitFor([&] { return !window(display, u"Voxmere Call Recorder"_s).isEmpty(); }, 15000),
                         TestFiles::read(program.errorLog()).constData());
            }
            QCOMPARE(run.state(), QProcess::Running);
            ::kill(pid_t(run.processId()), SIGTERM);
            QVERIFY2(run.waitForFinished(5000), "still running 5 s after SIGTERM");
            QCOMPARE(run.exitStatus(), QProcess::NormalExit);
            QCOMPARE(run.exitCode(), 0);
            QVERIFY2(!TestFiles::read(program.errorLog()).contains("QTextCursor"), TestFiles::read(program.errorLog()).constData());
        }
    }
};

QTEST_GUILESS_MAIN(tst_ProgramEnds)
#include "tst_ProgramEnds.moc"
