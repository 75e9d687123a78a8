#include "SpeechCall.h"

#include <QDateTime>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

// A whole call through the real program, the engine, the sound server's line and the
// real mover.
class tst_RecordingEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString problem = soundServerProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A caller speaks for about 7.5 s and falls silent: the call is filed by itself.
    void automaticCallIsFiledIntoTheCallsFolder()
    {
        QTemporaryDir speech;
        const QString words = speech.filePath(u"call.wav"_s);
        QVERIFY(SpeechCall::make(words));
        ProgramRun program(true);
        SpeechCall::recordAutomatically(program);
        program.start();
        QVERIFY(program.waitUntilListening());
        QTest::qWait(1500); // detection arms on its first ticks

        const QDateTime spoken = QDateTime::currentDateTime();
        QProcess player;
        SpeechCall::play(player, words);
        QVERIFY(QTest::qWaitFor([&] { return SpeechCall::filedCalls(program.calls()).size() == 1; }, 30000));
        player.waitForFinished();

        const QString name = SpeechCall::filedCalls(program.calls()).value(0);
        const QString problem = SpeechCall::filedCallProblem(program.calls(), name);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const auto fields = CallFiles::SplitCallFileName(name);
        const QDateTime start = QDateTime::fromString(fields->date + fields->time, u"yyyyMMddHHmmss"_s);
        QVERIFY2(start >= spoken.addSecs(-1) && start <= spoken.addSecs(3), qPrintable(name));
        QCOMPARE(QDir(program.recordings()).entryList({u"*.wav"_s}, QDir::Files), QStringList()); // moved
        // The speech is there: all of it but what the line must carry before detection
        // trusts it (1.5 s of voice, and a poll).
        const Span said = signalSpan(read(words), -30), heard = signalSpan(read(program.calls() + u'/' + name), -30);
        QVERIFY2(heard.length() > said.length() - 2.0 && heard.length() < said.length() + 1.0,
                 qPrintable(u"%1 s of speech recorded as %2 s"_s.arg(said.length()).arg(heard.length())));
    }
};

QTEST_GUILESS_MAIN(tst_RecordingEndToEnd)
#include "tst_RecordingEndToEnd.moc"
