#include "TempSettingsRoots.h"
#include "app/SingleInstance.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void laterStartAsksTheFirst()
    {
        QTemporaryDir dir;
        const QString name = dir.path() + u"/instance"_s;
        SingleInstance first(name);
        QVERIFY(first.claim());
        QSignalSpy shown(&first, &SingleInstance::showRequested);

        SingleInstance second(name);
        QVERIFY(!second.claim());
        QVERIFY(shown.wait(2000));
        QVERIFY(first.ActivatePreviousInstance()); // the first one still answers
    }

    void staleSocketIsTakenOver()
    {
        QTemporaryDir dir;
        const QString name = dir.path() + u"/instance"_s;
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly)); // left by a program that crashed
        stale.close();
        SingleInstance next(name);
        QVERIFY(next.claim());
        QVERIFY(next.ActivatePreviousInstance());
    }

    // The real program: a second start ends by itself and the first keeps running.
    void secondProgramEnds()
    {
        TempSettingsRoots roots;
        QTemporaryDir runtime;
        for (const QString &file : {roots.userFile(), roots.machineFile()}) {
            QSettings s(file, QSettings::IniFormat);
            s.setValue(u"CallPath"_s, roots.path() + u"/Calls/"_s);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, roots.userRoot());
        env.insert(u"XDG_CONFIG_DIRS"_s, roots.machineRoot());
        env.insert(u"XDG_DATA_HOME"_s, roots.path() + u"/data"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(VOXMERE_EXE), {});
        QVERIFY(first.waitForStarted());
        // Ready once it answers on its socket.
        QElapsedTimer up;
        up.start();
        bool listening = false;
        while (!listening && up.elapsed() < 10000) {
            QLocalSocket probe;
            probe.connectToServer(runtime.path() + u"/voxmere.socket"_s);
            listening = probe.waitForConnected(100);
            if (!listening)
                QTest::qWait(100);
        }
        QVERIFY(listening);

        QProcess second;
        second.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        second.start(QStringLiteral(VOXMERE_EXE), {});
        QVERIFY(second.waitForFinished(3000));
        QCOMPARE(second.exitCode(), 0);
        qInfo("second start ended after %lld ms", qint64(timer.elapsed()));
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished();
    }
};

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
