// The writer that takes capture buffers to the WAV file, fed a known sine, when it runs
// out of room.
#include "AudioTestKit.h"

#include "audio/RecordWriter.h"
#include "audio/WaveWriter.h"
#include "base/RecorderCodes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

class tst_RecordWriter : public QObject
{
    Q_OBJECT

private slots:
    void running_out_of_room_keeps_a_whole_file_data();
    void running_out_of_room_keeps_a_whole_file();
};

void tst_RecordWriter::running_out_of_room_keeps_a_whole_file_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<qint64>("limit"); // frames; 0 for a disk that fills up instead
    QTest::newRow("gsm, full disk") << Gsm << qint64(0);
    QTest::newRow("pcm, full disk") << WaveFormat::pcm(8000).toHex() << qint64(0);
    QTest::newRow("pcm 8 bit, full disk") << WaveFormat::pcm(8000, 1, 8).toHex() << qint64(0);
    // 1 s instead of the 4 GiB a WAV file can hold.
    QTest::newRow("gsm, size limit") << Gsm << qint64(8000);
    QTest::newRow("pcm, size limit") << WaveFormat::pcm(8000).toHex() << qint64(8000);
}

void tst_RecordWriter::running_out_of_room_keeps_a_whole_file()
{
    QFETCH(QString, hex);
    QFETCH(qint64, limit);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    QTemporaryDir folder;
    // More than fits, in 100 ms pieces of 16-bit mono as capture gives them.
    const QString tone = folder.filePath(u"tone.s16"_s);
    QVERIFY(makeTone(tone, format.sampleRate(), 16, 1, 70000.0 / format.bytesPerSecond()));
    const QByteArray bytes = TestFiles::read(tone);
    // Room for 64 KiB: a few seconds of audio fill it.
    std::optional<FullDisk> disk;
    if (!limit)
        disk.emplace(64 * 1024);
    const QString path = folder.filePath(u"call.wav"_s);
    qint16 opened = -1;
    auto file = WaveWriter::create(path, format, opened);
    QVERIFY(file && opened == 0);
    RecordWriter writer(std::move(file), limit);
    QCOMPARE(writer.start(), qint16(0));
    const qsizetype piece = format.captureFormat().bytesForDuration(100000);
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        writer.push(bytes.constData() + at, qMin(piece, bytes.size() - at));
    QVERIFY(QTest::qWaitFor([&] { return writer.failure() != 0; }, 5000));
    QCOMPARE(writer.finish(), qint16(limit ? RecorderCode::TimeLimit : RecorderCode::CantWrite));

    // What reached the disk is a whole file: sox agrees on the length the writer counted
    // (the write that failed half-way was taken back) and the audio in it is intact.
    const double written = double(writer.framesWritten()) / format.sampleRate();
    QVERIFY2(limit ? writer.framesWritten() == limit : written > 1.0, qPrintable(QString::number(written)));
    const QString wrong = soxReadsAs(path, format, written, format.isGsm() && limit ? 0.041 : 0.001);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const Samples s = read(path);
    QVERIFY(quietestWindowDb(s, 0.1, s.seconds() - 0.1) > -9.03 - 1.0); // a sine at half scale
}

QTEST_GUILESS_MAIN(tst_RecordWriter)
#include "tst_RecordWriter.moc"
