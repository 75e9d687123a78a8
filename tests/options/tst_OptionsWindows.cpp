#include "CalibrationScript.h"
#include "ContextRig.h"
#include "Modal.h"

#include "controls/OrvaneButton.h"
#include "controls/XPButton.h"
#include "controls/kvtSlider.h"
#include "options/OptionsPassword.h"
#include "options/ui/dlgChangePW.h"
#include "options/ui/dlgPW.h"
#include "options/ui/frmOptions.h"
#include "recording/ui/CalPicture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_OptionsWindows : public QObject
{
    Q_OBJECT

private slots:
    void prompt_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("right") << u"Secret"_s << u"Secret"_s << true;
        QTest::newRow("letter case differs") << u"Secret"_s << u"secret"_s << false;
        QTest::newRow("beyond Latin-1") << u"\u20ac1"_s << u"?1"_s << false;
        QTest::newRow("beyond Latin-1, right") << u"\u20ac1"_s << u"\u20ac1"_s << true;
        QTest::newRow("damaged store") << QString() << u"x"_s << false;
    }
    void prompt()
    {
        QFETCH(QString, password);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        ContextRig t;
        t.app.settings.PW = password.isNull() ? u"not enciphered at all"_s : OptionsPassword::Encipher(password);
        t.app.store.SaveStringSetting(u"PW"_s, t.app.settings.PW);
        dlgPW prompt(t.app);
        prompt.show();
        prompt.txtPassword->insert(typed);
        QTest::keyClick(prompt.txtPassword, Qt::Key_Return); // runs OK
        QCOMPARE(prompt.Accepted, accepted);
        QCOMPARE(prompt.isVisible(), !accepted);
        if (!accepted) {
            QCOMPARE(t.prompts.texts(), QStringList{u"Invalid Password, try again!"_s});
            QCOMPARE(t.prompts.shown().at(0).caption, u"Login"_s);
            QCOMPARE(prompt.txtPassword->selectedText(), typed);
        }
    }

    // Setting, blanking and clearing, through the options' check box as a user does it.
    void passwordLifecycle()
    {
        ContextRig t;
        FakeRecorder recorder;
        {
            frmOptions options(t.app, recorder);
            QVERIFY(!options.chkPassword->isChecked());
            onModal<dlgChangePW>([](dlgChangePW *d) {
                QVERIFY(!d->txtCurrent->isEnabled());
                d->txtNew->setText(u"Open sesame"_s);
                d->txtConfirm->setText(u"Open Sesame"_s);
                d->cmdOK->click(); // differ: the dialog stays
                d->txtConfirm->setText(u"Open sesame"_s);
                QTest::keyClick(d->txtConfirm, Qt::Key_Enter, Qt::KeypadModifier);
                if (d->isVisible())
                    d->reject();
            });
            options.chkPassword->click();
            QCOMPARE(t.prompts.texts(), (QStringList{
                u"The passwords you typed do not match.  Type the same password in both boxes."_s,
                u"Password changed"_s}));
            QVERIFY(options.chkPassword->isChecked());
            // Not the plain text, in memory or stored.
            QVERIFY(t.app.settings.PW != u"Open sesame"_s);
            QVERIFY(OptionsPassword::Matches(t.app.store.GetStringSetting(u"PW"_s, {}), u"Open sesame"_s));

            // Clearing, cancelled: still ticked and still set.
            t.prompts.clear();
            t.prompts.answerNext(Prompts::No);
            options.chkPassword->click();
            QCOMPARE(t.prompts.texts(), QStringList{u"Clear Options Password?"_s});
            QVERIFY(options.chkPassword->isChecked());
            QVERIFY(!t.app.store.GetStringSetting(u"PW"_s, {}).isEmpty());

            // A wrong current password changes nothing; then a blank one, confirmed.
            t.prompts.clear();
            onModal<dlgChangePW>([](dlgChangePW *d) {
                QVERIFY(d->txtCurrent->isEnabled());
                d->txtCurrent->setText(u"open sesame"_s);
                d->cmdOK->click();
                d->txtCurrent->setText(u"Open sesame"_s);
                d->cmdOK->click();
            });
            options.btnPW->click();
            QCOMPARE(t.prompts.texts(), (QStringList{u"Current Password does not match"_s,
                                                    u"Are you sure you want a blank password?"_s,
                                                    u"Password changed"_s}));
            // Blank counts as none for this run, though its stored form is not empty.
            QVERIFY(!options.chkPassword->isChecked());
            QVERIFY(t.app.settings.PW.isEmpty());
            QCOMPARE(t.app.store.GetStringSetting(u"PW"_s, {}).size(), 16);
        }
        // From the next start the prompt is shown and takes the empty entry.
        t.app.settings.PW = t.app.store.GetStringSetting(u"PW"_s, {});
        onModal<dlgPW>([](dlgPW *d) { d->cmdOK->click(); });
        QVERIFY(dlgPW::Granted(t.app, nullptr));
    }

    void optionsDialog()
    {
        ContextRig t;
        FakeRecorder recorder;
        t.app.settings.Sensitivity = -18;
        t.app.settings.CanPlay = false;
        t.app.settings.PlayOwnOnly = true;
        t.app.settings.CallTimeOut = 99; // more than the slider shows
        t.app.settings.PreRoll = 4;
        const QString calls = t.app.settings.CallPath;
        frmOptions options(t.app, recorder);
        QCOMPARE(options.sldSensitivity->Value(), 32);
        QCOMPARE(options.lblSensitivity->text(), u"-18 dB"_s);
        QCOMPARE(options.sldLatch->Value(), 20);
        QCOMPARE(options.lblPreRoll->text(), u"4 sec"_s);
        QCOMPARE(options.sldPreRoll->accessibleName(), u"Keep Before Call Start"_s);
        QVERIFY(!options.sldPreRoll->toolTip().isEmpty());
        QVERIFY(t.prompts.shown().isEmpty());
        QVERIFY(options.optFormat[0]->isChecked());
        QVERIFY(recorder.log.isEmpty()); // loading reconfigures nothing

        // Rights: greyed out while the box is unticked, the choice kept.
        QVERIFY(!options.optPlay[0]->isEnabled() && !options.optPlay[1]->isEnabled());
        options.chkPlay->click();
        QVERIFY(t.app.settings.CanPlay && options.optPlay[0]->isEnabled() && options.optPlay[0]->isChecked());
        options.optPlay[1]->click();
        QVERIFY(!t.app.settings.PlayOwnOnly);

        // The format reaches the recorder at once.
        options.optFormat[1]->click();
        QCOMPARE(recorder.log, (QStringList{u"Close"_s, u"PcmRate=8000"_s, u"RecordOption=8"_s}));
        QVERIFY(!t.app.settings.GsmFlag);

        options.sldSensitivity->setValue(50);
        QCOMPARE(options.lblSensitivity->text(), u"0 dB  "_s);
        options.sldPreRoll->setValue(10);
        QCOMPARE(options.lblPreRoll->text(), u"10 sec"_s);

        // A typed folder that does not exist keeps the dialog open and the old folder.
        options.show();
        options.txtCallsFolder->setText(calls + u"nowhere"_s);
        options.cmdClose->click();
        QCOMPARE(t.prompts.texts(), (QStringList{u"Save new calls folder?"_s,
                                                u"Folder: "_s + calls + u"nowhere does not exist"_s}));
        QVERIFY(options.isVisible());
        QCOMPARE(t.app.settings.CallPath, calls);
        QCOMPARE(t.app.store.GetLongSetting(u"Sensitivity"_s, 1), 1); // nothing saved yet

        // No keeps the old folder and saves the rest; Enter on a box closes as Close does.
        t.prompts.answerNext(Prompts::No);
        QTest::keyClick(options.chkDelete, Qt::Key_Return);
        QVERIFY(!options.isVisible());
        QCOMPARE(t.app.store.GetStringSetting(u"CallPath"_s, {}), calls);
        QCOMPARE(t.app.store.GetLongSetting(u"Sensitivity"_s, 1), 0);
        QCOMPARE(t.app.store.GetLongSetting(u"CallTimeOut"_s, 1), 20);
        QCOMPARE(t.app.store.GetLongSetting(u"PreRoll"_s, 1), 10);
        QCOMPARE(t.app.store.GetLongSetting(u"Format"_s, 0), 1);
        QCOMPARE(t.app.store.GetLongSetting(u"CanPlay"_s, 0), 1);
    }

    // The advice while the level is adjusted, at the edges of the right range.
    void calibrationAdvice_data()
    {
        QTest::addColumn<float>("level");
        QTest::addColumn<QString>("advice");
        QTest::newRow("-10.0, lowest right") << -10.0f << u"Level OK - replace handset"_s;
        QTest::newRow("-10.1, too low") << -10.1f << u"Increase Level (or phone on hook)"_s;
        QTest::newRow("-4.0, too high yet told to increase") << -4.0f << u"Increase Level (or phone on hook)"_s;
        QTest::newRow("-3.9, too high") << -3.9f << u"Decrease Level"_s;
    }
    void calibrationAdvice()
    {
        QFETCH(float, level);
        QFETCH(QString, advice);
        ContextRig t;
        dlgCalibrate cal(t.app, nullptr);
        FakeRecorder &recorder = *t.recorders.last();
        recorder.levelA = level;
        cal.cmdCalibrate->click();
        QVERIFY(!cal.cmdCalibrate->isEnabled() && cal.tmrLevel->isActive());
        QVERIFY(!cal.lblDirection->isVisibleTo(&cal));
        cal.tmrLevel_Timer();
        cal.tmrLevel_Timer();
        QCOMPARE(recorder.log, (QStringList{u"Close"_s, u"OpenInput"_s, u"Record"_s}));
        QCOMPARE(cal.lblLevel->text(), QString::number(level, 'f', 1) + u" dB"_s);
        QCOMPARE(cal.lblDirection->text(), advice);
        QVERIFY(cal.lblDirection->isVisibleTo(&cal));
        const bool ok = advice.startsWith(u"Level OK"_s);
        QCOMPARE(cal.imgRecLevelOk->isVisibleTo(&cal), ok);
        QCOMPARE(cal.imgOutOfRange->isVisibleTo(&cal), !ok);
        QCOMPARE(cal.tmrFlash->isActive(), ok);
        if (ok) {
            cal.tmrFlash_Timer();
            QCOMPARE(cal.lblDirection->text(), u"Level OK - go to step 2"_s);
            cal.tmrFlash_Timer();
            QCOMPARE(cal.lblDirection->text(), advice);
            // The level's ticks leave the flash on its own beat: restarted by each, it would never flash.
            QSignalSpy flashes(cal.tmrFlash, &QTimer::timeout);
            QVERIFY(flashes.wait(1500));
        }
    }

    // The help pages as the user goes through them from the options' Calibrate button.
    void calibrationPages_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("mixers");  // times the main recorder gave up the input and opened the mixer
        QTest::addColumn<int>("unanswered"); // times page 2 asked for its answers
        QTest::newRow("closed at once") << QStringList{u"dlgCalMsg1 close"_s} << 0 << 0;
        QTest::newRow("skip help") << QStringList{u"dlgCalMsg1 skip"_s, u"dlgCalibrate OK"_s} << 1 << 0;
        QTest::newRow("unanswered stays, Previous goes back")
            << QStringList{u"dlgCalMsg1 Next"_s, u"dlgCalMsg2 Next"_s, u"dlgCalMsg2 yes,"_s, u"dlgCalMsg2 Prev"_s,
                           u"dlgCalMsg1 Next"_s, u"dlgCalMsg2 close"_s}
            << 2 << 2;
        QTest::newRow("both seen") << QStringList{u"dlgCalMsg1 Next"_s, u"dlgCalMsg2 yes,yes"_s, u"dlgCalMsg5 Next"_s,
                                                  u"dlgCalibrate Cancel"_s} << 1 << 0;
        QTest::newRow("no microphone") << QStringList{u"dlgCalMsg1 Next"_s, u"dlgCalMsg2 no,yes"_s, u"dlgCalMsg3 Next"_s,
                                                      u"dlgCalMsg5 Next"_s, u"dlgCalibrate Cancel"_s} << 1 << 0;
        QTest::newRow("no advanced button") << QStringList{u"dlgCalMsg1 Next"_s, u"dlgCalMsg2 yes,no"_s, u"dlgCalMsg4 Next"_s,
                                                           u"dlgCalMsg5 Next"_s, u"dlgCalibrate Cancel"_s} << 1 << 0;
        QTest::newRow("neither, closing pages 3 to 5 goes on")
            << QStringList{u"dlgCalMsg1 Next"_s, u"dlgCalMsg2 no,no"_s, u"dlgCalMsg3 close"_s, u"dlgCalMsg4 Next"_s,
                           u"dlgCalMsg5 close"_s, u"dlgCalibrate OK"_s} << 1 << 0;
    }
    void calibrationPages()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, mixers);
        QFETCH(int, unanswered);
        ContextRig t;
        FakeRecorder recorder;
        frmOptions options(t.app, recorder);
        const QString sensitivity = options.lblSensitivity->text();
        CalibrationScript user;
        user.run(steps, [&] { options.btnCal->click(); });
        QStringList windows;
        for (const QString &step : steps)
            windows << step.section(u' ', 0, 0);
        QCOMPARE(user.seen, windows);
        QStringList mixer;
        for (int i = 0; i < mixers; ++i)
            mixer << u"Close"_s << u"ShowMixer 1"_s;
        QCOMPARE(recorder.log, mixer);
        QCOMPARE(t.prompts.texts(), QStringList(unanswered, u"Please select 'Yes' or 'No' options"_s));
        QCOMPARE(options.lblSensitivity->text(), sensitivity);
    }

    // What the measurement of the idle line puts into the options: 2 dB above its loudest.
    void calibrationResult_data()
    {
        QTest::addColumn<QList<float>>("levels"); // then -100 dB
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QStringList>("shown");
        const QStringList measured{u"dlgCalMsg1 skip"_s, u"dlgCalibrate measure"_s, u"dlgCalibrate OK"_s};
        const QString done = u"Voxmere - Calibration: Calibration complete"_s;
        QTest::newRow("five rounds") << QList<float>{-30, -27, -29, -35, -28} << measured << 25 << QStringList{done};
        const QString high = u"Voxmere - Phone on hook?: Audio level seems high - check the phone is on the hook.  "
                             "Sensitivity level has been set"_s;
        QTest::newRow("loud line warns and is not applied") << QList<float>{-1} << measured << 32 << QStringList{high, done};
        QTest::newRow("-9 warns and is applied") << QList<float>{-9.4f} << measured << 43 << QStringList{high, done};
        QTest::newRow("quieter than -50") << QList<float>{-60} << measured << 2 << QStringList{done};
        QTest::newRow("OK without measuring") << QList<float>{-30} << QStringList{u"dlgCalMsg1 skip"_s, u"dlgCalibrate OK"_s}
                                              << 32 << QStringList{};
        QTest::newRow("measured, then cancelled") << QList<float>{-30} << QStringList{u"dlgCalMsg1 skip"_s,
            u"dlgCalibrate measure"_s, u"dlgCalibrate Cancel"_s} << 32 << QStringList{done};
    }
    void calibrationResult()
    {
        QFETCH(QList<float>, levels);
        QFETCH(QStringList, steps);
        QFETCH(int, slider);
        QFETCH(QStringList, shown);
        ContextRig t;
        t.app.settings.Sensitivity = -18;
        FakeRecorder recorder;
        frmOptions options(t.app, recorder);
        CalibrationScript user;
        user.atCalibrate = [&](dlgCalibrate &) { t.recorders.last()->levelsA = QQueue<float>(levels); };
        user.run(steps, [&] { options.btnCal->click(); });
        QCOMPARE(options.sldSensitivity->Value(), slider);
        QCOMPARE(options.lblSensitivity->text(), QString::number(slider - 50) + u" dB"_s);
        QStringList boxes;
        for (const ScriptedPrompts::Shown &box : t.prompts.shown())
            boxes << box.caption + u": "_s + box.text;
        QCOMPARE(boxes, shown);
        QCOMPARE(t.app.store.GetLongSetting(u"Sensitivity"_s, 1), 1); // the options' close saves it
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(tst_OptionsWindows)
#include "tst_OptionsWindows.moc"
