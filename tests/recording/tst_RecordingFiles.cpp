#include "TestFiles.h"
#include "recording/RecordingFiles.h"

#include <QtTest>
#include <sndfile.h>

using namespace Qt::StringLiterals;

// Recordings left behind by a program that ended during a call, on real WAV files.
class tst_RecordingFiles : public QObject
{
    Q_OBJECT

    // Writes seconds of a tone as GSM 6.10 or PCM; when killed, the file is copied before
    // it is closed, as a killed recorder leaves it: a header that declares no audio.
    static void writeWave(const QString &path, double seconds, bool gsm, bool killed)
    {
        SF_INFO info{0, 8000, 1, SF_FORMAT_WAV | (gsm ? SF_FORMAT_GSM610 : SF_FORMAT_PCM_16), 0, 0};
        SNDFILE *f = sf_open(QFile::encodeName(path + u".writing"_s).constData(), SFM_WRITE, &info);
        QVERIFY(f);
        std::vector<short> samples(size_t(seconds * 8000));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = short((i / 20) % 2 ? 3000 : -3000);
        QCOMPARE(sf_write_short(f, samples.data(), sf_count_t(samples.size())), sf_count_t(samples.size()));
        sf_write_sync(f);
        if (killed)
            QVERIFY(QFile::copy(path + u".writing"_s, path));
        sf_close(f);
        QVERIFY(killed ? QFile::remove(path + u".writing"_s) : QFile::rename(path + u".writing"_s, path));
    }

    static quint32 dataSize(const QByteArray &wave)
    {
        return qFromLittleEndian<quint32>(wave.constData() + wave.indexOf("data") + 4);
    }

    struct Leftover
    {
        double seconds;
        bool gsm, killed;
        QString filed;
    };

private slots:
    void leftoverRecordingsAreNamedWithTheirLength_data()
    {
        QTest::addColumn<Leftover>("leftover");
        QTest::newRow("GSM, killed mid-call") << Leftover{3.0, true, true, u"20240301-091500-ann-3.wav"_s};
        QTest::newRow("GSM, 7.6 s, killed") << Leftover{7.6, true, true, u"20240301-091500-ann-8.wav"_s};
        QTest::newRow("PCM, killed") << Leftover{2.4, false, true, u"20240301-091500-ann-2.wav"_s};
        QTest::newRow("PCM, closed but never renamed") << Leftover{12.0, false, false, u"20240301-091500-ann-12.wav"_s};
        QTest::newRow("GSM, closed but never renamed") << Leftover{1.0, true, false, u"20240301-091500-ann-1.wav"_s};
    }
    void leftoverRecordingsAreNamedWithTheirLength()
    {
        QFETCH(Leftover, leftover);
        QTemporaryDir dir;
        const QString path = dir.path() + u"/20240301-091500-ann.wav"_s, filed = dir.path() + u'/' + leftover.filed;
        writeWave(path, leftover.seconds, leftover.gsm, leftover.killed);
        const QByteArray before = TestFiles::read(path);
        QCOMPARE(dataSize(before) == 0, leftover.killed);

        const auto done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0].to, leftover.filed);
        QVERIFY(done[0].problem.isEmpty());
        QCOMPARE(TestFiles::names(dir.path()), QStringList{leftover.filed});
        // The header now declares all the audio, for every player; a complete one is left alone.
        const QByteArray after = TestFiles::read(filed);
        if (leftover.killed)
            QCOMPARE(qsizetype(dataSize(after)) + 8 + after.indexOf("data"), after.size());
        else
            QCOMPARE(after, before);
        const double measured = RecordingFiles::AudioSeconds(filed).value();
        QVERIFY2(qAbs(measured - leftover.seconds) < 0.05, qPrintable(QString::number(measured)));
    }

    // Whatever cannot be read is filed still, for the user to see; nothing else is touched.
    void onlyThisUsersUnfinishedRecordingsAreFiled()
    {
        QTemporaryDir dir;
        const QMap<QString, QByteArray> untouched = {
            {u"20240301-101500-ann-3.wav"_s, "finished"}, {u"20240301-101500-ann-3.wav.tmp"_s, "the mover's"},
            {u"20240301-111500-bob.wav"_s, "another user's"}, {u"20240301-121500-ann.txt"_s, "a note"},
            {u"holiday.wav"_s, "not a call"}, {u"20240301-131500-ann-0.wav"_s, "an earlier call of the same second"}};
        for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
            QVERIFY(TestFiles::write(dir.filePath(it.key()), it.value()));
        QVERIFY(TestFiles::write(dir.filePath(u"20240301-091500-ann.wav"_s), "")); // killed as it was made
        QVERIFY(TestFiles::write(dir.filePath(u"20240301-131500-ann.wav"_s), "unreadable"));

        const auto done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        QCOMPARE(done.size(), 2);
        QCOMPARE(done[0].to, u"20240301-091500-ann-0.wav"_s);
        QVERIFY(!done[0].problem.isEmpty());
        QCOMPARE(done[1].to, u"20240301-131500-ann-0-2.wav"_s);
        QStringList names = untouched.keys() << done[0].to << done[1].to;
        names.sort();
        QCOMPARE(TestFiles::names(dir.path()), names);
        for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
            QCOMPARE(TestFiles::read(dir.filePath(it.key())), it.value());
    }
};

QTEST_GUILESS_MAIN(tst_RecordingFiles)
#include "tst_RecordingFiles.moc"
