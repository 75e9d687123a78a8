// The player against the test sound server, with files made by sox and lame.
#include "AudioTestKit.h"

#include "audio/AudioEngine.h"
#include "base/RecorderCodes.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <future>
#include <sys/stat.h>

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
    void answers_a_code_for_any_mangled_header_data();
    void answers_a_code_for_any_mangled_header();
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
    // Opened as the window opens a call: its header read on a worker thread.
    const QString path = tone(rate, bits, channels, 3.0);
    QCOMPARE(player.Open(path, std::async(std::launch::async, player.FileOpener(), path).get()), qint16(0));
    QString text;
    player.GetFormatDescription(text);
    QCOMPARE(text, description);
    // MP3 frames carry encoder delay and padding; WAV is exact, GSM too (75 blocks, an odd count).
    const double slack = bits < 0 ? 0.06 : 0.0;
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
    const QString pipe = m_dir.filePath(u"pipe.wav"_s);
    QTest::newRow("pipe") << pipe << 0;
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
}

void tst_AudioEnginePlayer::refuses_what_it_cannot_play()
{
    QFETCH(QString, path);
    QFETCH(int, fileType);
    AudioEngine player;
    player.setFileType(qint16(fileType));
    const qint16 code = QFile::exists(path) ? RecorderCode::NotWave : RecorderCode::CantOpenFile;
    QCOMPARE(player.Open(path, player.FileOpener()(path)), code);
    QCOMPARE(player.Play(), qint16(RecorderCode::WrongState));
    QCOMPARE(player.Open(path), code);
}

// A good call with one header field set to a bad value: the player answers a code, and
// plays what it accepts, never dies (rates under 50 Hz once killed the audio thread).
void tst_AudioEnginePlayer::answers_a_code_for_any_mangled_header_data()
{
    enum Outcome { Any = -1, Plays = 0, Refused = 1 }; // Refused: 4 or 5
    struct Field
    {
        const char *name, *chunk; // chunk nullptr: the offset is into the file (width 0 cuts it)
        int offset, width;
        QList<std::pair<quint32, int>> values;
    };
    const Field fields[] = {
        {"riff size", nullptr, 4, 4, {{0, Any}, {4, Any}, {0xFFFFFFFF, Any}}},
        {"fmt size", "fmt ", 4, 4, {{0, Any}, {15, Any}, {18, Any}, {0xFFFF, Any}, {0xFFFFFFFF, Any}}},
        {"format tag", "fmt ", 8, 2, {{0, Any}, {1, Any}, {2, Any}, {6, Any}, {0x11, Any}, {0x31, Any}, {0xFFFE, Any}}},
        {"channels", "fmt ", 10, 2, {{0, Any}, {2, Any}, {9, Refused}, {0xFFFF, Any}}},
        {"rate", "fmt ", 12, 4, {{0, Any}, {1, Refused}, {7, Refused}, {999, Refused}, {1000, Plays},
                                 {192000, Plays}, {192001, Refused}, {0xFFFFFFFF, Any}}},
        {"byte rate", "fmt ", 16, 4, {{0, Any}, {1, Any}, {0xFFFFFFFF, Any}}},
        {"block align", "fmt ", 20, 2, {{0, Any}, {1, Any}, {3, Any}, {0xFFFF, Any}}},
        {"bits", "fmt ", 22, 2, {{0, Any}, {1, Any}, {12, Any}, {24, Any}, {33, Any}, {0xFFFF, Any}}},
        {"gsm extra size", "fmt ", 24, 2, {{0, Any}, {0xFFFF, Any}}},
        {"gsm block samples", "fmt ", 26, 2, {{0, Any}, {319, Any}, {0xFFFF, Any}}},
        {"data size", "data", 4, 4, {{0, Any}, {1, Any}, {65, Any}, {0xFFFFFFFF, Any}}},
        {"cut at", nullptr, 0, 0, {{1, Any}, {12, Any}, {20, Any}, {44, Any}, {60, Any}, {400, Any}}},
    };
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("outcome");
    for (const int bits : {16, 0}) {
        const QByteArray good = TestFiles::read(tone(8000, bits, 1, 0.5));
        for (const Field &f : fields) {
            const auto [at, size] = f.chunk ? chunk(good, f.chunk) : std::pair<qsizetype, quint32>(0, 0);
            if (f.chunk && f.offset + f.width > qsizetype(size) + 8)
                continue; // no such field in this file
            for (const auto &[value, outcome] : f.values) {
                QByteArray file = f.width ? good : good.left(value);
                const quint32 le = qToLittleEndian(value);
                file.replace(at + f.offset, f.width, reinterpret_cast<const char *>(&le), f.width);
                const QString name = u"%1 %2 %3"_s.arg(bits ? u"pcm"_s : u"gsm"_s, QLatin1String(f.name)).arg(value);
                QVERIFY(TestFiles::write(m_dir.filePath(name + u".wav"_s), file));
                QTest::newRow(qPrintable(name)) << m_dir.filePath(name + u".wav"_s) << outcome;
            }
        }
    }
}

void tst_AudioEnginePlayer::answers_a_code_for_any_mangled_header()
{
    QFETCH(QString, path);
    QFETCH(int, outcome);
    AudioEngine player;
    const qint16 code = player.Open(path);
    QVERIFY2(code == 0 || code == RecorderCode::NotWave || code == RecorderCode::UnsupportedFormat,
             qPrintable(QString::number(code)));
    if (code == 0) {
        QCOMPARE(player.Play(), qint16(0));
        QVERIFY(QTest::qWaitFor([&] { return player.SamplePosition() > 0 || player.SampleCount() == 0; }, 2000));
        QCOMPARE(player.Close(), qint16(0));
    }
    if (outcome >= 0)
        QCOMPARE(code != 0, bool(outcome));
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
