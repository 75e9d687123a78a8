#include "FakeRecorder.h"
#include "PlaybackRig.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// Playback over a scripted player of a 65 s call; of the listed calls "#1#" has its file, "#2#" none.
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

struct Play
{
    QString key;
    double length = 65.0;
    qint16 openCode = 0, stateAfterOpen = 2;
    qint32 samples = 100;
    QString message; // empty: it plays
    qint32 sliderMax = 0;
};
Q_DECLARE_METATYPE(Play)

class tst_Playback : public QObject
{
    Q_OBJECT

private slots:
    // A refusal shows its box and leaves playback as it was, whether or not a call was open.
    void playCall_data()
    {
        QTest::addColumn<bool>("callOpen");
        QTest::addColumn<Play>("play");
        QTest::newRow("10 s") << false << Play{u"#1#"_s, 10.0, 0, 2, 100, QString(), 10};
        QTest::newRow("11 s: halves to even") << false << Play{u"#1#"_s, 11.0, 0, 2, 100, QString(), 12};
        QTest::newRow("0.3 s still has a range") << false << Play{u"#1#"_s, 0.3, 0, 2, 100, QString(), 1};
        for (bool open : {false, true}) {
            const char *when = open ? ", call open" : ", nothing open";
            QTest::addRow("missing file%s", when) << open << Play{u"#2#"_s, 3, 0, 2, 100, u"Call file doesnt exist!"_s};
            QTest::addRow("open fails%s", when) << open << Play{u"#1#"_s, 3, 4, 2, 100, u"Failed to open call for playback! Error was: 4"_s};
            QTest::addRow("not ready%s", when) << open << Play{u"#1#"_s, 3, 0, 1, 100, u"Error - player not ready to play!"_s};
            QTest::addRow("no samples%s", when) << open << Play{u"#1#"_s, 3, 0, 2, 0, u"Error - no samples!"_s};
        }
    }
    void playCall()
    {
        QFETCH(bool, callOpen);
        QFETCH(Play, play);
        Rig t;
        if (callOpen) {
            t.open();
            t.playedTo(20.0);
        }
        const qint32 max = t.slider->Max(), value = t.slider->Value();
        t.player.codes[u"Open"_s] = play.openCode;
        t.player.stateAfterOpen = play.stateAfterOpen;
        t.player.sampleCount = play.samples;
        t.player.length = play.length;
        t.pb.PlayCall(play.key);
        QCOMPARE(t.player.log.at(0), u"Close"_s); // an open call is closed first
        if (play.message.isEmpty()) {
            QCOMPARE(t.player.log, QStringList({u"Close"_s, u"OpenMode=1"_s, u"FileType=0"_s,
                                                u"Open "_s + t.path(1), u"Position=0"_s, u"Play"_s}));
            QVERIFY(t.state.PlaybackOpen);
            QCOMPARE(t.pb.tmrPlaybackPos.interval(), 250);
            QVERIFY(t.pb.tmrPlaybackPos.isActive());
            QCOMPARE(t.slider->Max(), play.sliderMax);
            QCOMPARE(t.detection, QStringList{u"Suspend"_s});
            QVERIFY(t.prompts.shown().isEmpty());
            return;
        }
        QCOMPARE(t.prompts.texts(), QStringList{play.message});
        QCOMPARE(t.prompts.shown().at(0).icon, Prompts::Exclamation);
        QVERIFY(!t.player.log.contains(u"Play"_s));
        QCOMPARE(t.state.PlaybackOpen, callOpen);
        QCOMPARE(t.pb.tmrPlaybackPos.isActive(), callOpen);
        QCOMPARE(t.slider->Max(), max);
        QCOMPARE(t.slider->Value(), value);
        QVERIFY(t.detection.isEmpty());
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
        Rig t;
        t.player.fileType = 7; // what the last open left
        t.pb.PlayFile(t.dir.filePath(name));
        QTEST(t.player.fileType, "fileType");
        QVERIFY(t.state.PlaybackOpen);
    }

    // A skip stays within the call; the slider follows at the next tick, at once when paused.
    void skips_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("seconds"); // negative: back
        QTest::addColumn<bool>("paused");
        QTest::addColumn<double>("expected");
        QTest::addColumn<qint32>("sliderAtOnce");
        QTest::newRow("back 30 at 12 s: the start") << 12.0 << -30 << false << 0.0 << 12;
        QTest::newRow("forward 10 to 13.5 s: the tick rounds it") << 3.5 << 10 << false << 13.5 << 4;
        QTest::newRow("back 10, paused: the slider waits") << 12.0 << -10 << true << 2.0 << 12;
        QTest::newRow("forward 30 at 50 s, paused: the end") << 50.0 << 30 << true << 65.0 << 65;
    }
    void skips()
    {
        QFETCH(double, start);
        QFETCH(int, seconds);
        QFETCH(bool, paused);
        QFETCH(double, expected);
        Rig t;
        t.open();
        t.playedTo(start);
        if (paused)
            t.pb.cmdPause_Click();
        seconds > 0 ? t.pb.cmdPBOffsetPlus_Click(seconds) : t.pb.cmdPBOffsetMinus_Click(-seconds);
        QCOMPARE(t.player.position, expected);
        QTEST(t.slider->Value(), "sliderAtOnce");
        t.pb.tmrPlaybackPos_Timer();
        QCOMPARE(t.slider->Value(), qRound(expected));
        QVERIFY(t.prompts.shown().isEmpty());
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

    void playAndStopButtons()
    {
        Rig t;
        t.selected.clear();
        t.pb.cmdPlay_Click(); // none selected: nothing to play
        t.calls.Remove(2);
        t.calls.Remove(1);
        t.selected = u"#1#"_s;
        t.pb.cmdPlay_Click(); // an empty list
        t.pb.cmdPBOffsetPlus_Click(30); // skips with nothing open do nothing
        QVERIFY(t.player.log.isEmpty());
        t.listCall(1);
        t.open();
        t.pb.cmdPause_Click();
        t.pb.cmdPlay_Click(); // while paused: from the start
        t.state.RecordActive = true; // a new recording's stop leaves playback alone
        t.pb.cmdStop_Click();
        QCOMPARE(t.player.log, QStringList({u"Paused=true"_s, u"Position=0"_s, u"Paused=false"_s}));
        QVERIFY(t.state.PlaybackOpen);
    }

    // Press, drag and release with the mouse on the real slider.
    void sliderSeek()
    {
        Rig t;
        t.open();
        t.playedTo(10.0);
        kvtSlider &s = *t.slider;
        const QPoint grab = s.thumbRect().center(), to = grab + QPoint(s.travel() * 30 / 65, 0);
        QTest::mousePress(&s, Qt::LeftButton, {}, grab);
        QVERIFY(t.pb.SliderDragging && t.player.paused && !t.pb.tmrPlaybackPos.isActive());
        QTest::mouseMove(&s, to);
        const qint32 target = s.Value();
        QVERIFY2(target > 35 && target < 45, qPrintable(QString::number(target)));
        QCOMPARE(t.label->text(), u"00:00:"_s + QString::number(target));
        QVERIFY(!t.player.log.contains(u"Position=%1"_s.arg(target))); // not while dragging
        QTest::mouseRelease(&s, Qt::LeftButton, {}, to);
        QCOMPARE(t.player.position, double(target));
        QVERIFY(!t.pb.SliderDragging && !t.player.paused && t.pb.tmrPlaybackPos.isActive());
    }
};

QTEST_MAIN(tst_Playback)
#include "tst_Playback.moc"
