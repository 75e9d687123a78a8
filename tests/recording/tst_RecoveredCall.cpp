#include "audio/PlaybackFile.h"
#include "audio/WaveWriter.h"
#include "recording/RecordingFiles.h"
#include "TestFiles.h"

#include <QProcess>
#include <QtEndian>
#include <QtTest>

#include <vector>

using namespace Qt::StringLiterals;

// A GSM call the program's own writer was making when the program died: its header is as
// the crash left it. Recovered at the next start, it plays whole in the program's player,
// in sox and in ffprobe.
class tst_RecoveredCall : public QObject
{
    Q_OBJECT

    static constexpr int Rate = 8000;

    static quint32 field(const QByteArray &wave, const char *chunk)
    {
        return qFromLittleEndian<quint32>(wave.constData() + wave.indexOf(chunk) + 4);
    }
    static QByteArray run(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(20000) || p.exitCode() != 0)
            return "failed: " + p.readAllStandardError();
        return p.readAllStandardOutput();
    }
    // 7.3 s of a tone through the writer; the file copied as it stood after `updatedAt`
    // seconds' header update (none: never) and the rest written.
    static void crashedRecording(const QString &path, double updatedAt, int cut = 0)
    {
        qint16 code = 0;
        auto writer = WaveWriter::create(path + u".writing"_s, WaveFormat::gsm(), code);
        QVERIFY(writer);
        std::vector<short> tone(size_t(7.3 * Rate));
        for (size_t i = 0; i < tone.size(); ++i)
            tone[i] = short((i / 10) % 2 ? 4000 : -4000);
        const auto split = updatedAt > 0 ? qint64(updatedAt * Rate) : qint64(tone.size());
        QVERIFY(writer->write(reinterpret_cast<const char *>(tone.data()), split));
        if (updatedAt > 0) {
            QVERIFY(writer->updateHeader());
            QVERIFY(writer->write(reinterpret_cast<const char *>(tone.data() + split), qint64(tone.size()) - split));
        }
        QVERIFY(QFile::copy(path + u".writing"_s, path)); // what the crash leaves
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - cut)); // its last write, part-way
        QVERIFY(writer->finish());
        QVERIFY(QFile::remove(path + u".writing"_s));
    }

private slots:
    void recoveredCallPlays_data()
    {
        QTest::addColumn<double>("updatedAt");
        QTest::addColumn<int>("cut"); // bytes of the last block lost
        QTest::newRow("header never updated") << 0.0 << 0;
        QTest::newRow("header updated at 3 s") << 3.0 << 0;
        QTest::newRow("last block cut short") << 0.0 << 20;
    }
    void recoveredCallPlays()
    {
        QFETCH(double, updatedAt);
        QFETCH(int, cut);
        QTemporaryDir dir;
        crashedRecording(dir.filePath(u"20240301-091500-ann.wav"_s), updatedAt, cut);
        const auto done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        QCOMPARE(done.size(), 1);
        QVERIFY2(done[0].problem.isEmpty(), qPrintable(done[0].problem));
        QCOMPARE(done[0].to, u"20240301-091500-ann-7.wav"_s);
        const QString path = dir.filePath(done[0].to);
        const QByteArray wave = TestFiles::read(path);
        const qint64 blocks = qint64(7.3 * Rate / 320) - (cut ? 1 : 0); // whole blocks on disk when it died
        QCOMPARE(field(wave, "data"), quint32(blocks * 65));
        QCOMPARE(qFromLittleEndian<quint32>(wave.constData() + wave.indexOf("fact") + 8), quint32(blocks * 320));
        const double seconds = double(blocks * 320) / Rate;

        qint16 code = 0;
        auto played = PlaybackFile::open(path, PlaybackFile::Wav, code);
        QVERIFY2(played, qPrintable(QString::number(code)));
        std::vector<qint16> samples(size_t(blocks * 320 + 1000));
        QCOMPARE(played->read(samples.data(), qint64(samples.size())), blocks * 320);
        QVERIFY(*std::max_element(samples.begin(), samples.end()) > 1000); // sound, not silence

        const QByteArray decoded = run(u"sox"_s, {path, u"-t"_s, u"s16"_s, u"-"_s});
        QCOMPARE(decoded.size(), blocks * 320 * 2);
        const QByteArray probed = run(u"ffprobe"_s, {u"-v"_s, u"error"_s, u"-show_entries"_s, u"format=duration"_s,
                                                    u"-of"_s, u"default=nw=1:nk=1"_s, path});
        QVERIFY2(qAbs(probed.trimmed().toDouble() - seconds) < 0.05, probed.constData());
    }

    // A header that cannot be written (a full disk) is told; the call stays unfiled, as it was.
    void headerThatCannotBeCompletedIsTold()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"20240301-091500-ann.wav"_s);
        crashedRecording(path, 0);
        const QByteArray before = TestFiles::read(path);
        QList<RecordingFiles::Recovered> done;
        {
            FullDisk full(1);
            done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        }
        QCOMPARE(done.size(), 1);
        QVERIFY(done[0].to.isEmpty());
        QVERIFY2(done[0].problem.startsWith(u"its header cannot be completed"_s), qPrintable(done[0].problem));
        QCOMPARE(TestFiles::read(path), before);
    }
};

QTEST_GUILESS_MAIN(tst_RecoveredCall)
#include "tst_RecoveredCall.moc"
