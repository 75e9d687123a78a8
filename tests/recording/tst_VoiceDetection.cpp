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
            ctx.settings.AutoRecord = true;
            ctx.settings.Sensitivity = -18;
            ctx.settings.CallTimeOut = 5;
            ctx.settings.MinCallLength = 10;
            recorder.position = 30.0;
            detection.Detection.start();
            time.add(detection.Detection, [this] { detection.Detection_Timer(); });
            time.add(detection.tmrVoxTriggerDelay, [this] { detection.tmrVoxTriggerDelay_Timer(); });
            time.add(detection.tmrVoxLatch, [this] { detection.tmrVoxLatch_Timer(); });
        }
        bool recording() const { return state.IsRecording; }
        // Level A at the polls from now for `ms`.
        qint64 level(float a, qint64 ms, const std::function<bool()> &stop = {})
        {
            recorder.levelA = a;
            return time.runFor(ms, stop);
        }
        // Arms detection (first tick) and answers the time of the first poll that sees the line.
        void arm()
        {
            time.runUntil(200);
            QVERIFY(state.DetectionRunning);
        }
    };

private slots:
    void triggerNeedsEveryPollLoudFor1500msAndOneMore_data()
    {
        QTest::addColumn<float>("level");
        QTest::addColumn<qint64>("startAfter"); // ms after the first loud poll; -1 never

        QTest::newRow("-17.9 above -18") << -17.9f << qint64(1600);
        QTest::newRow("exactly -18 never") << -18.0f << qint64(-1);
        QTest::newRow("loud") << -3.0f << qint64(1600);
    }
    void triggerNeedsEveryPollLoudFor1500msAndOneMore()
    {
        QFETCH(float, level);
        QFETCH(qint64, startAfter);
        Rig rig;
        rig.arm();
        const qint64 firstLoud = rig.time.now() + 200;
        const qint64 started = rig.level(level, 20000, [&] { return rig.recording(); });
        QCOMPARE(started < 0 ? -1 : started - firstLoud, startAfter);
        if (startAfter < 0)
            return;
        QVERIFY(rig.detection.tmrVoxLatch.isActive());
        QCOMPARE(rig.recorder.log.filter(u"OpenRecordFile"_s),
                 QStringList{u"OpenRecordFile "_s + rig.ctx.TempFolder + u"/20240301-091500-ann.wav"_s});
        QCOMPARE(rig.recorder.log.mid(rig.recorder.log.size() - 4),
                 (QStringList{u"Stop"_s, u"Paused=false"_s,
                              u"OpenRecordFile "_s + rig.ctx.TempFolder + u"/20240301-091500-ann.wav"_s,
                              u"Record"_s}));
        QCOMPARE(rig.view.levelA, QString::number(level));
        QVERIFY(rig.view.led);
    }

    void dipCancelsTheTrigger_data()
    {
        QTest::addColumn<qint64>("loudBeforeDip"); // ms of loud polls before one quiet poll
        QTest::addColumn<float>("dip");
        QTest::newRow("dip to the threshold after 1.0 s") << qint64(1000) << -18.0f;
        QTest::newRow("dip below after 1.4 s") << qint64(1400) << -40.0f;
        QTest::newRow("dip right after confirmation") << qint64(1600) << -40.0f;
    }
    void dipCancelsTheTrigger()
    {
        QFETCH(qint64, loudBeforeDip);
        QFETCH(float, dip);
        Rig rig;
        rig.arm();
        // loudBeforeDip covers one poll less: the last poll before the dip is loud.
        QCOMPARE(rig.level(-10.0f, loudBeforeDip - 200, [&] { return rig.recording(); }), qint64(-1));
        rig.level(dip, 200);
        QVERIFY(!rig.state.TriggerPending);
        QVERIFY(!rig.state.TriggerConfirmed);
        QVERIFY(!rig.detection.tmrVoxTriggerDelay.isActive());
        // A new delay starts with the next loud poll.
        const qint64 firstLoud = rig.time.now() + 200;
        const qint64 started = rig.level(-10.0f, 5000, [&] { return rig.recording(); });
        QCOMPARE(started - firstLoud, qint64(1600));
    }

    void callEndsCallTimeOutMinusOneToCallTimeOutAfterTheLastLoudPoll_data()
    {
        QTest::addColumn<int>("callTimeOut");
        QTest::addColumn<qint64>("talk"); // ms of loud polls after the start: sets the latch's phase
        for (int timeOut : {5, 2}) {
            for (qint64 talk : {200, 400, 600, 800, 1000, 3000, 7400})
                QTest::addRow("CallTimeOut %d, talk %lld ms", timeOut, talk) << timeOut << talk;
        }
    }
    void callEndsCallTimeOutMinusOneToCallTimeOutAfterTheLastLoudPoll()
    {
        QFETCH(int, callTimeOut);
        QFETCH(qint64, talk);
        Rig rig;
        rig.ctx.settings.CallTimeOut = callTimeOut;
        rig.arm();
        QVERIFY(rig.level(-10.0f, 5000, [&] { return rig.recording(); }) > 0);
        rig.level(-10.0f, talk);
        const qint64 lastLoud = rig.time.now();
        const qint64 stopped = rig.level(-40.0f, 20000, [&] { return !rig.recording(); });
        QVERIFY(stopped > 0);
        QVERIFY2(stopped - lastLoud >= (callTimeOut - 1) * 1000 && stopped - lastLoud <= callTimeOut * 1000,
                 qPrintable(QString::number(stopped - lastLoud)));
        QVERIFY(!rig.detection.tmrVoxLatch.isActive());
        QVERIFY(rig.detection.Detection.isActive());
        QCOMPARE(rig.view.statusText, u"Ready"_s);
        QCOMPARE(rig.view.elapsed, u"00:00:00"_s);
        QCOMPARE(rig.tempFiles(), QStringList{u"20240301-091500-ann-30.wav"_s});
        QCOMPARE(rig.moverLaunches, 1);
        // Detection arms again on the next tick, and a new call needs a new trigger.
        rig.level(-40.0f, 200);
        QVERIFY(rig.state.DetectionRunning);
        QVERIFY(!rig.state.TriggerConfirmed);
    }

    void callTimeOutZeroStopsAtTheFirstLatchTick()
    {
        Rig rig;
        rig.ctx.settings.CallTimeOut = 0;
        rig.arm();
        const qint64 started = rig.level(-10.0f, 5000, [&] { return rig.recording(); });
        const qint64 stopped = rig.level(-10.0f, 5000, [&] { return !rig.recording(); });
        QCOMPARE(stopped - started, qint64(1000));
    }

    void shortCallsAreDiscarded_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<bool>("discardMarked");
        QTest::addColumn<QString>("filed"); // name in the temporary folder; empty: deleted
        QTest::newRow("9.4 s < 10") << 9.4 << false << QString();
        QTest::newRow("9.5 s rounds to 10") << 9.5 << false << u"20240301-091500-ann-10.wav"_s;
        QTest::newRow("10 s") << 10.0 << false << u"20240301-091500-ann-10.wav"_s;
        QTest::newRow("marked for discard by the options") << 60.0 << true << QString();
    }
    void shortCallsAreDiscarded()
    {
        QFETCH(double, position);
        QFETCH(bool, discardMarked);
        QFETCH(QString, filed);
        Rig rig;
        rig.recorder.position = position;
        rig.arm();
        rig.level(-10.0f, 5000, [&] { return rig.recording(); });
        rig.state.DiscardRecording = discardMarked;
        rig.level(-40.0f, 10000, [&] { return !rig.recording(); });
        QVERIFY(!rig.recording());
        QCOMPARE(rig.tempFiles(), filed.isEmpty() ? QStringList() : QStringList{filed});
        QCOMPARE(rig.view.calls->Count(), filed.isEmpty() ? 0 : 1);
        QCOMPARE(rig.moverLaunches, filed.isEmpty() ? 0 : 1);
        QVERIFY(!rig.state.DiscardRecording);
        QVERIFY(!rig.state.RecordActive);
    }

    // The stop button during an automatic call files it; the latch running out later
    // must not stop, rename or delete it again.
    void stopByHandThenLatchExpiryLeavesTheFiledCallAlone_data()
    {
        QTest::addColumn<double>("position");
        QTest::newRow("long call") << 30.0;
        QTest::newRow("call shorter than MinCallLength") << 3.0;
    }
    void stopByHandThenLatchExpiryLeavesTheFiledCallAlone()
    {
        QFETCH(double, position);
        Rig rig;
        rig.recorder.position = position;
        rig.arm();
        rig.level(-10.0f, 5000, [&] { return rig.recording(); });
        rig.level(-10.0f, 1000);
        rig.session.cmdStop_Click();
        const QString filed = u"20240301-091500-ann-"_s + QString::number(qRound(position)) + u".wav"_s;
        QCOMPARE(rig.tempFiles(), QStringList{filed});
        QCOMPARE(rig.view.calls->Count(), 1);
        QVERIFY(!rig.view.stopEnabled);
        const QByteArray content = rig.read(rig.temp.path() + u'/' + filed);
        // Silence for longer than any latch; no new call starts.
        const int closes = int(rig.recorder.log.count(u"Close"_s));
        rig.level(-40.0f, 20000);
        QCOMPARE(rig.tempFiles(), QStringList{filed});
        QCOMPARE(rig.read(rig.temp.path() + u'/' + filed), content);
        QCOMPARE(rig.view.calls->Count(), 1);
        QCOMPARE(rig.moverLaunches, 1);
        QVERIFY(!rig.detection.tmrVoxLatch.isActive());
        // Only the re-arming touched the recorder since.
        QCOMPARE(int(rig.recorder.log.count(u"Close"_s)), closes + 1);
        QVERIFY(rig.prompts.shown().isEmpty());
    }

    // After a stop by hand a new call may start while the note of the first is asked for:
    // each is filed with its own name and note.
    void newCallDuringTheNotePromptKeepsEachCallApart()
    {
        Rig rig;
        rig.ctx.settings.AddNote = true;
        rig.arm();
        rig.level(-10.0f, 5000, [&] { return rig.recording(); });
        rig.clock.advance(125); // the second call starts 2 min 5 s later
        rig.view.notes = {u"first call"_s, u"second\r\ncall"_s};
        QString secondName;
        rig.view.duringNote = [&] {
            rig.view.duringNote = nullptr;
            // The line stays loud: a new trigger, then the new call.
            const qint64 started = rig.level(-10.0f, 5000, [&] { return rig.recording(); });
            QVERIFY(started > 0);
            QCOMPARE(rig.view.notePromptsClosed, 1);
            secondName = rig.session.RecordingFileName;
        };
        rig.session.cmdStop_Click();
        QCOMPARE(secondName, u"20240301-091705-ann.wav"_s);
        // The first call is filed as it was; the second goes on.
        QVERIFY(rig.state.IsRecording);
        QVERIFY(rig.state.RecordActive);
        QCOMPARE(rig.session.RecordingFileName, secondName);
        QCOMPARE(rig.view.calls->Count(), 1);
        auto first = rig.view.calls->Item(1);
        QCOMPARE(first->RecordingLocation(), rig.callPath.path() + u"/20240301-091500-ann-30.wav"_s);
        QCOMPARE(first->CallNote(), u"first call"_s);
        QCOMPARE(first->CallTime(), QTime(9, 15, 0));
        QCOMPARE(rig.read(rig.callPath.path() + u"/20240301-091500-ann-30.txt"_s), QByteArray("first call"));

        rig.recorder.position = 12.0;
        rig.level(-40.0f, 10000, [&] { return !rig.recording(); });
        QCOMPARE(rig.view.calls->Count(), 2);
        auto second = rig.view.calls->Item(1);
        QCOMPARE(second->RecordingLocation(), rig.callPath.path() + u"/20240301-091705-ann-12.wav"_s);
        QCOMPARE(second->CallNote(), u"second\r\ncall"_s);
        QCOMPARE(second->iCall(), 2);
        QCOMPARE(rig.view.calls->Item(2)->iCall(), 1);
        QCOMPARE(rig.read(rig.callPath.path() + u"/20240301-091705-ann-12.txt"_s), QByteArray("second\r\ncall"));
        QCOMPARE(rig.tempFiles(), (QStringList{u"20240301-091500-ann-30.wav"_s, u"20240301-091705-ann-12.wav"_s}));
        QVERIFY(!rig.state.RecordActive);
    }

    void aStartingCallEndsThePlayback()
    {
        Rig rig;
        rig.arm();
        rig.state.PlaybackOpen = true;
        rig.level(-10.0f, 5000, [&] { return rig.recording(); });
        QCOMPARE(rig.view.playbackStops, 1);
    }

    void armingFailureSwitchesToManual_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("input cannot be opened")
            << u"OpenInput"_s << 1 << u"Recording Control Error: No device capable or recording with current settings"_s
            << u"Error"_s;
        QTest::newRow("capture cannot start")
            << u"Record"_s << 9
            << u"Failed to initialise Voice Detection - Check that other devices are not recording audio. \r\nSwitching to manual control.\r\nErr: 9"_s
            << QString();
    }
    void armingFailureSwitchesToManual()
    {
        QFETCH(QString, member);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        Rig rig;
        rig.recorder.codes[member] = qint16(code);
        rig.time.runUntil(2000);
        QCOMPARE(rig.prompts.texts(), QStringList{text});
        QCOMPARE(rig.prompts.shown().first().caption, caption);
        QVERIFY(!rig.ctx.settings.AutoRecord);
        QVERIFY(!rig.state.DetectionRunning);
        QVERIFY(rig.view.buttonUpdates > 0);
    }

    // The timer keeps firing while the failure box waits for OK: one box only.
    void armingFailureBoxDoesNotStackUp()
    {
        Rig rig;
        rig.recorder.codes[u"Record"_s] = 9;
        rig.hookedPrompts.duringBox = [&] {
            for (int i = 0; i < 5; ++i)
                rig.detection.Detection_Timer();
        };
        rig.detection.Detection_Timer();
        QCOMPARE(rig.prompts.shown().size(), 1);
    }

    void suspendedDetectionNeitherPollsNorArms()
    {
        Rig rig;
        rig.arm();
        rig.state.DetectionSuspended = true;
        rig.level(-3.0f, 5000);
        QVERIFY(!rig.recording());
        QVERIFY(!rig.state.TriggerPending);

        rig.state.DetectionSuspended = false;
        rig.detection.SuspendDetection();
        QVERIFY(!rig.detection.Detection.isActive());
        rig.ctx.settings.AutoRecord = false;
        rig.detection.ResumeDetection();
        QVERIFY(!rig.detection.Detection.isActive());
        rig.ctx.settings.AutoRecord = true;
        rig.detection.ResumeDetection();
        QVERIFY(rig.detection.Detection.isActive());
        QVERIFY(rig.level(-3.0f, 5000, [&] { return rig.recording(); }) > 0);
    }

    void manualModeNeverTouchesTheRecorder()
    {
        Rig rig;
        rig.ctx.settings.AutoRecord = false;
        rig.recorder.levelA = 0.0f;
        rig.time.runUntil(10000);
        QVERIFY(rig.recorder.log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_VoiceDetection)
#include "tst_VoiceDetection.moc"
