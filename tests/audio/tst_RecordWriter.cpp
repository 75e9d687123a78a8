// The writer that takes capture buffers to the WAV file, fed a known sine, when it runs
// out of room.
#include "AudioTestKit.h"

#include "audio/RecordWriter.h"
#include "audio/WaveWriter.h"
#include "base/RecorderCodes.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

namespace {

constexpr double ToneDb = -9.03; // RMS of a sine at half full scale

// Feeds `seconds` of a sine at half scale in the capture samples of `format`, in 100 ms
// pieces as capture does.
void feed(RecordWriter &writer, const WaveFormat &format, double seconds)
{
    const QAudioFormat capture = format.captureFormat();
    const bool wide = capture.sampleFormat() == QAudioFormat::Int32;
    const qint64 frames = qint64(std::llround(seconds * format.sampleRate()));
    QByteArray bytes(frames * capture.bytesPerFrame(), Qt::Uninitialized);
    for (qint64 i = 0; i < frames * capture.channelCount(); ++i) {
        const double v = 0.5 * std::sin(2 * M_PI * 440.0 * double(i / capture.channelCount()) / format.sampleRate());
        if (wide)
            reinterpret_cast<qint32 *>(bytes.data())[i] = qint32(std::lround(v * 2147483647.0));
        else
            reinterpret_cast<qint16 *>(bytes.data())[i] = qint16(std::lround(v * 32767.0));
    }
    const qsizetype piece = capture.bytesForDuration(100000);
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        writer.push(bytes.constData() + at, qMin(piece, bytes.size() - at));
}

std::unique_ptr<RecordWriter> open(const QString &path, const WaveFormat &format, qint64 limit = 0)
{
    qint16 code = -1;
    auto file = WaveWriter::create(path, format, code);
    if (!file || code != 0)
        return nullptr;
    auto writer = std::make_unique<RecordWriter>(std::move(file), limit);
    return writer->start() == 0 ? std::move(writer) : nullptr;
}

} // namespace

class tst_RecordWriter : public QObject
{
    Q_OBJECT

private slots:
    void running_out_of_room_keeps_a_whole_file_data();
    void running_out_of_room_keeps_a_whole_file();

private:
    QTemporaryDir m_dir;
};

void tst_RecordWriter::running_out_of_room_keeps_a_whole_file_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<qint64>("limit"); // frames; 0 for a disk that fills up instead
    QTest::addColumn<int>("code");
    QTest::newRow("gsm, full disk") << Gsm << qint64(0) << int(RecorderCode::CantWrite);
    QTest::newRow("pcm, full disk") << WaveFormat::pcm(8000).toHex() << qint64(0) << int(RecorderCode::CantWrite);
    QTest::newRow("pcm 8 bit, full disk") << WaveFormat::pcm(8000, 1, 8).toHex() << qint64(0) << int(RecorderCode::CantWrite);
    // 1 s instead of the 4 GiB a WAV file can hold.
    QTest::newRow("gsm, size limit") << Gsm << qint64(8000) << int(RecorderCode::TimeLimit);
    QTest::newRow("pcm, size limit") << WaveFormat::pcm(8000).toHex() << qint64(8000) << int(RecorderCode::TimeLimit);
}

void tst_RecordWriter::running_out_of_room_keeps_a_whole_file()
{
    QFETCH(QString, hex);
    QFETCH(qint64, limit);
    QFETCH(int, code);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    QTemporaryDir folder;
    // A filesystem of 64 KiB: a few seconds of audio fill it.
    std::optional<SmallDisk> disk;
    if (!limit && !disk.emplace(folder.path(), 64 * 1024).mounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");

    const QString path = folder.filePath(u"call.wav"_s);
    auto writer = open(path, format, limit);
    QVERIFY(writer);
    feed(*writer, format, 70000.0 / format.bytesPerSecond()); // more than fits
    QVERIFY(QTest::qWaitFor([&] { return writer->failure() != 0; }, 5000));
    QCOMPARE(writer->finish(), qint16(code));

    // What reached the disk is a whole file: sox agrees on the length the writer counted
    // (the write that failed half-way was taken back) and the audio in it is intact.
    const double written = double(writer->framesWritten()) / format.sampleRate();
    if (limit)
        QCOMPARE(writer->framesWritten(), limit);
    QVERIFY2(written > 1.0 - 1e-9, qPrintable(QString::number(written)));
    QVERIFY(endsWhereHeaderSays(path));
    const QString wrong = soxReadsAs(path, format, written, format.isGsm() && limit ? 0.041 : 0.001);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const Samples s = read(path);
    QVERIFY(quietestWindowDb(s, 0.1, s.seconds() - 0.1) > ToneDb - 1.0);
}

QTEST_GUILESS_MAIN(tst_RecordWriter)
#include "tst_RecordWriter.moc"
