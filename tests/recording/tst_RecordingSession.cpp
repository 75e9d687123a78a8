#include "RecordingTestKit.h"

#include "callstore/CallFiles.h"

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

private slots:
    void callIsNamedFromItsStartAndLength_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("user");
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("name");
        QTest::newRow("1 March 2024, 09:15:00, ann, 65 s")
            << QDateTime(QDate(2024, 3, 1), QTime(9, 15, 0)) << u"ann"_s << 65.0 << u"20240301-091500-ann-65.wav"_s;
        QTest::newRow("3 Feb 2005, 09:05:07, operator, 75 s")
            << QDateTime(QDate(2005, 2, 3), QTime(9, 5, 7)) << u"operator"_s << 74.6 << u"20050203-090507-operator-75.wav"_s;
        QTest::newRow("under a second") << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)) << u"bob"_s << 0.4
                                        << u"20241231-235959-bob-0.wav"_s;
    }
    void callIsNamedFromItsStartAndLength()
    {
        QFETCH(QDateTime, start);
        QFETCH(QString, user);
        QFETCH(double, position);
        QFETCH(QString, name);
        RecordingRig rig;
        rig.clock.set(start);
        rig.ctx.CurrentUserName = user;
        rig.session.cmdRecord_Click();
        QVERIFY(rig.state.IsRecording);
        QVERIFY(rig.state.RecordActive);
        QVERIFY(rig.view.led);
        QVERIFY(!rig.view.playbackControls);
        rig.clock.advance(3600); // the end of the call does not name it
        rig.recorder.position = position;
        rig.session.cmdStop_Click();

        QCOMPARE(rig.tempFiles(), QStringList{name});
        QCOMPARE(rig.moverLaunches, 1);
        QVERIFY(!rig.state.IsRecording);
        QVERIFY(!rig.state.RecordActive);
        QVERIFY(!rig.view.led);
        QCOMPARE(rig.view.statusText, u"Recording Complete"_s);
        QCOMPARE(rig.view.calls->Count(), 1);
        const auto call = rig.view.calls->Item(1);
        QCOMPARE(call->RecordingLocation(), CallFiles::JoinPath(rig.callPath.path(), name));
        QCOMPARE(call->CallDuration(), CallFiles::SplitCallFileName(name)->seconds);
        QCOMPARE(call->LoginName(), user);
        QCOMPARE(call->CallDate(), start.date());
        QCOMPARE(call->CallTime(), start.time());
        QCOMPARE(rig.view.rows.value(0), call);
        QVERIFY(rig.prompts.shown().isEmpty());
    }

    void filedCallGoesToTheTopOfTheListing()
    {
        RecordingRig rig;
        colCalls &calls = *rig.view.calls;
        for (int i = 1; i <= 5; ++i) {
            QString key = QString::number(i);
            calls.Add(i, u"bob"_s, QDate(2024, 2, i), QTime(8, 0), 10, QString(), u"x"_s, QString(), -1, key);
        }
        record(rig, 20);
        QCOMPARE(calls.Count(), 6);
        QCOMPARE(calls.Item(1)->iCall(), 6);
        QCOMPARE(calls.Item(u"#6#"_s), calls.Item(1));
        QCOMPARE(calls.Item(2)->iCall(), 1);
    }

    void noteAfterTheCall_data()
    {
        QTest::addColumn<bool>("addNote");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("noteFile"); // empty: no file
        QTest::newRow("a note") << true << u"Mr Smith, re invoice"_s << QByteArray("Mr Smith, re invoice");
        QTest::newRow("two lines keep CR LF") << true << u"one\r\ntwo"_s << QByteArray("one\r\ntwo");
        QTest::newRow("nothing typed") << true << QString() << QByteArray();
        QTest::newRow("AddNote off") << false << u"unasked"_s << QByteArray();
    }
    void noteAfterTheCall()
    {
        QFETCH(bool, addNote);
        QFETCH(QString, typed);
        QFETCH(QByteArray, noteFile);
        RecordingRig rig;
        rig.ctx.settings.AddNote = addNote;
        rig.view.notes = {typed};
        record(rig, 42);
        QCOMPARE(rig.view.notesAsked, addNote ? 1 : 0);
        const QString notePath = rig.callPath.path() + u"/20240301-091500-ann-42.txt"_s;
        QCOMPARE(QFile::exists(notePath), !noteFile.isEmpty());
        if (!noteFile.isEmpty())
            QCOMPARE(rig.read(notePath), noteFile);
        QCOMPARE(rig.view.calls->Item(1)->CallNote(), addNote ? typed : QString());
    }

    // A calls folder that cannot be reached keeps the note beside the recording.
    void noteWaitsInTheTemporaryFolderWhenTheCallsFolderIsUnreachable()
    {
        RecordingRig rig;
        QFile blocker(rig.callPath.path() + u"/file"_s);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        rig.ctx.settings.CallPath = blocker.fileName() + u"/calls"_s; // under a file: never a folder
        rig.ctx.settings.AddNote = true;
        rig.view.notes = {u"keep me"_s};
        record(rig, 12);
        QCOMPARE(rig.read(rig.temp.path() + u"/20240301-091500-ann-12.txt"_s), QByteArray("keep me"));
        QVERIFY(rig.prompts.shown().isEmpty());
    }

    void windowMinimisedAtTheStart_data()
    {
        QTest::addColumn<bool>("maximise");
        QTest::addColumn<bool>("addNote");
        QTest::addColumn<int>("raised");
        QTest::addColumn<int>("minimisedAgain");
        QTest::newRow("Maximise, note") << true << true << 1 << 1;
        QTest::newRow("Maximise, no note") << true << false << 1 << 0;
        QTest::newRow("no Maximise, note") << false << true << 0 << 1;
    }
    void windowMinimisedAtTheStart()
    {
        QFETCH(bool, maximise);
        QFETCH(bool, addNote);
        QFETCH(int, raised);
        QFETCH(int, minimisedAgain);
        RecordingRig rig;
        rig.ctx.settings.Maximise = maximise;
        rig.ctx.settings.AddNote = addNote;
        rig.view.minimised = true;
        record(rig, 30);
        QCOMPARE(rig.view.raised, raised);
        QCOMPARE(rig.view.minimisedAgain, minimisedAgain);
    }

    // Two recordings of the same second and length: the second never replaces the first.
    void renameNeverReplacesAFile()
    {
        RecordingRig rig;
        const QString earlier = rig.temp.path() + u"/20240301-091500-ann-3.wav"_s;
        QVERIFY(rig.write(earlier, "earlier call"));
        record(rig, 3);
        QCOMPARE(rig.tempFiles(), (QStringList{u"20240301-091500-ann-3-2.wav"_s, u"20240301-091500-ann-3.wav"_s}));
        QCOMPARE(rig.read(earlier), QByteArray("earlier call"));
        QCOMPARE(rig.view.calls->Item(1)->RecordingLocation(),
                 rig.callPath.path() + u"/20240301-091500-ann-3-2.wav"_s);
        QCOMPARE(CallFiles::SplitCallFileName(u"20240301-091500-ann-3-2.wav"_s)->seconds, 3);
    }

    // A recording of the same second left unfinished is filed before a new one is opened.
    void startNeverWritesOverAnUnfinishedRecording()
    {
        RecordingRig rig;
        QVERIFY(rig.write(rig.temp.path() + u"/20240301-091500-ann.wav"_s, "not a wave file"));
        record(rig, 8);
        QCOMPARE(rig.tempFiles(), (QStringList{u"20240301-091500-ann-0.wav"_s, u"20240301-091500-ann-8.wav"_s}));
        QCOMPARE(rig.read(rig.temp.path() + u"/20240301-091500-ann-0.wav"_s), QByteArray("not a wave file"));
    }

    void discardByHandKeepsTheFile()
    {
        RecordingRig rig;
        rig.session.cmdRecord_Click();
        rig.recorder.position = 4;
        rig.session.StopRecording(true);
        QCOMPARE(rig.tempFiles(), QStringList{u"20240301-091500-ann-4.wav"_s});
        QVERIFY(rig.view.quitAndOptionsEnabled);
        QCOMPARE(rig.view.calls->Count(), 0);
        QCOMPARE(rig.moverLaunches, 0);
    }

    void recordWhileRecordingIsIgnored()
    {
        RecordingRig rig;
        rig.session.cmdRecord_Click();
        rig.clock.advance(5);
        rig.session.cmdRecord_Click();
        QCOMPARE(rig.recorder.log.filter(u"OpenRecordFile"_s).size(), 1);
        rig.recorder.position = 5;
        rig.session.cmdStop_Click();
        QCOMPARE(rig.tempFiles(), QStringList{u"20240301-091500-ann-5.wav"_s});
    }

    void recorderErrorsWhileStarting()
    {
        RecordingRig rig;
        rig.recorder.codes[u"OpenRecordFile"_s] = 2;
        rig.recorder.codes[u"Record"_s] = 9;
        rig.session.cmdRecord_Click();
        QCOMPARE(rig.prompts.texts(),
                 (QStringList{u"Recording Control Error: Cant open specified file: 20240301-091500-ann.wav"_s,
                              u"Recording Control Error: Error starting recording - please check no other devices are recording the same input"_s}));
        QVERIFY(rig.state.IsRecording);
        // With no file written, the stop can only say so; the recording stays open.
        rig.prompts.clear();
        rig.session.cmdStop_Click();
        QCOMPARE(rig.prompts.texts(),
                 QStringList{u"An error occurred when stopping recording.  The error reported was: 53: File not found"_s});
        QCOMPARE(rig.prompts.shown().first().caption, u"Error"_s);
        QCOMPARE(rig.view.calls->Count(), 0);
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

    void stopAndPauseWithoutARecording()
    {
        RecordingRig rig;
        rig.session.cmdStop_Click();
        QCOMPARE(rig.view.playbackStops, 0);
        QVERIFY(rig.recorder.log.isEmpty());
        rig.state.PlaybackOpen = true;
        rig.session.cmdStop_Click();
        QCOMPARE(rig.view.playbackStops, 1);

        rig.session.cmdPause_Click();
        QVERIFY(rig.player.paused);
        QVERIFY(!rig.recorder.paused);
        rig.state.PlaybackOpen = false;
        rig.session.cmdPause_Click();
        QVERIFY(rig.recorder.paused);
        rig.session.cmdPause_Click();
        QVERIFY(!rig.recorder.paused);
    }
};

QTEST_GUILESS_MAIN(tst_RecordingSession)
#include "tst_RecordingSession.moc"
