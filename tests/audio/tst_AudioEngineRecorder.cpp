// The recorder against the test sound server: what the player plays into the line is
// what the recorder hears.
#include "AudioTestKit.h"
#include "audio/CaptureWorker.h"

#include "audio/AudioEngine.h"
#include "audio/WaveFormat.h"
#include "base/RecorderCodes.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <csignal>
#include <optional>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

constexpr double ToneDb = -9.03; // RMS of a sine at half full scale

class tst_AudioEngineRecorder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(soundServerProblem().isEmpty(), qPrintable(soundServerProblem())); }
    void records_what_the_line_carries_data();
    void records_what_the_line_carries();
    void refuses_what_it_cannot_record_data();
    void refuses_what_it_cannot_record();
    void begins_with_the_line_before_the_call_data();
    void begins_with_the_line_before_the_call();
    void cut_off_mid_call_leaves_a_playable_file_data();
    void cut_off_mid_call_leaves_a_playable_file();
    // Last: it restarts the shared test server.
    void the_server_hangs_dies_and_comes_back();

private:
    QTemporaryDir m_dir;
};

void tst_AudioEngineRecorder::records_what_the_line_carries_data()
{
    QTest::addColumn<int>("option"); // as the window sets it: an option, or -1 for the format block
    QTest::addColumn<QString>("hex"); // what the file must be
    QTest::addColumn<int>("pause");   // seconds paused after the tone, which the file leaves out
    QTest::newRow("gsm option") << int(AudioEngine::OptionGsm) << Gsm << 0;
    QTest::newRow("pcm option") << int(AudioEngine::OptionPcm) << WaveFormat::pcm(8000).toHex() << 0;
    QTest::newRow("default") << 0 << WaveFormat::pcm(8000).toHex() << 0;
    QTest::newRow("gsm format") << -1 << Gsm << 0;
    QTest::newRow("pcm 8k 8 mono") << -1 << u"01000100401f0000401f000001000800"_s << 0;
    QTest::newRow("pcm 44.1k 16 stereo") << -1 << u"0100020044ac000010b10200040010000000"_s << 0;
    QTest::newRow("pcm 16k 16 mono") << -1 << WaveFormat::pcm(16000).toHex() << 0;
    QTest::newRow("pcm 48k 24 mono") << -1 << u"0100010080bb000080320200030018000000"_s << 0;
    QTest::newRow("pcm 48k 24 stereo") << -1 << WaveFormat::pcm(48000, 2, 24).toHex() << 0;
    QTest::newRow("pcm 32k 32 mono") << -1 << WaveFormat::pcm(32000, 1, 32).toHex() << 0;
    QTest::newRow("pcm, paused") << 0 << WaveFormat::pcm(8000).toHex() << 1;
}

void tst_AudioEngineRecorder::records_what_the_line_carries()
{
    QFETCH(int, option);
    QFETCH(QString, hex);
    QFETCH(int, pause);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    const double seconds = 2.0;
    AudioEngine recorder, player;
    if (option > 0)
        recorder.setPcmRate(8000), recorder.setRecordOption(qint16(option));
    else if (option < 0)
        recorder.setRecordFormat(hex);
    // The window's sequence: listen, then record.
    QCOMPARE(recorder.OpenInput(), qint16(0));
    recorder.setPaused(true);
    QCOMPARE(recorder.Record(), qint16(0));
    QTest::qWait(400);
    QCOMPARE(recorder.Position(), 0.0); // listening writes nothing
    recorder.Stop();
    recorder.setPaused(false);
    QCOMPARE(recorder.OpenRecordFile(path), qint16(0));
    QCOMPARE(recorder.Record(), qint16(0));
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(500);
    const QString tone = m_dir.filePath(u"tone.wav"_s);
    QVERIFY(makeTone(tone, 8000, 16, 1, seconds));
    QCOMPARE(player.Open(tone), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    QVERIFY(QTest::qWaitFor([&] { return player.SamplePosition() > 4000; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return player.SamplePosition() >= player.SampleCount(); }, 10000));
    recorder.setPaused(pause > 0);
    QTest::qWait(1000 * pause);
    recorder.setPaused(false);
    QTest::qWait(500);
    const double position = recorder.Position();
    recorder.Stop();
    const double elapsed = wall.elapsed() / 1000.0 - pause;
    QCOMPARE(recorder.Close(), qint16(0));

    // Nothing lost at the start or the end, no pause kept: the file lasts the time recorded.
    QVERIFY2(std::fabs(position - elapsed) < 0.25, qPrintable(u"%1 s for %2 s"_s.arg(position).arg(elapsed)));
    const QString wrong = soxReadsAs(path, format, position, format.isGsm() ? 0.041 : 0.001);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    // The whole tone at its level; a buffer dropped while the thread was stuck would leave a
    // quiet hole in it.
    const Samples s = read(path);
    const Span span = signalSpan(s);
    QVERIFY2(std::fabs(span.length() - seconds) < 0.2, qPrintable(u"tone for %1 s"_s.arg(span.length())));
    const double level = rmsDb(s, span.start + 0.2, span.end - 0.2);
    const double quietest = quietestWindowDb(s, span.start + 0.1, span.end - 0.1);
    QVERIFY2(std::fabs(level - ToneDb) < 1.0 && quietest > ToneDb - 1.0, qPrintable(u"level %1 dB, quietest 100 ms %2 dB"_s.arg(level).arg(quietest)));
}

void tst_AudioEngineRecorder::refuses_what_it_cannot_record_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("code");
    QTest::newRow("mp3 format") << u"55000100401f0000e803000001000000"_s << int(RecorderCode::UnsupportedFormat);
    QTest::newRow("an earlier call in the way") << Gsm << int(RecorderCode::CantOpenFile);
}

void tst_AudioEngineRecorder::refuses_what_it_cannot_record()
{
    QFETCH(QString, format);
    QFETCH(int, code);
    const bool earlierCall = code == RecorderCode::CantOpenFile;
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    const QByteArray earlier = TestFiles::noise(1, 5000);
    QVERIFY(!earlierCall || TestFiles::write(path, earlier));
    AudioEngine engine;
    engine.setRecordFormat(format);
    // The window listens first. A file that could not be made leaves nothing to record into:
    // no silent metering that looks like a call being recorded.
    QCOMPARE(engine.OpenInput(), qint16(earlierCall ? 0 : code));
    engine.setPaused(true);
    QCOMPARE(engine.Record(), qint16(earlierCall ? 0 : RecorderCode::WrongState));
    engine.Stop();
    engine.setPaused(false);
    QCOMPARE(engine.OpenRecordFile(path), qint16(code));
    QCOMPARE(engine.Record(), qint16(RecorderCode::WrongState));
    QCOMPARE(TestFiles::read(path), earlierCall ? earlier : "<missing>");
}

// Listening keeps the line's last seconds; a call's file begins with them. Here 0.5 s of
// quiet, a 1 s tone, 0.3 s of quiet, and then the call starts, for 0.5 s.
void tst_AudioEngineRecorder::begins_with_the_line_before_the_call_data()
{
    QTest::addColumn<double>("preRoll");
    QTest::addColumn<QString>("listening"); // format; the call is in PCM 8 kHz
    QTest::addColumn<double>("kept");       // seconds of pre-roll in the file
    QTest::addColumn<double>("tone");       // seconds of the tone among them
    const QString pcm = WaveFormat::pcm(8000).toHex();
    QTest::newRow("off") << 0.0 << pcm << 0.0 << 0.0;
    QTest::newRow("all the listening, not yet full") << 5.0 << pcm << 1.8 << 1.0;
    QTest::newRow("full: the last second only") << 1.0 << pcm << 1.0 << 0.7;
    QTest::newRow("listening in another format") << 5.0 << WaveFormat::pcm(16000).toHex() << 0.0 << 0.0;
}

void tst_AudioEngineRecorder::begins_with_the_line_before_the_call()
{
    QFETCH(double, preRoll);
    QFETCH(QString, listening);
    QFETCH(double, kept);
    QFETCH(double, tone);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    const QString played = m_dir.filePath(u"second.wav"_s);
    QVERIFY(makeTone(played, 8000, 16, 1, 1.0));
    AudioEngine recorder, player;
    recorder.setPreRoll(preRoll);
    recorder.setRecordFormat(listening);
    QCOMPARE(recorder.OpenInput(), qint16(0));
    recorder.setPaused(true);
    QCOMPARE(recorder.Record(), qint16(0));
    QTest::qWait(500);
    QCOMPARE(player.Open(played), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    QVERIFY(QTest::qWaitFor([&] { return player.State() != 3; }, 5000));
    QTest::qWait(300);
    recorder.Stop();
    recorder.setPaused(false);
    recorder.setRecordFormat(WaveFormat::pcm(8000).toHex());
    QCOMPARE(recorder.OpenRecordFile(path), qint16(0));
    QCOMPARE(recorder.Record(), qint16(0));
    QTest::qWait(500);
    recorder.Stop();
    QVERIFY2(std::fabs(recorder.PreRollSeconds() - kept) < 0.25, qPrintable(QString::number(recorder.PreRollSeconds())));
    QCOMPARE(recorder.Close(), qint16(0));
    const Samples s = read(path);
    QVERIFY2(std::fabs(s.seconds() - kept - 0.5) < 0.25, qPrintable(QString::number(s.seconds())));
    const Span span = signalSpan(s);
    QVERIFY2(std::fabs(std::max(span.length(), 0.0) - tone) < 0.25, qPrintable(QString::number(span.length())));
}

void tst_AudioEngineRecorder::cut_off_mid_call_leaves_a_playable_file_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("cut");
    QTest::addColumn<QStringList>("printed"); // by the child, to its end
    const QString pcm = WaveFormat::pcm(8000).toHex();
    const QStringList killed{u"recording"_s, u"crashed"_s};
    const auto stopped = [](int code) { return QStringList{u"recording"_s, u"stopped 1"_s, u"close %1"_s.arg(code)}; };
    QTest::newRow("gsm, process killed") << Gsm << u"kill"_s << killed;
    QTest::newRow("pcm, process killed") << pcm << u"kill"_s << killed;
    // A USB headset unplugged, say. Capture stops by itself; the code comes with Close.
    QTest::newRow("pcm, sound server gone") << pcm << u"server"_s << stopped(RecorderCode::RecordingError);
    QTest::newRow("gsm, disk full") << Gsm << u"disk"_s << stopped(RecorderCode::CantWrite);
    QTest::newRow("pcm, disk full") << pcm << u"disk"_s << stopped(RecorderCode::CantWrite);
    QTest::newRow("gsm, no sound server at all") << Gsm << u"none"_s << QStringList{u"open %1"_s.arg(RecorderCode::NoDevice)};
}

void tst_AudioEngineRecorder::cut_off_mid_call_leaves_a_playable_file()
{
    QFETCH(QString, hex);
    QFETCH(QString, cut);
    QFETCH(QStringList, printed);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    PrivateSoundServer server;
    QVERIFY(server.started);
    QTemporaryDir folder;
    // The calls disk: room for a few seconds only.
    const qint64 free = (format.isGsm() ? 1 : 8) * 4096;
    std::optional<FullDisk> disk; // the child's, from its start
    const QString path = folder.filePath(u"call.wav"_s);
    QProcessEnvironment environment = server.environment();
    if (cut == u"none")
        environment.insert(u"PULSE_SERVER"_s, u"unix:/nonexistent"_s);
    QProcess child;
    if (cut == u"disk")
        disk.emplace(free);
    const QString first = startChild(child, {u"record"_s, path, hex, u"60"_s}, environment);
    disk.reset();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(cut == u"kill" || cut == u"server" ? 3500 : 0);
    const double recorded = wall.elapsed() / 1000.0;
    if (cut == u"kill")
        ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(cut != u"server" || server.stop());
    const QStringList said = QStringList{first} + childEnds(child);
    QVERIFY2(said == printed, qPrintable(said.join(u" | "_s) + u"; its errors: "_s + QString::fromUtf8(child.readAllStandardError())));
    QVERIFY((cut == u"none") != QFile::exists(path)); // no empty file for a call that cannot be
    if (cut == u"none")
        return;
    // sox trusts the header: it covers all but the last second, or all that fitted. Unless
    // killed, the file ends with it: the write that failed half-way was taken back.
    const double fits = double(free - (format.isGsm() ? 60 : 44)) / format.bytesPerSecond();
    const bool full = cut == u"disk";
    const double most = full ? fits : recorded + 0.2, least = full ? fits - 0.25 : recorded - 1.0;
    const QString wrong = soxReadsAs(path, format, (most + least) / 2, (most - least) / 2, cut != u"kill");
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong + u" (%1 s to %2 s)"_s.arg(least).arg(most)));
}

// The server stops answering (SIGSTOP), then dies and comes back later: the engine says
// so, no call waits more than a moment on it, and it records again without a restart.
void tst_AudioEngineRecorder::the_server_hangs_dies_and_comes_back()
{
    const QString server = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const int pid = TestFiles::read(server + u"/pulse/pid"_s).trimmed().toInt();
    const QString tone = m_dir.filePath(u"hung.wav"_s), after = m_dir.filePath(u"after.wav"_s);
    QVERIFY(pid > 0 && makeTone(tone, 8000, 16, 1, 2.0));
    AudioEngine recorder, player;
    recorder.setRecordFormat(Gsm);
    QCOMPARE(recorder.OpenRecordFile(m_dir.filePath(u"during.wav"_s)), qint16(0));
    QCOMPARE(recorder.Record(), qint16(0));
    QCOMPARE(player.Open(tone), qint16(0));
    QVERIFY(::kill(pid, SIGSTOP) == 0);
    auto resume = qScopeGuard([&] { ::kill(pid, SIGCONT); });
    QTRY_COMPARE_WITH_TIMEOUT(recorder.State(), qint16(1), 7000);
    QElapsedTimer held;
    for (const auto &[call, code] : std::initializer_list<std::pair<std::function<qint16()>, qint16>>{
             {[&] { return recorder.Close(); }, RecorderCode::RecordingError},
             {[&] { return recorder.OpenInput(); }, RecorderCode::NoDevice},
             {[&] { return player.Play(); }, RecorderCode::CantStartPlayback},
             {[&] { return player.Close(); }, RecorderCode::Ok}}) {
        held.start();
        QCOMPARE(call(), code);
        QVERIFY2(held.elapsed() < 4000, qPrintable(QString::number(held.elapsed())));
    }
    // Arming retried against the hung server, as detection does: one capture thread at most,
    // and every try answers at once.
    for (int retry = 0; retry < 10; ++retry) {
        held.start();
        QCOMPARE(recorder.OpenInput(), qint16(RecorderCode::NoDevice));
        QVERIFY2(held.elapsed() < 1000, qPrintable(QString::number(held.elapsed())));
        QVERIFY2(CaptureWorker::threads() <= 1, qPrintable(QString::number(CaptureWorker::threads())));
        recorder.Close();
    }
    resume.dismiss();
    QVERIFY(::kill(pid, SIGCONT) == 0);
    QCOMPARE(player.Open(tone), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    QTRY_COMPARE_WITH_TIMEOUT(player.State(), qint16(2), 5000); // played to the end
    QCOMPARE(player.Close(), qint16(0));
    // Away for longer than a reconnect attempt or two.
    QVERIFY(soundServer(u"stop"_s, server));
    QTest::qWait(4000);
    QCOMPARE(recorder.OpenRecordFile(after), qint16(RecorderCode::NoDevice));
    QVERIFY(soundServer(u"start"_s, server));
    QCOMPARE(recorder.OpenRecordFile(after), qint16(0));
    QCOMPARE(recorder.Record(), qint16(0));
    QTest::qWait(1500);
    QCOMPARE(recorder.State(), qint16(3));
    recorder.Stop();
    QCOMPARE(recorder.Close(), qint16(0));
    const QString wrong = soxReadsAs(after, *WaveFormat::fromHex(Gsm), 1.5, 0.4);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

QTEST_GUILESS_MAIN(tst_AudioEngineRecorder)
#include "tst_AudioEngineRecorder.moc"
