#include "options/clsBlowFish.h"
#include "TestFiles.h"

#include <QtTest>
#include <openssl/blowfish.h>

using namespace Qt::StringLiterals;

static const QString Key = u"Voxmere key \u00e9\u00ff"_s;

static QString bytes(const char *hex) { return QString::fromLatin1(QByteArray::fromHex(hex)); }

// OpenSSL deciphers each block; the chaining is undone here. Returns the whole frame.
static QByteArray decipherWithOpenSsl(const QByteArray &cipher, const QString &key)
{
    const QByteArray keyBytes = key.toLatin1();
    const auto bytesOf = [](const char *at) { return reinterpret_cast<const unsigned char *>(at); };
    BF_KEY schedule;
    BF_set_key(&schedule, int(keyBytes.size()), bytesOf(keyBytes.constData()));
    QByteArray frame(cipher.size(), '\0');
    for (qsizetype at = 0; at < cipher.size(); at += 8) {
        BF_ecb_encrypt(bytesOf(cipher.constData() + at), reinterpret_cast<unsigned char *>(frame.data() + at),
                       &schedule, BF_DECRYPT);
        for (qsizetype i = at; at > 0 && i < at + 8; ++i)
            frame[i] = char(frame[i] ^ cipher[i - 8]);
    }
    return frame;
}

class tst_clsBlowFish : public QObject
{
    Q_OBJECT

private slots:
    void publishedVectors_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<quint64>("plain");
        QTest::addColumn<quint64>("cipher");
        QTest::newRow("zeros") << bytes("0000000000000000") << 0x0000000000000000ull << 0x4EF997456198DD78ull;
        QTest::newRow("ones") << bytes("FFFFFFFFFFFFFFFF") << 0xFFFFFFFFFFFFFFFFull << 0x51866FD5B85ECB8Aull;
        QTest::newRow("3000...") << bytes("3000000000000000") << 0x1000000000000001ull << 0x7D856F9A613063F2ull;
        QTest::newRow("FEDCBA...") << bytes("FEDCBA9876543210") << 0x0123456789ABCDEFull << 0x0ACEAB0FC6A0A28Dull;
        QTest::newRow("one-byte key") << bytes("F0") << 0xFEDCBA9876543210ull << 0xF9AD597C49DB005Eull;
    }
    void publishedVectors()
    {
        QFETCH(QString, key);
        QFETCH(quint64, plain);
        QFETCH(quint64, cipher);
        clsBlowFish bf;
        bf.setKey(key);
        bf.setKey(key); // the same key again leaves the tables as they are
        quint32 l = quint32(plain >> 32), r = quint32(plain);
        bf.EncipherBlock(l, r);
        QCOMPARE(quint64(l) << 32 | r, cipher);
        bf.DecipherBlock(l, r);
        QCOMPARE(quint64(l) << 32 | r, plain);
    }

    // OpenSSL reads the frame back: two values below 2^31, the length, the data, zeros.
    void framedRoundTrip_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("framed");
        for (const auto &[length, framed] : {std::pair{0, 16}, {4, 16}, {5, 24}, {12, 24}, {13, 32}, {1000, 1016}})
            QTest::addRow("%d bytes", length) << length << framed;
    }
    void framedRoundTrip()
    {
        QFETCH(int, length);
        QFETCH(int, framed);
        const QByteArray plain = TestFiles::noise(quint32(length), length);
        QByteArray buffer = plain;
        clsBlowFish().EncryptByte(buffer, Key);
        QCOMPARE(buffer.size(), framed);
        const QByteArray frame = decipherWithOpenSsl(buffer, Key);
        QVERIFY((qFromLittleEndian<quint32>(frame.constData()) | qFromLittleEndian<quint32>(frame.constData() + 4)) < 0x80000000u);
        QCOMPARE(qFromLittleEndian<qint32>(frame.constData() + 8), length);
        QCOMPARE(frame.mid(12), plain + QByteArray(framed - 12 - length, '\0'));
        clsBlowFish().DecryptByte(buffer, Key);
        QCOMPARE(buffer, plain);
    }

    void strings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("shape");
        QByteArray everyByte(256, '\0');
        std::iota(everyByte.begin(), everyByte.end(), 0);
        QTest::newRow("raw, every byte value") << QString::fromLatin1(everyByte) << false << u"^[\\x00-\\xff]{272}$"_s;
        QTest::newRow("hexadecimal") << u"Passw\u00f6rd"_s << true << u"^[0-9A-F]{48}$"_s;
    }
    void strings()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QFETCH(QString, shape);
        clsBlowFish bf;
        const QString once = bf.EncryptString(text, Key, hex), twice = bf.EncryptString(text, Key, hex);
        QVERIFY(once != twice);
        QVERIFY(QRegularExpression(shape).match(once).hasMatch());
        QCOMPARE(clsBlowFish().DecryptString(once, Key, hex), text);
        QVERIFY(clsBlowFish().DecryptString(once, u"other key"_s, hex) != text);
    }

    // Deciphered as far as it went, from the length word on.
    void damagedBufferStopsSilently_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("length word beyond the end") << "ABCDEFGH"_ba << 16 << QByteArray("\x08\0\0\0ABCD", 8);
        QTest::newRow("not whole blocks") << "ABCD"_ba << 19 << QByteArray("\x04\0\0\0ABCDxxx", 11);
    }
    void damagedBufferStopsSilently()
    {
        QFETCH(QByteArray, plain);
        QFETCH(int, size);
        clsBlowFish().EncryptByte(plain, Key);
        plain.resize(size, 'x'); // cut short, or a few bytes past the last block
        clsBlowFish().DecryptByte(plain, Key);
        QTEST(plain.mid(8), "left");
    }

    void progressRisesTo100()
    {
        clsBlowFish bf;
        QList<int> raised;
        connect(&bf, &clsBlowFish::Progress, this, [&](int percent) { raised << percent; });
        QByteArray buffer(1000, 'x');
        for (const auto operation : {&clsBlowFish::EncryptByte, &clsBlowFish::DecryptByte}) {
            raised.clear();
            (bf.*operation)(buffer, Key);
            QVERIFY(raised.size() > 50);
            QCOMPARE(raised.last(), 100);
            QVERIFY(std::adjacent_find(raised.begin(), raised.end(), std::greater_equal<int>()) == raised.end());
        }
    }

    void files()
    {
        QTemporaryDir dir;
        const QString plain = dir.filePath(u"plain.bin"_s), cipher = dir.filePath(u"cipher.bin"_s),
                      back = dir.filePath(u"back.bin"_s), kept = dir.filePath(u"kept.bin"_s);
        QVERIFY(TestFiles::write(plain, TestFiles::noise(7, 5000)) && TestFiles::write(kept, "old"_ba));
        clsBlowFish bf;
        QCOMPARE(bf.EncryptFile(plain, cipher, false, Key), QString());
        QCOMPARE(bf.DecryptFile(cipher, back, false, Key), QString());
        QCOMPARE(QFileInfo(cipher).size(), 5016);
        QCOMPARE(TestFiles::read(back), TestFiles::read(plain));
        QCOMPARE(bf.EncryptFile(plain, kept, false, Key), QString()); // kept by rule, quietly
        QCOMPARE(TestFiles::read(kept), "old"_ba);
        {
            // A write that fails (a full disk) is told and leaves the old file.
            FullDisk full(4096);
            QVERIFY(bf.EncryptFile(plain, kept, true, Key).startsWith(u"Cannot write "_s + kept));
        }
        QCOMPARE(TestFiles::read(kept), "old"_ba);
        QCOMPARE(TestFiles::names(dir.path()), (QStringList{u"back.bin"_s, u"cipher.bin"_s, u"kept.bin"_s, u"plain.bin"_s}));
        QCOMPARE(bf.EncryptFile(plain, kept, true, Key), QString());
        QCOMPARE(QFileInfo(kept).size(), 5016);
    }
};

QTEST_GUILESS_MAIN(tst_clsBlowFish)
#include "tst_clsBlowFish.moc"
