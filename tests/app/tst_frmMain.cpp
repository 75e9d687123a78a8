#include "callstore/CallListModel.h"
#include "callstore/ui/dlgEditNote.h"
#include "callstore/ui/dlgNewFolder.h"
#include "options/ui/dlgAbout.h"
#include "options/ui/dlgChangePW.h"
#include "options/ui/dlgPW.h"
#include "options/ui/frmOptions.h"
#include "recording/ui/dlgCalMsg.h"
#include "recording/ui/dlgCalibrate.h"
#include "recording/ui/frmAddNote.h"
#include "review/ui/dlgDatePicker.h"
#include "review/ui/dlgFindCall.h"
#include "callstore/FileJob.h"
#include "callstore/ui/JobProgress.h"
#include "controls/LevelBar.h"
#include "controls/LightButton.h"
#include "controls/OrvaneButton.h"
#include "controls/XPButton.h"
#include "desktop/DesktopShell.h"
#include "mover/FolderLock.h"
#include "mover/RecordingMover.h"
#include "base/ProgramFiles.h"
#include "base/Twips.h"
#include "Modal.h"
#include "options/OptionsPassword.h"
#include "review/clsSearch.h"
#include "review/ui/Playback.h"
#include "TestFiles.h"
#include "WindowRig.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QScreen>
#include <QAccessible>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>
#include <memory>

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

    // Waits for the window's file job (listing, Find, delete, save, mail) and the player's
    // look at the call it was asked to play to end.
    static void settle(const WindowRig &t)
    {
        QVERIFY(QTest::qWaitFor([&t] {
            const JobProgress *progress = t.find<JobProgress>("JobProgress");
            const Playback *playback = t.window->findChild<Playback *>();
            return (!progress->job() || progress->job()->isFinished()) && !(playback && playback->Looking());
        }, 20000));
        QCoreApplication::processEvents();
    }

    using Opener = std::function<std::unique_ptr<QWidget>(WindowRig &)>;
    // Each window of the program, made as the program makes it (the main window: none).
    static inline const QList<std::pair<const char *, Opener>> windows = {
        {"main window", nullptr},
        {"options", [](WindowRig &t) { return std::make_unique<frmOptions>(t.app, t.recorder()); }},
        {"find", [](WindowRig &t) { return std::make_unique<dlgFindCall>(t.app, [](const clsSearch &, auto) {}, t.find("lvwCalls")); }},
        {"edit note", [](WindowRig &) { return std::make_unique<dlgEditNote>(u"a note"_s); }},
        {"new folder", [](WindowRig &t) { return std::make_unique<dlgNewFolder>(t.prompts, t.calls.path()); }},
        {"about", [](WindowRig &t) { return std::make_unique<dlgAbout>(t.desktop); }},
        {"password", [](WindowRig &t) { return std::make_unique<dlgPW>(t.app); }},
        {"change password", [](WindowRig &t) { return std::make_unique<dlgChangePW>(t.app); }},
        {"date picker", [](WindowRig &) { return std::make_unique<dlgDatePicker>(QDate(2024, 3, 1)); }},
        {"calibration 1", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(1, t.prompts, t.window.get()); }},
        {"calibration 2", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(2, t.prompts, t.window.get()); }},
        {"calibration 3", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(3, t.prompts, t.window.get()); }},
        {"calibration 4", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(4, t.prompts, t.window.get()); }},
        {"calibration 5", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(5, t.prompts, t.window.get()); }},
        {"calibrate", [](WindowRig &t) { return std::make_unique<dlgCalibrate>(t.app, t.window.get()); }},
        {"note prompt", [](WindowRig &t) { return std::make_unique<frmAddNote>(*t.find<QTimer>("tmrAddNote"), t.window.get()); }},
    };

    // In German, the English texts the translation gives another text for (a %1: anything).
    QList<QRegularExpression> m_english;

    // Every text a window shows, as a screen reader reads it (mnemonics dropped), and its actions'.
    static QStringList shownTexts(QWidget *top)
    {
        QStringList texts;
        const std::function<void(QAccessibleInterface *)> read = [&](QAccessibleInterface *a) {
            if (a && !a->state().invisible) {
                for (const auto kind : {QAccessible::Name, QAccessible::Description, QAccessible::Help, QAccessible::Value})
                    texts << a->text(kind);
                for (int i = 0; i < a->childCount(); ++i)
                    read(a->child(i));
            }
        };
        read(QAccessible::queryAccessibleInterface(top));
        for (const QAction *a : top->findChildren<QAction *>())
            texts << a->text().remove(u'&') << a->toolTip();
        for (const QComboBox *c : top->findChildren<QComboBox *>())
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        return texts;
    }

private slots:
    void initTestCase()
    {
        if (QLocale().language() != QLocale::German)
            return;
        // Each window shown in English first: a text a table keeps must follow the translation.
        for (const auto &[name, open] : windows) {
            WindowRig t;
            loadWithCalls(t);
            if (open)
                open(t)->show();
        }
        InstallTranslations(*qApp);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s); // Qt's own
        QFile ts(QStringLiteral(VOXMERE_SOURCE_DIR "/translations/voxmere_de.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        const auto text = [&] { return xml.readElementText(QXmlStreamReader::IncludeChildElements); };
        for (QString source; !xml.atEnd();) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == "source"_L1)
                source = text().remove(u'&');
            else if (xml.name() == "translation"_L1 && !QStringList{QString(), source}.contains(QString(text()).remove(u'&')))
                m_english << QRegularExpression(QRegularExpression::anchoredPattern(
                    QRegularExpression::escape(source).replace(QRegularExpression(uR"(\\%[0-9n])"_s), u".*"_s)));
        }
        QVERIFY2(!xml.hasError() && m_english.size() > 100, qPrintable(xml.errorString()));
    }

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
        // Nor past the screen's edges (the test screen is smaller than the window's own size).
        const QSize room = QGuiApplication::screenAt(loaded)->availableGeometry().size();
        QVERIFY(t.window->width() <= room.width() && t.window->height() <= room.height());
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
        settle(t);
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
        QCOMPARE(TestFiles::read(t.tempFolder() + u"/20240301-091500-ann-81.txt"_s), QByteArray("Supplier rang back"));
        QCOMPARE(t.moverLaunches, 2); // the note is the mover's to file too

        // The second by the transport buttons' underlined letters, reached with Alt.
        t.app.settings.AddNote = false;
        t.clock.advance(300);
        t.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        for (const Qt::Key key : {Qt::Key_R, Qt::Key_T}) {
            QTest::keyClick(t.window.get(), key, Qt::AltModifier);
            QCoreApplication::sendPostedEvents();
        }
        QTRY_COMPARE(t.find<QLabel>("imgLED")->toolTip(), u"Ready"_s);
        auto *list = t.find<QTreeView>("lvwCalls")->model();
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->index(0, CallListModel::CallTime).data().toString(), u"09:20:00"_s);
        QCOMPARE(list->index(1, CallListModel::Note).data().toString(), u"Supplier rang back"_s);
        QVERIFY(t.prompts.shown().isEmpty());
    }

    // Every control a user can reach in each window has a name and a role for a screen
    // reader, Tab reaches each of them once a round, every slider takes the keyboard and
    // no button is squeezed. Run in German too (tst_German): no English text shows.
    void everyWindow_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < windows.size(); ++i)
            QTest::newRow(windows[i].first) << i;
    }
    void everyWindow()
    {
        QFETCH(int, index);
        WindowRig t;
        loadWithCalls(t);
        std::unique_ptr<QWidget> owned = index ? windows[index].second(t) : nullptr;
        QWidget *top = index ? owned.get() : t.window.get();
        top->show();
        QApplication::setActiveWindow(top);
        QVERIFY(QTest::qWaitForWindowActive(top));
        const auto name = [](const QWidget *w) {
            return w ? w->objectName() + u'(' + QString::fromLatin1(w->metaObject()->className()) + u')' : u"nothing"_s;
        };
        // Of a group of exclusive buttons Tab reaches one, the arrow keys the others.
        const auto groupOf = [](QWidget *w) -> QObject * {
            const auto *b = qobject_cast<QAbstractButton *>(w);
            if (b && b->group() && b->group()->exclusive())
                return b->group();
            return b && b->autoExclusive() ? b->parent() : w;
        };
        QStringList faults;
        QSet<QObject *> reachable;
        QWidget *first = nullptr;
        for (QWidget *w : top->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(top) || w->focusPolicy() == Qt::NoFocus || w->focusProxy() || w->window() != top)
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->role() == QAccessible::NoRole || a->role() == QAccessible::Client
                || a->text(QAccessible::Name).trimmed().isEmpty())
                faults << name(w) + u" has no name or role"_s;
            if (a && a->role() == QAccessible::Slider && !(w->focusPolicy() & Qt::TabFocus))
                faults << name(w) + u" takes no Tab"_s;
            if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                reachable << groupOf(w);
                first = first ? first : w;
            }
        }
        QVERIFY(first);
        first->setFocus(Qt::TabFocusReason);
        QObject *start = groupOf(QApplication::focusWidget()); // a group's checked button, maybe
        QStringList order;
        QSet<QObject *> reached;
        do {
            QWidget *at = QApplication::focusWidget();
            if (reached.contains(groupOf(at)) || order.size() > 200) {
                faults << u"Tab went "_s + order.join(u" > "_s) + u" > "_s + name(at);
                break;
            }
            reached << groupOf(at);
            order << name(at);
            QTest::keyClick(at ? at : top, Qt::Key_Tab);
        } while (groupOf(QApplication::focusWidget()) != start);
        for (QObject *o : reachable)
            if (!reached.contains(o))
                faults << (o->isWidgetType() ? name(static_cast<QWidget *>(o)) : u"a group of buttons"_s) + u" is out of the Tab order"_s;
        for (const LightButton *b : top->findChildren<LightButton *>())
            if (!b->isVisible() || b->width() < b->sizeHint().width())
                faults << name(b) + u" is squeezed"_s;
        if (!m_english.isEmpty()) {
            for (const QString &text : shownTexts(top))
                if (std::ranges::any_of(m_english, [&](const auto &english) { return english.match(text).hasMatch(); }))
                    faults << u"still English: "_s + text;
            // The list's dates in the German order, the month a number.
            if (const QString date = t.find<QTreeView>("lvwCalls")->model()->index(0, CallListModel::CallDate).data().toString(); date != u"01.03.2024"_s)
                faults << u"the list writes "_s + date;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u", "_s)));
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
        settle(t);
        QVERIFY(t.player().log.contains(u"Open "_s + newest));

        // A note alone, its call filed before the share went: told, and the mover started again.
        QVERIFY(QFile::remove(newest) && QFile::remove(temp + u"20240301-081500-ann-7.wav"_s));
        QVERIFY(TestFiles::write(newest.chopped(4) + u".txt"_s, "a note"));
        t.clock.advance(60);
        t.fire("tmrWaitingCalls");
        QCOMPARE(panel->text(), u"1 note waiting to be filed: the calls folder /x cannot be reached"_s);
        QCOMPARE(t.moverLaunches, 3);
        QVERIFY(QFile::remove(newest.chopped(4) + u".txt"_s));
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

    // The speed and the two options beside the playback buttons go to the player at once
    // and stay in the user's settings; [ and ] step the speed within its five.
    void playOptions()
    {
        WindowRig t;
        t.app.store.SaveUserValue(u"Player"_s, u"PlaySpeed"_s, u"75"_s);
        t.app.store.SaveUserValue(u"Player"_s, u"LevelCalls"_s, u"1"_s);
        loadWithCalls(t);
        auto *speed = t.find<QComboBox>("cboPlaySpeed");
        QCOMPARE(speed->currentText(), u"0.75x"_s);
        QCOMPARE(t.player().log.filter(u"PlayOptions"_s).value(0), u"PlayOptions=0.75,0,1"_s);
        t.key("Slower"); // the slowest already
        QCOMPARE(speed->currentText(), u"0.75x"_s);
        for (int i = 0; i < 6; ++i)
            t.key("Faster");
        QCOMPARE(speed->currentText(), u"2x"_s);
        t.key("Slower");
        t.find<QCheckBox>("chkSkipSilence")->click();
        t.find<QCheckBox>("chkLevelCalls")->click();
        QCOMPARE(t.player().log.filter(u"PlayOptions"_s).last(), u"PlayOptions=1.5,1,0"_s);
        QCOMPARE(t.app.store.ReadUserValue(u"Player"_s, u"PlaySpeed"_s), u"150"_s);
        QCOMPARE(t.app.store.ReadUserValue(u"Player"_s, u"SkipSilence"_s), u"1"_s);
        QCOMPARE(t.app.store.ReadUserValue(u"Player"_s, u"LevelCalls"_s), u"0"_s);
    }

    // Another PC deletes the call this one plays: within a few seconds its row goes, the
    // player lets it go and the user is told, once.
    void playedCallDeletedElsewhere()
    {
        WindowRig t;
        loadWithCalls(t);
        t.player().length = 5.0;
        t.player().sampleCount = 5 * 8000;
        t.find<QAction>("mnuPopupPlayCall")->trigger();
        settle(t);
        QVERIFY(t.player().log.contains(u"Open "_s + t.call(u"20240301-101500-bob-5.wav"_s)));
        t.prompts.clear();
        QVERIFY(QFile::remove(t.call(u"20240301-101500-bob-5.wav"_s)));
        QTRY_COMPARE_WITH_TIMEOUT(rows(t), 1, 5000);
        QCOMPARE(t.prompts.texts(), QStringList{u"The call being played was deleted on another PC; playback has stopped."_s});
        QVERIFY(t.player().log.contains(u"Close"_s));
        QVERIFY(enabled(t, "cmdRecord"));
    }

    // A call opened from the list's pop-up: the player's buttons reach it, record waits,
    // and the end of play resumes detection only in automatic mode.
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
        settle(t);
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
        settle(t);
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
        QTest::addColumn<QString>("mailer");
        QTest::addColumn<QString>("fails"); // how the mail program fails, as the desktop tells it
        QTest::addColumn<QString>("shown");
        const QString gsm = u"GSM 6.10 8.000 kHz, Mono"_s, pcm = u"PCM 8.000 kHz, 16 Bit, Mono"_s, tb = u"thunderbird.desktop"_s;
        QTest::newRow("sent") << 0 << pcm << tb << QString() << QString();
        QTest::newRow("gsm 1000") << 1000 << gsm << tb << QString() << QString();
        QTest::newRow("gsm 1001") << 1001 << gsm << tb << QString() << u"EMail exceeds 1Mb (Actual size: 0.98 Mb)\nEnsure the recipient can accept large emails.\n\nSend anyway?"_s;
        QTest::newRow("pcm 1024") << 1024 << pcm << tb << QString() << QString();
        QTest::newRow("pcm 1025") << 1025 << pcm << tb << QString() << u"EMail exceeds 1Mb (Actual size: 1.00 Mb) & contains PCM files\nYou may wish to use a zip program to compress the files before sending.\n\nSend anyway?"_s;
        QTest::newRow("mail program fails") << 0 << pcm << tb << u"sent:4: no method available"_s << u"Error Sending Email - 4: no method available"_s;
        QTest::newRow("mail program missing") << 0 << pcm << tb << u"2: No such file or directory"_s << u"Error Starting Email Session - 2: No such file or directory"_s;
        QTest::newRow("no attachments") << 0 << pcm << u"firefox.desktop"_s << QString()
                                        << u"Your mail program (firefox.desktop) may not take attachments: the message would reach it without the calls.\nAttach them by hand from their folder.\n\nSend anyway?"_s;
    }
    void email()
    {
        QFETCH(int, kb);
        QFETCH(QString, format);
        QFETCH(QString, mailer);
        QFETCH(QString, fails);
        QFETCH(QString, shown);
        WindowRig t;
        loadWithCalls(t);
        const QString ann = t.call(u"20240301-091500-ann-75.wav"_s), bob = t.call(u"20240301-101500-bob-5.wav"_s);
        QVERIFY(!kb || (TestFiles::write(ann, QByteArray(600 * 1024, 'a')) && TestFiles::write(bob, QByteArray((kb - 600) * 1024, 'b'))));
        t.player().formatDescription = format;
        t.desktop.mailer = mailer;
        if (!fails.isEmpty())
            t.desktop.mailFails = {fails.startsWith(u"sent:"_s), fails.startsWith(u"sent:"_s) ? fails.mid(5) : fails};
        t.find<QTreeView>("lvwCalls")->selectAll();
        t.prompts.answerNext(Prompts::No);
        t.find<QAction>("mnuPopupEmailCall")->trigger();
        settle(t);
        QCOMPARE(t.prompts.texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
        QCOMPARE(t.desktop.composed.size(), shown.isEmpty() || !fails.isEmpty() ? 1 : 0);
        if (t.desktop.composed.isEmpty())
            return;
        const Desktop::Mail &mail = t.desktop.composed[0];
        QCOMPARE(mail.subject, u"Voxmere Telephone Call Recording"_s);
        QCOMPARE(mail.body, u"Voxmere Telephone Call Recording\n\n20240301-101500-bob-5.wav\nNote: <no note>"
                            "\n\n20240301-091500-ann-75.wav\nNote: today's note"_s);
        // The calls go as copies of the user's own, whole.
        QCOMPARE(mail.attachments.size(), 2);
        for (qsizetype i = 0; i < 2; ++i) {
            const QString copy = mail.attachments[i], call = i == 0 ? bob : ann;
            QVERIFY(copy != call && copy.endsWith(QFileInfo(call).fileName()) && TestFiles::read(copy) == TestFiles::read(call));
        }
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
        t.find<QTreeView>("lvwCalls")->selectAll();
        t.find<QAction>("mnuPopupEmailCall")->trigger();
        settle(t);
        const QString notRegular = u"22: Invalid argument ("_s, link = u"40: Too many levels of symbolic links ("_s;
        QCOMPARE(t.prompts.texts(), (QStringList{u"Error Adding Attachment - "_s + notRegular + bob + u')',
                                                 u"Error Adding Attachment - "_s + link + ann + u')'}));
        QVERIFY(t.desktop.composed.isEmpty());
        t.prompts.clear();
        t.prompts.answerNext(Prompts::No);
        t.desktop.folders = {QUrl::fromLocalFile(t.folder(u"target"_s))};
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
        t.desktop.folders = {QUrl::fromLocalFile(target)}; // then cancelled twice
        const QString offers[] = {QDir::homePath() + u'/', target + u'/', QDir::homePath() + u'/'};
        for (int i = 0; i < 3; ++i) {
            t.prompts.clear();
            t.prompts.answerNext(Prompts::No);
            {
                std::optional<FullDisk> disk;
                if (full)
                    disk.emplace();
                t.find<QToolButton>("cmdSave")->click();
                settle(t);
            }
            QCOMPARE(t.desktop.offered.value(i), offers[i]);
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

        t.find<QToolButton>("picLogo")->click();
        dlgAbout about(t.desktop);
        QTest::mouseClick(about.Label6, Qt::LeftButton);
        const QString site = t.find<QToolButton>("picLogo")->toolTip();
        QCOMPARE(t.desktop.opened, (QStringList{site, site}));
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
