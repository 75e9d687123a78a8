#include "FakeRecorder.h"
#include "PlaybackRig.h"
#include "TestFiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Playback over a scripted player of a 65 s call; of the listed calls "#1#" has its file, "#2#" none.
struct Rig : PlaybackRig<FakeRecorder>
{
    Rig()
    {
        QVERIFY(TestFiles::write(path(1), "RIFF"));
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
        QTRY_VERIFY(!pb.Looking());
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
        QTRY_VERIFY(!t.pb.Looking());
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
        QVERIFY(!t.player.log.contains(u"Play"_s));
        QCOMPARE(t.state.PlaybackOpen, callOpen);
        QCOMPARE(t.pb.tmrPlaybackPos.isActive(), callOpen);
        QCOMPARE(t.slider->Max(), max);
        QCOMPARE(t.slider->Value(), value);
        QVERIFY(t.detection.isEmpty());
    }

    // A skip stays within the call; the slider follows at the next tick, at once when paused.
    // A player grown past the slider's range makes the slider refuse: reported, position kept.
    void skips_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("seconds"); // negative: back
        QTest::addColumn<bool>("paused");
        QTest::addColumn<double>("grownTo"); // 0: the length stays
        QTest::addColumn<double>("expected");
        QTest::addColumn<qint32>("sliderAtOnce");
        QTest::newRow("back 30 at 12 s: the start") << 12.0 << -30 << false << 0.0 << 0.0 << 12;
        QTest::newRow("forward 10 to 13.5 s: the tick rounds it") << 3.5 << 10 << false << 0.0 << 13.5 << 4;
        QTest::newRow("back 10, paused: the slider waits") << 12.0 << -10 << true << 0.0 << 2.0 << 12;
        QTest::newRow("forward 30 at 50 s, paused: the end") << 50.0 << 30 << true << 0.0 << 65.0 << 65;
        QTest::newRow("forward 30 at 60 s, paused, grown to 200 s") << 60.0 << 30 << true << 200.0 << 60.0 << 60;
    }
    void skips()
    {
        QFETCH(double, start);
        QFETCH(int, seconds);
        QFETCH(bool, paused);
        QFETCH(double, grownTo);
        QFETCH(double, expected);
        Rig t;
        t.open();
        t.playedTo(start);
        if (paused)
            t.pb.cmdPause_Click();
        if (grownTo > 0)
            t.player.length = grownTo;
        seconds > 0 ? t.pb.cmdPBOffsetPlus_Click(seconds) : t.pb.cmdPBOffsetMinus_Click(-seconds);
        QCOMPARE(t.player.position, expected);
        QTEST(t.slider->Value(), "sliderAtOnce");
        t.pb.tmrPlaybackPos_Timer();
        QCOMPARE(t.slider->Value(), qRound(expected));
        QCOMPARE(t.prompts.texts(), grownTo > 0 ? QStringList{u"Error occurred: 380, Invalid property value, frmMain:cmdPBOffsetPlus_Click(30) Method"_s}
                                                : QStringList());
    }
};

QTEST_MAIN(tst_Playback)
#include "tst_Playback.moc"
