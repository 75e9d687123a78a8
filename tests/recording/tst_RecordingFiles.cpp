#include "RecordingTestKit.h"

#include "recording/RecordingFiles.h"

#include <QtTest>
#include <sndfile.h>

using namespace Qt::StringLiterals;

// Recordings left behind by a program that ended during a call, on real WAV files.
class tst_RecordingFiles : public QObject
{
    Q_OBJECT

    // Writes seconds of a tone as GSM 6.10 or PCM; with crashed, the file is copied
    // before it is closed, as a killed recorder leaves it.
    static void writeWave(const QString &path, double seconds, bool gsm, bool crashed)
    {
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | (gsm ? SF_FORMAT_GSM610 : SF_FORMAT_PCM_16);
        const QString writing = crashed ? path + u".writing"_s : path;
        SNDFILE *f = sf_open(QFile::encodeName(writing).constData(), SFM_WRITE, &info);
        QVERIFY(f);
        std::vector<short> samples(size_t(seconds * 8000));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = short((i / 20) % 2 ? 3000 : -3000);
        QCOMPARE(sf_write_short(f, samples.data(), sf_count_t(samples.size())), sf_count_t(samples.size()));
        sf_write_sync(f);
        if (crashed)
            QVERIFY(QFile::copy(writing, path));
        sf_close(f);
        if (crashed)
            QFile::remove(writing);
    }

    static quint32 dataSizeField(const QString &path)
    {
        const QByteArray bytes = RecordingRig::read(path);
        const qsizetype at = bytes.indexOf("data");
        return qFromLittleEndian<quint32>(bytes.constData() + at + 4);
    }

private slots:
    void leftoverRecordingsAreNamedWithTheirLength_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("gsm");
        QTest::addColumn<bool>("crashed");
        QTest::addColumn<QString>("filed");
        QTest::newRow("GSM, killed mid-call") << 3.0 << true << true << u"20240301-091500-ann-3.wav"_s;
        QTest::newRow("GSM, 7.6 s, killed") << 7.6 << true << true << u"20240301-091500-ann-8.wav"_s;
        QTest::newRow("PCM, killed") << 2.4 << false << true << u"20240301-091500-ann-2.wav"_s;
        QTest::newRow("PCM, closed but never renamed") << 12.0 << false << false << u"20240301-091500-ann-12.wav"_s;
    }
    void leftoverRecordingsAreNamedWithTheirLength()
    {
        QFETCH(double, seconds);
        QFETCH(bool, gsm);
        QFETCH(bool, crashed);
        QFETCH(QString, filed);
        QTemporaryDir dir;
        const QString path = dir.path() + u"/20240301-091500-ann.wav"_s;
        writeWave(path, seconds, gsm, crashed);
        if (crashed)
            QCOMPARE(dataSizeField(path), 0u);

        const auto done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0].to, filed);
        QVERIFY(done[0].problem.isEmpty());
        const QString result = dir.path() + u'/' + filed;
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{filed});
        // The header now declares all the audio, for every player.
        QVERIFY(dataSizeField(result) > 0);
        QCOMPARE(qint64(dataSizeField(result)) + 8 + qsizetype(RecordingRig::read(result).indexOf("data")),
                 QFileInfo(result).size());
        const double measured = RecordingFiles::AudioSeconds(result).value();
        QVERIFY2(qAbs(measured - seconds) < 0.05, qPrintable(QString::number(measured)));
    }

    void aCompleteHeaderIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + u"/x.wav"_s;
        writeWave(path, 1.0, true, false);
        const QByteArray before = RecordingRig::read(path);
        QVERIFY(!RecordingFiles::CompleteWaveHeader(path));
        QCOMPARE(RecordingRig::read(path), before);
    }

    // Whatever cannot be read is filed still, for the user to see; nothing else is touched.
    void onlyThisUsersUnfinishedRecordingsAreFiled()
    {
        QTemporaryDir dir;
        auto make = [&](const QString &name, const QByteArray &content) {
            QVERIFY(RecordingRig::write(dir.path() + u'/' + name, content));
        };
        make(u"20240301-091500-ann.wav"_s, QByteArray());           // killed as the file was made
        make(u"20240301-101500-ann-3.wav"_s, "finished");           // the mover's
        make(u"20240301-101500-ann-3.wav.tmp"_s, "");
        make(u"20240301-111500-bob.wav"_s, "another user's");
        make(u"20240301-121500-ann.txt"_s, "a note");
        make(u"holiday.wav"_s, "not a call");
        make(u"20240301-131500-ann-0.wav"_s, "an earlier call of the same second");
        make(u"20240301-131500-ann.wav"_s, "unreadable");

        const auto done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        QCOMPARE(done.size(), 2);
        QCOMPARE(done[0].to, u"20240301-091500-ann-0.wav"_s);
        QVERIFY(!done[0].problem.isEmpty());
        QCOMPARE(done[1].to, u"20240301-131500-ann-0-2.wav"_s);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{u"20240301-091500-ann-0.wav"_s, u"20240301-101500-ann-3.wav"_s,
                              u"20240301-101500-ann-3.wav.tmp"_s, u"20240301-111500-bob.wav"_s,
                              u"20240301-121500-ann.txt"_s, u"20240301-131500-ann-0-2.wav"_s,
                              u"20240301-131500-ann-0.wav"_s, u"holiday.wav"_s}));
        QCOMPARE(RecordingRig::read(dir.path() + u"/20240301-131500-ann-0.wav"_s),
                 QByteArray("an earlier call of the same second"));
    }

    void startUpFilesLeftoversAndStartsTheMoverOnce()
    {
        RecordingRig rig;
        QVERIFY(rig.write(rig.temp.path() + u"/20240229-235959-bob.wav"_s, "another user's"));
        rig.session.FileLeftoverRecordings();
        QCOMPARE(rig.moverLaunches, 0); // nothing waits
        QVERIFY(QFile::remove(rig.temp.path() + u"/20240229-235959-bob.wav"_s));
        writeWave(rig.temp.path() + u"/20240229-235959-ann.wav"_s, 4.0, true, true);
        rig.session.FileLeftoverRecordings();
        QCOMPARE(rig.moverLaunches, 1);
        QCOMPARE(rig.tempFiles(), QStringList{u"20240229-235959-ann-4.wav"_s});
        QVERIFY(rig.prompts.shown().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_RecordingFiles)
#include "tst_RecordingFiles.moc"
