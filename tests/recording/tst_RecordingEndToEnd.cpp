#include "AudioTestKit.h"
#include "ScriptedPrompts.h"
#include "SpeechCall.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "base/AppContext.h"
#include "app/frmMain.h"
#include "callstore/CallFiles.h"
#include "callstore/colCalls.h"
#include "mover/MoverLauncher.h"
#include "audio/AudioEngine.h"
#include "recording/RecordingSession.h"
#include "recording/ui/frmAddNote.h"

#include <QDateTime>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using AudioTestKit::waitFor;

// Whole calls through the real audio engine, a real sound server line and the real mover.
class tst_RecordingEndToEnd : public QObject
{
    Q_OBJECT

    struct Program
    {
        TempSettingsRoots roots;
        QTemporaryDir data, calls, speech;
        ScriptedPrompts prompts;
        SystemClock clock;
        FixedUserName userName{u"ann"_s};
        std::unique_ptr<AppContext> ctx;
        std::unique_ptr<frmMain> window;
        int moverLaunches = 0;

        Program(bool autoRecord, int minCallLength, int callTimeOut)
        {
            qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
            ctx = std::make_unique<AppContext>(Services{prompts, clock, userName,
                                                        [] { return std::make_unique<AudioEngine>(); }});
            ctx->registry.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
            ctx->registry.CreateKey(u"HKEY_LOCAL_MACHINE\\Software\\Voxmere"_s);
            ctx->store.SaveStringSetting(u"CallPath"_s, calls.path());
            ctx->store.SaveLongSetting(u"AutoRecord"_s, autoRecord ? 1 : 0);
            ctx->store.SaveLongSetting(u"Sensitivity"_s, -30);
            ctx->store.SaveLongSetting(u"MinCallLength"_s, minCallLength);
            ctx->store.SaveLongSetting(u"CallTimeOut"_s, callTimeOut);
            ctx->store.SaveLongSetting(u"AddNote"_s, autoRecord ? 0 : 1);
            ctx->store.SaveLongSetting(u"Format"_s, 0); // GSM 6.10
            window = std::make_unique<frmMain>(*ctx);
            // The mover as the program starts it, from the build's program folder.
            window->recording->setMoverLauncher([this] {
                ++moverLaunches;
                const MoverLaunch launch = LaunchRecordingMover(QStringLiteral(VOXMERE_PROGRAM_DIR));
                return launch.started ? std::nullopt : std::optional<QString>(launch.result);
            });
        }
        QString temp() const { return data.path() + u"/Voxmere"_s; }
    };

    // The filed call's name, length and format.
    static void checkFiled(const QString &folder, const QString &name, const QDateTime &notBefore)
    {
        const auto fields = CallFiles::SplitCallFileName(name);
        QVERIFY(fields);
        const QDateTime start = QDateTime::fromString(fields->date + fields->time, u"yyyyMMddHHmmss"_s);
        QVERIFY2(start >= notBefore.addSecs(-1) && start <= QDateTime::currentDateTime(), qPrintable(name));
        QCOMPARE(fields->user, u"ann"_s);
        const QString path = folder + u'/' + name;
        const AudioTestKit::SoxInfo sox = AudioTestKit::soxInfo(path);
        QVERIFY(sox.ok);
        QVERIFY2(qAbs(fields->seconds - sox.seconds) <= 1.0,
                 qPrintable(u"%1 s in the name, sox measures %2 s"_s.arg(fields->seconds).arg(sox.seconds)));
        QCOMPARE(sox.encoding, u"GSM"_s);
        QCOMPARE(AudioTestKit::fmtChunkHex(path), u"31000100401f0000590600004100000002004001"_s);
    }

private slots:
    void initTestCase()
    {
        const QString problem = AudioTestKit::soundServerProblem();
        if (!problem.isEmpty())
            QFAIL(qPrintable(problem));
    }

    // A caller speaks for about 8 s and falls silent: the call is filed by itself.
    void automaticCallIsFiledIntoCallPath()
    {
        Program p(true, 3, 3);
        QVERIFY(p.window->Form_Load());
        const QString speech = p.speech.filePath(u"call.wav"_s);
        QVERIFY(SpeechCall::make(speech, SpeechCall::longCall()));
        QVERIFY(waitFor([&] { return p.window->state.DetectionRunning; }, 5000));

        const QDateTime spoken = QDateTime::currentDateTime();
        QProcess player;
        SpeechCall::play(player, speech);
        QVERIFY(waitFor([&] { return p.window->state.IsRecording; }, 5000));
        QVERIFY(waitFor([&] { return !p.window->state.IsRecording; }, 30000));
        QVERIFY(waitFor([&] { return SpeechCall::filedCalls(p.calls.path()).size() == 1; }, 20000));
        player.waitForFinished();

        const QString name = SpeechCall::filedCalls(p.calls.path()).value(0);
        checkFiled(p.calls.path(), name, spoken);
        QVERIFY(SpeechCall::filedCalls(p.temp()).isEmpty());
        QCOMPARE(p.window->CallsCollection().Count(), 1);
        QCOMPARE(p.window->CallsCollection().Item(1)->RecordingLocation(),
                 CallFiles::JoinPath(p.calls.path(), name));
        QVERIFY2(p.prompts.shown().isEmpty(), qPrintable(p.prompts.texts().join(u'\n')));
    }

    // A blip shorter than "MinCallLength" leaves no file anywhere.
    void shortBlipLeavesNoFile()
    {
        Program p(true, 10, 2);
        QVERIFY(p.window->Form_Load());
        const QString speech = p.speech.filePath(u"blip.wav"_s);
        QVERIFY(SpeechCall::make(speech, u"Hello, sorry, I think I have dialled the wrong number."_s));
        QVERIFY(AudioTestKit::soxInfo(speech).seconds > 2.5);
        QVERIFY(AudioTestKit::soxInfo(speech).seconds < 3.5);
        QVERIFY(waitFor([&] { return p.window->state.DetectionRunning; }, 5000));

        QProcess player;
        SpeechCall::play(player, speech);
        QVERIFY(waitFor([&] { return p.window->state.IsRecording; }, 5000));
        QVERIFY(waitFor([&] { return !p.window->state.IsRecording; }, 20000));
        player.waitForFinished();
        QTest::qWait(1500); // a mover, had one been started
        QCOMPARE(QDir(p.temp()).entryList({u"*.wav"_s}, QDir::Files), QStringList());
        QCOMPARE(QDir(p.calls.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(p.moverLaunches, 0);
        QCOMPARE(p.window->CallsCollection().Count(), 0);
    }

    // F9, a caller's words, F10, and a note typed into the prompt.
    void manualCallWithItsNote()
    {
        Program p(false, 10, 5);
        QVERIFY(p.window->Form_Load());
        const QString speech = p.speech.filePath(u"call.wav"_s);
        QVERIFY(SpeechCall::make(speech, u"Good morning, I would like to order twelve boxes of paper."_s));

        const QDateTime pressed = QDateTime::currentDateTime();
        p.window->Form_KeyDown(Qt::Key_F9);
        QVERIFY(p.window->state.IsRecording);
        QProcess player;
        SpeechCall::play(player, speech);
        QVERIFY(player.waitForFinished(30000));
        QTest::qWait(500);

        QTimer::singleShot(0, this, [&] {
            QVERIFY(p.window->NoteForm);
            QTest::keyClicks(p.window->NoteForm->txtCallNote, u"Order: 12 boxes of paper"_s);
            p.window->NoteForm->OKButton->click();
        });
        p.window->Form_KeyDown(Qt::Key_F10);
        QVERIFY(!p.window->state.IsRecording);
        QVERIFY(waitFor([&] { return SpeechCall::filedCalls(p.calls.path()).size() == 1; }, 20000));

        const QString name = SpeechCall::filedCalls(p.calls.path()).value(0);
        checkFiled(p.calls.path(), name, pressed);
        QFile note(p.calls.path() + u'/' + QString(name).replace(u".wav"_s, u".txt"_s));
        QVERIFY(note.open(QIODevice::ReadOnly));
        QCOMPARE(note.readAll(), QByteArray("Order: 12 boxes of paper"));
        // The recording holds the words: more than the sentence's length less a second.
        QVERIFY(CallFiles::SplitCallFileName(name)->seconds >= AudioTestKit::soxInfo(speech).seconds - 1);
        QVERIFY2(p.prompts.shown().isEmpty(), qPrintable(p.prompts.texts().join(u'\n')));
    }
};

QTEST_MAIN(tst_RecordingEndToEnd)
#include "tst_RecordingEndToEnd.moc"
