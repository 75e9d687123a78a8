#include "callstore/ui/FolderBrowser.h"
#include "callstore/ui/dlgNewFolder.h"
#include "controls/OrvaneButton.h"
#include "ContextRig.h"
#include "Modal.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The browser on a window of its own.
struct BrowserFixture : ContextRig
{
    QWidget window;
    QComboBox *drvList = new QComboBox(&window);
    QTreeView *dirList = new QTreeView(&window);
    OrvaneButton *btnHome = new OrvaneButton(&window);
    OrvaneButton *cmdNewFolder = new OrvaneButton(&window);
    OrvaneButton *btnDelFolder = new OrvaneButton(&window);
    FolderBrowser browser{app, drvList, dirList, btnHome, cmdNewFolder, btnDelFolder};

    BrowserFixture()
    {
        dirList->setGeometry(0, 40, 400, 300); // clear of the other controls
        window.resize(600, 400);
        window.show();
        browser.FillDrives(folder());
    }
};

class tst_FolderBrowser : public QObject
{
    Q_OBJECT

private slots:
    // The drive list offers where the calls are, the home folder and the volumes; the tree
    // starts at the one that holds the folder, so the calls folder shows its own folders.
    void treeStartsWhereTheCallsAre()
    {
        BrowserFixture f;
        QCOMPARE(f.drvList->itemText(0), u"Calls"_s);
        QCOMPARE(f.drvList->itemText(1), u"Home"_s);
        const QString deep = f.folder(u"sales"_s) + u"/2024"_s;
        QVERIFY(QDir().mkpath(deep));
        f.browser.SetDirPath(deep);
        const auto *model = static_cast<QFileSystemModel *>(f.dirList->model());
        QCOMPARE(f.drvList->currentIndex(), 0);
        QCOMPARE(model->filePath(f.dirList->rootIndex()), QDir::cleanPath(f.app.settings.CallPath));
        f.browser.SetDirPath(u"/"_s);
        QCOMPARE(f.drvList->currentText(), u"/"_s);
    }

    // Only an empty tree goes; deleting the viewed folder clears the list and the browser goes up.
    void deleteFolder_data()
    {
        QTest::addColumn<QStringList>("folders"); // below the folder to delete
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("viewed"); // the list shows it
        QTest::newRow("empty") << QStringList() << QStringList() << false;
        QTest::newRow("empty subfolders only") << QStringList{u"a"_s, u"b/c"_s} << QStringList() << false;
        QTest::newRow("viewed, a read-only subfolder") << QStringList{u"ro"_s, u"ro/inner"_s} << QStringList() << true;
        QTest::newRow("a call in the folder") << QStringList() << QStringList{u"20050612-100000-ann-5.wav"_s} << false;
        QTest::newRow("a call in a direct subfolder") << QStringList{u"a"_s} << QStringList{u"a/x.wav"_s} << false;
        QTest::newRow("viewed, a call further down") << QStringList{u"a/b/c"_s} << QStringList{u"a/b/c/x.wav"_s} << true;
        QTest::newRow("a hidden file further down") << QStringList{u"a/b"_s} << QStringList{u"a/b/.x"_s} << false;
    }
    void deleteFolder()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(bool, viewed);
        BrowserFixture f;
        const QString doomed = f.folder(u"doomed"_s);
        for (const QString &sub : folders)
            QDir().mkpath(doomed + u'/' + sub);
        for (const QString &file : files)
            ContextRig::addCall(doomed, file);
        if (folders.contains(u"ro"_s))
            QFile::setPermissions(doomed + u"/ro"_s, QFile::ReadOwner | QFile::ExeOwner);
        if (viewed)
            f.app.settings.SearchPath = doomed + u'/';
        QSignalSpy cleared(&f.browser, &FolderBrowser::viewedFolderDeleted);
        f.browser.SetDirPath(doomed);
        f.btnDelFolder->click();
        const bool deleted = files.isEmpty();
        QCOMPARE(!QFileInfo::exists(doomed), deleted);
        QCOMPARE(cleared.size(), int(viewed && deleted));
        QCOMPARE(f.browser.Path(), deleted ? f.folder() : doomed);
        if (deleted)
            QCOMPARE(f.app.settings.SearchPath, f.folder());
        QCOMPARE(f.prompts.texts().join(u'|'),
                 deleted ? QString() : u"Folder or subfolder not empty - for safety please delete all calls in folder first"_s);
        for (const QString &file : files)
            QVERIFY(QFileInfo::exists(doomed + u'/' + file));
    }

    // A right click only changes the viewed folder; listing it is asked for apart.
    void clicksChangeTheViewedFolder()
    {
        BrowserFixture f;
        const QString other = f.folder(u"other"_s);
        f.folder(u"sub"_s);
        f.browser.SetDirPath(f.folder());
        QSignalSpy listings(&f.browser, &FolderBrowser::showAllCallsRequested);
        auto *model = static_cast<QFileSystemModel *>(f.dirList->model());
        QTRY_VERIFY(model->index(other).isValid() && f.dirList->visualRect(model->index(other)).isValid());
        QTest::mouseClick(f.dirList->viewport(), Qt::RightButton, {}, f.dirList->visualRect(model->index(other)).center());
        QVERIFY(f.browser.mnuFolder->isVisible());
        QCOMPARE(f.browser.Path(), other);
        QCOMPARE(f.app.settings.SearchPath, other);
        f.browser.mnuFolder->hide();
        QCOMPARE(listings.size(), 0);
    }

    // Enter in the name box makes the folder, as OK does.
    void newFolderByEnter()
    {
        BrowserFixture f;
        f.browser.SetDirPath(f.folder());
        onModal<dlgNewFolder>([](dlgNewFolder *d) {
            d->txtFolder->setText(u"Orders"_s);
            QTest::keyClick(d->txtFolder, Qt::Key_Return);
            if (d->isVisible())
                d->reject();
        });
        f.browser.NewFolder();
        QVERIFY(QFileInfo(f.folder() + u"/Orders"_s).isDir());
    }
};

QTEST_MAIN(tst_FolderBrowser)
#include "tst_FolderBrowser.moc"
