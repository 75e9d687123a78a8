#include "FakeRecorder.h"
#include "ReviewFixture.h"
#include "base/Twips.h"
#include "app/frmMain.h"
#include "callstore/ui/CallList.h"
#include "callstore/CallListModel.h"
#include "callstore/ui/FolderBrowser.h"
#include "review/ui/CallReview.h"
#include "review/ui/dlgFindCall.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The main window loaded over a calls folder with today's (1 March 2024) and older calls.
struct WindowFixture
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    FixedClock clock;
    FixedUserName user;
    AppContext app{Services{prompts, clock, user, [] { return std::unique_ptr<RecorderComponent>(new FakeRecorder); }}};
    QTemporaryDir calls;
    std::unique_ptr<frmMain> window;

    // viewed: the folder last viewed, relative to the calls folder.
    explicit WindowFixture(const QString &viewed = QString())
    {
        app.registry.CreateKey(app.UserKey);
        app.registry.CreateKey(app.MachineKey);
        app.store.SaveStringSetting(u"CallPath"_s, calls.path() + u'/');
        app.store.SaveStringSetting(u"SearchPath"_s, calls.path() + viewed);
        ReviewFixture::addCall(calls.path(), u"20240301-091500-ann-75.wav"_s, QByteArray("today's note"));
        ReviewFixture::addCall(calls.path(), u"20240301-101500-bob-5.wav"_s);
        ReviewFixture::addCall(calls.path(), u"20240229-101500-bob-5.wav"_s);
        QDir().mkpath(calls.path() + u"/empty"_s);
        window = std::make_unique<frmMain>(app);
        if (!window->Form_Load())
            qFatal("load failed");
        window->show();
    }
    CallList &list() { return window->review->list(); }
};

class tst_frmMainReview : public QObject
{
    Q_OBJECT

private slots:
    void loadListsTodaysCallsOfTheViewedFolder();
    void viewedFolderGoneSinceTheLastRun();
    void findButtonOpensTheDialogOnTheBrowsersFolder();
    void showAllAndDeletingTheViewedFolder();
    void popupEmailAndSaveAreTheButtons();
    void closingKeepsColumnWidthsAndUnloadsTheDialog();
};

void tst_frmMainReview::loadListsTodaysCallsOfTheViewedFolder()
{
    WindowFixture f;
    QVERIFY2(f.prompts.shown().isEmpty(), qPrintable(f.prompts.texts().join(u'|')));
    QCOMPARE(f.window->review->folders().Path(), f.calls.path());
    QCOMPARE(f.window->StatusPanel[2]->text(), u"2 call/s"_s);
    QCOMPARE(f.window->txtNote->toPlainText(), u"(No Note)"_s); // the newest first
    QVERIFY(f.window->HasCalls());
    QCOMPARE(f.window->GetCallUser(2), u"ann"_s);
    QCOMPARE(f.window->GetCallLocation(2), f.calls.path() + u"/20240301-091500-ann-75.wav"_s);
    QCOMPARE(f.window->GetCallByKey(u"#2#"_s)->CallNote(), u"today's note"_s);
    QVERIFY(f.window->drvList->count() > 0);
}

// The folder viewed last time was removed: the nearest folder above it is listed.
void tst_frmMainReview::viewedFolderGoneSinceTheLastRun()
{
    WindowFixture f(u"/old/2023"_s);
    QVERIFY2(f.prompts.shown().isEmpty(), qPrintable(f.prompts.texts().join(u'|')));
    QCOMPARE(f.window->review->folders().Path(), f.calls.path());
    QCOMPARE(f.list().HasCalls(), true);
}

void tst_frmMainReview::findButtonOpensTheDialogOnTheBrowsersFolder()
{
    WindowFixture f;
    const QString empty = f.calls.path() + u"/empty"_s;
    f.window->review->folders().SetDirPath(empty);
    f.window->cmdFind->click();
    dlgFindCall *dialog = f.window->review->findDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->txtSearchPath->text(), empty + u'/');
    QCOMPARE(f.app.settings.SearchPath, empty + u'/');
    QCOMPARE(f.app.store.GetStringSetting(u"SearchPath"_s, QString()), empty + u'/');
    // The same dialog again, not a second one.
    f.window->cmdFind->click();
    QCOMPARE(f.window->review->findDialog(), dialog);
}

void tst_frmMainReview::showAllAndDeletingTheViewedFolder()
{
    WindowFixture f;
    f.window->review->folders().mnuFolderShowAll->trigger();
    QCOMPARE(f.window->StatusPanel[2]->text(), u"3 call/s"_s);
    // Choosing a folder leaves the list; deleting it (the viewed folder) empties it.
    auto *model = static_cast<QFileSystemModel *>(f.window->dirList->model());
    f.window->review->folders().dirList_Click(model->index(f.calls.path() + u"/empty"_s));
    QCOMPARE(f.list().model().rowCount(), 3);
    f.window->btnDelFolder->click();
    QCOMPARE(f.list().model().rowCount(), 0);
    QCOMPARE(f.window->txtNote->toPlainText(), QString());
    QCOMPARE(f.app.settings.SearchPath, f.calls.path());
    QVERIFY(f.prompts.shown().isEmpty());
}

void tst_frmMainReview::popupEmailAndSaveAreTheButtons()
{
    WindowFixture f;
    QSignalSpy email(f.window->cmdEmail, &QToolButton::clicked);
    QSignalSpy save(f.window->cmdSave, &QToolButton::clicked);
    f.list().mnuPopupEmailCall->trigger();
    f.list().mnuPopupSaveCall->trigger();
    QCOMPARE(email.size(), 1);
    QCOMPARE(save.size(), 1);
}

void tst_frmMainReview::closingKeepsColumnWidthsAndUnloadsTheDialog()
{
    WindowFixture f;
    f.window->cmdFind->click();
    QPointer<dlgFindCall> dialog = f.window->review->findDialog();
    f.window->lvwCalls->header()->resizeSection(CallListModel::User, 150);
    f.window->close();
    QVERIFY(!dialog || !dialog->isVisible());
    QCOMPARE(f.app.store.GetLongSetting(u"GRD_USER"_s, 0), Twips::fromPixels(150, f.window->lvwCalls->logicalDpiX()));
}

QTEST_MAIN(tst_frmMainReview)
#include "tst_frmMainReview.moc"
