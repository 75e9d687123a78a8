#include "AudioTestKit.h"
#include "ScriptedPrompts.h"
#include "SpeechCall.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "base/AppContext.h"
#include "callstore/CallFiles.h"
#include "base/RecorderComponent.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using AudioTestKit::waitFor;

// The program killed in the middle of a call: its next start files the call with the audio
// it had written.
class tst_RecordingCrash : public QObject
{
    Q_OBJECT

    TempSettingsRoots roots;
    QTemporaryDir data, calls, speech, runtime;

    // The program as a user starts it, on the test sound server's line.
    void start(QProcess &program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_DATA_HOME"_s, data.path());
        // A runtime folder of its own (the single-instance socket), the sound server's line.
        env.insert(u"PULSE_SERVER"_s, u"unix:"_s + qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/pulse/native"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(VOXMERE_PROGRAM_DIR "/voxmere"), {});
        QVERIFY(program.waitForStarted());
    }

    QString temp() const { return data.path() + u"/Voxmere"_s; }
    QStringList unfinished() const
    {
        static const QRegularExpression name(u"^[0-9]{8}-[0-9]{6}-[^-]+\\.wav$"_s);
        return QDir(temp()).entryList(QDir::Files).filter(name);
    }

private slots:
    void initTestCase()
    {
        const QString problem = AudioTestKit::soundServerProblem();
        if (!problem.isEmpty())
            QFAIL(qPrintable(problem));
        QVERIFY(QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        ScriptedPrompts prompts;
        FixedClock clock;
        FixedUserName user;
        AppContext ctx(Services{prompts, clock, user, [] { return std::unique_ptr<RecorderComponent>(); }});
        ctx.registry.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
        ctx.registry.CreateKey(u"HKEY_LOCAL_MACHINE\\Software\\Voxmere"_s);
        ctx.store.SaveStringSetting(u"CallPath"_s, calls.path());
        ctx.store.SaveStringSetting(u"SearchPath"_s, calls.path());
        ctx.store.SaveLongSetting(u"AutoRecord"_s, 1);
        ctx.store.SaveLongSetting(u"Sensitivity"_s, -30);
        ctx.store.SaveLongSetting(u"CallTimeOut"_s, 5);
        ctx.store.SaveLongSetting(u"MinCallLength"_s, 1);
        ctx.store.SaveLongSetting(u"AddNote"_s, 0);
        ctx.store.SaveLongSetting(u"Format"_s, 0);
    }

    void killedMidCallThenFiledAtTheNextStart()
    {
        const QString words = speech.filePath(u"call.wav"_s);
        QVERIFY(SpeechCall::make(words, SpeechCall::longCall()));

        QProcess first;
        start(first);
        QVERIFY(waitFor([&] { return QDir(temp()).exists(); }, 10000));
        QTest::qWait(1500); // detection arms on its first ticks

        QProcess player;
        SpeechCall::play(player, words);
        QVERIFY(waitFor([&] { return unfinished().size() == 1; }, 8000));
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
        QVERIFY(SpeechCall::filedCalls(calls.path()).isEmpty());

        QProcess second;
        start(second);
        const bool filed = waitFor([&] { return SpeechCall::filedCalls(calls.path()).size() == 1; }, 15000);
        second.terminate();
        second.waitForFinished();
        QVERIFY(filed);

        const QString name = SpeechCall::filedCalls(calls.path()).value(0);
        QVERIFY2(name.startsWith(QString(left[0]).chopped(4) + u'-'), qPrintable(name));
        QVERIFY(unfinished().isEmpty());
        const QString path = calls.path() + u'/' + name;
        const AudioTestKit::SoxInfo sox = AudioTestKit::soxInfo(path);
        QVERIFY(sox.ok);
        QVERIFY(AudioTestKit::soxDecodes(path));
        const qint32 n = CallFiles::SplitCallFileName(name)->seconds;
        QVERIFY2(qAbs(n - sox.seconds) <= 1.0, qPrintable(u"%1 in the name, sox %2"_s.arg(n).arg(sox.seconds)));
        // All the audio up to the last second before the kill, and the caller's voice in it.
        QVERIFY2(sox.seconds >= recorded - 1.0,
                 qPrintable(u"%1 s kept of %2 s recorded"_s.arg(sox.seconds).arg(recorded)));
        const AudioTestKit::Samples samples = AudioTestKit::read(path);
        QVERIFY(samples.ok);
        QVERIFY(AudioTestKit::rmsDb(samples, 0, samples.seconds()) > -35.0);
    }
};

QTEST_MAIN(tst_RecordingCrash)
#include "tst_RecordingCrash.moc"
