#include "RecordingTestKit.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// A call recorded by hand, from the record button to its filing, on real folders.
class tst_RecordingSession : public QObject
{
    Q_OBJECT

    static void record(RecordingRig &rig, double seconds)
    {
        rig.session.cmdRecord_Click();
        rig.recorder.position = seconds;
        rig.session.cmdStop_Click();
    }

    struct Call { QDateTime start; QString user; double position; QString name; };
    struct Note { bool addNote; QString typed; bool unreachable; };
    // A file of the same name there first, and its name once the new call is filed.
    struct Earlier { QString name; double seconds; QString nameAfter; QString filed; };

private slots:
    void callIsNamedFromItsStartAndLength_data()
    {
        QTest::addColumn<Call>("c");
        QTest::newRow("1 March 2024, 09:15:00, ann, 65 s")
            << Call{{QDate(2024, 3, 1), QTime(9, 15, 0)}, u"ann"_s, 65.0, u"20240301-091500-ann-65.wav"_s};
        QTest::newRow("3 Feb 2005, 09:05:07, operator, 75 s")
            << Call{{QDate(2005, 2, 3), QTime(9, 5, 7)}, u"operator"_s, 74.6, u"20050203-090507-operator-75.wav"_s};
        QTest::newRow("under a second")
            << Call{{QDate(2024, 12, 31), QTime(23, 59, 59)}, u"bob"_s, 0.4, u"20241231-235959-bob-0.wav"_s};
    }
    void callIsNamedFromItsStartAndLength()
    {
        QFETCH(Call, c);
        RecordingRig rig;
        rig.clock.set(c.start);
        rig.ctx.CurrentUserName = c.user;
        rig.session.cmdRecord_Click();
        rig.clock.advance(5);
        rig.session.cmdRecord_Click(); // ignored while recording: no second file
        rig.clock.advance(3600);       // the end of the call does not name it
        rig.recorder.position = c.position;
        rig.session.cmdStop_Click();

        QCOMPARE(rig.tempFiles(), QStringList{c.name});
        QCOMPARE(rig.moverLaunches, 1);
        QCOMPARE(rig.view.calls->Count(), 1);
        const auto call = rig.view.calls->Item(1);
        QCOMPARE(call->RecordingLocation(), rig.callPath.filePath(c.name));
        QCOMPARE(call->CallDuration(), qRound(c.position));
        QCOMPARE(call->CallDate(), c.start.date());
        QCOMPARE(call->CallTime(), c.start.time());
    }

    // The note goes beside the filed call, or waits beside the recording when the calls
    // folder cannot be reached.
    void noteAfterTheCall_data()
    {
        QTest::addColumn<Note>("n");
        QTest::newRow("a note") << Note{true, u"Mr Smith, re invoice"_s, false};
        QTest::newRow("two lines keep CR LF") << Note{true, u"one\r\ntwo"_s, false};
        QTest::newRow("nothing typed") << Note{true, QString(), false};
        QTest::newRow("AddNote off") << Note{false, u"unasked"_s, false};
        QTest::newRow("calls folder unreachable") << Note{true, u"keep me"_s, true};
    }
    void noteAfterTheCall()
    {
        QFETCH(Note, n);
        RecordingRig rig;
        rig.ctx.settings.AddNote = n.addNote;
        if (n.unreachable) { // under a file: never a folder
            QVERIFY(TestFiles::write(rig.callPath.filePath(u"file"_s), ""));
            rig.ctx.settings.CallPath = rig.callPath.filePath(u"file/calls"_s);
        }
        rig.view.notes = {n.typed};
        record(rig, 42);
        const QString note = u"20240301-091500-ann-42.txt"_s;
        const QByteArray written = n.addNote && !n.typed.isEmpty() ? n.typed.toUtf8() : "<missing>";
        QCOMPARE(rig.filedFile(note), n.unreachable ? "<missing>" : written);
        QCOMPARE(rig.tempFile(note), n.unreachable ? written : "<missing>");
        QCOMPARE(rig.view.calls->Item(1)->CallNote(), n.addNote ? n.typed : QString());
        QVERIFY(rig.prompts.shown().isEmpty());
    }

    void neverWritesOverAnEarlierRecording_data()
    {
        QTest::addColumn<Earlier>("e");
        QTest::newRow("same second and length") << Earlier{u"20240301-091500-ann-3.wav"_s, 3.0,
                                                           u"20240301-091500-ann-3.wav"_s, u"20240301-091500-ann-3-2.wav"_s};
        QTest::newRow("unfinished, same second: filed first") << Earlier{u"20240301-091500-ann.wav"_s, 8.0,
                                                                         u"20240301-091500-ann-0.wav"_s, u"20240301-091500-ann-8.wav"_s};
    }
    void neverWritesOverAnEarlierRecording()
    {
        QFETCH(Earlier, e);
        RecordingRig rig;
        QVERIFY(TestFiles::write(rig.temp.filePath(e.name), "earlier call"));
        record(rig, e.seconds);
        QStringList both{e.nameAfter, e.filed};
        both.sort();
        QCOMPARE(rig.tempFiles(), both);
        QCOMPARE(rig.tempFile(e.nameAfter), QByteArray("earlier call"));
        QCOMPARE(rig.view.calls->Item(1)->RecordingLocation(), rig.callPath.filePath(e.filed));
        QCOMPARE(rig.view.calls->Item(1)->CallDuration(), qRound(e.seconds));
    }

    // A recording stopped to be discarded stays in the temporary folder, unfiled.
    void discardByHandKeepsTheFile()
    {
        RecordingRig rig;
        rig.session.cmdRecord_Click();
        rig.recorder.position = 4;
        rig.session.StopRecording(true);
        QCOMPARE(rig.tempFiles(), QStringList{u"20240301-091500-ann-4.wav"_s});
        QCOMPARE(rig.view.calls->Count(), 0);
        QCOMPARE(rig.moverLaunches, 0);
    }

    void moverThatCannotStartIsReported()
    {
        RecordingRig rig;
        rig.moverFailure = u"2"_s;
        record(rig, 15);
        QCOMPARE(rig.prompts.texts(), QStringList{u"Voxmere failed to launch recording mover: 2"_s});
        QCOMPARE(rig.prompts.shown().first().caption, u"Voxmere Error"_s);
        QCOMPARE(rig.view.calls->Count(), 1); // filing goes on
    }
};

QTEST_GUILESS_MAIN(tst_RecordingSession)
#include "tst_RecordingSession.moc"
