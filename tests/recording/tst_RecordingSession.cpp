#include "audio/PlaybackFile.h"
#include "audio/WaveWriter.h"
#include "mover/RecordingMover.h"
#include "recording/RecordingFiles.h"
#include "RecordingTestKit.h"

#include <QProcess>
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;

// A call recorded by hand, from the record button to its filing, and the recordings left
// unfinished by a program that ended during a call, on real folders and WAV files.
class tst_RecordingSession : public QObject
{
    Q_OBJECT

    static quint32 dataSize(const QByteArray &wave) { return qFromLittleEndian<quint32>(wave.constData() + wave.indexOf("data") + 4); }

    enum Ending { Stop, Discard, MoverFails, Unreachable, Unwritable }; // the last two: the note waits
    struct Call
    {
        double position;
        QString name; // in the temporary folder, once stopped
        QDateTime start = QDateTime(QDate(2024, 3, 1), QTime(9, 15));
        QString user = u"ann"_s;
        Ending ending = Stop;
        QString earlier = {}, earlierAfter = {}; // a file of that name there first, and its name after
        std::optional<QString> note = {}; // typed in the prompt; none: AddNote off
    };
    // seconds < 0: an empty file, as a recorder killed while making it leaves. Killed: the
    // file as it stood when the process died, after a header update at `updatedAt` s (0:
    // none), its last write `cut` bytes short; else closed whole but never renamed.
    struct Leftover { double seconds; bool gsm, killed; QString filed; double updatedAt = 0; int cut = 0; };

    // Seconds of a tone through the program's own writer, left as `l` says.
    static void writeWave(const QString &path, const Leftover &l)
    {
        qint16 code = 0;
        auto writer = WaveWriter::create(path + u".writing"_s, l.gsm ? WaveFormat::gsm() : WaveFormat::pcm(8000), code);
        QVERIFY(writer);
        std::vector<short> tone(size_t(l.seconds * 8000));
        for (size_t i = 0; i < tone.size(); ++i)
            tone[i] = short((i / 10) % 2 ? 4000 : -4000);
        const qint64 split = l.updatedAt > 0 ? qint64(l.updatedAt * 8000) : qint64(tone.size());
        QVERIFY(writer->write(reinterpret_cast<const char *>(tone.data()), split));
        if (l.updatedAt > 0) {
            QVERIFY(writer->updateHeader());
            QVERIFY(writer->write(reinterpret_cast<const char *>(tone.data() + split), qint64(tone.size()) - split));
        }
        if (l.killed) {
            QVERIFY(QFile::copy(path + u".writing"_s, path));
            QVERIFY(QFile::resize(path, QFileInfo(path).size() - l.cut));
        }
        QVERIFY(writer->finish());
        QVERIFY(l.killed ? QFile::remove(path + u".writing"_s) : QFile::rename(path + u".writing"_s, path));
    }
    static QByteArray run(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(20000) || p.exitCode() != 0)
            return "failed: " + p.readAllStandardError();
        return p.readAllStandardOutput();
    }

private slots:
    // A recording stopped to be discarded stays in the temporary folder, unfiled; one whose
    // mover cannot start is filed still, with a box. The note goes beside the recording,
    // and the mover is started again to file it where the call went (a call of the same
    // name from another PC may have taken the call's name).
    void callByHand_data()
    {
        QTest::addColumn<Call>("c");
        const QString ann = u"20240301-091500-ann"_s;
        QTest::newRow("ann, under a second, a note") << Call{.position = 0.4, .name = ann + u"-0.wav"_s, .note = u"Mr Smith, re invoice"_s};
        QTest::newRow("3 Feb 2005, 09:05:07, operator, 75 s") << Call{.position = 74.6, .name = u"20050203-090507-operator-75.wav"_s,
                                                                      .start = {QDate(2005, 2, 3), QTime(9, 5, 7)}, .user = u"operator"_s};
        QTest::newRow("discarded by hand") << Call{.position = 4, .name = ann + u"-4.wav"_s, .ending = Discard};
        QTest::newRow("mover cannot start, no note typed") << Call{.position = 15, .name = ann + u"-15.wav"_s, .ending = MoverFails, .note = QString()};
        QTest::newRow("calls folder unreachable") << Call{.position = 42, .name = ann + u"-42.wav"_s, .ending = Unreachable, .note = u"keep me"_s};
        QTest::newRow("calls folder another user made") << Call{.position = 9, .name = ann + u"-9.wav"_s, .ending = Unwritable, .note = u"mine"_s};
        QTest::newRow("same second and length")
            << Call{.position = 3, .name = ann + u"-3-2.wav"_s, .earlier = ann + u"-3.wav"_s, .earlierAfter = ann + u"-3.wav"_s};
        QTest::newRow("unfinished, same second: filed first")
            << Call{.position = 8, .name = ann + u"-8.wav"_s, .earlier = ann + u".wav"_s, .earlierAfter = ann + u"-0.wav"_s};
    }
    void callByHand()
    {
        QFETCH(Call, c);
        RecordingRig rig;
        rig.clock.set(c.start);
        rig.app.CurrentUserName = c.user;
        rig.app.settings.AddNote = c.note.has_value();
        rig.view.notes = {c.note.value_or(u"unasked"_s)};
        if (c.ending == MoverFails)
            rig.moverFailure = u"2"_s;
        if (c.ending == Unreachable) { // under a file: never a folder
            QVERIFY(TestFiles::write(rig.calls.filePath(u"file"_s), ""));
            rig.app.settings.CallPath = rig.calls.filePath(u"file/calls"_s);
        }
        if (!c.earlier.isEmpty())
            QVERIFY(TestFiles::write(rig.temp.filePath(c.earlier), "earlier call"));
        rig.session.cmdRecord_Click();
        rig.settle();
        rig.clock.advance(5);
        rig.session.cmdRecord_Click(); // ignored while recording: no second file
        rig.settle();
        rig.clock.advance(3600);       // the end of the call does not name it
        rig.recorder.position = c.position;
        std::optional<AsUnprivilegedUser> nobody; // in root's calls folder, from a temporary folder open to all
        const auto openToAll = QFileDevice::Permissions(0x7777);
        // An ordinary user's own calls folder, made read-only, stands for another user's.
        const bool readOnly = c.ending == Unwritable && ::geteuid() != 0;
        if (readOnly)
            QVERIFY(QFile::setPermissions(rig.calls.path(), QFileDevice::Permissions(0x5555)));
        if (c.ending == Unwritable && (!QFile::setPermissions(rig.temp.path(), openToAll) || (nobody.emplace(), ::geteuid() == 0)))
            QSKIP("cannot drop root's rights here");
        c.ending == Discard ? rig.session.StopRecording(true) : rig.session.cmdStop_Click();
        rig.settle();
        nobody.reset();
        if (readOnly)
            QFile::setPermissions(rig.calls.path(), QFileDevice::Permissions(0x7700));

        const QString noteName = c.name.chopped(4) + u".txt"_s;
        const QByteArray typed = c.note.value_or(QString()).toUtf8();
        QStringList temp = QStringList{c.name, c.earlierAfter, typed.isEmpty() ? QString() : noteName};
        temp.removeAll(QString());
        temp.sort();
        QCOMPARE(rig.tempFiles(), temp);
        if (!c.earlier.isEmpty())
            QCOMPARE(rig.tempFile(c.earlierAfter), QByteArray("earlier call"));
        QCOMPARE(rig.filedFile(noteName), QByteArray("<missing>"));
        if (!typed.isEmpty())
            QCOMPARE(rig.tempFile(noteName), typed);
        const int filed = c.ending == Discard ? 0 : 1;
        QCOMPARE(rig.moverLaunches, filed + (typed.isEmpty() ? 0 : 1));
        QCOMPARE(rig.view.calls->Count(), filed);
        QCOMPARE(rig.prompts.texts(), c.ending == MoverFails ? QStringList{u"Voxmere failed to launch recording mover: 2"_s} : QStringList());
        if (!filed)
            return;
        const auto call = rig.view.calls->Item(1);
        QCOMPARE(call->RecordingLocation(), QDir(rig.app.settings.CallPath).filePath(c.name));
        QCOMPARE(call->CallDuration(), qRound(c.position));
        QCOMPARE(call->CallDate(), c.start.date());
        QCOMPARE(call->CallTime(), c.start.time());
        QCOMPARE(call->CallNote(), c.note.value_or(QString()));
        if (c.ending == Unwritable) // once the folder may be written: the call and its note
            QCOMPARE(RecordingMover(rig.temp.path(), rig.app.settings.CallPath).Run().moved, 2);
    }

    // A note for the call filed last (from the command line) goes where the call is now:
    // beside it while it waits, for the mover; where the mover filed it under a copy
    // number, never into the note of the other PC's call that had its name.
    void noteOfTheCallFiledLast_data()
    {
        QTest::addColumn<QString>("filedAs"); // none: still waiting
        QTest::newRow("waiting to be filed") << QString();
        QTest::newRow("filed under a copy number") << u"20240301-091500-ann-5-2.wav"_s;
    }
    void noteOfTheCallFiledLast()
    {
        QFETCH(QString, filedAs);
        RecordingRig rig;
        QSignalSpy told(&rig.session, &RecordingSession::callFiled);
        rig.session.cmdRecord_Click();
        rig.settle();
        rig.recorder.position = 5;
        rig.session.cmdStop_Click();
        rig.settle();
        const QString name = u"20240301-091500-ann-5.wav"_s, theirs = u"20240301-091500-ann-5.txt"_s;
        // Another PC's call first in the name.
        QVERIFY(TestFiles::write(rig.calls.filePath(name), "their call") && TestFiles::write(rig.calls.filePath(theirs), "their note"));
        if (!filedAs.isEmpty())
            QCOMPARE(RecordingMover(rig.temp.path(), rig.app.settings.CallPath).Run().moved, 1);
        const int launches = rig.moverLaunches;
        QString path, error = u"unanswered"_s;
        rig.session.WriteLastFiledNote(u"Called back\r\non Friday"_s, [&](const QString &p, const QString &e) { path = p, error = e; });
        QTRY_COMPARE(error, QString());
        const QString note = (filedAs.isEmpty() ? name : filedAs).chopped(4) + u".txt"_s;
        QCOMPARE(filedAs.isEmpty() ? rig.tempFile(note) : rig.filedFile(note), QByteArray("Called back<CR>on Friday"));
        QCOMPARE(path, rig.calls.filePath(filedAs.isEmpty() ? name : filedAs));
        QCOMPARE(rig.moverLaunches, launches + (filedAs.isEmpty() ? 1 : 0));
        QCOMPARE(rig.filedFile(theirs), QByteArray("their note"));
        // Told filed once the mover has put it, by the name it took.
        QTRY_COMPARE(told.size(), filedAs.isEmpty() ? 0 : 1);
        QCOMPARE(told.value(0).value(0).toString(), filedAs.isEmpty() ? QString() : QDir::cleanPath(rig.calls.filePath(filedAs)));
    }

    // Each is named with the length read from it, and its header made to declare all the
    // audio, for every player. Whatever cannot be read is filed still, for the user to see,
    // never over an earlier call; nothing else is touched.
    void leftoverRecordingsAreNamedWithTheirLength_data()
    {
        QTest::addColumn<Leftover>("l");
        QTest::newRow("GSM, killed, header never updated") << Leftover{7.3, true, true, u"20240301-091500-ann-7.wav"_s};
        QTest::newRow("GSM, killed, header updated at 3 s") << Leftover{7.3, true, true, u"20240301-091500-ann-7.wav"_s, 3.0};
        QTest::newRow("GSM, killed, last block cut short") << Leftover{7.3, true, true, u"20240301-091500-ann-7.wav"_s, 0, 20};
        QTest::newRow("PCM, killed") << Leftover{2.4, false, true, u"20240301-091500-ann-2.wav"_s};
        QTest::newRow("PCM, closed but never renamed") << Leftover{12.0, false, false, u"20240301-091500-ann-12.wav"_s};
        QTest::newRow("empty: killed as it was made") << Leftover{-1, false, true, u"20240301-091500-ann-0-2.wav"_s};
    }
    void leftoverRecordingsAreNamedWithTheirLength()
    {
        QFETCH(Leftover, l);
        QTemporaryDir dir;
        const QMap<QString, QByteArray> untouched = {
            {u"20240301-101500-ann-3.wav"_s, "finished"}, {u"20240301-101500-ann-3.wav.tmp"_s, "the mover's"},
            {u"20240301-111500-bob.wav"_s, "another user's"}, {u"20240301-121500-ann.txt"_s, "a note"},
            {u"holiday.wav"_s, "not a call"}, {u"20240301-091500-ann-0.wav"_s, "an earlier call of the same second"}};
        for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
            QVERIFY(TestFiles::write(dir.filePath(it.key()), it.value()));
        const QString path = dir.filePath(u"20240301-091500-ann.wav"_s), filed = dir.filePath(l.filed);
        if (l.seconds < 0)
            QVERIFY(TestFiles::write(path, ""));
        else
            writeWave(path, l);
        const QByteArray before = TestFiles::read(path);

        const auto done = RecordingFiles::FinishLeftoverRecordings(dir.path(), u"ann"_s);
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0].to, l.filed);
        QCOMPARE(done[0].problem.isEmpty(), l.seconds >= 0);
        QStringList names = untouched.keys() << l.filed;
        names.sort();
        QCOMPARE(TestFiles::names(dir.path()), names);
        for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
            QCOMPARE(TestFiles::read(dir.filePath(it.key())), it.value());
        if (l.seconds < 0)
            return;
        const QByteArray after = TestFiles::read(filed);
        QCOMPARE(dataSize(before) == 0, l.killed && l.updatedAt == 0);
        if (l.killed)
            QCOMPARE(qsizetype(dataSize(after)) + 8 + after.indexOf("data"), after.size());
        else
            QCOMPARE(after, before);
        // What the crash left on disk: a GSM file's whole blocks, a PCM file's every frame.
        const qint64 written = qint64(l.seconds * 8000);
        const qint64 frames = l.gsm ? (written / 320 - (l.cut ? 1 : 0)) * 320 : written - l.cut / 2;
        if (l.gsm)
            QCOMPARE(qFromLittleEndian<quint32>(after.constData() + after.indexOf("fact") + 8), quint32(frames));
        const double seconds = RecordingFiles::AudioSeconds(filed).value();
        QVERIFY2(qAbs(seconds - double(frames) / 8000) < 0.05, qPrintable(QString::number(seconds))); // libsndfile may count a block more
        // Every player hears all of it: the program's own, sox and ffprobe.
        qint16 code = 0;
        auto played = PlaybackFile::open(filed, PlaybackFile::Wav, code);
        QVERIFY2(played, qPrintable(QString::number(code)));
        std::vector<qint16> samples(size_t(frames + 1000));
        QCOMPARE(played->read(samples.data(), qint64(samples.size())), frames);
        QVERIFY(*std::max_element(samples.begin(), samples.end()) > 1000); // sound, not silence
        QCOMPARE(run(u"sox"_s, {filed, u"-t"_s, u"s16"_s, u"-"_s}).size(), frames * 2);
        const QByteArray probed = run(u"ffprobe"_s, {u"-v"_s, u"error"_s, u"-show_entries"_s, u"format=duration"_s,
                                                    u"-of"_s, u"default=nw=1:nk=1"_s, filed});
        QVERIFY2(qAbs(probed.trimmed().toDouble() - double(frames) / 8000) < 0.05, probed.constData());
    }

    // A header that cannot be written (a full disk) is told; the call stays unfiled, as it was.
    void leftoverWhoseHeaderCannotBeCompletedIsTold()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"20240301-091500-ann.wav"_s);
        writeWave(path, Leftover{7.3, true, true, {}});
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

QTEST_GUILESS_MAIN(tst_RecordingSession)
#include "tst_RecordingSession.moc"
