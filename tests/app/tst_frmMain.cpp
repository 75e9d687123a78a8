#include "callstore/CallListModel.h"
#include "callstore/FileJob.h"
#include "callstore/ui/JobProgress.h"
#include "controls/LevelBar.h"
#include "controls/LightButton.h"
#include "controls/OrvaneButton.h"
#include "controls/XPButton.h"
#include "review/ui/DesktopShell.h"
#include "mover/FolderLock.h"
#include "mover/RecordingMover.h"
#include "base/Twips.h"
#include "Modal.h"
#include "options/OptionsPassword.h"
#include "options/ui/dlgAbout.h"
#include "options/ui/dlgPW.h"
#include "options/ui/frmOptions.h"
#include "TestFiles.h"
#include "WindowRig.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QScreen>
#include <QAccessible>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The main window as its user meets it: the load, the buttons and keys, one call
// recorded by hand, the review of the calls folder and the player.
class tst_frmMain : public QObject
{
    Q_OBJECT

    static bool enabled(const WindowRig &t, const char *button) { return t.find(button)->isEnabled(); }
    static int rows(const WindowRig &t) { return t.find<QTreeView>("lvwCalls")->model()->rowCount(); }

    // Loaded over a calls folder with two calls of today and one of yesterday.
    static void loadWithCalls(WindowRig &t)
    {
        QVERIFY(TestFiles::write(t.call(u"20240301-091500-ann-75.wav"_s), "RIFF"));
        QVERIFY(TestFiles::write(t.call(u"20240301-091500-ann-75.txt"_s), "today's note"));
        QVERIFY(TestFiles::write(t.call(u"20240301-101500-bob-5.wav"_s), "RIFF"));
        QVERIFY(TestFiles::write(t.call(u"20240229-101500-bob-5.wav"_s), "RIFF"));
        QVERIFY(t.load());
        t.window->show();
        settle(t);
    }

    // Waits for the window's file job (listing, Find, delete, save, mail) to end.
    static void settle(const WindowRig &t)
    {
        QVERIFY(QTest::qWaitFor([&t] {
            const JobProgress *progress = t.find<JobProgress>("JobProgress");
            return !progress->job() || progress->job()->isFinished();
        }, 20000));
        QCoreApplication::processEvents();
    }

    // Stand-ins on PATH: xdg-email keeps its arguments and then runs `tail` (none when
    // null); xdg-mime names the mail program.
    struct MailTools
    {
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        MailTools(const QByteArray &tail, const QByteArray &handler)
        {
            if (!tail.isNull())
                install("xdg-email", "#!/bin/sh\nfor a; do printf '%s\\0' \"$a\"; done > \"$0.args\"\n" + tail);
            install("xdg-mime", "#!/bin/sh\necho " + handler);
            qputenv("PATH", bin.path().toLocal8Bit());
        }
        void install(const char *name, const QByteArray &text) const
        {
            const QString file = bin.path() + u'/' + QLatin1StringView(name);
            if (TestFiles::write(file, text))
                QFile::setPermissions(file, QFile::ReadOwner | QFile::ExeOwner);
        }
        ~MailTools() { qputenv("PATH", path); }
        QList<QByteArray> args() const { return TestFiles::read(bin.path() + u"/xdg-email.args"_s).split('\0'); }
    };

    // Answers the next file dialog: records the folder it opens at, then chooses `folder`
    // or, with "", cancels.
    static void answerFolder(QString *offered, const QString &folder)
    {
        QTimer::singleShot(0, [=] {
            if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                *offered = d->directory().absolutePath();
                folder.isEmpty() ? d->reject() : (d->setDirectory(folder), static_cast<QDialog *>(d)->accept());
            }
        });
    }

public slots:
    void openUrl(const QUrl &url) { opened << url; }

private:
    QList<QUrl> opened;

private slots:
    void firstStart()
    {
        WindowRig t(false);
        QVERIFY(t.load());
        QCOMPARE(t.prompts.texts(), QStringList{
            u"It would appear that Voxmere has not been used on this PC before - please check your configuration"_s});
        QCOMPARE(t.window->windowTitle(), u"Voxmere Call Recorder"_s);
        QCOMPARE(t.find<QToolButton>("cmdEditNote")->toolTip(), u"Edit the note for selected call"_s);
        QCOMPARE(t.text("StatusPanel1"), u"Ready - Manual Recording"_s);
        QCOMPARE(t.text("StatusPanel2"), u"00:00:00"_s);
        QCOMPARE(t.text("StatusPanel4"), QLocale::system().toString(t.clock.now(), u"dddd, MMM d yyyy - HH:mm:ss"_s));
        QCOMPARE(t.find<QLabel>("imgLED")->toolTip(), u"Ready"_s);
        QCOMPARE(t.app.CurrentUserName, u"ann"_s);
        QCOMPARE(t.app.store.GetStringSetting(u"wavs"_s, QString()), t.tempFolder() + u'/');
        // GSM 6.10 unless the settings say PCM.
        QCOMPARE(t.recorder().log.mid(0, 2), (QStringList{u"RecordOption=100"_s, u"RecordFormat=31000100401f0000590600004100000002004001"_s}));
    }

    // Automatic mode resets detection at load; a failure falls back to manual for this run only.
    void autoRecordReset_data()
    {
        QTest::addColumn<qint16>("code");
        QTest::addColumn<QString>("panel");
        QTest::newRow("works") << qint16(0) << u"Ready - Automatic Recording"_s;
        QTest::newRow("fails") << qint16(5) << QString();
    }
    void autoRecordReset()
    {
        QFETCH(qint16, code);
        WindowRig t;
        t.seed(u"AutoRecord"_s, 1);
        t.recorders.clear();
        t.window = std::make_unique<frmMain>(t.app);
        t.recorder().codes[u"Close"_s] = code;
        bool autoUnderBox = false;
        t.prompts.whileShown = [&] { autoUnderBox = t.app.settings.AutoRecord; };
        QVERIFY(t.window->Form_Load());
        QCoreApplication::sendPostedEvents(); // what the load sent the recorder
        QVERIFY(!autoUnderBox); // ticks under the box must not arm detection again
        QVERIFY(t.recorder().log.contains(u"Close"_s));
        QCOMPARE(t.app.settings.AutoRecord, code == 0);
        QCOMPARE(t.app.registry.ReadDWORDValue(t.app.UserKey, u"AutoRecord"_s, 0, false), 1);
        if (code) {
            QCOMPARE(t.prompts.texts(), QStringList{u"Failed to reset Voice Detection - please run in manual mode. Err: 5"_s});
            return;
        }
        QCOMPARE(t.text("StatusPanel1"), u"Ready - Automatic Recording"_s);
        QVERIFY(!enabled(t, "cmdRecord"));
        // F9 and F11 do nothing in automatic mode; detection polls and shows the levels.
        t.recorder().log.clear();
        t.key("F9");
        t.key("F11");
        QCOMPARE(t.recorder().log, QStringList());
        t.recorder().levelA = -12.5f;
        t.recorder().levelB = -30.26f;
        t.window->show(); // the capture thread tells the levels while the bar is on screen
        t.recorder().feed(-12.5f);
        QCOMPARE(t.find<LevelBar>("lvlInput")->text(), u"-12.5 dB"_s);
        QCOMPARE(t.find<LevelBar>("lvlInput")->toolTip(), u"Input level: peak -12.5 dB, average -30.3 dB"_s);
    }

    // A window saved on a screen that is gone comes back onto one.
    void positionOffEveryScreen()
    {
        WindowRig t;
        t.seed(u"Left"_s, 1000000);
        t.seed(u"Top"_s, -1000000);
        QVERIFY(t.load());
        const QPoint loaded = t.window->pos();
        QVERIFY(QGuiApplication::screenAt(loaded));
        // A resize keeps where it was moved; "&Restore" puts it back where it was loaded.
        t.window->show();
        t.window->move(loaded + QPoint(40, 30));
        t.window->resize(700, 500);
        // Written once the window stands still, not at every step of a drag.
        QVERIFY(t.find<QTimer>("tmrSavePosition")->isActive());
        t.fire("tmrSavePosition");
        QCOMPARE(t.app.store.GetLongSetting(u"Left"_s, 0), Twips::fromPixels(loaded.x() + 40, t.window->logicalDpiX()));
        t.find<QAction>("mPopupRestore")->trigger();
        QCOMPARE(t.window->pos(), loaded);
    }

    void buttons_data()
    {
        QTest::addColumn<bool>("canPlay");
        QTest::addColumn<bool>("autoRecord");
        QTest::addColumn<bool>("play");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<bool>("record");
        QTest::newRow("manual, may play") << true << false << true << true << true;
        QTest::newRow("automatic, may not play") << false << true << false << false << false;
        QTest::newRow("manual, may not play") << false << false << false << true << true;
    }
    void buttons()
    {
        QFETCH(bool, canPlay);
        QFETCH(bool, autoRecord);
        WindowRig t;
        t.seed(u"CanPlay"_s, canPlay);
        t.seed(u"AutoRecord"_s, autoRecord);
        loadWithCalls(t);
        for (const char *b : {"cmdPlay", "cmdPause", "cmdPBOffsetPlus30", "cmdEmail", "cmdSave", "cmdEditNote"})
            QTEST(enabled(t, b), "play");
        QTEST(enabled(t, "cmdStop"), "stop");
        QTEST(enabled(t, "cmdRecord"), "record");
        // F11 plays the selected call only for a user who may play calls, in manual mode.
        t.key("F11");
        QCOMPARE(!t.player().log.filter(u"Open "_s).isEmpty(), canPlay && !autoRecord);
    }

    void quitAsksFirstAndSdForbidsClosing()
    {
        WindowRig t;
        t.seed(u"SD"_s, 1);
        QVERIFY(t.load());
        t.window->show();
        QVERIFY(!t.window->close());
        QVERIFY(t.window->isVisible());

        // No call: one question. A call on the clock (whole seconds, half to even): the
        // second question can still keep the program.
        t.prompts.clear();
        t.prompts.answerNext(Prompts::No);
        t.find<QToolButton>("cmdQuit")->click();
        QCOMPARE(t.prompts.texts().size(), 1);
        QVERIFY(t.find<QTimer>("tmrTimeStamp")->isActive());
        t.key("F9");
        t.recorder().position = 4.5;
        t.fire("tmrTimeStamp");
        QCOMPARE(t.text("StatusPanel2"), u"00:00:04"_s);
        t.prompts.clear();
        t.prompts.answerNext(Prompts::Yes);
        t.prompts.answerNext(Prompts::Cancel);
        t.find<QToolButton>("cmdQuit")->click();
        QVERIFY(t.window->isVisible());
        QCOMPARE(t.prompts.texts().value(0), u"Are you sure you want to exit Voxmere?"_s);
        QCOMPARE(t.prompts.shown().value(1).text, u"There is a call which has not been cleared or saved - exiting now will end this recording and file the call.  Press OK to exit, Cancel to return to application"_s);
        QCOMPARE(t.prompts.shown().value(1).caption, u"Voxmere - warning call will be ended"_s);

        t.prompts.answerNext(Prompts::Yes);
        t.prompts.answerNext(Prompts::Ok);
        t.find<QToolButton>("cmdQuit")->click();
        QVERIFY(!t.window->isVisible());
        QVERIFY(!t.app.store.ReadFormValue(u"Width"_s).isEmpty());
    }

    // F9 and F10 record a call; the note typed in the prompt is filed beside it, and the
    // newest call stands in row 1.
    void recordTwoCallsByHand()
    {
        WindowRig t;
        t.app.store.SaveFormValue(u"Left"_s, u"1500"_s);
        t.app.store.SaveFormValue(u"Top"_s, u"3000"_s);
        QVERIFY(t.load());
        QCOMPARE(t.moverLaunches, 0); // nothing left over to file
        t.key("F9");
        QCOMPARE(t.find<QLabel>("imgLED")->toolTip(), u"Recording"_s);
        QCOMPARE(t.text("StatusPanel1"), u"Recording - Manual Recording"_s);
        QVERIFY(!enabled(t, "cmdPlay"));
        t.recorder().position = 81.2;
        onModal<QDialog>([&](QDialog *prompt) {
            QCOMPARE(prompt->objectName(), u"frmAddNote"_s);
            QVERIFY(prompt->isVisible());
            QVERIFY(t.find<QTimer>("tmrAddNote")->isActive());
            QCOMPARE(prompt->pos(), QPoint(Twips::toPixels(1500, prompt->logicalDpiX()), Twips::toPixels(3000, prompt->logicalDpiX())));
            // The window is in the tray: the tray brings only the prompt forward.
            emit t.find<QSystemTrayIcon>("trayIcon")->activated(QSystemTrayIcon::DoubleClick);
            t.find<QAction>("mPopupRestore")->trigger();
            QVERIFY(!t.window->isVisible() && prompt->isVisible());
            QTest::keyClicks(prompt->findChild<QPlainTextEdit *>(u"txtCallNote"_s), u"Supplier rang back"_s);
            prompt->findChild<XPButton *>(u"OKButton"_s)->click();
        });
        t.key("F10");
        QVERIFY(!t.find<QTimer>("tmrAddNote")->isActive());
        emit t.find<QSystemTrayIcon>("trayIcon")->activated(QSystemTrayIcon::Trigger);
        QVERIFY(t.window->isVisible());
        QCOMPARE(t.find<QLabel>("imgLED")->toolTip(), u"Ready"_s);
        QVERIFY(QFile::exists(t.tempFolder() + u"/20240301-091500-ann-81.wav"_s));
        QCOMPARE(TestFiles::read(t.call(u"20240301-091500-ann-81.txt"_s)), QByteArray("Supplier rang back"));
        QCOMPARE(t.moverLaunches, 1);

        t.app.settings.AddNote = false;
        t.clock.advance(300);
        t.key("F9");
        t.key("F10");
        auto *list = t.find<QTreeView>("lvwCalls")->model();
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->index(0, CallListModel::CallTime).data().toString(), u"09:20:00"_s);
        QCOMPARE(list->index(1, CallListModel::Note).data().toString(), u"Supplier rang back"_s);
        QVERIFY(t.prompts.shown().isEmpty());
    }

    // The transport buttons' underlined letters are reached with Alt, as the desktop's own.
    void transportMnemonics()
    {
        WindowRig t;
        QVERIFY(t.load());
        t.window->show();
        t.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        QTest::keyClick(t.window.get(), Qt::Key_R, Qt::AltModifier);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(t.text("StatusPanel1"), u"Recording - Manual Recording"_s);
        QTest::keyClick(t.window.get(), Qt::Key_T, Qt::AltModifier);
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(t.find<QLabel>("imgLED")->toolTip(), u"Ready"_s);
    }

    // Every control a user can reach in the window has a name and a role for a screen
    // reader, and every slider is settable from the keyboard.
    void everyControlIsNamed()
    {
        WindowRig t;
        loadWithCalls(t);
        QStringList unnamed;
        for (QWidget *w : t.window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(t.window.get()) || w->focusPolicy() == Qt::NoFocus || w->focusProxy())
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->role() == QAccessible::NoRole || a->role() == QAccessible::Client
                || a->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << w->objectName() + u'(' + QString::fromLatin1(w->metaObject()->className()) + u')';
            if (a && a->role() == QAccessible::Slider && !(w->focusPolicy() & Qt::TabFocus))
                unnamed << w->objectName() + u" takes no Tab"_s;
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
    }

    void startUpFilesACallLeftUnfinished()
    {
        WindowRig t;
        QVERIFY(TestFiles::write(t.tempFolder() + u"/20240229-170000-ann.wav"_s, QByteArray()));
        QVERIFY(t.load());
        QCOMPARE(TestFiles::names(t.tempFolder()), QStringList{u"20240229-170000-ann-0.wav"_s});
        QCOMPARE(t.moverLaunches, 1);
    }

    // Calls the mover could not file are told beside the status with its problems while no
    // mover is at work, the mover is started again each minute, and "Waiting to be filed"
    // lists them (not the calls filed below) and plays them.
    void callsWaitingToBeFiled()
    {
        WindowRig t;
        t.seed(u"subfolders"_s, 1);
        const QString temp = t.tempFolder() + u'/', newest = temp + u"20240301-091000-ann-65.wav"_s;
        for (const QString &path : {temp + u"20240301-081500-ann-7.wav"_s, newest, temp + u"Calls/20240301-071500-ann-3.wav"_s})
            QVERIFY(TestFiles::write(path, "RIFF"));
        QVERIFY(TestFiles::write(RecordingMover::StatusFileName(temp), "the calls folder /x cannot be reached\nsecond\n"));
        QVERIFY(t.load());
        auto *panel = t.find<QLabel>("lblWaitingCalls");
        {
            FolderLock atWork(temp);
            QVERIFY(atWork.tryLock());
            t.fire("tmrWaitingCalls");
            QVERIFY(panel->isHidden());
        }
        t.fire("tmrWaitingCalls");
        QCOMPARE(panel->text(), u"2 calls waiting to be filed: the calls folder /x cannot be reached"_s);
        QVERIFY(!panel->isHidden() && panel->toolTip().endsWith(u"reached\nsecond"_s));
        QCOMPARE(t.moverLaunches, 1); // at the load
        t.clock.advance(60);
        t.fire("tmrWaitingCalls");
        QCOMPARE(t.moverLaunches, 2);

        auto *drives = t.find<QComboBox>("drvList");
        emit drives->activated(drives->findText(u"Waiting to be filed"_s));
        settle(t);
        QCOMPARE(rows(t), 2);
        t.find<QAction>("mnuPopupPlayCall")->trigger();
        QVERIFY(t.player().log.contains(u"Open "_s + newest));

        QVERIFY(QFile::remove(newest) && QFile::remove(temp + u"20240301-081500-ann-7.wav"_s));
        t.fire("tmrWaitingCalls");
        QVERIFY(panel->isHidden());
    }

    // The tray icon's tool tip says what the recorder does: ready, recording and for how
    // long, listening for calls, or without its input.
    void trayTellsTheState()
    {
        const auto tip = [](WindowRig &t) {
            t.fire("tmrTimeStamp");
            QCoreApplication::processEvents(); // the recorder's check, queued by the clock
            return t.find<QSystemTrayIcon>("trayIcon")->toolTip();
        };
        {
            WindowRig manual;
            QVERIFY(manual.load());
            QCOMPARE(tip(manual), u"Voxmere - Ready"_s);
            manual.key("F9");
            manual.recorder().position = 65.0;
            QCOMPARE(tip(manual), u"Voxmere - Recording 00:01:05"_s);
        }
        WindowRig automatic;
        automatic.seed(u"AutoRecord"_s, 1);
        QVERIFY(automatic.load());
        QCOMPARE(tip(automatic), u"Voxmere - Listening for calls"_s);
        automatic.recorder().state = 1; // the input goes away
        automatic.recorder().codes[u"OpenInput"_s] = 1;
        QCOMPARE(tip(automatic), u"Voxmere - Recording input lost"_s);
        automatic.recorder().codes.clear();
        for (int tick = 0; tick < 3; ++tick) {
            automatic.fire("tmrTimeStamp");
            QCoreApplication::processEvents();
        }
        QCOMPARE(tip(automatic), u"Voxmere - Listening for calls"_s);
    }

    // Less room for recordings than an hour of calls in their format is said beside the
    // status; plenty of room says nothing.
    void lowDiskSpace()
    {
        WindowRig t;
        SmallDisk disk(t.tempFolder(), 1024 * 1024);
        if (!disk.mounted())
            QSKIP("needs root to mount a small filesystem (a tmpfs), whose free space is told");
        t.seed(u"Format"_s, 1); // PCM: 16000 bytes a second
        QVERIFY(t.load());
        t.fire("tmrTimeStamp");
        QCOMPARE(t.text("lblDiskSpace"), u"Room for only 1 minute of recording"_s);
        QVERIFY(!t.find<QLabel>("lblDiskSpace")->isHidden());
        WindowRig roomy;
        QVERIFY(roomy.load());
        roomy.fire("tmrTimeStamp");
        QVERIFY(roomy.find<QLabel>("lblDiskSpace")->isHidden());
    }

    // The folder viewed last time lists today's calls; one removed since lists its parent.
    void loadListsTodaysCalls_data()
    {
        QTest::addColumn<QString>("viewed");
        QTest::newRow("the calls folder") << QString();
        QTest::newRow("a folder removed since") << u"/old/2023"_s;
    }
    void loadListsTodaysCalls()
    {
        QFETCH(QString, viewed);
        WindowRig t;
        t.app.store.SaveStringSetting(u"SearchPath"_s, t.calls.path() + viewed);
        loadWithCalls(t);
        QVERIFY2(t.prompts.shown().isEmpty(), qPrintable(t.prompts.texts().join(u'|')));
        QCOMPARE(t.app.settings.SearchPath, t.calls.path());
        QCOMPARE(t.text("StatusPanel3"), u"2 call/s"_s);
        QCOMPARE(t.find<QPlainTextEdit>("txtNote")->toPlainText(), u"(No Note)"_s); // the newest first
    }

    void findShowAllAndDeletingTheViewedFolder()
    {
        WindowRig t;
        QDir().mkpath(t.call(u"empty"_s));
        loadWithCalls(t);
        t.find<QAction>("mnuFolderShowAll")->trigger();
        settle(t);
        QCOMPARE(t.text("StatusPanel3"), u"3 call/s"_s);

        // The find dialog opens on the browser's folder, once.
        auto *dirList = t.find<QTreeView>("dirList");
        dirList->setCurrentIndex(static_cast<QFileSystemModel *>(dirList->model())->index(t.call(u"empty"_s)));
        emit dirList->clicked(dirList->currentIndex());
        t.find<QToolButton>("cmdFind")->click();
        auto *dialog = t.find<QDialog>("dlgFindCall");
        QCOMPARE(dialog->findChild<QLineEdit *>(u"txtSearchPath"_s)->text(), t.call(u"empty/"_s));
        QCOMPARE(t.app.store.GetStringSetting(u"SearchPath"_s, QString()), t.call(u"empty/"_s));
        t.find<QToolButton>("cmdFind")->click();
        QCOMPARE(t.window->findChildren<QDialog *>(u"dlgFindCall"_s).size(), 1);

        // Deleting the viewed folder empties the list, and asks nothing of an empty folder.
        QCOMPARE(rows(t), 3);
        t.find<OrvaneButton>("btnDelFolder")->click();
        QCOMPARE(rows(t), 0);
        QVERIFY(t.prompts.shown().isEmpty());

        // Closing unloads the dialog and keeps the column widths.
        t.find<QTreeView>("lvwCalls")->header()->resizeSection(0, 150);
        t.window->close();
        QVERIFY(!dialog->isVisible());
        QVERIFY(t.app.store.GetLongSetting(u"GRD_USER"_s, 0) > 0);
    }

    // A call opened from the list's pop-up: the player's buttons reach it, record waits,
    // and the end of play resumes detection only in automatic mode.
    // Another PC deletes the call this one plays: within a few seconds its row goes, the
    // player lets it go and the user is told, once.
    void playedCallDeletedElsewhere()
    {
        WindowRig t;
        loadWithCalls(t);
        t.player().length = 5.0;
        t.player().sampleCount = 5 * 8000;
        t.find<QAction>("mnuPopupPlayCall")->trigger();
        QVERIFY(t.player().log.contains(u"Open "_s + t.call(u"20240301-101500-bob-5.wav"_s)));
        t.prompts.clear();
        QVERIFY(QFile::remove(t.call(u"20240301-101500-bob-5.wav"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(rows(t), 1, 5000);
        QCOMPARE(t.prompts.texts(), QStringList{u"The call being played was deleted on another PC; playback has stopped."_s});
        QVERIFY(t.player().log.contains(u"Close"_s));
        QVERIFY(enabled(t, "cmdRecord"));
    }

    void player_data()
    {
        QTest::addColumn<bool>("autoRecord");
        QTest::newRow("manual") << false;
        QTest::newRow("automatic") << true;
    }
    void player()
    {
        QFETCH(bool, autoRecord);
        WindowRig t;
        t.seed(u"AutoRecord"_s, autoRecord);
        loadWithCalls(t);
        t.player().length = 65.0;
        t.player().sampleCount = 65 * 8000;
        t.find<QAction>("mnuPopupPlayCall")->trigger(); // the list's pop-up plays the selected call
        QVERIFY(t.player().log.contains(u"Open "_s + t.call(u"20240301-101500-bob-5.wav"_s)));
        QVERIFY(!enabled(t, "cmdRecord"));
        for (int i = 0; i < 20; ++i) // suspended while the call is open: a voice starts nothing
            t.recorder().feed(-10.0f);
        QVERIFY(!t.recorder().log.join(u' ').contains(u"OpenRecordFile"_s));
        const std::pair<const char *, QString> steps[] = {
            {"cmdPBOffsetMinus30", u"Position=10"_s}, {"cmdPBOffsetPlus10", u"Position=50"_s},
            {"cmdPBOffsetPlus30", u"Position=65"_s}, {"cmdPause", u"Paused=true"_s}};
        for (const auto &[button, entry] : steps) {
            t.player().log.clear();
            t.player().position = 40.0;
            QTest::mouseClick(t.find(button), Qt::LeftButton);
            QCOMPARE(t.player().log.value(0), entry);
        }
        t.player().log.clear();
        t.key("F11");
        QCOMPARE(t.player().log.contains(u"Position=0"_s), !autoRecord);

        t.player().samplePosition = t.player().sampleCount;
        t.fire("tmrPlaybackPos");
        QCOMPARE(t.text("lblPlaybackPos"), u"00:00:00"_s);
        t.window->show(); // the level bar goes on, in manual mode too
        t.recorder().feed(-12.5f);
        QCOMPARE(t.find<LevelBar>("lvlInput")->text(), u"-12.5 dB"_s);
        QCOMPARE(enabled(t, "cmdRecord"), !autoRecord);

        // Deleting the call open in the player stops and closes it first.
        t.find<QAction>("mnuPopupPlayCall")->trigger();
        t.player().log.clear();
        t.find<QAction>("mnuPopupDeleteCall")->trigger();
        settle(t);
        QCOMPARE(t.player().log.mid(0, 2), (QStringList{u"Stop"_s, u"Close"_s}));
        QVERIFY(!QFile::exists(t.call(u"20240301-101500-bob-5.wav"_s)));
        QCOMPARE(enabled(t, "cmdRecord"), !autoRecord);
    }

    // One message with a paragraph and an attachment a call goes to the mail program, after
    // a warning when the calls in whole kilobytes pass the limit of their kind; when it
    // cannot be reached, or would drop the calls, the user is told.
    void email_data()
    {
        QTest::addColumn<int>("kb");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<QString>("shown");
        const QString gsm = u"GSM 6.10 8.000 kHz, Mono"_s, pcm = u"PCM 8.000 kHz, 16 Bit, Mono"_s;
        const QByteArray ok = "", tb = "thunderbird.desktop";
        QTest::newRow("sent") << 0 << pcm << ok << tb << QString();
        QTest::newRow("gsm 1000") << 1000 << gsm << ok << tb << QString();
        QTest::newRow("gsm 1001") << 1001 << gsm << ok << tb << u"EMail exceeds 1Mb (Actual size: 0.98 Mb)\nEnsure the recipient can accept large emails.\n\nSend anyway?"_s;
        QTest::newRow("pcm 1024") << 1024 << pcm << ok << tb << QString();
        QTest::newRow("pcm 1025") << 1025 << pcm << ok << tb << u"EMail exceeds 1Mb (Actual size: 1.00 Mb) & contains PCM files\nYou may wish to use a zip program to compress the files before sending.\n\nSend anyway?"_s;
        QTest::newRow("mail program fails") << 0 << pcm << QByteArray("echo no method available >&2; exit 4") << tb
                                            << u"Error Sending Email - 4: no method available"_s;
        QTest::newRow("no xdg-email") << 0 << pcm << QByteArray() << tb
                                      << u"Error Starting Email Session - 2: No such file or directory (xdg-email, of the package xdg-utils)"_s;
        QTest::newRow("no attachments") << 0 << pcm << ok << QByteArray("firefox.desktop")
                                        << u"Your mail program (firefox.desktop) may not take attachments: the message would reach it without the calls.\nAttach them by hand from their folder.\n\nSend anyway?"_s;
    }
    void email()
    {
        QFETCH(int, kb);
        QFETCH(QString, format);
        QFETCH(QByteArray, tail);
        QFETCH(QByteArray, handler);
        QFETCH(QString, shown);
        WindowRig t;
        loadWithCalls(t);
        const QString ann = t.call(u"20240301-091500-ann-75.wav"_s), bob = t.call(u"20240301-101500-bob-5.wav"_s);
        QVERIFY(!kb || (TestFiles::write(ann, QByteArray(600 * 1024, 'a')) && TestFiles::write(bob, QByteArray((kb - 600) * 1024, 'b'))));
        t.player().formatDescription = format;
        MailTools tools(tail, handler);
        t.find<QTreeView>("lvwCalls")->selectAll();
        t.prompts.answerNext(Prompts::No);
        t.find<QAction>("mnuPopupEmailCall")->trigger();
        settle(t);
        const bool sent = shown.isEmpty() || shown.startsWith(u"Error Sending"_s);
        if (sent)
            QTRY_VERIFY(tools.args().size() > 1);
        QTRY_COMPARE(t.prompts.texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
        QList<QByteArray> args = tools.args();
        // The calls go as copies of the user's own, whole.
        for (qsizetype i = 6; i < args.size(); i += 2) {
            const QString copy = QString::fromUtf8(args[i]), call = i == 6 ? bob : ann;
            QVERIFY(copy != call && copy.endsWith(QFileInfo(call).fileName()) && TestFiles::read(copy) == TestFiles::read(call));
            args[i] = call.toUtf8();
        }
        QCOMPARE(args, sent ? (QList<QByteArray>{"--utf8", "--subject", "Voxmere Telephone Call Recording", "--body",
                                                  "Voxmere Telephone Call Recording\n\n20240301-101500-bob-5.wav\nNote: <no note>"
                                                  "\n\n20240301-091500-ann-75.wav\nNote: today's note",
                                                  "--attach", bob.toUtf8(), "--attach", ann.toUtf8(), ""})
                                               : QList<QByteArray>{"<missing>"});
    }

    // Calls and notes swapped for a link out of the folder or a FIFO after the listing:
    // mail and save read nothing through them, never wait, and say why.
    void hostileFilesAfterTheListing()
    {
        WindowRig t;
        loadWithCalls(t);
        QTemporaryDir outside;
        QVERIFY(TestFiles::write(outside.filePath(u"secret"_s), "secret"));
        const QString ann = t.call(u"20240301-091500-ann-75.wav"_s), bob = t.call(u"20240301-101500-bob-5.wav"_s);
        QVERIFY(QFile::remove(ann) && QFile::link(outside.filePath(u"secret"_s), ann));
        QVERIFY(QFile::remove(ann.chopped(4) + u".txt"_s) && QFile::link(outside.filePath(u"secret"_s), ann.chopped(4) + u".txt"_s));
        QVERIFY(QFile::remove(bob) && ::mkfifo(QFile::encodeName(bob).constData(), 0600) == 0);
        MailTools tools("", "thunderbird.desktop");
        t.find<QTreeView>("lvwCalls")->selectAll();
        t.find<QAction>("mnuPopupEmailCall")->trigger();
        settle(t);
        const QString notRegular = u"22: Invalid argument ("_s, link = u"40: Too many levels of symbolic links ("_s;
        QCOMPARE(t.prompts.texts(), (QStringList{u"Error Adding Attachment - "_s + notRegular + bob + u')',
                                                 u"Error Adding Attachment - "_s + link + ann + u')'}));
        QCOMPARE(tools.args(), QList<QByteArray>{"<missing>"});
        t.prompts.clear();
        t.prompts.answerNext(Prompts::No);
        QString offered;
        answerFolder(&offered, t.folder(u"target"_s));
        t.find<QToolButton>("cmdSave")->click();
        settle(t);
        QTRY_COMPARE(t.prompts.texts().size(), 3);
        QCOMPARE(t.prompts.texts().mid(1), (QStringList{u"Copy file failed: Error = 22: Invalid argument"_s,
                                                        u"Copy file failed: Error = 40: Too many levels of symbolic links"_s}));
        QCOMPARE(TestFiles::names(t.folder(u"target"_s)), QStringList());
    }

    // A bulk save replaces a file of the same name only with a whole copy; the folder
    // chosen is offered next, and after a cancel the home folder again.
    void bulkSave_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("room") << false;
        QTest::newRow("full disk") << true;
    }
    void bulkSave()
    {
        QFETCH(bool, full);
        WindowRig t;
        loadWithCalls(t);
        const QString ann = u"20240301-091500-ann-75.wav"_s, bob = u"20240301-101500-bob-5.wav"_s;
        const QString target = t.folder(u"target"_s);
        QVERIFY(TestFiles::write(target + u'/' + ann, "old"));
        t.find<QTreeView>("lvwCalls")->selectAll();
        QString offered;
        const QStringList choices[] = {{target}, {QString()}, {QString()}};
        const QString offers[] = {QDir::homePath(), target, QDir::homePath()};
        for (int i = 0; i < 3; ++i) {
            t.prompts.clear();
            t.prompts.answerNext(Prompts::No);
            answerFolder(&offered, choices[i].constFirst());
            {
                std::optional<FullDisk> disk;
                if (full)
                    disk.emplace();
                t.find<QToolButton>("cmdSave")->click();
                settle(t);
            }
            QCOMPARE(offered, offers[i]);
            const QString failed = u"Copy file failed: Error = "_s + FullDisk::errorText();
            QCOMPARE(t.prompts.texts(), (QStringList{u"Do you want to give your own name to each saved call?"_s}
                                         + (full && i == 0 ? QStringList{failed, failed} : QStringList())));
            QCOMPARE(TestFiles::names(target).filter(u"2024"_s), full || i > 0 ? QStringList{ann} : (QStringList{ann, bob}));
            QCOMPARE(TestFiles::read(target + u'/' + ann), full ? "old" : TestFiles::read(t.call(ann)));
            QFile::remove(target + u'/' + bob);
        }
    }

    // F1 opens the guide, whose every link leads to a page of it; the logo opens the web site.
    void helpAndLogo()
    {
        const QDir help(QStringLiteral(VOXMERE_SOURCE_DIR "/help"));
        const QRegularExpression link(u"(?:href|src)=\"([^\":#]+)"_s);
        for (const QString &page : help.entryList({u"*.html"_s}))
            for (const auto &m : link.globalMatch(QString::fromUtf8(TestFiles::read(help.filePath(page)))))
                QVERIFY2(QFileInfo::exists(help.filePath(m.captured(1))), qPrintable(page + u" -> "_s + m.captured(1)));
        WindowRig t;
        QVERIFY(t.load());
        t.key("F1");
        const auto *frmHelp = t.find<QTextBrowser>("frmHelp");
        QVERIFY(frmHelp->source().fileName() == u"index.html"_s && frmHelp->toPlainText().contains(u"Getting started"_s));

        QDesktopServices::setUrlHandler(u"https"_s, this, "openUrl");
        t.find<QToolButton>("picLogo")->click();
        DesktopShell::ShellOpen(QString());
        dlgAbout about;
        QTest::mouseClick(about.Label6, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(u"https"_s);
        const QUrl site(t.find<QToolButton>("picLogo")->toolTip());
        QCOMPARE(opened, (QList<QUrl>{site, site}));
    }

    // The options button: a running call is ended and kept, and the password comes first.
    void optionsButton()
    {
        WindowRig t;
        QVERIFY(t.load());
        t.app.settings.AddNote = false;
        t.app.settings.PW = OptionsPassword::Encipher(u"pw"_s);
        t.app.store.SaveStringSetting(u"PW"_s, t.app.settings.PW);
        t.key("F9");
        t.recorder().position = 42;
        t.prompts.answerNext(Prompts::Cancel);
        t.find<QToolButton>("cmdOptions")->click();
        QCOMPARE(t.prompts.texts(), QStringList{
            u"Entering options now will terminate the recording! The call so far is filed. Press OK to go to Options, Cancel to carry on recording"_s});
        QCOMPARE(t.text("StatusPanel1"), u"Recording - Manual Recording"_s);

        t.prompts.clear();
        bool optionsShown = false;
        onModal<dlgPW>([&](dlgPW *prompt) {
            QVERIFY(QFile::exists(t.tempFolder() + u"/20240301-091500-ann-42.wav"_s));
            prompt->txtPassword->setText(u"PW"_s);
            prompt->cmdOK->click();
            onModal<frmOptions>([&](frmOptions *options) {
                optionsShown = true;
                options->chkAutoRecord->click();
                options->cmdClose->click();
            });
            prompt->txtPassword->setText(u"pw"_s);
            prompt->cmdOK->click();
        });
        t.find<QToolButton>("cmdOptions")->click();
        QVERIFY(optionsShown);
        QCOMPARE(t.prompts.texts(), (QStringList{
            u"Entering options now will terminate the recording! The call so far is filed. Press OK to go to Options, Cancel to carry on recording"_s,
            u"Invalid Password, try again!"_s}));
        // Automatic from now on: the window shows it at once.
        QCOMPARE(t.text("StatusPanel1"), u"Ready - Automatic Recording"_s);
        QVERIFY(!enabled(t, "cmdRecord"));
        QCOMPARE(t.find("lvlInput")->accessibleDescription(), u"Calls start above -18 dB"_s);
        QVERIFY(!t.find<QLabel>("imgLED")->toolTip().contains(u"Recording"_s));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
