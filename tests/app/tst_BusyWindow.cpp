#include "AudioTestKit.h"
#include "TestFiles.h"
#include "WindowRig.h"

#include "audio/AudioEngine.h"
#include "callstore/CallFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <csignal>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

// The real window and engine on the test line. A caller speaks and hangs up while the
// window's thread is held by a job of 10 s: the call is recorded from the same sample as
// with an idle window, and filed, with its length, before the window is free again.
class tst_BusyWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_caller = m_dir.filePath(u"caller.wav"_s);

    struct Call
    {
        QString name;         // in the temporary folder, once filed
        double onset = -1;    // s into the file where the voice begins
        double seconds = 0;   // as libsndfile reads it
        qint64 filedAt = -1;  // ms after the caller began that the mover was started
    };

    // The window on the real engine, recording by itself in PCM from -30 dB, with 2 s of
    // the line kept before a call, ended by 2 s of silence.
    struct LiveWindow : WindowRig
    {
        QElapsedTimer clock;
        std::atomic<qint64> filedAt{-1};
        explicit LiveWindow(bool used = true) : WindowRig(used)
        {
            app.services.newRecorder = [] { return std::make_unique<AudioEngine>(); };
            app.services.recorderOnWindowThread = false;
            app.services.launchMover = [this] {
                filedAt.store(clock.elapsed());
                return std::optional<QString>();
            };
            if (!used)
                return;
            for (const auto &[name, value] : {std::pair{"AutoRecord", 1}, {"Sensitivity", -30}, {"CallTimeOut", 2},
                                              {"MinCallLength", 1}, {"AddNote", 0}, {"Format", 1}, {"PreRoll", 2}})
                seed(QString::fromLatin1(name), value);
        }
        // The caller begins; the clock runs from here.
        void speak(QProcess &caller, const QString &words)
        {
            filedAt.store(-1);
            clock.start();
            caller.start(u"paplay"_s, {u"-d"_s, u"line"_s, words});
        }
        Call filed() const
        {
            Call call;
            call.filedAt = filedAt.load();
            const QStringList names = QDir(tempFolder()).entryList({u"*.wav"_s}, QDir::Files);
            if (names.size() != 1 || !CallFiles::SplitCallFileName(names[0]))
                return call;
            call.name = names[0];
            const Samples s = read(tempFolder() + u'/' + call.name);
            call.seconds = s.seconds();
            call.onset = signalSpan(s, -30.0).start;
            return call;
        }
    };

    static int threads() { return int(QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }

    Call record(bool held)
    {
        LiveWindow t;
        if (!t.load())
            return {};
        // Listening, the pre-roll full: an idle line may hand over its first audio seconds late.
        QTest::qWait(5000);
        QProcess caller;
        t.speak(caller, m_caller);
        if (held)
            QThread::msleep(10000); // the job: no event of the window's is handled meanwhile
        else
            (void)QTest::qWaitFor([&] { return t.filedAt.load() >= 0; }, 15000); // judged below
        caller.waitForFinished();
        QTest::qWait(200);
        return t.filed();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(soundServerProblem().isEmpty(), qPrintable(soundServerProblem()));
        // 3 s of a caller's tone: the call ends well inside the hold. Its sharp start is the
        // same sample in both runs; a voice fading in may cross the sensitivity a syllable apart.
        QVERIFY(makeTone(m_caller, 22050, 16, 1, 3.0, 0.25));
    }

    void callDuringAHeldWindow()
    {
        const Call idle = record(false), held = record(true);
        for (const Call &c : {idle, held})
            QVERIFY2(!c.name.isEmpty() && c.onset >= 0, qPrintable(c.name));
        qInfo("voice at %.3f s held, %.3f s idle; filed %lld ms held, %lld ms idle; %s %.2f s, idle %.2f s", held.onset,
              idle.onset, held.filedAt, idle.filedAt, qPrintable(held.name), held.seconds, idle.seconds);
        // The same start: the voice comes 1.5 s (the trigger delay) before the call, after
        // 0.5 s of the 2 s kept before it.
        QVERIFY2(std::abs(held.onset - idle.onset) <= 0.05 && std::abs(idle.onset - 0.5) <= 0.05,
                 qPrintable(u"voice at %1 s held, %2 s idle"_s.arg(held.onset).arg(idle.onset)));
        // Filed as soon as the silence ran out, in the middle of the hold.
        QVERIFY2(held.filedAt >= 0 && held.filedAt < 10000 && std::abs(held.filedAt - idle.filedAt) < 1000,
                 qPrintable(u"filed %1 ms in held, %2 ms idle"_s.arg(held.filedAt).arg(idle.filedAt)));
        // Its name tells its length.
        const int named = CallFiles::SplitCallFileName(held.name)->seconds;
        QVERIFY2(std::abs(named - held.seconds) <= 1.0 && std::abs(held.seconds - idle.seconds) <= 0.25,
                 qPrintable(u"%1: %2 s held, %3 s idle"_s.arg(held.name).arg(held.seconds).arg(idle.seconds)));
    }

    // The sound server stops answering (SIGSTOP) for a minute: the window answers throughout,
    // retrying the input costs no thread, and once the server is back the next call is filed.
    void soundServerHangs()
    {
        const int server = TestFiles::read(qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/pulse/pid"_s).trimmed().toInt();
        QVERIFY(server > 0);
        LiveWindow t;
        QVERIFY(t.load());
        QTest::qWait(3000);
        const int before = threads();
        QVERIFY(::kill(server, SIGSTOP) == 0);
        auto resume = qScopeGuard([&] { ::kill(server, SIGCONT); });
        int most = before;
        qint64 longest = 0;
        QElapsedTimer tick;
        tick.start();
        QTimer ticks; // a click's worth of the window's attention, every 50 ms
        connect(&ticks, &QTimer::timeout, this, [&] {
            longest = std::max(longest, tick.restart());
            most = std::max(most, threads());
        });
        ticks.start(50);
        QTest::qWait(60000);
        ticks.stop();
        resume.dismiss();
        QVERIFY(::kill(server, SIGCONT) == 0);
        QVERIFY2(longest <= 200, qPrintable(u"the window stood still for %1 ms"_s.arg(longest)));
        QVERIFY2(most <= before + 1, qPrintable(u"%1 threads, %2 before"_s.arg(most).arg(before)));
        QTest::qWait(5000); // listening again, the pre-roll full
        QProcess caller;
        t.speak(caller, m_caller);
        QVERIFY(QTest::qWaitFor([&] { return t.filedAt.load() >= 0; }, 15000));
        caller.waitForFinished();
        QVERIFY(!t.filed().name.isEmpty());
        qInfo("longest stand-still %lld ms, threads %d at most, %d before", longest, most, before);
    }

    // A first start on a machine with no sound server yet: the first-run message, the
    // window, a status that says the input is missing, and listening as soon as a server
    // appears. (The real program's first start under load is in tst_ProgramEnds.)
    void firstStartWithoutSoundServer()
    {
        QTemporaryDir later; // where the server appears
        const QByteArray saved = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(later.path()) + "/pulse/native");
        auto restore = qScopeGuard([&] {
            qputenv("PULSE_SERVER", saved);
            soundServer(u"stop"_s, later.path());
        });
        LiveWindow t(false);
        QVERIFY(t.load());
        QCOMPARE(t.prompts.texts(), QStringList{u"It would appear that Voxmere has not been used on this PC before - please check your configuration"_s});
        t.window->show();
        QVERIFY2(QTest::qWaitFor([&] { return t.text("StatusPanel1").startsWith(u"Waiting for the recording input"_s); }, 5000),
                 qPrintable(t.text("StatusPanel1")));
        QVERIFY(soundServer(u"start"_s, later.path()));
        QVERIFY2(QTest::qWaitFor([&] { return t.text("StatusPanel1") == u"Ready - Manual Recording"_s; }, 10000),
                 qPrintable(t.text("StatusPanel1")));
    }
};

QTEST_MAIN(tst_BusyWindow)
#include "tst_BusyWindow.moc"
