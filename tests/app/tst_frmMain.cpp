#include "FakeRecorder.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestDoubles.h"
#include "base/AppContext.h"
#include "app/frmMain.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

// A main window over fresh settings folders, with scripted prompts and recorders.
struct Window
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    FixedClock clock;
    FixedUserName user;
    QList<FakeRecorder *> recorders;
    AppContext ctx{Services{prompts, clock, user, [this] {
                                auto r = std::make_unique<FakeRecorder>();
                                recorders << r.get();
                                return r;
                            }}};
    std::unique_ptr<frmMain> w;

    // Settings an earlier start saved.
    void seed(const QString &name, qint32 value)
    {
        ctx.store.SaveStringSetting(u"CallPath"_s, roots.path() + u"/Calls/"_s);
        ctx.store.SaveLongSetting(name, value);
    }

    Window()
    {
        ctx.registry.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
        ctx.registry.CreateKey(u"HKEY_LOCAL_MACHINE\\Software\\Voxmere"_s);
    }
    bool load()
    {
        w = std::make_unique<frmMain>(ctx);
        return w->Form_Load();
    }
    FakeRecorder &recorder() { return *recorders.at(0); }
};

class tst_frmMain : public QObject
{
    Q_OBJECT

private slots:
    void firstStart()
    {
        Window t;
        QVERIFY(t.load());
        QCOMPARE(t.prompts.texts(), QStringList{
            u"It would appear that Voxmere has not been used on this PC before - please check your configuration"_s});
        QCOMPARE(t.w->windowTitle(), u"Voxmere Call Recorder"_s);
        QCOMPARE(t.w->StatusPanel[0]->text(), u"Ready - Manual Recording"_s);
        QCOMPARE(t.w->StatusPanel[1]->text(), u"00:00:00"_s);
        QCOMPARE(t.w->StatusPanel[3]->text(),
                 QLocale::system().toString(t.clock.now(), u"dddd, MMM d yyyy - HH:mm:ss"_s));
        QCOMPARE(t.w->imgLED->toolTip(), u"Ready"_s);
        QCOMPARE(t.ctx.CurrentUserName, u"ann"_s);
        QCOMPARE(t.w->CurrentFolder, t.ctx.settings.CallPath);
        QVERIFY(t.ctx.TempFolder.endsWith(u'/'));
        QCOMPARE(t.ctx.store.GetStringSetting(u"wavs"_s, QString()), t.ctx.TempFolder);
        QCOMPARE(t.recorders.size(), 2); // one records, one plays
    }

    void recordFormat_data()
    {
        QTest::addColumn<qint32>("format");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("GSM") << 0 << QStringList{u"RecordOption=100"_s, u"RecordFormat=31000100401f0000590600004100000002004001"_s};
        QTest::newRow("PCM") << 1 << QStringList{};
    }
    void recordFormat()
    {
        QFETCH(qint32, format);
        Window t;
        t.seed(u"Format"_s, format);
        QVERIFY(t.load());
        QTEST(t.recorder().log, "sent");
    }

    void autoRecordResetFails()
    {
        Window t;
        t.seed(u"AutoRecord"_s, 1);
        t.recorders.clear();
        t.w = std::make_unique<frmMain>(t.ctx);
        t.recorder().codes[u"Close"_s] = 5;
        QVERIFY(t.w->Form_Load());
        QCOMPARE(t.prompts.texts().last(), u"Failed to reset Voice Detection - please run in manual mode. Err: 5"_s);
        QCOMPARE(t.prompts.shown().last().icon, Prompts::NoIcon);
        QVERIFY(!t.ctx.settings.AutoRecord);
        // The stored setting stays; the rest of the load did not run.
        QCOMPARE(t.ctx.registry.ReadDWORDValue(t.ctx.UserKey, u"AutoRecord"_s, 0, false), 1);
        QVERIFY(t.w->imgLED->toolTip().isEmpty());
        QVERIFY(!t.w->trayIcon->isVisible());
    }

    void autoRecordResetWorks()
    {
        Window t;
        t.seed(u"AutoRecord"_s, 1);
        QVERIFY(t.load());
        QCOMPARE(t.prompts.texts(), QStringList());
        QVERIFY(t.ctx.settings.AutoRecord);
        QCOMPARE(t.w->StatusPanel[0]->text(), u"Ready - Automatic Recording"_s);
        QVERIFY(t.recorder().log.contains(u"Close"_s));
        QVERIFY(!t.w->cmdRecord->isEnabled());
    }

    void buttons_data()
    {
        QTest::addColumn<bool>("canPlay");
        QTest::addColumn<bool>("autoRecord");
        QTest::addColumn<bool>("playbackOpen");
        QTest::addColumn<bool>("play");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<bool>("record");
        QTest::newRow("manual, may play") << true << false << false << true << true << true;
        QTest::newRow("manual, playing") << true << false << true << true << true << false;
        QTest::newRow("automatic, may not play") << false << true << false << false << false << false;
        QTest::newRow("manual, may not play") << false << false << false << false << true << true;
    }
    void buttons()
    {
        QFETCH(bool, canPlay);
        QFETCH(bool, autoRecord);
        QFETCH(bool, playbackOpen);
        Window t;
        QVERIFY(t.load());
        t.ctx.settings.CanPlay = canPlay;
        t.ctx.settings.AutoRecord = autoRecord;
        t.w->state.PlaybackOpen = playbackOpen;
        t.w->UpdateButtons();
        QTEST(t.w->cmdPlay->isEnabled(), "play");
        QTEST(t.w->cmdPBOffsetPlus30->isEnabled(), "play");
        QTEST(t.w->cmdEmail->isEnabled(), "play");
        QTEST(t.w->cmdStop->isEnabled(), "stop");
        QTEST(t.w->cmdRecord->isEnabled(), "record");

        t.w->SetPlaybackControls(false);
        QVERIFY(!t.w->cmdPlay->isEnabled());
        QCOMPARE(t.w->cmdRecord->isEnabled(), !autoRecord);
        QCOMPARE(t.w->cmdStop->isEnabled(), !autoRecord);
    }

    void elapsedTimeFollowsTheRecorder()
    {
        Window t;
        QVERIFY(t.load());
        t.recorder().position = 65.4;
        t.clock.advance(1);
        t.w->tmrTimeStamp_Timer();
        QCOMPARE(t.w->StatusPanel[1]->text(), u"00:01:05"_s);
        QCOMPARE(t.w->ElapsedText, u"00:01:05"_s);
        QVERIFY(t.w->tmrTimeStamp->isActive());
        QCOMPARE(t.w->tmrTimeStamp->interval(), 1000);
    }

    void functionKeys()
    {
        Window t;
        QVERIFY(t.load());
        QSignalSpy record(t.w->cmdRecord, &QToolButton::clicked);
        QSignalSpy stop(t.w->cmdStop, &QToolButton::clicked);
        QSignalSpy play(t.w->cmdPlay, &QToolButton::clicked);
        t.w->Form_KeyDown(Qt::Key_F9);
        t.w->Form_KeyDown(Qt::Key_F11);
        QCOMPARE(record.size(), 1);
        QCOMPARE(play.size(), 1);
        t.ctx.settings.AutoRecord = true;
        t.w->Form_KeyDown(Qt::Key_F9);
        t.w->Form_KeyDown(Qt::Key_F11);
        t.w->Form_KeyDown(Qt::Key_F10);
        QCOMPARE(record.size(), 1);
        QCOMPARE(play.size(), 1);
        QCOMPARE(stop.size(), 1);
    }

    void quitAsksFirst()
    {
        Window t;
        QVERIFY(t.load());
        t.w->show();
        t.prompts.clear();
        t.prompts.answerNext(Prompts::No);
        t.w->cmdQuit_Click();
        QVERIFY(t.w->isVisible());
        QCOMPARE(t.prompts.texts(), QStringList{u"Are you sure you want to exit Voxmere?"_s});

        // A call on the clock: the second question can still keep the program.
        t.prompts.clear();
        t.w->setElapsedPanel(u"00:00:05"_s);
        t.prompts.answerNext(Prompts::Yes);
        t.prompts.answerNext(Prompts::Cancel);
        t.w->cmdQuit_Click();
        QVERIFY(t.w->isVisible());
        QCOMPARE(t.prompts.shown().size(), 2);
        QCOMPARE(t.prompts.shown()[1].caption, u"Voxmere - warning call will be lost"_s);
        QCOMPARE(t.prompts.shown()[1].icon, Prompts::Critical);
    }

    void closingForbidden()
    {
        Window t;
        t.seed(u"SD"_s, 1);
        QVERIFY(t.load());
        t.w->show();
        QVERIFY(!t.w->close());
        QVERIFY(t.w->isVisible());
        // The quit button still ends it.
        t.prompts.clear();
        t.w->cmdQuit_Click();
        QVERIFY(!t.w->isVisible());
        QVERIFY(!t.ctx.store.ReadFormValue(u"Width"_s).isEmpty());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
