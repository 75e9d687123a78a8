#include "FakeRecorder.h"
#include "ReviewFixture.h"
#include "app/frmMain.h"
#include "callstore/ui/CallList.h"
#include "recording/VoiceDetection.h"
#include "review/ui/CallReview.h"
#include "controls/kvtSlider.h"
#include "review/ui/Playback.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The main window over a calls folder with one call of today: its Play button opened
// the listed call in the scripted player, which is now at 40 s of 65 s.
struct Window
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    FixedClock clock; // 1 March 2024
    FixedUserName user;
    QList<FakeRecorder *> recorders;
    AppContext ctx{Services{prompts, clock, user, [this] {
                                auto r = std::make_unique<FakeRecorder>();
                                recorders << r.get();
                                return r;
                            }}};
    QTemporaryDir calls;
    std::unique_ptr<frmMain> w;

    explicit Window(bool autoRecord)
    {
        ctx.registry.CreateKey(ctx.UserKey);
        ctx.registry.CreateKey(ctx.MachineKey);
        ctx.store.SaveLongSetting(u"AutoRecord"_s, autoRecord ? 1 : 0);
        ctx.store.SaveStringSetting(u"CallPath"_s, calls.path() + u'/');
        ctx.store.SaveStringSetting(u"SearchPath"_s, calls.path());
        ReviewFixture::addCall(calls.path(), u"20240301-091500-ann-65.wav"_s);
        w = std::make_unique<frmMain>(ctx);
        QVERIFY(w->Form_Load());
        QVERIFY(w->HasCalls());
        player().length = 65.0;
        player().sampleCount = 65 * 8000;
        w->cmdPlay->click();
        QVERIFY(player().log.contains(u"Open "_s + callFile()));
        QVERIFY(w->state.PlaybackOpen);
        player().position = 40.0;
        player().log.clear();
    }
    FakeRecorder &player() { return *recorders.at(1); }
    QString callFile() const { return calls.filePath(u"20240301-091500-ann-65.wav"_s); }
};

class tst_frmMainPlayback : public QObject
{
    Q_OBJECT

private slots:
    void buttonsReachPlayback_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("back 30") << u"cmdPBOffsetMinus30"_s << QStringList{u"Position=10"_s};
        QTest::newRow("back 10") << u"cmdPBOffsetMinus10"_s << QStringList{u"Position=30"_s};
        QTest::newRow("forward 10") << u"cmdPBOffsetPlus10"_s << QStringList{u"Position=50"_s};
        QTest::newRow("forward 30") << u"cmdPBOffsetPlus30"_s << QStringList{u"Position=65"_s};
        QTest::newRow("pause") << u"cmdPause"_s << QStringList{u"Paused=true"_s};
        QTest::newRow("play restarts") << u"cmdPlay"_s << QStringList{u"Position=0"_s};
        QTest::newRow("stop") << u"cmdStop"_s << QStringList{u"Close"_s, u"Paused=false"_s};
    }
    void buttonsReachPlayback()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, log);
        Window t(false);
        t.w->findChild<QToolButton *>(button)->click();
        QCOMPARE(t.player().log, log);
    }

    void recordButton_offWhileACallIsOpen()
    {
        Window t(false);
        QVERIFY(!t.w->cmdRecord->isEnabled());
        t.w->cmdStop->click();
        QVERIFY(!t.w->state.PlaybackOpen);
        QVERIFY(t.w->cmdRecord->isEnabled());
        QCOMPARE(t.w->lblPlaybackPos->text(), u"00:00:00"_s);
    }

    void f11_restartsOnlyInManualMode_data()
    {
        QTest::addColumn<bool>("autoRecord");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("manual") << false << QStringList{u"Position=0"_s};
        QTest::newRow("automatic") << true << QStringList{};
    }
    void f11_restartsOnlyInManualMode()
    {
        QFETCH(bool, autoRecord);
        QFETCH(QStringList, log);
        Window t(autoRecord);
        t.w->Form_KeyDown(Qt::Key_F11);
        QCOMPARE(t.player().log, log);
    }

    void endOfPlay_resumesDetectionOnlyWithAutoRecord_data()
    {
        QTest::addColumn<bool>("autoRecord");
        QTest::newRow("manual") << false;
        QTest::newRow("automatic") << true;
    }
    void endOfPlay_resumesDetectionOnlyWithAutoRecord()
    {
        QFETCH(bool, autoRecord);
        Window t(autoRecord);
        QVERIFY(!t.w->detection->Detection.isActive()); // suspended while the call is open
        t.player().samplePosition = t.player().sampleCount;
        t.w->playback->tmrPlaybackPos_Timer();
        QVERIFY(!t.w->state.PlaybackOpen);
        QCOMPARE(t.w->lblPlaybackPos->text(), u"00:00:00"_s);
        QCOMPARE(t.w->sldPlayBackPos->Value(), 0);
        QCOMPARE(t.w->detection->Detection.isActive(), autoRecord);
    }

    // Enter, a double-click and the pop-up entry of the list, and a dropped file.
    void listRequestsPlay()
    {
        Window t(false);
        CallList &list = t.w->review->list();
        emit list.playCallRequested(u"#1#"_s);
        QCOMPARE(t.player().log.first(), u"Close"_s);
        QVERIFY(t.player().log.contains(u"Open "_s + t.callFile()));
        t.player().log.clear();
        emit list.playFileRequested(t.calls.filePath(u"dropped.MP3"_s));
        QVERIFY(t.player().log.contains(u"FileType=2"_s));
        QVERIFY(t.player().log.contains(u"Open "_s + t.calls.filePath(u"dropped.MP3"_s)));
    }
};

QTEST_MAIN(tst_frmMainPlayback)
#include "tst_frmMainPlayback.moc"
