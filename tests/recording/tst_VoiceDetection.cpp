#include "RecordingTestKit.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// Voice-operated recording driven by its timer handlers in simulated time.
class tst_VoiceDetection : public QObject
{
    Q_OBJECT

    struct Rig : RecordingRig
    {
        SimulatedTime time;
        Rig()
        {
            // The defaults hold: Sensitivity -18 dB, CallTimeOut 5 s, MinCallLength 10 s.
            ctx.settings.AutoRecord = true;
            recorder.position = 30.0;
            detection.Detection.start();
            time.add(detection.Detection, [this] { detection.Detection_Timer(); });
            time.add(detection.tmrVoxTriggerDelay, [this] { detection.tmrVoxTriggerDelay_Timer(); });
            time.add(detection.tmrVoxLatch, [this] { detection.tmrVoxLatch_Timer(); });
            time.runFor(200); // the first tick arms detection
        }
        // Level A at the polls for `ms`, or until recording is `until`: the time it was, or -1.
        qint64 level(float a, qint64 ms, std::optional<bool> until = {})
        {
            recorder.levelA = a;
            return time.runFor(ms, [this, until] { return until == state.IsRecording; });
        }
    };

    // startAfter: ms from the first loud poll (after the dip) to the start; -1 never.
    struct Trigger { float level; qint64 loudBeforeDip; float dip; qint64 startAfter; };
    // filed: the name in the temporary folder; empty: deleted.
    struct End { double position; bool discardMarked, byHand; QString filed; };

private slots:
    // A call starts at the poll after 1.5 s of polls above the sensitivity; one poll at or
    // below it cancels the trigger, and the next loud poll starts the delay again.
    void trigger_data()
    {
        QTest::addColumn<Trigger>("t");
        QTest::newRow("-17.9 above -18") << Trigger{-17.9f, 0, 0, 1600};
        QTest::newRow("exactly -18 never") << Trigger{-18.0f, 0, 0, -1};
        QTest::newRow("dip to the threshold after 1.0 s") << Trigger{-10.0f, 1000, -18.0f, 1600};
        QTest::newRow("dip below after 1.4 s") << Trigger{-10.0f, 1400, -40.0f, 1600};
        QTest::newRow("dip right after confirmation") << Trigger{-10.0f, 1600, -40.0f, 1600};
    }
    void trigger()
    {
        QFETCH(Trigger, t);
        Rig rig;
        rig.state.PlaybackOpen = true;
        if (t.loudBeforeDip) {
            QCOMPARE(rig.level(-10.0f, t.loudBeforeDip - 200, true), qint64(-1));
            rig.level(t.dip, 200);
        }
        const qint64 firstLoud = rig.time.now() + 200;
        const qint64 started = rig.level(t.level, 20000, true);
        QCOMPARE(started < 0 ? -1 : started - firstLoud, t.startAfter);
        QCOMPARE(rig.view.playbackStops, started < 0 ? 0 : 1); // a starting call ends the playback
    }

    // The latch counts CallTimeOut seconds down from the last loud poll, on its own beat;
    // with 0 the call ends at its first tick.
    void latchEndsTheCall_data()
    {
        QTest::addColumn<int>("callTimeOut");
        QTest::addColumn<qint64>("talk"); // ms of loud polls after the start: sets the latch's phase
        for (int timeOut : {5, 2, 0})
            for (qint64 talk : {200, 400, 600, 800, 1000, 3000, 7400})
                QTest::addRow("CallTimeOut %d, talk %lld ms", timeOut, talk) << timeOut << talk;
    }
    void latchEndsTheCall()
    {
        QFETCH(int, callTimeOut);
        QFETCH(qint64, talk);
        Rig rig;
        rig.ctx.settings.CallTimeOut = callTimeOut;
        const qint64 started = rig.level(-10.0f, 5000, true);
        qint64 stopped = rig.level(-10.0f, talk, false);
        const qint64 lastLoud = rig.time.now();
        if (stopped < 0)
            stopped = rig.level(-40.0f, 20000, false);
        const qint64 from = callTimeOut ? lastLoud + (callTimeOut - 1) * 1000 : started + 1000;
        QVERIFY2(stopped >= from && stopped <= from + (callTimeOut ? 1000 : 0), qPrintable(QString::number(stopped - lastLoud)));
        QCOMPARE(rig.tempFiles(), QStringList{u"20240301-091500-ann-30.wav"_s});
        // Detection arms again on the next tick, and a new call needs a new trigger.
        rig.level(-40.0f, 200);
        QVERIFY(rig.state.DetectionRunning);
        QVERIFY(!rig.state.TriggerConfirmed);
    }

    // Calls shorter than MinCallLength, or marked for discard, are deleted when the latch
    // ends them; a stop by hand files any call and ends the latch, which must not stop,
    // rename or delete it again.
    void callEnd_data()
    {
        QTest::addColumn<End>("end");
        const QString ten = u"20240301-091500-ann-10.wav"_s;
        QTest::newRow("9.4 s < 10") << End{9.4, false, false, {}};
        QTest::newRow("9.5 s rounds to 10") << End{9.5, false, false, ten};
        QTest::newRow("10 s") << End{10.0, false, false, ten};
        QTest::newRow("marked for discard by the options") << End{60.0, true, false, {}};
        QTest::newRow("by hand") << End{30.0, false, true, u"20240301-091500-ann-30.wav"_s};
        QTest::newRow("by hand, shorter than MinCallLength") << End{3.0, false, true, u"20240301-091500-ann-3.wav"_s};
    }
    void callEnd()
    {
        QFETCH(End, end);
        const QString &filed = end.filed;
        Rig rig;
        rig.recorder.position = end.position;
        rig.level(-10.0f, 5000, true);
        rig.state.DiscardRecording = end.discardMarked;
        if (end.byHand) {
            rig.level(-10.0f, 1000);
            rig.session.cmdStop_Click();
        } else {
            QVERIFY(rig.level(-40.0f, 10000, false) > 0);
        }
        const QStringList expected = filed.isEmpty() ? QStringList() : QStringList{filed};
        const QByteArray content = rig.tempFile(filed);
        rig.level(-40.0f, 20000); // longer than any latch
        QCOMPARE(rig.tempFiles(), expected);
        QCOMPARE(rig.tempFile(filed), content);
        QCOMPARE(rig.view.calls->Count(), expected.size());
        QCOMPARE(rig.moverLaunches, expected.size());
        QVERIFY(!rig.state.DiscardRecording); // the next call is kept
    }

    // After a stop by hand a new call may start while the note of the first is asked for:
    // each is filed with its own name and note.
    // Arming fails: manual mode for this run, and one box only, though the poll keeps
    // firing while it waits for OK.
    void armingFailure_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("text");
        QTest::newRow("no input") << u"OpenInput"_s << u"Recording Control Error: No device capable or recording with current settings"_s;
        QTest::newRow("no capture") << u"Record"_s
            << u"Failed to initialise Voice Detection - Check that other devices are not recording audio. \r\nSwitching to manual control.\r\nErr: 1"_s;
    }
    void armingFailure()
    {
        QFETCH(QString, member);
        Rig rig;
        rig.recorder.codes[member] = 1;
        rig.prompts.clear();
        rig.state.DetectionRunning = false;
        rig.prompts.whileShown = [&] { rig.time.runFor(2000); };
        rig.time.runFor(200);
        QTEST(rig.prompts.texts().join(u'|'), "text");
        QVERIFY(!rig.ctx.settings.AutoRecord);
        QVERIFY(!rig.state.DetectionRunning);
    }

    void newCallDuringTheNotePromptKeepsEachCallApart()
    {
        Rig rig;
        rig.ctx.settings.AddNote = true;
        rig.level(-10.0f, 5000, true);
        rig.clock.advance(125); // the second call starts 2 min 5 s later
        rig.view.notes = {u"first call"_s, u"second\r\ncall"_s};
        rig.view.duringNote = [&] {
            QVERIFY(rig.level(-10.0f, 5000, true) > 0); // the line stays loud: the next call
            QCOMPARE(rig.view.notePromptsClosed, 1);
        };
        rig.session.cmdStop_Click();
        QCOMPARE(rig.session.RecordingFileName, u"20240301-091705-ann.wav"_s);
        QVERIFY(rig.state.IsRecording);
        rig.recorder.position = 12.0;
        rig.level(-40.0f, 10000, false);

        QCOMPARE(rig.view.calls->Count(), 2);
        for (const auto &[row, name, note] : {std::tuple{1, u"20240301-091705-ann-12"_s, u"second\r\ncall"_s},
                                              std::tuple{2, u"20240301-091500-ann-30"_s, u"first call"_s}}) {
            const auto call = rig.view.calls->Item(row);
            QCOMPARE(call->RecordingLocation(), rig.callPath.path() + u'/' + name + u".wav"_s);
            QCOMPARE(call->CallNote(), note);
            QCOMPARE(rig.filedFile(name + u".txt"_s), note.toUtf8());
            QVERIFY(rig.tempFiles().contains(name + u".wav"_s));
        }
    }
};

QTEST_GUILESS_MAIN(tst_VoiceDetection)
#include "tst_VoiceDetection.moc"
