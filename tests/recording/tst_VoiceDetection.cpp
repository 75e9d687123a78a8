#include "AudioTestKit.h"
#include "RecordingTestKit.h"
#include "audio/CaptureSink.h"
#include "audio/RecordWriter.h"
#include "audio/WaveFormat.h"
#include "audio/WaveWriter.h"
#include "recording/VoiceDetection.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

// Voice-operated recording driven by captured buffers: the detector alone, counted in
// frames, and the recording session it drives.
class tst_VoiceDetection : public QObject
{
    Q_OBJECT

    struct Rig : LineRig
    {
        explicit Rig(const QHash<QString, qint16> &codes = {}, bool autoRecord = true)
        {
            // The defaults hold: Sensitivity -18 dB, CallTimeOut 5 s, MinCallLength 10 s.
            app.settings.AutoRecord = autoRecord;
            recorder.codes = codes;
            recorder.position = 30.0;
            session.ArmDetection();
            settle();
        }
    };

    // Buffers of one length and level, then others: (frames, level A, count).
    struct Run
    {
        qint64 frames;
        float level;
        int count;
    };

    struct Voice
    {
        int callTimeOut = 5;
        qint64 talk = 1000; // ms of loud polls after the start: sets the latch's phase
        double position = 30.0, preRoll = 0.0;
        bool byHand = false;
        QString filed = u"20240301-091500-ann-30.wav"_s; // in the temporary folder; empty: deleted
    };

    struct Failure
    {
        enum When { Arming, Listening, Calling, ByHand } when;
        QHash<QString, qint16> codes; // the members that fail, until the input is back
        QString text;                 // the one box
        QStringList filed = {};       // in the temporary folder
        bool manual = false;          // the run goes on by hand
        bool autoRecord = true;
    };

private slots:
    // The rules on the audio's own clock, whatever the buffers' length: the frame a call
    // starts at (1.5 s after the first loud one) and the one it ends at (the latch's ticks,
    // one a second from the start, run CallTimeOut down from the last loud buffer). -1: never.
    void detectorCountsFrames_data()
    {
        QTest::addColumn<QList<Run>>("runs");
        QTest::addColumn<int>("callTimeOut");
        QTest::addColumn<qint64>("startFrame");
        QTest::addColumn<qint64>("endFrame");
        // 200 ms buffers: loud from frame 0; the call starts at frame 12000, inside the eighth.
        QTest::newRow("200 ms, -17.9") << QList<Run>{{1600, -17.9f, 20}, {1600, -40, 60}} << 5 << 12000LL << 68000LL;
        QTest::newRow("200 ms, exactly -18") << QList<Run>{{1600, -18.0f, 40}} << 5 << -1LL << -1LL;
        QTest::newRow("8 frames") << QList<Run>{{8, -10, 2000}, {8, -40, 8000}} << 2 << 12000LL << 28000LL;
        // Odd lengths that do not divide a second.
        QTest::newRow("1000 frames") << QList<Run>{{1000, -10, 30}, {1000, -40, 60}} << 3 << 12000LL << 52000LL;
        QTest::newRow("dip cancels, restarts") << QList<Run>{{1600, -10, 5}, {1600, -18, 1}, {1600, -10, 20}, {1600, -40, 60}}
                                               << 5 << 21600LL << 77600LL;
        QTest::newRow("CallTimeOut 0: the first latch tick") << QList<Run>{{1600, -10, 9}, {1600, -40, 20}} << 0 << 12000LL << 20000LL;
    }
    void detectorCountsFrames()
    {
        QFETCH(QList<Run>, runs);
        QFETCH(int, callTimeOut);
        VoiceDetection d;
        d.setRules(true, -18, callTimeOut);
        qint64 frame = 0, started = -1, ended = -1;
        for (const Run &r : runs)
            for (int i = 0; i < r.count; ++i) {
                const BufferJudge::Ruling v = d.judge({r.level, -100, r.frames, 8000, {}});
                if (v.verdict == BufferJudge::StartCall)
                    QVERIFY2(std::exchange(started, frame + v.at) < 0, "started twice");
                if (v.verdict == BufferJudge::EndCall)
                    QVERIFY2(std::exchange(ended, frame + v.at) < 0, "ended twice");
                frame += r.frames;
            }
        QTEST(started, "startFrame");
        QTEST(ended, "endFrame");
        QVERIFY(!d.counters().IsRecording || ended < 0);
    }

    // Captured audio, the detector and the pre-roll together: 3 s of silence, 3 s of tone,
    // 7 s of silence. However capture cuts it into buffers, the file begins 2 s of pre-roll
    // before the frame 1.5 s after the tone's first loud sample, and ends at the latch's
    // fifth tick after the tone: 2.5 s to 10.5 s of the line, the same bytes every time.
    void fileStartsAtTheSameSampleHoweverCut()
    {
        QByteArray line(8000 * 3 * 2, 0);
        for (int i = 0; i < 8000 * 3; ++i) {
            const auto v = qint16(std::lround(16384.0 * std::sin(2.0 * M_PI * 1000.0 * i / 8000.0)));
            line.append(reinterpret_cast<const char *>(&v), 2);
        }
        line.append(QByteArray(8000 * 7 * 2, 0));
        QTemporaryDir folder;
        QByteArray first;
        for (qint64 cut : {1600, 1000, 333, 4096}) {
            const QString path = folder.filePath(u"%1.wav"_s.arg(cut));
            qint16 opened = -1;
            auto writer = std::make_shared<RecordWriter>(WaveWriter::create(path, WaveFormat::pcm(8000), opened));
            QVERIFY(opened == 0 && writer->start() == 0);
            auto detection = std::make_shared<VoiceDetection>();
            detection->setRules(true, -18, 5);
            CaptureSink sink(QAudioFormat::Int16, 8000, 2);
            sink.setPreRoll(2 * 8000 * 2);
            sink.setJudge(detection);
            int starts = 0, ends = 0;
            bool begun = false;
            connect(detection.get(), &VoiceDetection::callStarts, this, [&] { ++starts; });
            connect(detection.get(), &VoiceDetection::callEnds, this, [&] { ++ends; });
            for (qint64 at = 0; at < line.size(); at += cut * 2) {
                sink.take(line.constData() + at, std::min(cut * 2, line.size() - at));
                if (starts == 1 && !std::exchange(begun, true))
                    sink.begin(writer, false);
            }
            QVERIFY(starts == 1 && ends == 1);
            sink.end();
            QCOMPARE(writer->finish(), qint16(0));
            const AudioTestKit::Samples s = AudioTestKit::read(path);
            QCOMPARE(s.mono.size(), qsizetype(8 * 8000));
            const auto loud = std::find_if(s.mono.begin(), s.mono.end(), [](double v) { return std::fabs(v) > 0.126; });
            QCOMPARE(loud - s.mono.begin(), qsizetype(4000)); // 2 s before the start, 0.5 s before the tone
            const QByteArray written = TestFiles::read(path);
            if (first.isEmpty())
                first = written;
            QVERIFY2(written == first, qPrintable(u"cut in %1 frames"_s.arg(cut)));
        }
    }

    // The session over the detector (whose rules of start and end are counted above): the
    // latch counts CallTimeOut seconds down from the last loud buffer, on its own beat;
    // with 0 the call ends at its first tick. Calls shorter than MinCallLength are deleted
    // when the latch ends them; a stop by hand files any call and
    // ends the latch, which must not stop, rename or delete it again.
    void callByVoice_data()
    {
        QTest::addColumn<Voice>("v");
        for (int timeOut : {5, 2, 0})
            for (qint64 talk : {200, 400, 600, 800, 1000, 3000, 7400})
                QTest::addRow("CallTimeOut %d, talk %lld ms", timeOut, talk) << Voice{.callTimeOut = timeOut, .talk = talk};
        QTest::newRow("9.4 s < 10") << Voice{.position = 9.4, .filed = {}};
        QTest::newRow("9.4 s after 3 s of the line kept < 10") << Voice{.position = 12.4, .preRoll = 3.0, .filed = {}};
        QTest::newRow("9.5 s rounds to 10") << Voice{.position = 9.5, .filed = u"20240301-091500-ann-10.wav"_s};
        QTest::newRow("9.1 h, beyond 16 bits") << Voice{.position = 32768.0, .filed = u"20240301-091500-ann-32768.wav"_s};
        QTest::newRow("by hand") << Voice{.byHand = true};
        QTest::newRow("by hand, shorter than MinCallLength") << Voice{.position = 3.0, .byHand = true, .filed = u"20240301-091500-ann-3.wav"_s};
    }
    void callByVoice()
    {
        QFETCH(Voice, v);
        Rig rig;
        rig.app.settings.CallTimeOut = v.callTimeOut;
        rig.session.ApplySettings();
        rig.settle();
        rig.recorder.position = v.position;
        rig.recorder.preRoll = v.preRoll;
        rig.state.PlaybackOpen = true;
        const qint64 firstLoud = rig.now + 200;
        const qint64 started = rig.level(-10.0f, 20000, true);
        QCOMPARE(started - firstLoud, qint64(1400)); // in the buffer that holds 1.5 s after the first loud one
        QCOMPARE(rig.view.playbackStops, 1); // a starting call ends the playback
        qint64 stopped = rig.level(-10.0f, v.talk, false);
        const qint64 lastLoud = rig.now;
        if (v.byHand) {
            rig.session.cmdStop_Click();
            rig.settle();
        } else {
            if (stopped < 0)
                stopped = rig.level(-40.0f, 20000, false);
            const qint64 from = v.callTimeOut ? lastLoud + (v.callTimeOut - 1) * 1000 : started + 1000;
            QVERIFY2(stopped >= from && stopped <= from + (v.callTimeOut ? 1000 : 0), qPrintable(QString::number(stopped - lastLoud)));
        }
        const QStringList expected = v.filed.isEmpty() ? QStringList() : QStringList{v.filed};
        const QByteArray content = rig.tempFile(v.filed);
        rig.level(-40.0f, 20000); // longer than any latch
        QCOMPARE(rig.tempFiles(), expected);
        QCOMPARE(rig.tempFile(v.filed), content);
        QCOMPARE(rig.view.calls->Count(), expected.size());
        QCOMPARE(rig.moverLaunches, expected.size());
        // The next call is kept; detection arms again, and a new call needs a new trigger.
        QVERIFY(rig.state.DetectionRunning && !rig.state.TriggerConfirmed);
    }

    // The input fails. At the start, arming fails and the run goes on by hand. Once the
    // input was heard, what was recorded is filed, and detection comes back by itself when
    // the input does. A start by hand that fails leaves the window ready and no file. One
    // box each time, though the timers keep firing while it waits for OK.
    void inputFailure_data()
    {
        QTest::addColumn<Failure>("f");
        const QString lost = u"Recording Control Error: Error during recording\r\n\r\n"_s;
        const QString cut = u"\r\n\r\nThe call was cut short there; what was recorded until then is kept."_s;
        const QHash<QString, qint16> away{{u"Close"_s, 8}, {u"OpenInput"_s, 1}};
        // No sound server yet at the first start: listening begins once it is there.
        QTest::newRow("no input at the start") << Failure{Failure::Arming, {{u"OpenInput"_s, 1}}, QString()};
        QTest::newRow("input format refused at the start") << Failure{Failure::Arming, {{u"OpenInput"_s, 5}},
            u"Recording Control Error: Unsupported Audio format"_s, {}, true};
        QTest::newRow("no capture at the start") << Failure{Failure::Arming, {{u"Record"_s, 1}},
            u"Failed to initialise Voice Detection - Check that other devices are not recording audio. \r\nSwitching to manual control.\r\nErr: 1"_s, {}, true};
        QTest::newRow("lost while listening") << Failure{Failure::Listening, away,
            lost + u"Calls are recorded again as soon as the input returns."_s};
        // By hand nothing is missed meanwhile: no box promises or warns of anything.
        QTest::newRow("lost while listening, manual") << Failure{Failure::Listening, away, QString(), {}, false, false};
        QTest::newRow("lost mid call") << Failure{Failure::Calling, away, u"Recording Control Error: Error during recording"_s + cut,
                                                  {u"20240301-091500-ann-30.wav"_s}};
        QTest::newRow("disk full mid call") << Failure{Failure::Calling, {{u"Close"_s, 3}},
            u"Recording Control Error: Cant write to designated file - may be out of disk space"_s + cut, {u"20240301-091500-ann-30.wav"_s}};
        QTest::newRow("by hand, no input") << Failure{Failure::ByHand, {{u"OpenRecordFile"_s, 1}, {u"Record"_s, 7}},
            u"Recording Control Error: No device capable or recording with current settings"_s, {}, true, false};
        QTest::newRow("by hand, capture cannot start") << Failure{Failure::ByHand, {{u"Record"_s, 9}},
            u"Recording Control Error: Error starting recording - please check no other devices are recording the same input"_s, {}, true, false};
    }
    void inputFailure()
    {
        QFETCH(Failure, f);
        const bool atStart = f.when == Failure::Arming || f.when == Failure::ByHand;
        Rig rig(atStart ? f.codes : QHash<QString, qint16>(), f.autoRecord);
        rig.prompts.whileShown = [&] { rig.level(-40.0f, 2000); };
        if (f.when == Failure::Calling)
            QVERIFY(rig.level(-10.0f, 5000, true) > 0);
        if (f.when == Failure::ByHand)
            rig.session.cmdRecord_Click();
        if (!atStart) {
            rig.recorder.state = 1;
            rig.recorder.codes = f.codes;
        }
        rig.level(-40.0f, 10000);
        if (f.when == Failure::ByHand)
            rig.session.cmdStop_Click();
        rig.settle();
        QCOMPARE(rig.prompts.texts().join(u'|'), f.text);
        QCOMPARE(rig.tempFiles(), f.filed);
        QCOMPARE(rig.moverLaunches, f.filed.size());
        QVERIFY(!rig.state.IsRecording && !rig.state.RecordActive);
        QCOMPARE(rig.app.settings.AutoRecord, f.autoRecord && !f.manual);
        if (f.manual)
            return;
        QCOMPARE(rig.session.WaitingForInput(), f.codes.contains(u"OpenInput"_s));
        rig.recorder.codes.clear(); // the input is back
        rig.level(-40.0f, 3200);
        QVERIFY(rig.state.DetectionRunning && !rig.session.WaitingForInput());
        QCOMPARE(rig.level(-10.0f, 5000, true) > 0, f.autoRecord);
        QCOMPARE(rig.prompts.texts().size(), f.text.isEmpty() ? 0 : 1);
    }

    // In manual mode the input is open for the level bar, and no voice starts a call.
    void manualModeShowsTheLevelOnly()
    {
        Rig rig({}, false);
        rig.session.setLevelsWanted(true); // the window is on screen
        QCOMPARE(rig.level(-10.0f, 5000, true), qint64(-1));
        QVERIFY(rig.state.DetectionRunning);
        QCOMPARE(rig.view.levelA, -10.0f);
    }

    // After a stop by hand a new call may start while the note of the first is asked for:
    // each is filed with its own name and note.
    void newCallDuringTheNotePromptKeepsEachCallApart()
    {
        Rig rig;
        rig.app.settings.AddNote = true;
        rig.level(-10.0f, 5000, true);
        rig.clock.advance(125); // the second call starts 2 min 5 s later
        rig.view.notes = {u"first call"_s, u"second\r\ncall"_s};
        rig.view.duringNote = [&] {
            QVERIFY(rig.level(-10.0f, 5000, true) > 0); // the line stays loud: the next call
            QCOMPARE(rig.view.notePromptsClosed, 2); // each start closes the prompt left open
        };
        rig.session.cmdStop_Click();
        rig.settle();
        rig.recorder.position = 12.0;
        rig.level(-40.0f, 10000, false);

        QCOMPARE(rig.view.calls->Count(), 2);
        for (const auto &[row, name, note] : {std::tuple{1, u"20240301-091705-ann-12"_s, u"second\r\ncall"_s},
                                              std::tuple{2, u"20240301-091500-ann-30"_s, u"first call"_s}}) {
            const auto call = rig.view.calls->Item(row);
            QCOMPARE(call->RecordingLocation(), rig.calls.path() + u'/' + name + u".wav"_s);
            QCOMPARE(call->CallNote(), note);
            QCOMPARE(rig.tempFile(name + u".txt"_s), note.toUtf8()); // beside it, for the mover
            QVERIFY(rig.tempFiles().contains(name + u".wav"_s));
        }
    }
};

QTEST_GUILESS_MAIN(tst_VoiceDetection)
#include "tst_VoiceDetection.moc"
