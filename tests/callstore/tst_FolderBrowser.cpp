#include "ReviewFixture.h"
#include "callstore/ui/FolderBrowser.h"
#include "callstore/ui/dlgNewFolder.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
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
    void newFolder_data()
    {
        QTest::addColumn<QString>("name"); // empty: the name offered
        QTest::addColumn<QString>("message"); // empty: made
        const QString badName = u"A folder cannot contain any of the following characters:\r\n"_s
            + QString(23, u' ') + u"\\ / : * ? \" < > |"_s;
        QTest::newRow("offered name") << QString() << QString();
        QTest::newRow("exists") << u"old"_s << u"Folder already exists!"_s;
        for (const QString &bad : {u"a|b"_s, u"x:y"_s, u"say \"hi\""_s, u"a/b"_s, u"a\\b"_s, u"*"_s})
            QTest::newRow(qPrintable(bad)) << bad << badName;
    }
    void newFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        ReviewFixture f;
        f.folder(u"old"_s);
        dlgNewFolder dialog(f.prompts, f.folder());
        QCOMPARE(dialog.txtFolder->selectedText(), u"NewFolder"_s);
        dialog.show();
        if (!name.isEmpty())
            dialog.txtFolder->setText(name);
        dialog.btnOK->click();
        QCOMPARE(dialog.Created, message.isEmpty());
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        const QStringList made = QDir(f.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(made, message.isEmpty() ? (QStringList{u"NewFolder"_s, u"old"_s}) : QStringList{u"old"_s});
        QCOMPARE(f.prompts.texts().join(u'|'), message);
    }

    void newFolderRefusedByTheSystem()
    {
        ReviewFixture f;
        const QString parent = f.folder(u"locked"_s);
        QFile::setPermissions(f.folder(), QFile::Permissions(0x7755));
        QFile::setPermissions(parent, QFile::Permissions(0x5555));
        AsUnprivilegedUser nobody;
        dlgNewFolder dialog(f.prompts, parent);
        dialog.show();
        dialog.btnOK->click();
        QVERIFY(!dialog.Created && dialog.isVisible());
        QCOMPARE(f.prompts.texts(), QStringList{u"Error occurred: 75, Permission denied, dlgNewFolder:btnOK_Click"_s});
    }

    void deleteFolder_data()
    {
        QTest::addColumn<QStringList>("folders"); // below the folder to delete
        QTest::addColumn<QStringList>("files");
        QTest::newRow("empty") << QStringList() << QStringList();
        QTest::newRow("empty subfolders only") << QStringList{u"a"_s, u"b/c"_s} << QStringList();
        QTest::newRow("a call in the folder") << QStringList() << QStringList{u"20050612-100000-ann-5.wav"_s};
        QTest::newRow("a call in a direct subfolder") << QStringList{u"a"_s} << QStringList{u"a/x.wav"_s};
        QTest::newRow("a call further down") << QStringList{u"a/b/c"_s} << QStringList{u"a/b/c/x.wav"_s};
        QTest::newRow("a hidden file further down") << QStringList{u"a/b"_s} << QStringList{u"a/b/.x"_s};
    }
    void deleteFolder()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        BrowserFixture f;
        const QString doomed = f.folder(u"doomed"_s);
        for (const QString &sub : folders)
            QDir().mkpath(doomed + u'/' + sub);
        for (const QString &file : files)
            ReviewFixture::addCall(doomed, file);
        f.browser.SetDirPath(doomed);
        f.btnDelFolder->click();
        const bool deleted = files.isEmpty();
        QCOMPARE(!QFileInfo::exists(doomed), deleted);
        QCOMPARE(f.browser.Path(), deleted ? f.folder() : doomed);
        QCOMPARE(f.prompts.texts().join(u'|'),
                 deleted ? QString() : u"Folder or subfolder not empty - for safety please delete all calls in folder first"_s);
        for (const QString &file : files)
            QVERIFY(QFileInfo::exists(doomed + u'/' + file));
    }

    // Deleting the folder the list shows: the list clears and follows the browser up.
    void deletingTheViewedFolder()
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

    void makeDefaultFolder_data()
    {
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::newRow("OK") << Prompts::Ok;
        QTest::newRow("Cancel") << Prompts::Cancel;
    }
    void makeDefaultFolder()
    {
        QFETCH(Prompts::Answer, answer);
        BrowserFixture f;
        const QString sales = f.folder(u"Calls/Sales"_s), before = f.app.settings.CallPath;
        f.browser.SetDirPath(sales);
        f.prompts.answerNext(answer);
        f.browser.mnuFolderDefault->trigger();
        QCOMPARE(f.prompts.texts(), QStringList{u"Make "_s + sales + u" your recorded calls folder?"_s});
        QCOMPARE(f.prompts.shown().first().buttons, Prompts::OkCancel);
        const bool made = answer == Prompts::Ok;
        QCOMPARE(f.app.settings.CallPath, made ? sales : before);
        QCOMPARE(f.app.store.GetStringSetting(u"CallPath"_s, u"none"_s), made ? sales : u"none"_s);
    }

    // A click or right click only changes the viewed folder; listing it is asked for apart.
    void clicksChangeTheViewedFolder()
    {
        BrowserFixture f;
        const QString sub = f.folder(u"sub"_s), other = f.folder(u"other"_s);
        f.browser.SetDirPath(f.folder());
        QSignalSpy listings(&f.browser, &FolderBrowser::showAllCallsRequested);
        auto *model = static_cast<QFileSystemModel *>(f.dirList->model());
        f.browser.dirList_Click(model->index(sub));
        QCOMPARE(f.browser.Path(), sub);
        QCOMPARE(f.app.settings.SearchPath, sub);
        QTRY_VERIFY(model->index(other).isValid() && f.dirList->visualRect(model->index(other)).isValid());
        QTest::mouseClick(f.dirList->viewport(), Qt::RightButton, {}, f.dirList->visualRect(model->index(other)).center());
        QVERIFY(f.browser.mnuFolder->isVisible());
        QCOMPARE(f.browser.Path(), other);
        f.browser.mnuFolder->hide();
        QCOMPARE(listings.size(), 0);
        f.browser.mnuFolderShowAll->trigger();
        QCOMPARE(listings.size(), 1);
    }

    void homeButton()
    {
        BrowserFixture f;
        f.app.settings.CallPath = f.folder(u"home"_s) + u'/';
        f.browser.SetDirPath(f.folder());
        f.btnHome->click();
        QCOMPARE(f.browser.Path(), f.folder(u"home"_s));
        QCOMPARE(f.app.store.GetStringSetting(u"SearchPath"_s, QString()), f.folder(u"home"_s));
        // A home folder that is gone: said so, and the browser stays.
        f.app.settings.CallPath = f.folder() + u"/gone/"_s;
        const bool ownThere = QFileInfo(ProgramSettings::DefaultCallPath()).isDir();
        f.btnHome->click();
        QCOMPARE(f.prompts.texts(), QStringList{ownThere ? u"Default folder has been deleted!"_s : u"Unable to set default folder!"_s});
        QCOMPARE(f.browser.Path(), f.folder(u"home"_s));
    }

    void unavailableDrive()
    {
        BrowserFixture f;
        const QString root = QStorageInfo(f.folder()).rootPath();
        QCOMPARE(f.drvList->currentData().toString(), root);
        f.browser.SetDirPath(f.folder());
        f.drvList->addItem(u"/no/such/volume"_s, u"/no/such/volume"_s);
        f.browser.drvList_Change(f.drvList->count() - 1);
        QCOMPARE(f.prompts.texts(), QStringList{u"Device Unavailable"_s});
        QCOMPARE(f.drvList->currentData().toString(), root);
        QCOMPARE(f.browser.Path(), f.folder());
    }
};

QTEST_MAIN(tst_FolderBrowser)
#include "tst_FolderBrowser.moc"
