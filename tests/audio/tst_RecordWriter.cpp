#include "AudioTestKit.h"

#include "audio/RecordWriter.h"
#include "base/RecorderCodes.h"
#include "audio/WaveWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

namespace {

// `seconds` of a sine in the capture samples the writer takes for `format`.
QByteArray sine(const WaveFormat &format, double seconds, double amplitude, qint64 firstFrame = 0)
{
    const QAudioFormat capture = format.captureFormat();
    const int channels = capture.channelCount();
    const qint64 frames = qint64(std::llround(seconds * format.sampleRate()));
    const bool wide = capture.sampleFormat() == QAudioFormat::Int32;
    QByteArray bytes(frames * capture.bytesPerFrame(), Qt::Uninitialized);
    for (qint64 i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * M_PI * 440.0 * double(firstFrame + i) / format.sampleRate());
        for (int c = 0; c < channels; ++c) {
            if (wide)
                reinterpret_cast<qint32 *>(bytes.data())[i * channels + c] = qint32(std::lround(v * 2147483647.0));
            else
                reinterpret_cast<qint16 *>(bytes.data())[i * channels + c] = qint16(std::lround(v * 32767.0));
        }
    }
    return bytes;
}

// Feeds `seconds` of sine in 100 ms pieces, as capture does.
void feed(RecordWriter &writer, const WaveFormat &format, double seconds, double amplitude)
{
    const QByteArray all = sine(format, seconds, amplitude);
    const qsizetype piece = format.captureFormat().bytesForDuration(100000);
    for (qsizetype at = 0; at < all.size(); at += piece)
        writer.push(all.constData() + at, qMin(piece, all.size() - at));
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

const QString Gsm = u"31000100401f0000590600004100000002004001"_s;

} // namespace

class tst_RecordWriter : public QObject
{
    Q_OBJECT

private slots:
    void files_read_everywhere_data();
    void files_read_everywhere();
    void gsm_format_block_is_exact();
    void header_follows_the_recording();
    void never_writes_over_a_file_data();
    void never_writes_over_a_file();
    void full_disk_leaves_a_playable_file_data();
    void full_disk_leaves_a_playable_file();
    void size_limit_ends_the_recording();

private:
    QTemporaryDir m_dir;
};

void tst_RecordWriter::files_read_everywhere_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("gsm") << Gsm;
    QTest::newRow("pcm 8k 16 mono") << WaveFormat::pcm(8000).toHex();
    QTest::newRow("pcm 16k 16 mono") << WaveFormat::pcm(16000).toHex();
    QTest::newRow("pcm 44.1k 16 stereo") << WaveFormat::pcm(44100, 2).toHex();
    QTest::newRow("pcm 8k 8 mono") << WaveFormat::pcm(8000, 1, 8).toHex();
    QTest::newRow("pcm 48k 24 stereo") << WaveFormat::pcm(48000, 2, 24).toHex();
    QTest::newRow("pcm 32k 32 mono") << WaveFormat::pcm(32000, 1, 32).toHex();
}

void tst_RecordWriter::files_read_everywhere()
{
    QFETCH(QString, hex);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);

    auto writer = open(path, format);
    QVERIFY(writer);
    feed(*writer, format, 2.5, 0.5);
    QCOMPARE(writer->finish(), qint16(0));
    QCOMPARE(writer->framesWritten(), qint64(2.5 * format.sampleRate()));

    // GSM pads its last block of 320 samples (40 ms).
    const QString wrong = readsEverywhereAs(path, format, 2.5, format.isGsm() ? 0.041 : 0.001);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // The sine survives: RMS of amplitude 0.5 is -9.03 dBFS (GSM is lossy).
    const Samples s = read(path);
    QVERIFY(s.ok);
    QVERIFY(std::fabs(rmsDb(s, 0.5, 2.0) - (-9.03)) < (format.isGsm() ? 1.0 : 0.1));
}

void tst_RecordWriter::gsm_format_block_is_exact()
{
    const QString path = m_dir.filePath(u"block.wav"_s);
    auto writer = open(path, WaveFormat::gsm());
    QVERIFY(writer);
    feed(*writer, WaveFormat::gsm(), 0.3, 0.2);
    QCOMPARE(writer->finish(), qint16(0));
    QCOMPARE(fmtChunkHex(path), Gsm);
}

void tst_RecordWriter::header_follows_the_recording()
{
    // A reader that trusts the header (sox) must see what has been written while the
    // recording still runs: that is what a killed process leaves behind.
    for (const WaveFormat &format : {WaveFormat::gsm(), WaveFormat::pcm(8000)}) {
        const QString path = m_dir.filePath(u"live-%1.wav"_s.arg(format.tag()));
        auto writer = open(path, format);
        QVERIFY(writer);
        feed(*writer, format, 3.0, 0.5);
        QTest::qWait(int(RecordWriter::HeaderInterval.count()) * 2 + 100);
        const QString copy = path + u".copy.wav"_s;
        QVERIFY(QFile::copy(path, copy));
        const SoxInfo sox = soxInfo(copy);
        QVERIFY(sox.ok);
        QVERIFY2(std::fabs(sox.seconds - 3.0) < 0.05, qPrintable(QString::number(sox.seconds)));
        QVERIFY(soxDecodes(copy));
        QCOMPARE(writer->finish(), qint16(0));
    }
}

void tst_RecordWriter::never_writes_over_a_file_data()
{
    QTest::addColumn<bool>("gsm");
    QTest::newRow("gsm") << true;
    QTest::newRow("pcm") << false;
}

void tst_RecordWriter::never_writes_over_a_file()
{
    QFETCH(bool, gsm);
    const QString path = m_dir.filePath(u"earlier-call.wav"_s);
    QFile::remove(path);
    const QByteArray earlier = "an earlier call that must survive";
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(earlier);
    }
    qint16 code = 0;
    auto writer = WaveWriter::create(path, gsm ? WaveFormat::gsm() : WaveFormat::pcm(8000), code);
    QVERIFY(!writer);
    QCOMPARE(code, qint16(RecorderCode::CantOpenFile));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), earlier);
}

void tst_RecordWriter::full_disk_leaves_a_playable_file_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("gsm") << Gsm;
    QTest::newRow("pcm") << WaveFormat::pcm(8000).toHex();
    QTest::newRow("pcm 8 bit") << WaveFormat::pcm(8000, 1, 8).toHex();
}

void tst_RecordWriter::full_disk_leaves_a_playable_file()
{
    QFETCH(QString, hex);
    const WaveFormat format = *WaveFormat::fromHex(hex);
    // A filesystem of 64 KiB: a few seconds of audio fill it.
    QTemporaryDir folder;
    SmallDisk disk(folder.path(), 64 * 1024);
    if (!disk.mounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");

    const QString path = folder.filePath(u"call.wav"_s);
    auto writer = open(path, format);
    QVERIFY(writer);
    const double seconds = 70000.0 / format.bytesPerSecond(); // more than fits
    feed(*writer, format, seconds, 0.5);
    QVERIFY(waitFor([&] { return writer->failure() != 0; }, 5000));
    QCOMPARE(writer->failure(), qint16(RecorderCode::CantWrite));
    QCOMPARE(writer->finish(), qint16(RecorderCode::CantWrite));

    // What reached the disk is a whole, valid file: every reader agrees on its length,
    // which is what the writer counted, and the audio in it is intact.
    const double written = double(writer->framesWritten()) / format.sampleRate();
    QVERIFY2(written > 1.0, qPrintable(QString::number(written)));
    QVERIFY(endsWhereHeaderSays(path)); // the write that failed half-way was taken back
    const SoxInfo sox = soxInfo(path);
    QVERIFY(sox.ok);
    QVERIFY2(std::fabs(sox.seconds - written) < 0.001, qPrintable(QString::number(sox.seconds)));
    QVERIFY(soxDecodes(path));
    const ProbeInfo ff = probe(path);
    QVERIFY(ff.ok);
    QVERIFY(std::fabs(ff.seconds - written) < 0.001);
    const Samples s = read(path);
    QVERIFY(s.ok);
    QVERIFY(quietestWindowDb(s, 0.1, s.seconds() - 0.1) > -9.03 - 1.0);
}

void tst_RecordWriter::size_limit_ends_the_recording()
{
    for (const WaveFormat &format : {WaveFormat::gsm(), WaveFormat::pcm(8000)}) {
        const QString path = m_dir.filePath(u"limit-%1.wav"_s.arg(format.tag()));
        auto writer = open(path, format, 8000); // 1 s instead of 4 GiB
        QVERIFY(writer);
        feed(*writer, format, 2.0, 0.5);
        QVERIFY(waitFor([&] { return writer->failure() != 0; }, 5000));
        QCOMPARE(writer->finish(), qint16(RecorderCode::TimeLimit));
        QCOMPARE(writer->framesWritten(), qint64(8000));
        const SoxInfo sox = soxInfo(path);
        QVERIFY(sox.ok);
        QVERIFY2(std::fabs(sox.seconds - 1.0) < 0.041, qPrintable(QString::number(sox.seconds)));
        QVERIFY(soxDecodes(path));
    }
}

QTEST_GUILESS_MAIN(tst_RecordWriter)
#include "tst_RecordWriter.moc"
