// The player against the test sound server, with files made by sox, ffmpeg and lame.
#include "AudioTestKit.h"

#include "audio/AudioEngine.h"
#include "base/RecorderCodes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

class tst_AudioEnginePlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opens_other_programs_files_data();
    void opens_other_programs_files();
    void plays_to_the_end();
    void pause_holds_the_position();
    void position_moves_the_play_data();
    void position_moves_the_play();
    void refuses_what_it_cannot_play_data();
    void refuses_what_it_cannot_play();
    void close_forgets_the_file();
    void a_lost_output_ends_the_play();

private:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString tone(int rate, int bits, int channels, double seconds);

    QTemporaryDir m_dir;
};

void tst_AudioEnginePlayer::initTestCase()
{
    const QString problem = soundServerProblem();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QString tst_AudioEnginePlayer::tone(int rate, int bits, int channels, double seconds)
{
    const QString path = file(u"sox-%1-%2-%3-%4.wav"_s.arg(rate).arg(bits).arg(channels).arg(seconds));
    if (!QFile::exists(path) && !makeTone(path, rate, bits, channels, seconds, 0.5))
        return {};
    return path;
}

void tst_AudioEnginePlayer::opens_other_programs_files_data()
{
    QTest::addColumn<QString>("maker"); // sox, ffmpeg-gsm, ffmpeg-mp3, lame
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("description");

    QTest::newRow("sox 8k 16") << u"sox"_s << 8000 << 16 << 1 << u"PCM 8.000 kHz, 16 Bit, Mono"_s;
    QTest::newRow("sox 8k 8") << u"sox"_s << 8000 << 8 << 1 << u"PCM 8.000 kHz, 8 Bit, Mono"_s;
    QTest::newRow("sox 16k 16") << u"sox"_s << 16000 << 16 << 1 << u"PCM 16.000 kHz, 16 Bit, Mono"_s;
    QTest::newRow("sox 16k 8") << u"sox"_s << 16000 << 8 << 1 << u"PCM 16.000 kHz, 8 Bit, Mono"_s;
    QTest::newRow("sox 44.1k 16 stereo") << u"sox"_s << 44100 << 16 << 2 << u"PCM 44.100 kHz, 16 Bit, Stereo"_s;
    QTest::newRow("sox 44.1k 8") << u"sox"_s << 44100 << 8 << 1 << u"PCM 44.100 kHz, 8 Bit, Mono"_s;
    QTest::newRow("ffmpeg gsm_ms") << u"ffmpeg-gsm"_s << 8000 << 0 << 1 << u"GSM 6.10 8.000 kHz, Mono"_s;
    QTest::newRow("ffmpeg mp3") << u"ffmpeg-mp3"_s << 44100 << 0 << 2 << u"MPEG Layer-3 44.100 kHz, Stereo"_s;
    QTest::newRow("lame mp3") << u"lame"_s << 44100 << 0 << 1 << u"MPEG Layer-3 44.100 kHz, Mono"_s;
}

void tst_AudioEnginePlayer::opens_other_programs_files()
{
    QFETCH(QString, maker);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, channels);
    QFETCH(QString, description);
    const double seconds = 2.0;
    QString path = tone(rate, bits ? bits : 16, channels, seconds);
    QVERIFY(!path.isEmpty());
    qint16 type = 0;
    if (maker == u"ffmpeg-gsm") {
        const QString out = file(u"ffmpeg-gsm.wav"_s);
        QVERIFY(makeGsmWithFfmpeg(out, path));
        path = out;
    } else if (maker == u"ffmpeg-mp3") {
        const QString out = file(u"ffmpeg.mp3"_s);
        QVERIFY(makeMp3WithFfmpeg(out, path));
        path = out;
        type = 2;
    } else if (maker == u"lame") {
        const QString out = file(u"lame.mp3"_s);
        QVERIFY(makeMp3WithLame(out, path));
        path = out;
        type = 2;
    }

    AudioEngine player;
    player.setOpenMode(1);
    player.setFileType(type);
    QCOMPARE(player.Open(path), qint16(0));
    QCOMPARE(player.State(), qint16(2));
    QCOMPARE(player.FileName(), path);
    QString text;
    player.GetFormatDescription(text);
    QCOMPARE(text, description);
    // MP3 frames carry encoder delay and padding; WAV is exact (GSM to its 320-sample block).
    const double slack = type == 2 ? 0.06 : maker == u"ffmpeg-gsm" ? 0.041 : 0.0;
    QVERIFY2(std::fabs(player.Length() - seconds) <= slack, qPrintable(QString::number(player.Length())));
    QVERIFY(std::abs(player.SampleCount() - qint32(seconds * rate)) <= qint32(slack * rate));
    QCOMPARE(player.SamplePosition(), 0);

    // And it plays: the position moves on.
    QCOMPARE(player.Play(), qint16(0));
    QVERIFY(waitFor([&] { return player.Position() > 0.3; }, 5000));
    player.Stop();
    QCOMPARE(player.Close(), qint16(0));
}

void tst_AudioEnginePlayer::plays_to_the_end()
{
    AudioEngine player;
    QCOMPARE(player.Open(tone(8000, 16, 1, 1.5)), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    QCOMPARE(player.State(), qint16(3));
    QElapsedTimer wall;
    wall.start();
    QVERIFY(waitFor([&] { return player.SamplePosition() >= player.SampleCount(); }, 8000));
    // It took the file's own time, no less: the end is what was heard, not what was read.
    QVERIFY2(wall.elapsed() >= 1400, qPrintable(QString::number(wall.elapsed())));
    QCOMPARE(player.SamplePosition(), player.SampleCount());
    QCOMPARE(player.Position(), player.Length());
    QCOMPARE(player.State(), qint16(2));
    // Play again goes from the start.
    QCOMPARE(player.Play(), qint16(0));
    QVERIFY(player.SamplePosition() < player.SampleCount());
    QCOMPARE(player.Close(), qint16(0));
}

void tst_AudioEnginePlayer::pause_holds_the_position()
{
    AudioEngine player;
    QCOMPARE(player.Open(tone(8000, 16, 1, 4.0)), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    QVERIFY(waitFor([&] { return player.Position() > 0.5; }, 5000));
    player.setPaused(true);
    QVERIFY(player.Paused());
    QCOMPARE(player.State(), qint16(2));
    const double held = player.Position();
    QTest::qWait(600);
    QCOMPARE(player.Position(), held);
    player.setPaused(false);
    QVERIFY(waitFor([&] { return player.Position() > held + 0.3; }, 5000));
    QVERIFY(player.Position() < held + 1.5); // went on from where it was, not from later
    player.Close();
}

void tst_AudioEnginePlayer::position_moves_the_play_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("playing");
    for (const char *kind : {"pcm", "gsm", "mp3"}) {
        QTest::addRow("%s paused", kind) << QString::fromLatin1(kind) << false;
        QTest::addRow("%s playing", kind) << QString::fromLatin1(kind) << true;
    }
}

void tst_AudioEnginePlayer::position_moves_the_play()
{
    QFETCH(QString, kind);
    QFETCH(bool, playing);
    QString path = tone(8000, 16, 1, 4.0);
    qint16 type = 0;
    if (kind == u"gsm") {
        // GSM 6.10 cannot seek in libsndfile: the player decodes its way there.
        const QString out = file(u"seek-gsm.wav"_s);
        QVERIFY(QFile::exists(out) || makeGsmWithFfmpeg(out, path));
        path = out;
    } else if (kind == u"mp3") {
        const QString out = file(u"seek.mp3"_s);
        QVERIFY(QFile::exists(out) || makeMp3WithLame(out, path));
        path = out;
        type = 2;
    }
    AudioEngine player;
    player.setFileType(type);
    QCOMPARE(player.Open(path), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    if (!playing)
        player.setPaused(true);
    player.setPosition(2.5);
    if (!playing) {
        QCOMPARE(player.Position(), 2.5);
        QCOMPARE(player.SamplePosition(), 20000);
    } else {
        QVERIFY(waitFor([&] { return player.Position() > 2.6; }, 5000));
    }
    // Back again, also in a codec that only reads forwards.
    player.setPosition(1.0);
    if (!playing)
        QCOMPARE(player.Position(), 1.0);
    else
        QVERIFY(waitFor([&] { return player.Position() > 1.05 && player.Position() < 2.0; }, 5000));
    player.setPosition(-30);
    QVERIFY(player.Position() < 0.3);
    player.setPosition(999);
    if (!playing)
        QCOMPARE(player.Position(), player.Length());
    else
        QVERIFY(waitFor([&] { return player.SamplePosition() >= player.SampleCount(); }, 5000));
    QCOMPARE(player.Close(), qint16(0));
}

void tst_AudioEnginePlayer::refuses_what_it_cannot_play_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("fileType");
    QTest::addColumn<int>("code");
    QTest::newRow("text named .wav") << u"text"_s << 0 << int(RecorderCode::NotWave);
    QTest::newRow("wav taken for mp3") << u"wav"_s << 2 << int(RecorderCode::NotWave);
    QTest::newRow("mp3 taken for wav") << u"mp3"_s << 0 << int(RecorderCode::NotWave);
    QTest::newRow("missing file") << u"missing"_s << 0 << int(RecorderCode::CantOpenFile);
    QTest::newRow("empty file") << u"empty"_s << 0 << int(RecorderCode::NotWave);
}

void tst_AudioEnginePlayer::refuses_what_it_cannot_play()
{
    QFETCH(QString, kind);
    QFETCH(int, fileType);
    QFETCH(int, code);
    QString path = file(kind + u".wav"_s);
    if (kind == u"text" || kind == u"empty") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == u"text")
            f.write("Call Bob back about the invoice.\r\n");
    } else if (kind == u"wav") {
        path = tone(8000, 16, 1, 0.5);
    } else if (kind == u"mp3") {
        path = file(u"for-wav.mp3"_s);
        QVERIFY(makeMp3WithLame(path, tone(8000, 16, 1, 0.5)));
    }
    AudioEngine player;
    player.setOpenMode(1);
    player.setFileType(qint16(fileType));
    QCOMPARE(player.Open(path), qint16(code));
    QCOMPARE(player.State(), qint16(0));
    QCOMPARE(player.SampleCount(), 0);
    QCOMPARE(player.FileName(), QString());
    QCOMPARE(player.Play(), qint16(RecorderCode::WrongState));
}

void tst_AudioEnginePlayer::close_forgets_the_file()
{
    AudioEngine player;
    const QString path = tone(8000, 16, 1, 1.0);
    QCOMPARE(player.Open(path), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    player.setPaused(true);
    QCOMPARE(player.Close(), qint16(0));
    QCOMPARE(player.State(), qint16(0));
    QCOMPARE(player.FileName(), QString());
    QVERIFY(!player.Paused());
    QString text = u"stale"_s;
    player.GetFormatDescription(text);
    QVERIFY(text.isEmpty());
    // The file is free again: the delete routine removes it right after Close.
    QVERIFY(QFile::remove(path));
}

void tst_AudioEnginePlayer::a_lost_output_ends_the_play()
{
    // The sound server goes away in the middle of a playback.
    PrivateSoundServer server;
    QVERIFY(server.started());
    QProcess child;
    QCOMPARE(startChild(child, {u"play"_s, tone(8000, 16, 1, 10.0), u"10"_s}, server.environment()),
             u"playing"_s);
    QTest::qWait(1000);
    QVERIFY(server.stop());
    QCOMPARE(childEnds(child), QStringList({u"stopped 2"_s, u"close %1"_s.arg(RecorderCode::PlaybackError)}));
}

QTEST_GUILESS_MAIN(tst_AudioEnginePlayer)
#include "tst_AudioEnginePlayer.moc"
