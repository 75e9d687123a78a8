#include "FakeRecorder.h"
#include "PlaybackRig.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// Playback over a scripted player and two listed calls: "#1#" has its file, "#2#" none.
struct FakePlayer
{
    FakeRecorder player; // made before the playback that holds it
};
struct Rig : FakePlayer, PlaybackRig
{
    Rig() : PlaybackRig(player)
    {
        QFile f(path(1));
        QVERIFY(f.open(QIODevice::WriteOnly));
        listCall(1);
        listCall(2);
        player.length = 65.0;
        player.sampleCount = 65 * 8000;
    }
    // Play has got this far; the timer ticks once.
    void playedTo(double seconds)
    {
        player.position = seconds;
        player.samplePosition = qint32(seconds * 8000);
        pb.tmrPlaybackPos_Timer();
    }
    void open()
    {
        pb.PlayCall(u"#1#"_s);
        QVERIFY(state.PlaybackOpen);
        player.log.clear();
        detection.clear();
    }
};

class tst_Playback : public QObject
{
    Q_OBJECT

private slots:
    void playCall_opensPlaysAndSuspendsDetection_data()
    {
        QTest::addColumn<double>("length");
        QTest::addColumn<qint32>("sliderMax");
        QTest::newRow("10 s") << 10.0 << 10;
        QTest::newRow("11 s: halves to even") << 11.0 << 12;
        QTest::newRow("10.2 s") << 10.2 << 11;
        QTest::newRow("0.3 s still has a range") << 0.3 << 1;
    }
    void playCall_opensPlaysAndSuspendsDetection()
    {
        QFETCH(double, length);
        QFETCH(qint32, sliderMax);
        Rig t;
        t.player.length = length;
        t.pb.PlayCall(u"#1#"_s);
        QCOMPARE(t.player.log, QStringList({u"Close"_s, u"OpenMode=1"_s, u"FileType=0"_s,
                                            u"Open "_s + t.path(1), u"Position=0"_s, u"Play"_s}));
        QVERIFY(t.state.PlaybackOpen);
        QVERIFY(t.pb.tmrPlaybackPos.isActive());
        QCOMPARE(t.pb.tmrPlaybackPos.interval(), 250);
        QCOMPARE(t.slider->Max(), sliderMax);
        QCOMPARE(t.slider->Value(), 0);
        QCOMPARE(t.detection, QStringList{u"Suspend"_s});
        QVERIFY(t.prompts.shown().isEmpty());
    }

    void fileTypeFromEnding_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint16>("fileType");
        QTest::newRow("wav") << u"a.wav"_s << qint16(0);
        QTest::newRow("upper-case WAV") << u"a.WAV"_s << qint16(0);
        QTest::newRow("mp3") << u"a.Mp3"_s << qint16(2);
        QTest::newRow("other ending: unchanged") << u"a.ogg"_s << qint16(7);
    }
    void fileTypeFromEnding()
    {
        QFETCH(QString, name);
        QFETCH(qint16, fileType);
        Rig t;
        t.player.fileType = 7; // what the last open left
        t.pb.PlayFile(t.dir.filePath(name));
        QCOMPARE(t.player.fileType, fileType);
        QVERIFY(t.state.PlaybackOpen);
    }

    // Each refusal shows its box and leaves playback as it was, whether or not a call was open.
    void failuresLeaveStateUnchanged_data()
    {
        QTest::addColumn<bool>("callOpen");
        QTest::addColumn<QString>("key");
        QTest::addColumn<qint16>("openCode");
        QTest::addColumn<qint16>("stateAfterOpen");
        QTest::addColumn<qint32>("samples");
        QTest::addColumn<QString>("message");
        for (bool open : {false, true}) {
            const char *when = open ? ", call open" : ", nothing open";
            QTest::addRow("missing file%s", when) << open << u"#2#"_s << qint16(0) << qint16(2) << 100
                                                  << u"Call file doesnt exist!"_s;
            QTest::addRow("open fails%s", when) << open << u"#1#"_s << qint16(4) << qint16(2) << 100
                                                << u"Failed to open call for playback! Error was: 4"_s;
            QTest::addRow("not ready%s", when) << open << u"#1#"_s << qint16(0) << qint16(1) << 100
                                               << u"Error - player not ready to play!"_s;
            QTest::addRow("no samples%s", when) << open << u"#1#"_s << qint16(0) << qint16(2) << 0
                                                << u"Error - no samples!"_s;
        }
    }
    void failuresLeaveStateUnchanged()
    {
        QFETCH(bool, callOpen);
        QFETCH(QString, key);
        QFETCH(qint16, openCode);
        QFETCH(qint16, stateAfterOpen);
        QFETCH(qint32, samples);
        QFETCH(QString, message);
        Rig t;
        if (callOpen) {
            t.open();
            t.playedTo(20.0);
        }
        const qint32 max = t.slider->Max(), value = t.slider->Value();
        t.player.codes[u"Open"_s] = openCode;
        t.player.stateAfterOpen = stateAfterOpen;
        t.player.sampleCount = samples;
        t.player.length = 3.0;

        t.pb.PlayCall(key);
        QCOMPARE(t.prompts.texts(), QStringList{message});
        QCOMPARE(t.prompts.shown().at(0).icon, Prompts::Exclamation);
        QCOMPARE(t.prompts.shown().at(0).buttons, Prompts::OkOnly);
        QCOMPARE(t.prompts.shown().at(0).caption, u"Voxmere"_s);
        QCOMPARE(t.player.log.at(0), u"Close"_s); // the open call was closed first
        QVERIFY(!t.player.log.contains(u"Play"_s));
        QCOMPARE(t.state.PlaybackOpen, callOpen);
        QCOMPARE(t.pb.tmrPlaybackPos.isActive(), callOpen);
        QCOMPARE(t.slider->Max(), max);
        QCOMPARE(t.slider->Value(), value);
        QVERIFY(t.detection.isEmpty());
    }

    void timerFollowsPosition_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<qint32>("slider");
        QTest::newRow("12.5 s: halves to even") << 12.5 << u"00:00:12"_s << 12;
        QTest::newRow("13.5 s") << 13.5 << u"00:00:14"_s << 14;
        QTest::newRow("64.9 s") << 64.9 << u"00:01:05"_s << 65;
    }
    void timerFollowsPosition()
    {
        QFETCH(double, position);
        QFETCH(QString, label);
        QFETCH(qint32, slider);
        Rig t;
        t.open();
        t.playedTo(position);
        QCOMPARE(t.label->text(), label);
        QCOMPARE(t.slider->Value(), slider);
        QVERIFY(t.state.PlaybackOpen);
    }

    // The end of play, the stop button and a new recording's stop all close the same way.
    void endOfPlayAndStop_reset_data()
    {
        QTest::addColumn<bool>("byStop");
        QTest::newRow("end of play") << false;
        QTest::newRow("stop button") << true;
    }
    void endOfPlayAndStop_reset()
    {
        QFETCH(bool, byStop);
        Rig t;
        t.open();
        t.playedTo(30.0);
        t.pb.cmdPause_Click();
        if (byStop) {
            t.pb.cmdStop_Click();
        } else {
            t.player.samplePosition = t.player.sampleCount;
            t.pb.tmrPlaybackPos_Timer();
        }
        QCOMPARE(t.player.log.mid(t.player.log.indexOf(u"Close"_s)),
                 QStringList({u"Close"_s, u"Paused=false"_s}));
        QCOMPARE(t.label->text(), u"00:00:00"_s);
        QCOMPARE(t.slider->Value(), 0);
        QCOMPARE(t.slider->thumbRect().left(), 0);
        QVERIFY(!t.pb.tmrPlaybackPos.isActive());
        QVERIFY(!t.state.PlaybackOpen);
        QCOMPARE(t.detection, QStringList{u"Resume"_s});
    }

    void stopWhileRecording_leavesPlaybackAlone()
    {
        Rig t;
        t.open();
        t.state.RecordActive = true;
        t.pb.cmdStop_Click();
        QVERIFY(t.state.PlaybackOpen);
        QVERIFY(t.player.log.isEmpty());
    }

    void skips_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<double>("expected");
        QTest::addColumn<qint32>("sliderAtOnce");
        // A 65 s call.
        QTest::newRow("back 30 at 12 s: the start") << 12.0 << false << 30 << false << 0.0 << 12;
        QTest::newRow("back 10") << 12.0 << false << 10 << false << 2.0 << 12;
        QTest::newRow("back 10, paused") << 12.0 << false << 10 << true << 2.0 << 12;
        QTest::newRow("forward 10, playing: slider waits for the tick") << 12.0 << true << 10 << false << 22.0 << 12;
        QTest::newRow("forward 10, paused: slider moves at once") << 12.0 << true << 10 << true << 22.0 << 22;
        QTest::newRow("forward 30 at 50 s: the end") << 50.0 << true << 30 << false << 65.0 << 50;
    }
    void skips()
    {
        QFETCH(double, start);
        QFETCH(bool, forward);
        QFETCH(int, index);
        QFETCH(bool, paused);
        QFETCH(double, expected);
        QFETCH(qint32, sliderAtOnce);
        Rig t;
        t.open();
        t.playedTo(start);
        if (paused)
            t.pb.cmdPause_Click();
        forward ? t.pb.cmdPBOffsetPlus_Click(index) : t.pb.cmdPBOffsetMinus_Click(index);
        QCOMPARE(t.player.position, expected);
        QCOMPARE(t.slider->Value(), sliderAtOnce);
        if (!paused) {
            t.pb.tmrPlaybackPos_Timer();
            QCOMPARE(t.slider->Value(), qint32(expected));
        }
        QVERIFY(t.prompts.shown().isEmpty());
    }

    void skipsWithNothingOpen_doNothing()
    {
        Rig t;
        t.pb.cmdPBOffsetPlus_Click(30);
        t.pb.cmdPBOffsetMinus_Click(10);
        t.pb.cmdPause_Click();
        QVERIFY(t.player.log.isEmpty());
    }

    // The player's length grew past what the slider was given: the slider refuses.
    void skipError_isReportedAndPositionKept()
    {
        Rig t;
        t.open();
        t.playedTo(60.0);
        t.pb.cmdPause_Click();
        t.player.length = 200.0;
        t.pb.cmdPBOffsetPlus_Click(30);
        QCOMPARE(t.prompts.texts(),
                 QStringList{u"Error occurred: 380, Invalid property value, frmMain:cmdPBOffsetPlus_Click(30) Method"_s});
        QCOMPARE(t.player.position, 60.0);
    }

    void pause_togglesAndTimerRuns()
    {
        Rig t;
        t.open();
        t.pb.cmdPause_Click();
        QVERIFY(t.player.paused);
        QVERIFY(t.pb.tmrPlaybackPos.isActive());
        t.pb.cmdPause_Click();
        QVERIFY(!t.player.paused);
    }

    void playWhilePaused_restartsFromZero()
    {
        Rig t;
        t.open();
        t.playedTo(32.0);
        t.pb.cmdPause_Click();
        t.player.log.clear();
        t.pb.cmdPlay_Click();
        QCOMPARE(t.player.log, QStringList({u"Position=0"_s, u"Paused=false"_s}));
    }

    void playButton_withNothingOpen_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("plays");
        QTest::newRow("selected call") << true << u"#1#"_s << true;
        QTest::newRow("empty list") << false << u"#1#"_s << false;
        QTest::newRow("none selected") << true << QString() << false;
    }
    void playButton_withNothingOpen()
    {
        QFETCH(bool, listed);
        QFETCH(QString, selected);
        QFETCH(bool, plays);
        Rig t;
        if (!listed) {
            t.calls.Remove(2);
            t.calls.Remove(1);
        }
        t.selected = selected;
        t.pb.cmdPlay_Click();
        QCOMPARE(t.player.log.contains(u"Open "_s + t.path(1)), plays);
        QCOMPARE(t.state.PlaybackOpen, plays);
    }

    // Press, drag and release with the mouse on the real slider.
    void sliderSeek()
    {
        Rig t;
        t.open();
        t.playedTo(10.0);
        kvtSlider &s = *t.slider;
        const QPoint grab = s.thumbRect().center();
        QTest::mousePress(&s, Qt::LeftButton, {}, grab);
        QVERIFY(t.pb.SliderDragging);
        QVERIFY(t.player.paused);
        QVERIFY(!t.pb.tmrPlaybackPos.isActive());

        QTest::mouseMove(&s, grab + QPoint(s.travel() * 30 / 65, 0));
        const qint32 target = s.Value();
        QVERIFY2(target > 35 && target < 45, qPrintable(QString::number(target)));
        QCOMPARE(t.label->text(), u"00:00:"_s + QString::number(target));
        QVERIFY(!t.player.log.contains(u"Position=%1"_s.arg(target))); // not while dragging

        QTest::mouseRelease(&s, Qt::LeftButton, {}, grab + QPoint(s.travel() * 30 / 65, 0));
        QVERIFY(!t.pb.SliderDragging);
        QCOMPARE(t.player.position, double(target));
        QCOMPARE(t.label->text(), u"00:00:"_s + QString::number(target));
        QVERIFY(!t.player.paused); // letting go plays on, also after a pause
        QVERIFY(t.pb.tmrPlaybackPos.isActive());
    }

    void sliderReleasedWithNothingOpen_returnsToZero()
    {
        Rig t;
        kvtSlider &s = *t.slider;
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(s.width() / 2, s.height() / 2));
        QVERIFY(s.Value() > 0);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(s.width() / 2, s.height() / 2));
        QCOMPARE(s.Value(), 0);
        QCOMPARE(s.thumbRect().left(), 0);
        QVERIFY(t.player.log.isEmpty());
        QCOMPARE(t.label->text(), u"00:00:00"_s);
    }
};

QTEST_MAIN(tst_Playback)
#include "tst_Playback.moc"
