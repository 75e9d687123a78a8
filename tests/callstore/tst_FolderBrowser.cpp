#include "ReviewFixture.h"
#include "callstore/ui/FolderBrowser.h"
#include "callstore/ui/dlgNewFolder.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStorageInfo>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The browser on a window of its own.
struct BrowserFixture : ReviewFixture
{
    QWidget window;
    QComboBox *drvList = new QComboBox(&window);
    QTreeView *dirList = new QTreeView(&window);
    QToolButton *btnHome = new QToolButton(&window);
    QToolButton *cmdNewFolder = new QToolButton(&window);
    QToolButton *btnDelFolder = new QToolButton(&window);
    FolderBrowser browser{app, drvList, dirList, btnHome, cmdNewFolder, btnDelFolder};

    BrowserFixture()
    {
        auto *layout = new QHBoxLayout(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{drvList, dirList, btnHome, cmdNewFolder, btnDelFolder})
            layout->addWidget(w);
        window.resize(600, 400);
        window.show();
        browser.FillDrives(folder());
    }
};

class tst_FolderBrowser : public QObject
{
    Q_OBJECT

private slots:
    void newFolderRefusals_data();
    void newFolderRefusals();
    void newFolderCreatedOrExisting();
    void newFolderRefusedByTheSystem();
    void deleteFolder_data();
    void deleteFolder();
    void deletingTheViewedFolder();
    void makeDefaultFolder_data();
    void makeDefaultFolder();
    void clickingAFolderOnlyChangesTheViewedFolder();
    void rightClickOpensTheMenuOnThatFolder();
    void homeButton();
    void missingHomeFolder();
    void driveList();
};

void tst_FolderBrowser::newFolderRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("bar") << u"a|b"_s;
    QTest::newRow("colon") << u"x:y"_s;
    QTest::newRow("double quote") << u"say \"hi\""_s;
    QTest::newRow("slash") << u"a/b"_s;
    QTest::newRow("backslash") << u"a\\b"_s;
    QTest::newRow("star") << u"*"_s;
}

void tst_FolderBrowser::newFolderRefusals()
{
    QFETCH(QString, name);
    ReviewFixture f;
    dlgNewFolder dialog(f.prompts, f.folder());
    dialog.show();
    dialog.txtFolder->setText(name);
    dialog.btnOK->click();
    QVERIFY(!dialog.Created);
    QVERIFY(dialog.isVisible());
    QCOMPARE(QDir(f.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(f.prompts.shown().size(), 1);
    const auto &box = f.prompts.shown().first();
    const QStringList lines = box.text.split(u"\r\n"_s);
    QCOMPARE(lines.first(), u"A folder cannot contain any of the following characters:"_s);
    QCOMPARE(lines.last(), QString(23, u' ') + u"\\ / : * ? \" < > |"_s);
    QCOMPARE(lines.last().size(), 40);
    QCOMPARE(box.icon, Prompts::Critical);
    QCOMPARE(box.caption, u"New Folder"_s);
}

void tst_FolderBrowser::newFolderCreatedOrExisting()
{
    ReviewFixture f;
    dlgNewFolder dialog(f.prompts, f.folder());
    QCOMPARE(dialog.txtFolder->selectedText(), u"NewFolder"_s);
    dialog.show();
    dialog.btnOK->click();
    QVERIFY(dialog.Created);
    QVERIFY(QFileInfo(f.folder() + u"/NewFolder"_s).isDir());
    QVERIFY(f.prompts.shown().isEmpty());

    dlgNewFolder again(f.prompts, f.folder());
    again.show();
    again.btnOK->click();
    QVERIFY(!again.Created);
    QVERIFY(again.isVisible());
    QCOMPARE(f.prompts.texts(), QStringList{u"Folder already exists!"_s});
    QCOMPARE(f.prompts.shown().first().icon, Prompts::Exclamation);
}

void tst_FolderBrowser::newFolderRefusedByTheSystem()
{
    ReviewFixture f;
    const QString parent = f.folder(u"locked"_s);
    QFile::setPermissions(f.folder(), QFile::Permissions(0x7755));
    QFile::setPermissions(parent, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::ExeOther);
    AsUnprivilegedUser nobody;
    dlgNewFolder dialog(f.prompts, parent);
    dialog.show();
    dialog.btnOK->click();
    QVERIFY(!dialog.Created);
    QVERIFY(dialog.isVisible());
    QCOMPARE(f.prompts.texts(), QStringList{u"Error occurred: 75, Permission denied, dlgNewFolder:btnOK_Click"_s});
}

void tst_FolderBrowser::deleteFolder_data()
{
    QTest::addColumn<QStringList>("folders");  // below the folder to delete
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("empty") << QStringList() << QStringList() << true;
    QTest::newRow("empty subfolders only") << QStringList{u"a"_s, u"b/c"_s} << QStringList() << true;
    QTest::newRow("a call in the folder") << QStringList() << QStringList{u"20050612-100000-ann-5.wav"_s} << false;
    QTest::newRow("a call in a direct subfolder") << QStringList{u"a"_s} << QStringList{u"a/x.wav"_s} << false;
    QTest::newRow("a call further down") << QStringList{u"a/b/c"_s} << QStringList{u"a/b/c/x.wav"_s} << false;
    QTest::newRow("a hidden file further down") << QStringList{u"a/b"_s} << QStringList{u"a/b/.x"_s} << false;
}

void tst_FolderBrowser::deleteFolder()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(bool, deleted);
    BrowserFixture f;
    const QString doomed = f.folder(u"doomed"_s);
    for (const QString &sub : folders)
        QDir().mkpath(doomed + u'/' + sub);
    for (const QString &file : files)
        ReviewFixture::addCall(doomed, file);
    f.browser.SetDirPath(doomed);
    f.btnDelFolder->click();
    QCOMPARE(!QFileInfo::exists(doomed), deleted);
    if (deleted) {
        QVERIFY(f.prompts.shown().isEmpty());
        QCOMPARE(f.browser.Path(), f.folder());
        QCOMPARE(f.app.settings.SearchPath, f.folder());
    } else {
        QCOMPARE(f.prompts.texts(),
                 QStringList{u"Folder or subfolder not empty - for safety please delete all calls in folder first"_s});
        QCOMPARE(f.browser.Path(), doomed);
        for (const QString &file : files)
            QVERIFY(QFileInfo::exists(doomed + u'/' + file));
    }
}

void tst_FolderBrowser::deletingTheViewedFolder()
{
    BrowserFixture f;
    const QString viewed = f.folder(u"a/viewed"_s);
    QDir().mkpath(viewed + u"/readonly/inner"_s);
    QFile::setPermissions(viewed + u"/readonly"_s, QFile::ReadOwner | QFile::ExeOwner);
    f.app.settings.SearchPath = viewed + u'/';
    QSignalSpy cleared(&f.browser, &FolderBrowser::viewedFolderDeleted);
    f.browser.SetDirPath(viewed);
    f.browser.mnuFolderDelete->trigger();
    QVERIFY(!QFileInfo::exists(viewed));
    QCOMPARE(cleared.size(), 1);
    QCOMPARE(f.browser.Path(), f.folder(u"a"_s));
    QCOMPARE(f.app.settings.SearchPath, f.folder(u"a"_s));

    // Another folder's deletion leaves the list alone.
    f.browser.SetDirPath(f.folder(u"b"_s));
    f.browser.DeleteFolder();
    QCOMPARE(cleared.size(), 1);
}

void tst_FolderBrowser::makeDefaultFolder_data()
{
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<bool>("made");
    QTest::newRow("OK") << Prompts::Ok << true;
    QTest::newRow("Cancel") << Prompts::Cancel << false;
}

void tst_FolderBrowser::makeDefaultFolder()
{
    QFETCH(Prompts::Answer, answer);
    QFETCH(bool, made);
    BrowserFixture f;
    const QString sales = f.folder(u"Calls/Sales"_s);
    const QString before = f.app.settings.CallPath;
    f.browser.SetDirPath(sales);
    f.prompts.answerNext(answer);
    f.browser.mnuFolderDefault->trigger();
    const auto &box = f.prompts.shown().first();
    QCOMPARE(box.text, u"Make "_s + sales + u" your recorded calls folder?"_s);
    QCOMPARE(box.caption, u"Set Default"_s);
    QCOMPARE(box.icon, Prompts::Question);
    QCOMPARE(box.buttons, Prompts::OkCancel);
    QCOMPARE(f.app.settings.CallPath, made ? sales : before);
    QCOMPARE(f.app.store.GetStringSetting(u"CallPath"_s, u"none"_s), made ? sales : u"none"_s);
}

void tst_FolderBrowser::clickingAFolderOnlyChangesTheViewedFolder()
{
    BrowserFixture f;
    const QString sub = f.folder(u"sub"_s);
    f.browser.SetDirPath(f.folder());
    QSignalSpy listings(&f.browser, &FolderBrowser::showAllCallsRequested);
    auto *model = static_cast<QFileSystemModel *>(f.dirList->model());
    f.browser.dirList_Click(model->index(sub));
    QCOMPARE(f.browser.Path(), sub);
    QCOMPARE(f.app.settings.SearchPath, sub);
    QCOMPARE(listings.size(), 0);
    f.browser.mnuFolderShowAll->trigger();
    QCOMPARE(listings.size(), 1);
}

void tst_FolderBrowser::rightClickOpensTheMenuOnThatFolder()
{
    BrowserFixture f;
    const QString sub = f.folder(u"sub"_s);
    f.browser.SetDirPath(f.folder());
    auto *model = static_cast<QFileSystemModel *>(f.dirList->model());
    QTRY_VERIFY(model->index(sub).isValid() && f.dirList->visualRect(model->index(sub)).isValid());
    QTest::mouseClick(f.dirList->viewport(), Qt::RightButton, {}, f.dirList->visualRect(model->index(sub)).center());
    QVERIFY(f.browser.mnuFolder->isVisible());
    QCOMPARE(f.browser.Path(), sub);
    f.browser.mnuFolder->hide();
}

void tst_FolderBrowser::homeButton()
{
    BrowserFixture f;
    f.app.settings.CallPath = f.folder(u"home"_s) + u'/';
    f.browser.SetDirPath(f.folder());
    f.btnHome->click();
    QCOMPARE(f.browser.Path(), f.folder(u"home"_s));
    QCOMPARE(f.app.settings.SearchPath, f.folder(u"home"_s));
    QCOMPARE(f.app.store.GetStringSetting(u"SearchPath"_s, QString()), f.folder(u"home"_s));
}

void tst_FolderBrowser::missingHomeFolder()
{
    BrowserFixture f;
    f.app.settings.CallPath = f.folder() + u"/gone/"_s;
    f.browser.SetDirPath(f.folder());
    // The message depends on whether the program's own calls folder is there.
    const QString own = ProgramSettings::DefaultCallPath();
    const bool ownThere = QFileInfo(own).isDir();
    f.btnHome->click();
    QCOMPARE(f.prompts.texts(), QStringList{ownThere ? u"Default folder has been deleted!"_s
                                                     : u"Unable to set default folder!"_s});
    QCOMPARE(f.browser.Path(), f.folder());
    QCOMPARE(f.app.store.GetStringSetting(u"SearchPath"_s, u"unset"_s), u"unset"_s);
}

void tst_FolderBrowser::driveList()
{
    BrowserFixture f;
    const QString root = QStorageInfo(f.folder()).rootPath();
    QCOMPARE(f.drvList->currentData().toString(), root);
    f.browser.SetDirPath(f.folder());
    f.drvList->addItem(u"/no/such/volume"_s, u"/no/such/volume"_s);
    f.browser.drvList_Change(f.drvList->count() - 1);
    QCOMPARE(f.prompts.texts(), QStringList{u"Device Unavailable"_s});
    QCOMPARE(f.prompts.shown().first().icon, Prompts::Information);
    QCOMPARE(f.drvList->currentData().toString(), root);
    QCOMPARE(f.browser.Path(), f.folder());
    f.browser.drvList_Change(f.drvList->findData(root));
    QCOMPARE(f.browser.Path(), root);
}

QTEST_MAIN(tst_FolderBrowser)
#include "tst_FolderBrowser.moc"
