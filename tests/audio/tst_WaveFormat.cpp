#include "audio/WaveFormat.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_WaveFormat : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void refuses_data();
    void refuses();
    void gsm_text_round_trips();
    void capture_format_follows_width();
};

void tst_WaveFormat::parses_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");

    QTest::newRow("gsm") << u"31000100401f0000590600004100000002004001"_s << 0x31 << 8000 << 1 << 0;
    QTest::newRow("gsm upper case") << u"31000100401F0000590600004100000002004001"_s << 0x31 << 8000 << 1 << 0;
    QTest::newRow("pcm 8k 16 mono, WAVEFORMAT") << u"01000100401f0000803e000002001000"_s << 1 << 8000 << 1 << 16;
    QTest::newRow("pcm 8k 16 mono, cbSize 0") << u"01000100401f0000803e0000020010000000"_s << 1 << 8000 << 1 << 16;
    QTest::newRow("pcm 44.1k 16 stereo") << u"0100020044ac000010b10200040010000000"_s << 1 << 44100 << 2 << 16;
    QTest::newRow("pcm 8k 8 mono") << u"01000100401f0000401f000001000800"_s << 1 << 8000 << 1 << 8;
    QTest::newRow("pcm 48k 24 mono") << u"0100010080bb000080320200030018000000"_s << 1 << 48000 << 1 << 24;
    QTest::newRow("spaces around") << u" 01000100401f0000803e000002001000\n"_s << 1 << 8000 << 1 << 16;
}

void tst_WaveFormat::parses()
{
    QFETCH(QString, hex);
    QFETCH(int, tag);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, bits);
    const auto f = WaveFormat::fromHex(hex);
    QVERIFY(f);
    QCOMPARE(int(f->tag()), tag);
    QCOMPARE(f->sampleRate(), rate);
    QCOMPARE(f->channels(), channels);
    QCOMPARE(f->bitsPerSample(), bits);
    QCOMPARE(f->toHex(), hex.trimmed().toLower());
}

void tst_WaveFormat::refuses_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("empty") << QString();
    QTest::newRow("words") << u"GSM please"_s;
    QTest::newRow("odd length") << u"31000100401f000059060000410000000200400"_s;
    QTest::newRow("not hex") << u"31000100401f0000590600004100000002004g01"_s;
    QTest::newRow("too short") << u"3100010040"_s;
    QTest::newRow("gsm at 16 kHz") << u"31000100803e0000590600004100000002004001"_s;
    QTest::newRow("gsm other block") << u"31000100401f0000590600004000000002004001"_s;
    QTest::newRow("ms adpcm") << u"02000100401f0000590600004100000002004001"_s;
    QTest::newRow("pcm 12 bits") << u"01000100401f0000803e000002000c00"_s;
    QTest::newRow("pcm wrong byte rate") << u"01000100401f0000403e000002001000"_s;
    QTest::newRow("pcm wrong block align") << u"01000100401f0000803e000004001000"_s;
    QTest::newRow("pcm no channels") << u"01000000401f00000000000000001000"_s;
    QTest::newRow("pcm extra bytes") << u"01000100401f0000803e00000200100002000000"_s;
    QTest::newRow("cbSize longer than text") << u"01000100401f0000803e0000020010000400"_s;
    QTest::newRow("pcm 500 Hz") << u"01000100f4010000e803000002001000"_s;
}

void tst_WaveFormat::refuses()
{
    QFETCH(QString, hex);
    QVERIFY(!WaveFormat::fromHex(hex));
}

void tst_WaveFormat::gsm_text_round_trips()
{
    QCOMPARE(WaveFormat::gsm().toHex(), u"31000100401f0000590600004100000002004001"_s);
    QCOMPARE(WaveFormat::gsm().framesPerBlock(), 320);
    QCOMPARE(WaveFormat::pcm(8000).toBytes().size(), 16);
}

void tst_WaveFormat::capture_format_follows_width()
{
    QCOMPARE(WaveFormat::pcm(8000, 1, 8).captureFormat().sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(WaveFormat::gsm().captureFormat().sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(WaveFormat::pcm(48000, 2, 24).captureFormat().sampleFormat(), QAudioFormat::Int32);
    QCOMPARE(WaveFormat::pcm(44100, 2, 16).captureFormat().sampleRate(), 44100);
    QCOMPARE(WaveFormat::pcm(44100, 2, 16).captureFormat().channelCount(), 2);
}

QTEST_GUILESS_MAIN(tst_WaveFormat)
#include "tst_WaveFormat.moc"
