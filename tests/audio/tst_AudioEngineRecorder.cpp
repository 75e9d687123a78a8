// The recorder against the test sound server: what the player plays into the line is
// what the recorder hears.
#include "AudioTestKit.h"
#include "TempSettingsRoots.h"

#include "audio/AudioEngine.h"
#include "base/RecorderCodes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cmath>
#include <csignal>
#include <optional>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

namespace {

const QString Gsm = u"31000100401f0000590600004100000002004001"_s;
constexpr double ToneDb = -9.03; // RMS of a sine at half full scale

struct Levels
{
    float a = 0, b = 0;
};

Levels levels(RecorderComponent &recorder)
{
    Levels l;
    qint16 spare = 0;
    recorder.GetLevels(l.a, spare, l.b, spare);
    return l;
}

// The arm-detection sequence of the main window.
void listen(RecorderComponent &recorder)
{
    recorder.Stop();
    recorder.Close();
    QCOMPARE(recorder.OpenInput(), qint16(0));
    recorder.setPaused(true);
    QCOMPARE(recorder.Record(), qint16(0));
    QCOMPARE(recorder.State(), qint16(2));
}

// The start-recording sequence.
void startRecording(RecorderComponent &recorder, const QString &path)
{
    recorder.Stop();
    recorder.setPaused(false);
    QCOMPARE(recorder.OpenRecordFile(path), qint16(0));
    QCOMPARE(recorder.Record(), qint16(0));
    QCOMPARE(recorder.State(), qint16(3));
}

void play(RecorderComponent &player, const QString &path)
{
    player.setOpenMode(1);
    player.setFileType(0);
    QCOMPARE(player.Open(path), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
}

bool playedOut(RecorderComponent &player, int timeoutMs = 10000)
{
    return waitFor([&] { return player.SamplePosition() >= player.SampleCount(); }, timeoutMs);
}

} // namespace

class tst_AudioEngineRecorder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void levels_read_back_data();
    void levels_read_back();
    void silence_reads_the_floor();
    void nothing_is_written_while_paused();
    void records_what_the_line_carries_data();
    void records_what_the_line_carries();
    void paused_time_does_not_count();
    void written_files_read_everywhere_data();
    void written_files_read_everywhere();
    void wrong_state_data();
    void wrong_state();
    void unsupported_formats_data();
    void unsupported_formats();
    void unusable_record_paths_data();
    void unusable_record_paths();
    void a_busy_ui_thread_loses_nothing();
    void killed_mid_call_leaves_a_playable_file_data();
    void killed_mid_call_leaves_a_playable_file();
    void a_failed_write_stops_capture_and_keeps_the_file_data();
    void a_failed_write_stops_capture_and_keeps_the_file();
    void a_lost_input_stops_capture_and_keeps_the_file();

private:
    QString tone(double seconds, double amplitude, int rate = 8000);

    QTemporaryDir m_dir;
};

void tst_AudioEngineRecorder::initTestCase()
{
    const QString problem = soundServerProblem();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QString tst_AudioEngineRecorder::tone(double seconds, double amplitude, int rate)
{
    const QString path = m_dir.filePath(u"tone-%1-%2-%3.wav"_s.arg(seconds).arg(amplitude).arg(rate));
    if (!QFile::exists(path) && !makeTone(path, rate, 16, 1, seconds, amplitude))
        return {};
    return path;
}

void tst_AudioEngineRecorder::levels_read_back_data()
{
    QTest::addColumn<double>("amplitude");
    QTest::newRow("-20 dB") << 0.1;
    QTest::newRow("-6 dB") << 0.5;
    QTest::newRow("-1 dB") << 0.891;
}

void tst_AudioEngineRecorder::levels_read_back()
{
    QFETCH(double, amplitude);
    const QString file = tone(3.0, amplitude);
    QVERIFY(!file.isEmpty());
    AudioEngine recorder, player;
    listen(recorder);
    play(player, file);

    // Wait for the tone, then read a poll that lies wholly inside it.
    QVERIFY(waitFor([&] { return levels(recorder).a > -40; }, 5000));
    QTest::qWait(250);
    levels(recorder);
    QTest::qWait(250);
    const Levels l = levels(recorder);
    const double peak = 20 * std::log10(amplitude);
    QVERIFY2(std::fabs(l.a - peak) < 0.5, qPrintable(u"A %1, expected %2"_s.arg(l.a).arg(peak)));
    QVERIFY2(std::fabs(l.b - (peak - 3.01)) < 0.5, qPrintable(u"B %1"_s.arg(l.b)));
    QCOMPARE(recorder.Position(), 0.0); // listening writes nothing
}

void tst_AudioEngineRecorder::silence_reads_the_floor()
{
    AudioEngine recorder;
    Levels closed = levels(recorder);
    QCOMPARE(closed.a, -100.0f);
    QCOMPARE(closed.b, -100.0f);
    listen(recorder);
    QTest::qWait(400);
    levels(recorder);
    QTest::qWait(250);
    const Levels l = levels(recorder);
    QCOMPARE(l.a, -100.0f);
    QCOMPARE(l.b, -100.0f);
}

void tst_AudioEngineRecorder::nothing_is_written_while_paused()
{
    const QString path = m_dir.filePath(u"paused-throughout.wav"_s);
    AudioEngine recorder, player;
    QCOMPARE(recorder.OpenRecordFile(path), qint16(0));
    recorder.setPaused(true);
    QCOMPARE(recorder.Record(), qint16(0));
    QCOMPARE(recorder.State(), qint16(2));
    play(player, tone(2.0, 0.5));
    QVERIFY(waitFor([&] { return levels(recorder).a > -10; }, 5000)); // still metered
    QCOMPARE(recorder.Position(), 0.0);
    recorder.Stop();
    QCOMPARE(recorder.Close(), qint16(0));
    const SoxInfo sox = soxInfo(path);
    QVERIFY(sox.ok);
    QCOMPARE(sox.seconds, 0.0);
}

void tst_AudioEngineRecorder::records_what_the_line_carries_data()
{
    QTest::addColumn<QString>("format"); // how the window sets it
    QTest::addColumn<QString>("codec");
    QTest::newRow("gsm") << u"gsm"_s << u"gsm_ms"_s;
    QTest::newRow("pcm option") << u"pcm"_s << u"pcm_s16le"_s;
    QTest::newRow("default") << QString() << u"pcm_s16le"_s;
}

void tst_AudioEngineRecorder::records_what_the_line_carries()
{
    QFETCH(QString, format);
    QFETCH(QString, codec);
    const QString file = tone(2.0, 0.5);
    const QString path = m_dir.filePath(u"call-"_s + QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    AudioEngine recorder, player;
    if (format == u"gsm") {
        recorder.setRecordOption(AudioEngine::OptionGsm);
        recorder.setRecordFormat(Gsm);
    } else if (format == u"pcm") {
        recorder.setPcmRate(8000);
        recorder.setRecordOption(AudioEngine::OptionPcm);
    }
    listen(recorder);
    QTest::qWait(300);

    startRecording(recorder, path);
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(500);
    play(player, file);
    QVERIFY(playedOut(player));
    QTest::qWait(500);
    const double position = recorder.Position();
    recorder.Stop();
    const double elapsed = wall.elapsed() / 1000.0;
    QVERIFY(recorder.State() < 2);
    QCOMPARE(recorder.Close(), qint16(0));

    const ProbeInfo ff = probe(path);
    QCOMPARE(ff.codec, codec);
    QVERIFY2(std::fabs(ff.seconds - elapsed) < 0.2, qPrintable(u"%1 s for %2 s"_s.arg(ff.seconds).arg(elapsed)));
    QVERIFY2(std::fabs(position - ff.seconds) < 0.2, qPrintable(u"Position %1"_s.arg(position)));
    const Samples s = read(path);
    QVERIFY(s.ok);
    const Span span = signalSpan(s);
    QVERIFY2(std::fabs(span.length() - 2.0) < 0.2, qPrintable(u"tone for %1 s"_s.arg(span.length())));
    const double level = rmsDb(s, span.start + 0.2, span.end - 0.2);
    QVERIFY2(std::fabs(level - ToneDb) < 1.0, qPrintable(u"level %1 dB"_s.arg(level)));
}

void tst_AudioEngineRecorder::paused_time_does_not_count()
{
    const QString path = m_dir.filePath(u"with-pause.wav"_s);
    AudioEngine recorder;
    listen(recorder);
    startRecording(recorder, path);
    QTest::qWait(1000);
    recorder.setPaused(true);
    QCOMPARE(recorder.State(), qint16(2));
    const double atPause = recorder.Position();
    QTest::qWait(1000);
    QVERIFY(recorder.Position() - atPause < 0.25); // what was on its way to the disk
    recorder.setPaused(false);
    QTest::qWait(1000);
    recorder.Stop();
    const double position = recorder.Position();
    QCOMPARE(recorder.Close(), qint16(0));
    QVERIFY2(std::fabs(position - 2.0) < 0.25, qPrintable(QString::number(position)));
    const SoxInfo sox = soxInfo(path);
    QVERIFY(std::fabs(sox.seconds - position) < 0.05);
}

void tst_AudioEngineRecorder::written_files_read_everywhere_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("gsm") << Gsm;
    QTest::newRow("pcm 8k 16 mono") << u"01000100401f0000803e000002001000"_s;
    QTest::newRow("pcm 8k 8 mono") << u"01000100401f0000401f000001000800"_s;
    QTest::newRow("pcm 44.1k 16 stereo") << u"0100020044ac000010b10200040010000000"_s;
    QTest::newRow("pcm 48k 24 mono") << u"0100010080bb000080320200030018000000"_s;
}

void tst_AudioEngineRecorder::written_files_read_everywhere()
{
    QFETCH(QString, hex);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    const QString path = m_dir.filePath(u"written-"_s + QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    AudioEngine recorder, player;
    recorder.setRecordFormat(hex);
    listen(recorder);
    startRecording(recorder, path);
    play(player, tone(1.0, 0.5));
    QVERIFY(playedOut(player));
    QTest::qWait(300);
    recorder.Stop();
    const double position = recorder.Position();
    QCOMPARE(recorder.Close(), qint16(0));
    QVERIFY(position > 1.0);

    const QString wrong = readsEverywhereAs(path, format, position, format.isGsm() ? 0.041 : 0.001);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    if (format.isGsm())
        QCOMPARE(fmtChunkHex(path), Gsm);
    // The tone went through whatever the rate and width.
    const Samples s = read(path);
    const Span span = signalSpan(s);
    QVERIFY(std::fabs(rmsDb(s, span.start + 0.2, span.end - 0.2) - ToneDb) < 1.0);
}

void tst_AudioEngineRecorder::wrong_state_data()
{
    // Each row: a sequence of members; the last one must answer 7.
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Record with nothing open") << QStringList{u"Record"_s};
    QTest::newRow("Record twice") << QStringList{u"OpenInput"_s, u"Record"_s, u"Record"_s};
    QTest::newRow("OpenInput while recording") << QStringList{u"OpenRecordFile"_s, u"Record"_s, u"OpenInput"_s};
    QTest::newRow("OpenRecordFile while recording") << QStringList{u"OpenRecordFile"_s, u"Record"_s, u"OpenRecordFile"_s};
    QTest::newRow("second OpenRecordFile") << QStringList{u"OpenRecordFile"_s, u"OpenRecordFile"_s};
    QTest::newRow("Record after Close") << QStringList{u"OpenInput"_s, u"Record"_s, u"Close"_s, u"Record"_s};
    QTest::newRow("Open while listening") << QStringList{u"OpenInput"_s, u"Record"_s, u"Open"_s};
    QTest::newRow("OpenInput while playing") << QStringList{u"Open"_s, u"OpenInput"_s};
    QTest::newRow("Play with nothing open") << QStringList{u"Play"_s};
    // A record file that could not be made leaves nothing to record into: no silent metering.
    QTest::newRow("Record after a failed OpenRecordFile") << QStringList{u"OpenInput"_s, u"Record"_s, u"Stop"_s, u"OpenRecordFile!"_s, u"Record"_s};
}

void tst_AudioEngineRecorder::wrong_state()
{
    QFETCH(QStringList, calls);
    QTemporaryDir dir;
    const QString existing = dir.filePath(u"existing.wav"_s);
    QVERIFY(makeTone(existing, 8000, 16, 1, 0.5, 0.1));
    AudioEngine engine;
    qint16 last = 0;
    int n = 0;
    for (qsizetype i = 0; i < calls.size(); ++i) {
        const QString &call = calls[i];
        if (call == u"Record")
            last = engine.Record();
        else if (call == u"OpenInput")
            last = engine.OpenInput();
        else if (call == u"OpenRecordFile")
            last = engine.OpenRecordFile(dir.filePath(u"new-%1.wav"_s.arg(++n)));
        else if (call == u"OpenRecordFile!")
            last = engine.OpenRecordFile(existing);
        else if (call == u"Open")
            last = engine.Open(existing);
        else if (call == u"Play")
            last = engine.Play();
        else if (call == u"Close")
            last = engine.Close();
        else if (call == u"Stop")
            engine.Stop();
        if (i + 1 < calls.size() && call != u"OpenRecordFile!")
            QCOMPARE(last, qint16(0));
    }
    QCOMPARE(last, qint16(RecorderCode::WrongState));
    engine.Stop();
    engine.Close();
}

void tst_AudioEngineRecorder::unsupported_formats_data()
{
    QTest::addColumn<QString>("setting");
    QTest::newRow("garbage text") << u"format:not a format"_s;
    QTest::newRow("mp3 tag") << u"format:55000100401f0000e803000001000000"_s;
    QTest::newRow("unknown option") << u"option:7"_s;
    QTest::newRow("pcm rate 0") << u"rate:0"_s;
}

void tst_AudioEngineRecorder::unsupported_formats()
{
    QFETCH(QString, setting);
    const QString kind = setting.section(u':', 0, 0), value = setting.section(u':', 1);
    AudioEngine engine;
    if (kind == u"format") {
        engine.setRecordFormat(value);
    } else if (kind == u"option") {
        engine.setRecordOption(qint16(value.toInt()));
    } else {
        engine.setRecordOption(AudioEngine::OptionPcm);
        engine.setPcmRate(qint16(value.toInt()));
    }
    const QString path = m_dir.filePath(u"unsupported.wav"_s);
    QCOMPARE(engine.OpenInput(), qint16(RecorderCode::UnsupportedFormat));
    QCOMPARE(engine.OpenRecordFile(path), qint16(RecorderCode::UnsupportedFormat));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(engine.Record(), qint16(RecorderCode::WrongState));
    // A good format makes the same engine usable again.
    engine.setRecordFormat(Gsm);
    QCOMPARE(engine.OpenInput(), qint16(0));
    QCOMPARE(engine.Close(), qint16(0));
}

void tst_AudioEngineRecorder::unusable_record_paths_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("an earlier call") << u"existing"_s;
    QTest::newRow("read-only folder") << u"read-only"_s;
    QTest::newRow("missing folder") << u"missing"_s;
    QTest::newRow("a folder") << u"folder"_s;
}

void tst_AudioEngineRecorder::unusable_record_paths()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath(u"20240301-091500-ann.wav"_s);
    QByteArray before;
    if (kind == u"existing") {
        QVERIFY(makeTone(path, 8000, 16, 1, 1.0, 0.5));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        before = f.readAll();
    } else if (kind == u"read-only") {
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                      | QFileDevice::ReadOther | QFileDevice::ExeOther));
    } else if (kind == u"missing") {
        path = dir.filePath(u"no/such/folder/call.wav"_s);
    } else {
        path = dir.path();
    }
    AudioEngine engine;
    {
        // As root, folder permissions would not apply (nor would they stop anyone
        // overwriting the earlier call, which must fail all the same).
        std::optional<AsUnprivilegedUser> nobody;
        if (kind == u"read-only")
            nobody.emplace();
        QCOMPARE(engine.OpenRecordFile(path), qint16(RecorderCode::CantOpenFile));
    }
    QCOMPARE(engine.State(), qint16(0));
    QCOMPARE(engine.Record(), qint16(RecorderCode::WrongState));
    if (kind == u"existing") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    } else if (kind != u"folder") {
        QVERIFY(!QFile::exists(path));
    }
}

void tst_AudioEngineRecorder::a_busy_ui_thread_loses_nothing()
{
    // The user-interface thread is stuck for 10 s in the middle of a call (a search of a
    // slow network disk, say). Capture, the writer and the player go on without it.
    const QString file = tone(13.0, 0.5);
    const QString path = m_dir.filePath(u"busy.wav"_s);
    AudioEngine recorder, player;
    listen(recorder);
    startRecording(recorder, path);
    QElapsedTimer wall;
    wall.start();
    play(player, file);
    QVERIFY(waitFor([&] { return player.SamplePosition() > 4000; }, 5000));
    QThread::sleep(10); // no events, no polls
    QVERIFY(playedOut(player));
    QTest::qWait(300);
    recorder.Stop();
    const double elapsed = wall.elapsed() / 1000.0;
    QCOMPARE(recorder.Close(), qint16(0));

    const Samples s = read(path);
    QVERIFY(s.ok);
    QVERIFY2(std::fabs(s.seconds() - elapsed) < 0.2, qPrintable(u"%1 s for %2 s"_s.arg(s.seconds()).arg(elapsed)));
    const Span span = signalSpan(s);
    QVERIFY2(std::fabs(span.length() - 13.0) < 0.2, qPrintable(QString::number(span.length())));
    // A dropped buffer would leave a quiet hole in the tone.
    const double quietest = quietestWindowDb(s, span.start + 0.1, span.end - 0.1);
    QVERIFY2(quietest > ToneDb - 1.0, qPrintable(u"quietest 100 ms: %1 dB"_s.arg(quietest)));
}

void tst_AudioEngineRecorder::killed_mid_call_leaves_a_playable_file_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("gsm") << Gsm;
    QTest::newRow("pcm") << WaveFormat::pcm(8000).toHex();
}

void tst_AudioEngineRecorder::killed_mid_call_leaves_a_playable_file()
{
    QFETCH(QString, hex);
    const QString path = m_dir.filePath(u"killed-"_s + QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    QProcess child;
    QCOMPARE(startChild(child, {u"record"_s, path, hex, u"60"_s}), u"recording"_s);
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(3500);
    ::kill(pid_t(child.processId()), SIGKILL);
    const double recorded = wall.elapsed() / 1000.0;
    QVERIFY(child.waitForFinished(5000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    // sox trusts the header: it must cover all but the last second.
    const SoxInfo sox = soxInfo(path);
    QVERIFY(sox.ok);
    QVERIFY2(sox.seconds >= recorded - 1.0 && sox.seconds <= recorded + 0.2,
             qPrintable(u"%1 s of %2 s"_s.arg(sox.seconds).arg(recorded)));
    QVERIFY(soxDecodes(path));
    QVERIFY(probe(path).ok);
}

void tst_AudioEngineRecorder::a_failed_write_stops_capture_and_keeps_the_file_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("gsm") << Gsm;
    QTest::newRow("pcm") << WaveFormat::pcm(8000).toHex();
}

void tst_AudioEngineRecorder::a_failed_write_stops_capture_and_keeps_the_file()
{
    // The calls disk fills up in the middle of a call: a 64 KiB filesystem.
    QFETCH(QString, hex);
    QTemporaryDir folder;
    SmallDisk disk(folder.path(), 64 * 1024);
    if (!disk.mounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");
    // Most of it is taken already: a few seconds of audio fill the rest.
    const qint64 free = (hex == Gsm ? 1 : 8) * 4096;
    QVERIFY(disk.leaveRoom(free));

    const WaveFormat format = *WaveFormat::fromHex(hex);
    const QString path = folder.filePath(u"call.wav"_s);
    AudioEngine recorder;
    recorder.setRecordFormat(hex);
    listen(recorder);
    startRecording(recorder, path);
    // Capture stops by itself once the disk is full; the code comes with Close.
    QVERIFY(waitFor([&] { return recorder.State() < 2; }, 10000));
    QCOMPARE(recorder.State(), qint16(1));
    const Levels after = levels(recorder);
    QCOMPARE(after.a, -100.0f);
    const double position = recorder.Position();
    recorder.Stop();
    QCOMPARE(recorder.Close(), qint16(RecorderCode::CantWrite));

    // Everything that reached the disk before it filled is there, and plays.
    const int header = format.isGsm() ? 60 : 44;
    const double fits = double(free - header) / format.bytesPerSecond();
    QVERIFY(endsWhereHeaderSays(path));
    const SoxInfo sox = soxInfo(path);
    QVERIFY(sox.ok);
    QVERIFY2(sox.seconds > fits - 0.25 && sox.seconds <= fits,
             qPrintable(u"%1 s, %2 s fit"_s.arg(sox.seconds).arg(fits)));
    QVERIFY(std::fabs(position - sox.seconds) < 0.001);
    QVERIFY(soxDecodes(path));
    const ProbeInfo ff = probe(path);
    QVERIFY(ff.ok);
    QVERIFY(std::fabs(ff.seconds - sox.seconds) < 0.001);
}

void tst_AudioEngineRecorder::a_lost_input_stops_capture_and_keeps_the_file()
{
    // The sound server goes away under a recording, as a USB headset is unplugged.
    PrivateSoundServer server;
    QVERIFY(server.started());
    const QString path = m_dir.filePath(u"unplugged.wav"_s);
    QProcess child;
    QCOMPARE(startChild(child, {u"record"_s, path, WaveFormat::pcm(8000).toHex(), u"10"_s},
                        server.environment()),
             u"recording"_s);
    QTest::qWait(1500);
    QVERIFY(server.stop());
    QCOMPARE(childEnds(child), QStringList({u"stopped 1"_s, u"close %1"_s.arg(RecorderCode::RecordingError)}));

    QVERIFY(endsWhereHeaderSays(path));
    const SoxInfo sox = soxInfo(path);
    QVERIFY(sox.ok);
    QVERIFY2(sox.seconds > 1.0 && sox.seconds < 2.0, qPrintable(QString::number(sox.seconds)));
    QVERIFY(soxDecodes(path));
}

QTEST_GUILESS_MAIN(tst_AudioEngineRecorder)
#include "tst_AudioEngineRecorder.moc"
