#include "PlaybackRig.h"
#include "audio/AudioEngine.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

// Playback of a 5-second tone through the audio engine and the test sound server, with
// the real position timer, slider and label.
struct EnginePlayer
{
    AudioEngine player; // made before the playback that holds it
};
struct Rig : EnginePlayer, PlaybackRig
{
    Rig() : PlaybackRig(player)
    {
        QProcess sox;
        sox.start(u"sox"_s, {u"-n"_s, u"-r"_s, u"8000"_s, u"-c"_s, u"1"_s, u"-b"_s, u"16"_s, path(1),
                             u"synth"_s, u"5"_s, u"sine"_s, u"440"_s});
        QVERIFY2(sox.waitForFinished() && sox.exitCode() == 0, sox.readAllStandardError().constData());
        listCall(1);
        idleStreams = streams();
        QVERIFY2(idleStreams >= 0, "pactl cannot reach the sound server");
    }
    int idleStreams = 0; // the server's own, before anything plays
    void play()
    {
        pb.cmdPlay_Click();
        QVERIFY2(state.PlaybackOpen, qPrintable(prompts.texts().join(u'|')));
        QCOMPARE(detection, QStringList{u"Suspend"_s});
        QTRY_VERIFY(player.Position() > 0.2); // sound is flowing
    }
    // Streams the sound server is playing right now.
    static int streams()
    {
        QProcess pactl;
        pactl.start(u"pactl"_s, {u"list"_s, u"short"_s, u"sink-inputs"_s});
        if (!pactl.waitForFinished() || pactl.exitCode() != 0)
            return -1;
        return int(pactl.readAllStandardOutput().count('\n'));
    }
};

class tst_PlaybackOnEngine : public QObject
{
    Q_OBJECT

private slots:
    void playPauseAndResume()
    {
        Rig t;
        t.play();
        QCOMPARE(t.slider->Max(), 6); // 5.5 rounds to the even 6
        QCOMPARE(Rig::streams(), t.idleStreams + 1);
        QTRY_COMPARE(t.label->text(), u"00:00:01"_s);
        QCOMPARE(t.slider->Value(), 1);

        t.pb.cmdPause_Click();
        QVERIFY(t.player.Paused());
        const double held = t.player.Position();
        QTest::qWait(600); // the position must not move meanwhile
        QVERIFY2(qAbs(t.player.Position() - held) < 0.05, qPrintable(QString::number(t.player.Position())));
        QVERIFY(t.pb.tmrPlaybackPos.isActive());

        t.pb.cmdPause_Click();
        QTRY_VERIFY(t.player.Position() > held + 0.3);
        t.pb.cmdStop_Click();
        QVERIFY(!t.state.PlaybackOpen);
        QTRY_COMPARE(Rig::streams(), t.idleStreams);
    }

    void skipPastBothEnds()
    {
        Rig t;
        t.play();
        QTRY_VERIFY(t.player.Position() > 1.0);
        t.pb.cmdPBOffsetMinus_Click(30);
        QVERIFY2(t.player.Position() < 0.5, qPrintable(QString::number(t.player.Position())));
        QTRY_VERIFY(t.player.Position() > 0.2); // plays on from the start

        t.pb.cmdPause_Click();
        t.pb.cmdPBOffsetPlus_Click(10);
        QCOMPARE(t.slider->Value(), 5); // at once, while paused: the end of the call
        QVERIFY(t.player.Position() > 4.9);
        // Past the end: the next tick closes the call.
        QTRY_VERIFY(!t.state.PlaybackOpen);
        QCOMPARE(t.label->text(), u"00:00:00"_s);
        QCOMPARE(t.slider->Value(), 0);
        QCOMPARE(t.detection, QStringList({u"Suspend"_s, u"Resume"_s}));
        QVERIFY(t.prompts.shown().isEmpty());
    }

    // The thumb is dragged to 4 s and let go; play goes on from there to the end.
    void seekBySliderThenEndOfPlay()
    {
        Rig t;
        t.play();
        kvtSlider &s = *t.slider;
        const QPoint grab = s.thumbRect().center();
        QTest::mousePress(&s, Qt::LeftButton, {}, grab);
        QVERIFY(t.player.Paused());
        const QPoint at4s(grab.x() + s.travel() * 4 / 6, grab.y());
        QTest::mouseMove(&s, at4s);
        QCOMPARE(s.Value(), 4);
        QCOMPARE(t.label->text(), u"00:00:04"_s);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, at4s);
        QVERIFY(!t.player.Paused());
        QVERIFY2(qAbs(t.player.Position() - 4.0) < 0.1, qPrintable(QString::number(t.player.Position())));
        QTRY_VERIFY(t.player.Position() > 4.3);

        QTRY_VERIFY_WITH_TIMEOUT(!t.state.PlaybackOpen, 3000);
        QCOMPARE(t.label->text(), u"00:00:00"_s);
        QCOMPARE(s.Value(), 0);
        QCOMPARE(s.thumbRect().left(), 0);
        QVERIFY(!t.pb.tmrPlaybackPos.isActive());
        QCOMPARE(t.detection, QStringList({u"Suspend"_s, u"Resume"_s}));
        QTRY_COMPARE(Rig::streams(), t.idleStreams);
    }
};

QTEST_MAIN(tst_PlaybackOnEngine)
#include "tst_PlaybackOnEngine.moc"
