// The player against the test sound server, with files made by sox and lame.
#include "AudioTestKit.h"

#include "audio/AudioEngine.h"
#include "base/RecorderCodes.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

class tst_AudioEnginePlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(soundServerProblem().isEmpty(), qPrintable(soundServerProblem())); }
    void opens_and_seeks_other_programs_files_data();
    void opens_and_seeks_other_programs_files();
    void refuses_what_it_cannot_play_data();
    void refuses_what_it_cannot_play();
    void a_lost_output_ends_the_play();

private:
    // A file of `seconds` of tone: sox's WAV (bits 0 for GSM 6.10), or lame's MP3 (bits -1).
    QString tone(int rate, int bits, int channels, double seconds)
    {
        const QString wav = m_dir.filePath(u"%1-%2-%3-%4.wav"_s.arg(rate).arg(bits).arg(channels).arg(seconds)), mp3 = wav + u".mp3"_s;
        if (!makeTone(wav, rate, bits < 0 ? 16 : bits, channels, seconds))
            return {};
        return bits >= 0 ? wav : run(u"lame"_s, {u"--quiet"_s, u"-b"_s, u"64"_s, wav, mp3}).isNull() ? QString() : mp3;
    }
    QTemporaryDir m_dir;
};

void tst_AudioEnginePlayer::opens_and_seeks_other_programs_files_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("description");
    QTest::newRow("8k 16") << 8000 << 16 << 1 << u"PCM 8.000 kHz, 16 Bit, Mono"_s;
    QTest::newRow("16k 8") << 16000 << 8 << 1 << u"PCM 16.000 kHz, 8 Bit, Mono"_s;
    QTest::newRow("44.1k 16 stereo") << 44100 << 16 << 2 << u"PCM 44.100 kHz, 16 Bit, Stereo"_s;
    // GSM 6.10 and MP3 cannot seek: the player decodes its way there.
    QTest::newRow("gsm") << 8000 << 0 << 1 << u"GSM 6.10 8.000 kHz, Mono"_s;
    QTest::newRow("mp3") << 44100 << -1 << 1 << u"MPEG Layer-3 44.100 kHz, Mono"_s;
}

void tst_AudioEnginePlayer::opens_and_seeks_other_programs_files()
{
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, channels);
    QFETCH(QString, description);
    AudioEngine player;
    player.setFileType(bits < 0 ? 2 : 0);
    QCOMPARE(player.Open(tone(rate, bits, channels, 3.0)), qint16(0));
    QString text;
    player.GetFormatDescription(text);
    QCOMPARE(text, description);
    // MP3 frames carry encoder delay and padding; WAV is exact (GSM to its 320-sample block).
    const double slack = bits < 0 ? 0.06 : bits == 0 ? 0.041 : 0.0;
    QVERIFY2(std::fabs(player.Length() - 3.0) <= slack, qPrintable(QString::number(player.Length())));
    QVERIFY(std::abs(player.SampleCount() - 3 * rate) <= qint32(slack * rate));

    QCOMPARE(player.Play(), qint16(0));
    player.setPaused(true);
    player.setPosition(2.5);
    QTest::qWait(300);
    QCOMPARE(player.SamplePosition(), qint32(2.5 * rate)); // a pause holds it
    player.setPosition(-30);
    QCOMPARE(player.Position(), 0.0);
    player.setPosition(1.0); // back again
    QCOMPARE(player.Position(), 1.0);
    QElapsedTimer wall;
    wall.start();
    player.setPaused(false);
    QVERIFY(QTest::qWaitFor([&] { return player.Position() > 1.3; }, 5000));
    QVERIFY(player.Position() < 2.0); // on from where it was put
    QVERIFY(QTest::qWaitFor([&] { return player.SamplePosition() >= player.SampleCount(); }, 5000));
    // The rest took its own time, no less: the end is what was heard, not what was read.
    QVERIFY2(wall.elapsed() >= 1900, qPrintable(QString::number(wall.elapsed())));
    QCOMPARE(player.Position(), player.Length());
    QCOMPARE(player.Play(), qint16(0)); // again from the start
    QVERIFY(player.SamplePosition() < player.SampleCount() / 2);
    QCOMPARE(player.Close(), qint16(0));
}

void tst_AudioEnginePlayer::refuses_what_it_cannot_play_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("fileType");
    const QString empty = m_dir.filePath(u"empty.wav"_s);
    QVERIFY(TestFiles::write(empty, ""));
    QTest::newRow("empty file") << empty << 0;
    QTest::newRow("wav taken for mp3") << tone(8000, 16, 1, 0.5) << 2;
    QTest::newRow("mp3 taken for wav") << tone(8000, -1, 1, 0.5) << 0;
    QTest::newRow("missing file") << m_dir.filePath(u"missing.wav"_s) << 0;
}

void tst_AudioEnginePlayer::refuses_what_it_cannot_play()
{
    QFETCH(QString, path);
    QFETCH(int, fileType);
    AudioEngine player;
    player.setFileType(qint16(fileType));
    QCOMPARE(player.Open(path), qint16(QFile::exists(path) ? RecorderCode::NotWave : RecorderCode::CantOpenFile));
    QCOMPARE(player.Play(), qint16(RecorderCode::WrongState));
}

void tst_AudioEnginePlayer::a_lost_output_ends_the_play()
{
    // The sound server goes away in the middle of a playback.
    PrivateSoundServer server;
    QVERIFY(server.started);
    QProcess child;
    QCOMPARE(startChild(child, {u"play"_s, tone(8000, 16, 1, 10.0), u"10"_s}, server.environment()), u"playing"_s);
    QTest::qWait(1000);
    QVERIFY(server.stop());
    QCOMPARE(childEnds(child), QStringList({u"stopped 2"_s, u"close %1"_s.arg(RecorderCode::PlaybackError)}));
}

QTEST_GUILESS_MAIN(tst_AudioEnginePlayer)
#include "tst_AudioEnginePlayer.moc"
