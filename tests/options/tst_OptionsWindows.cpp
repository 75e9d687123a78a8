#include "ContextRig.h"
#include "Modal.h"

#include "controls/OrvaneButton.h"
#include "controls/XPButton.h"
#include "controls/kvtSlider.h"
#include "options/OptionsPassword.h"
#include "options/ui/dlgChangePW.h"
#include "options/ui/dlgPW.h"
#include "options/ui/frmOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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
        const QString calls = t.app.settings.CallPath;
        frmOptions options(t.app, recorder);
        QCOMPARE(options.sldSensitivity->Value(), 32);
        QCOMPARE(options.lblSensitivity->text(), u"-18 dB"_s);
        QCOMPARE(options.sldLatch->Value(), 20);
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
        QCOMPARE(t.app.store.GetLongSetting(u"Format"_s, 0), 1);
        QCOMPARE(t.app.store.GetLongSetting(u"CanPlay"_s, 0), 1);
    }
};

QTEST_MAIN(tst_OptionsWindows)
#include "tst_OptionsWindows.moc"
