#include "SpeechCall.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

// The program killed in the middle of a call: its next start files the call with the audio
// it had written.
class tst_RecordingCrash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString problem = soundServerProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void killedMidCallThenFiledAtTheNextStart()
    {
        QTemporaryDir speech;
        const QString words = speech.filePath(u"call.wav"_s);
        QVERIFY(SpeechCall::make(words));
        ProgramRun program(true);
        SpeechCall::recordAutomatically(program);
        // A call being recorded: "yyyymmdd-hhmmss-user.wav", without its length yet.
        const auto unfinished = [&] {
            return QDir(program.recordings()).entryList(QDir::Files).filter(QRegularExpression(u"^\\d{8}-\\d{6}-[^-]+\\.wav$"_s));
        };
        QProcess &first = program.start();
        QVERIFY(program.waitUntilListening());
        QTest::qWait(1500); // detection arms on its first ticks

        QProcess player;
        SpeechCall::play(player, words);
        QVERIFY(QTest::qWaitFor([&] { return unfinished().size() == 1; }, 8000));
        QElapsedTimer recording;
        recording.start();
        QTest::qWait(4000);
        first.kill(); // SIGKILL: no clean-up of any kind
        const double recorded = recording.elapsed() / 1000.0;
        QVERIFY(first.waitForFinished());
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        player.waitForFinished();
        const QStringList left = unfinished();
        QCOMPARE(left.size(), 1);
        QVERIFY(SpeechCall::filedCalls(program.calls()).isEmpty());

        program.start();
        QVERIFY(QTest::qWaitFor([&] { return SpeechCall::filedCalls(program.calls()).size() == 1; }, 15000));
        const QString name = SpeechCall::filedCalls(program.calls()).value(0);
        QVERIFY2(name.startsWith(left[0].chopped(4) + u'-'), qPrintable(name));
        QVERIFY(unfinished().isEmpty());
        const QString problem = SpeechCall::filedCallProblem(program.calls(), name);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // All the audio up to the last second before the kill, and the caller's voice in it.
        const Samples samples = read(program.calls() + u'/' + name);
        QVERIFY2(samples.seconds() >= recorded - 1.0,
                 qPrintable(u"%1 s kept of %2 s recorded"_s.arg(samples.seconds()).arg(recorded)));
        QVERIFY(rmsDb(samples, 0, samples.seconds()) > -35.0);
    }
};

QTEST_GUILESS_MAIN(tst_RecordingCrash)
#include "tst_RecordingCrash.moc"
