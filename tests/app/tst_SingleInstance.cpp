#include "app/SingleInstance.h"
#include "ProgramRun.h"

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
        ProgramRun program;
        QProcess &first = program.start();
        QVERIFY(program.waitUntilListening());
        QProcess &second = program.start();
        QVERIFY(second.waitForFinished(3000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
    }
};

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
