// The record format as the settings carry it: a WAVEFORMATEX block in hexadecimal.
#include "audio/WaveFormat.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_WaveFormat : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
};

void tst_WaveFormat::parses_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<int>("tag"); // 0: refused
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::newRow("gsm") << u"31000100401f0000590600004100000002004001"_s << 0x31 << 8000 << 1 << 0;
    QTest::newRow("gsm upper case") << u"31000100401F0000590600004100000002004001"_s << 0x31 << 8000 << 1 << 0;
    QTest::newRow("pcm 8k 16 mono, WAVEFORMAT") << u"01000100401f0000803e000002001000"_s << 1 << 8000 << 1 << 16;
    QTest::newRow("pcm 8k 16 mono, cbSize 0") << u"01000100401f0000803e0000020010000000"_s << 1 << 8000 << 1 << 16;
    QTest::newRow("pcm 44.1k 16 stereo") << u"0100020044ac000010b10200040010000000"_s << 1 << 44100 << 2 << 16;
    QTest::newRow("spaces around") << u" 01000100401f0000803e000002001000\n"_s << 1 << 8000 << 1 << 16;
    const auto refused = [](const char *name, const QString &hex) { QTest::newRow(name) << hex << 0 << 0 << 0 << 0; };
    refused("odd length", u"31000100401f000059060000410000000200400"_s);
    refused("not hex", u"31000100401f0000590600004100000002004g01"_s);
    refused("too short", u"3100010040"_s);
    refused("gsm at 16 kHz", u"31000100803e0000590600004100000002004001"_s);
    refused("gsm other block", u"31000100401f0000590600004000000002004001"_s);
    refused("ms adpcm", u"02000100401f0000590600004100000002004001"_s);
    refused("pcm 12 bits", u"01000100401f0000803e000002000c00"_s);
    refused("pcm wrong byte rate", u"01000100401f0000403e000002001000"_s);
    refused("pcm wrong block align", u"01000100401f0000803e000004001000"_s);
    refused("pcm no channels", u"01000000401f00000000000000001000"_s);
    refused("pcm extra bytes", u"01000100401f0000803e00000200100002000000"_s);
    refused("cbSize longer than text", u"01000100401f0000803e0000020010000400"_s);
    refused("pcm 500 Hz", u"01000100f4010000e803000002001000"_s);
}

void tst_WaveFormat::parses()
{
    QFETCH(QString, hex);
    QFETCH(int, tag);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, bits);
    const auto f = WaveFormat::fromHex(hex);
    QCOMPARE(bool(f), tag != 0);
    if (!f)
        return;
    QCOMPARE(int(f->tag()), tag);
    QCOMPARE(f->sampleRate(), rate);
    QCOMPARE(f->channels(), channels);
    QCOMPARE(f->bitsPerSample(), bits);
    QCOMPARE(f->toHex(), hex.trimmed().toLower());
}

QTEST_GUILESS_MAIN(tst_WaveFormat)
#include "tst_WaveFormat.moc"
