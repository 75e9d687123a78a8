#include "AudioTestKit.h"
#include "base/UserName.h"
#include "callstore/CallFiles.h"
#include "ProgramRun.h"
#include "TestFiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

// Whole calls through the real program, the engine, the sound server's line and the real
// mover: a caller's voice (espeak-ng, played with paplay into the line) is recorded by
// itself, and a program killed in the middle of a call files it at its next start.
class tst_WholeCalls : public QObject
{
    Q_OBJECT

    QTemporaryDir m_speech;
    QStringList m_filed; // told on the bus
    QString m_words = m_speech.filePath(u"call.wav"_s); // about 7.5 s with short pauses

    // The program recording calls by itself from -30 dB, ending after 3 s of silence, in
    // GSM 6.10 and without a note; started, armed, and the caller speaking.
    QProcess &startCall(ProgramRun &program, QProcess &caller)
    {
        const std::pair<const char *, int> settings[] = {{"AutoRecord", 1}, {"Sensitivity", -30}, {"MinCallLength", 1},
                                                         {"CallTimeOut", 3}, {"AddNote", 0}, {"Format", 0}};
        for (const auto &[name, value] : settings)
            program.set(QString::fromLatin1(name), value);
        program.set(u"SearchPath"_s, program.calls());
        QProcess &running = program.start();
        if (program.waitUntilListening())
            QTest::qWait(1500); // detection arms on its first ticks
        caller.start(u"paplay"_s, {u"-d"_s, u"line"_s, m_words});
        return running;
    }

    // The finished calls in the calls folder: "yyyymmdd-hhmmss-user-N.wav".
    static QStringList filed(const ProgramRun &program)
    {
        static const QRegularExpression name(u"^[0-9]{8}-[0-9]{6}-[^-]+-[0-9]+\\.wav$"_s);
        return QDir(program.calls()).entryList(QDir::Files, QDir::Name).filter(name);
    }

    // Empty when the filed call is this user's GSM 6.10 file that sox reads whole, as
    // long as its name says (give or take the second it was rounded to).
    static QString problemWith(const ProgramRun &program, const QString &name)
    {
        const auto fields = CallFiles::SplitCallFileName(name);
        const QString path = program.calls() + u'/' + name;
        const SoxInfo sox = soxInfo(path);
        if (!fields || fields->user != CallFiles::SafeUserName(SystemUserName().loginName().value_or(QString())))
            return u"not this user's call: "_s + name;
        if (fmtChunkHex(path) != Gsm || !sox.decodes)
            return u"sox does not read it as GSM 6.10: "_s + name;
        if (qAbs(fields->seconds - sox.seconds) > 1.0)
            return u"%1 s in the name, sox reads %2 s"_s.arg(fields->seconds).arg(sox.seconds);
        return {};
    }

public slots:
    void callFiled(const QString &path) { m_filed << path; }

private slots:
    void initTestCase()
    {
        const QString problem = soundServerProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(!run(u"espeak-ng"_s, {u"-w"_s, m_words,
                                      u"Hello, this is Ann from accounts. I am calling about the invoice we sent "
                                      "last week. Could you please call me back tomorrow morning."_s})
                     .isNull());
    }

    // A softphone's hook drives the program from the command line and the session bus (a
    // private one): the first command starts it in the tray; record, status, note and stop
    // do what they say, each way; what the state refuses is told, with exit 1 or a D-Bus
    // error; CallFiled names the filed call.
    void commandsFromTheCommandLineAndTheBus()
    {
        QProcess daemon;
        daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        QVERIFY2(daemon.waitForReadyRead(10000), "no dbus-daemon (scripts/install-deps --test installs it)");
        auto endDaemon = qScopeGuard([&] { daemon.kill(), daemon.waitForFinished(); });
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        QDBusConnection bus = QDBusConnection::connectToBus(address, u"test"_s);
        QVERIFY(bus.isConnected());
        ProgramRun program(true);
        for (const auto &[name, value] : {std::pair{"AutoRecord", 0}, {"AddNote", 0}, {"Format", 0}})
            program.set(QString::fromLatin1(name), value);
        program.set(u"SearchPath"_s, program.calls());
        program.environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, address);
        const auto command = [&](const QStringList &arguments) {
            QProcess &run = program.start(arguments);
            run.waitForFinished(30000);
            return std::pair{run.exitCode(), QString::fromUtf8(run.readAllStandardOutput()).trimmed()};
        };
        auto endTray = qScopeGuard([&] { // it was started by the first command, not by the test
            if (const qint64 pid = program.runningPid(); pid > 0 && ::kill(pid_t(pid), SIGTERM) == 0)
                (void)QTest::qWaitFor([pid] { return ::kill(pid_t(pid), 0) != 0; }, 5000);
        });
        // Answered at once, before any display is touched (here: none), nothing started:
        // help, version, and mistakes (exit 2, told why).
        program.environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        program.environment.insert(u"DISPLAY"_s, u":99999"_s);
        const auto help = command({u"--help"_s});
        QVERIFY(help.first == 0 && help.second.startsWith(u"Usage: voxmere [options]"_s));
        QCOMPARE(command({u"--version"_s}), std::pair(0, u"Voxmere " VOXMERE_VERSION ""_s));
        QCOMPARE(command({u"--recrod"_s}).first, 2);
        QCOMPARE(command({u"--record"_s, u"--stop"_s}).first, 2);
        QCOMPARE(TestFiles::read(program.errorLog()), "voxmere: Unknown option 'recrod'.\nTry 'voxmere --help' for the options.\n"
                                                       "voxmere: one command at a time, not --record --stop.\n");
        QCOMPARE(program.runningPid(), 0);
        program.environment.remove(u"QT_QPA_PLATFORM"_s);
        QCOMPARE(command({u"--status"_s}).first, 0); // answered by a copy it started
        // Until its input is first heard (a moment, more on a busy machine) it says "input lost".
        QVERIFY(QTest::qWaitFor([&] { return command({u"--status"_s}) == std::pair(0, u"idle"_s); }, 15000));
        const QString service = u"org.voxmere.Voxmere"_s, path = u"/org/voxmere/Voxmere"_s;
        QVERIFY(QTest::qWaitFor([&] { return bus.interface()->isServiceRegistered(service).value(); }, 15000));
        QVERIFY(bus.connect(service, path, service, u"CallFiled"_s, this, SLOT(callFiled(QString))));
        QDBusInterface voxmere(service, path, service, bus);
        QCOMPARE(voxmere.property("State").toString(), u"idle"_s);
        QCOMPARE(command({u"--stop"_s}).first, 1);
        QCOMPARE(QDBusReply<QString>(voxmere.call(u"Stop"_s)).error().name(), u"org.voxmere.Voxmere.Error.Refused"_s);

        QCOMPARE(command({u"--record"_s}), std::pair(0, u"recording"_s));
        QTest::qWait(2500);
        const auto [code, status] = command({u"--status"_s});
        QVERIFY2(code == 0 && status.startsWith(u"recording "_s) && status.mid(10).toInt() >= 1, qPrintable(status));
        QVERIFY(voxmere.property("State").toString().startsWith(u"recording "_s));
        QCOMPARE(command({u"--note"_s, u"Order 42"_s}).first, 0);
        QCOMPARE(QDBusReply<QString>(voxmere.call(u"Stop"_s)).value(), u"stopped"_s);
        QVERIFY(QTest::qWaitFor([&] { return filed(program).size() == 1; }, 15000));
        QTRY_COMPARE_WITH_TIMEOUT(m_filed, QStringList{QDir::cleanPath(program.calls() + u'/' + filed(program)[0])}, 10000);
        const QString note = program.calls() + u'/' + filed(program)[0].chopped(4) + u".txt"_s;
        QTRY_COMPARE(TestFiles::read(note), "Order 42");
        QVERIFY(problemWith(program, filed(program)[0]).isEmpty());
        // After the call: the note of the call just filed.
        QCOMPARE(command({u"--note"_s, u"Called back on Friday"_s}).first, 0);
        QCOMPARE(TestFiles::read(note), "Called back on Friday");

        QCOMPARE(QDBusReply<QString>(voxmere.call(u"Record"_s)).value(), u"recording"_s);
        QCOMPARE(command({u"--toggle"_s}), std::pair(0, u"stopped"_s));
    }

    // The caller speaks and falls silent: the call is filed by itself.
    void automaticCallIsFiledIntoTheCallsFolder()
    {
        ProgramRun program(true);
        QProcess caller;
        startCall(program, caller);
        const QDateTime spoken = QDateTime::currentDateTime();
        QVERIFY(QTest::qWaitFor([&] { return filed(program).size() == 1; }, 30000));
        caller.waitForFinished();

        const QString name = filed(program).value(0);
        const QString problem = problemWith(program, name);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const auto fields = CallFiles::SplitCallFileName(name);
        const QDateTime start = QDateTime::fromString(fields->date + fields->time, u"yyyyMMddHHmmss"_s);
        QVERIFY2(start >= spoken.addSecs(-1) && start <= spoken.addSecs(3), qPrintable(name));
        QCOMPARE(QDir(program.recordings()).entryList({u"*.wav"_s}, QDir::Files), QStringList()); // moved
        // The speech is all there, the voice that set detection off too, after the quiet
        // line before it.
        // libsndfile decodes a GSM file of an odd number of blocks one block too far, into
        // noise: the call is as long as its header says.
        Samples call = read(program.calls() + u'/' + name);
        call.mono.resize(qsizetype(soxInfo(program.calls() + u'/' + name).seconds * call.rate));
        const Span said = signalSpan(read(m_words), -30), heard = signalSpan(call, -30);
        QVERIFY2(heard.length() > said.length() - 0.5 && heard.length() < said.length() + 1.0,
                 qPrintable(u"%1 s of speech recorded as %2 s, from %3 s to %4 s of %5 s"_s.arg(said.length())
                                .arg(heard.length()).arg(heard.start).arg(heard.end).arg(call.seconds())));
        QVERIFY2(heard.start > 0.3 && rmsDb(call, 0, 0.3) < -40.0, qPrintable(QString::number(heard.start)));
    }

    void killedMidCallThenFiledAtTheNextStart()
    {
        ProgramRun program(true);
        // A call being recorded: "yyyymmdd-hhmmss-user.wav", without its length yet.
        const auto unfinished = [&] {
            return QDir(program.recordings()).entryList(QDir::Files).filter(QRegularExpression(u"^\\d{8}-\\d{6}-[^-]+\\.wav$"_s));
        };
        QProcess caller;
        QProcess &first = startCall(program, caller);
        QVERIFY(QTest::qWaitFor([&] { return unfinished().size() == 1; }, 8000));
        // A call is the user's alone from its first byte.
        QCOMPARE(TestFiles::mode(program.recordings() + u'/' + unfinished().value(0)), 0600);
        QElapsedTimer recording;
        recording.start();
        QTest::qWait(4000);
        first.kill(); // SIGKILL: no clean-up of any kind
        const double recorded = recording.elapsed() / 1000.0;
        QVERIFY(first.waitForFinished());
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        caller.waitForFinished();
        const QStringList left = unfinished();
        QCOMPARE(left.size(), 1);
        QVERIFY(filed(program).isEmpty());

        program.start();
        QVERIFY(QTest::qWaitFor([&] { return filed(program).size() == 1; }, 15000));
        const QString name = filed(program).value(0);
        QVERIFY2(name.startsWith(left[0].chopped(4) + u'-'), qPrintable(name));
        QVERIFY(unfinished().isEmpty());
        QCOMPARE(TestFiles::mode(program.calls() + u'/' + name), 0600);
        const QString problem = problemWith(program, name);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // All the audio up to the last second before the kill, and the caller's voice in it.
        const Samples samples = read(program.calls() + u'/' + name);
        QVERIFY2(samples.seconds() >= recorded - 1.0,
                 qPrintable(u"%1 s kept of %2 s recorded"_s.arg(samples.seconds()).arg(recorded)));
        QVERIFY(rmsDb(samples, 0, samples.seconds()) > -35.0);
    }

    // Told to stop mid-call (a shutdown, kill -TERM), the program files the call before it
    // ends. Its sound server dying mid-call and back later, it files the call so far, says
    // why, and records the next call by itself. Last: it restarts the line.
    void cutMidCall_data()
    {
        QTest::addColumn<bool>("serverDies");
        QTest::newRow("terminated") << false;
        QTest::newRow("sound server restarted") << true;
    }
    void cutMidCall()
    {
        QFETCH(bool, serverDies);
        const QString line = qEnvironmentVariable("XDG_RUNTIME_DIR");
        ProgramRun program(true);
        QProcess caller;
        QProcess &running = startCall(program, caller);
        QVERIFY(QTest::qWaitFor([&] { return !QDir(program.recordings()).entryList({u"*.wav"_s}, QDir::Files).isEmpty(); }, 8000));
        QTest::qWait(2000);
        auto back = qScopeGuard([&] { soundServer(u"start"_s, line); }); // for the tests after
        if (serverDies) {
            QVERIFY(soundServer(u"stop"_s, line));
        } else {
            running.terminate();
            QVERIFY(running.waitForFinished(5000));
            QCOMPARE(running.exitStatus(), QProcess::NormalExit);
        }
        QVERIFY(QTest::qWaitFor([&] { return filed(program).size() == 1; }, 10000));
        if (serverDies) {
            QVERIFY(TestFiles::read(program.errorLog()).contains("Error during recording"));
            QTest::qWait(4000); // away for longer than a reconnect attempt or two
            QVERIFY(soundServer(u"start"_s, line));
            caller.start(u"paplay"_s, {u"-d"_s, u"line"_s, m_words});
            QVERIFY(QTest::qWaitFor([&] { return filed(program).size() == 2; }, 30000));
        }
        for (const QString &name : filed(program)) {
            const QString problem = problemWith(program, name);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
        caller.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(tst_WholeCalls)
#include "tst_WholeCalls.moc"
