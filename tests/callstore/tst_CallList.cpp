#include "ListFixture.h"
#include "base/Twips.h"
#include "review/clsSearch.h"

#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

class tst_CallList : public QObject
{
    Q_OBJECT

private:
    // Three calls of ann and bob, with and without notes, listed newest first.
    static void listThree(ListFixture &f)
    {
        const QString folder = f.folder();
        ReviewFixture::addCall(folder, u"20050203-090507-ann-75.wav"_s, QByteArray("line one\r\nline two"));
        ReviewFixture::addCall(folder, u"20050203-100000-bob-3600.wav"_s);
        ReviewFixture::addCall(folder, u"20050204-080000-ann-5.wav"_s, QByteArray("edited<CR>note"));
        QCOMPARE(f.find(clsSearch()), 3);
    }
    static void selectRows(ListFixture &f, std::initializer_list<int> rows)
    {
        auto *sel = f.lvwCalls->selectionModel();
        sel->clearSelection();
        for (int row : rows)
            sel->setCurrentIndex(f.list.model().index(row, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // A real double click: press and release, then the double click.
    static void doubleClick(ListFixture &f, int row)
    {
        QTest::mouseClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(row));
        QTest::mouseDClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(row));
    }

private slots:
    void listingFillsRowsCountAndNote();
    void noteBoxFollowsTheSelectedRow();
    void emptyListing();
    void columnsFromTheWidthSettings();
    void fileAndRemoveKeepRowsAndRecordsInStep();
    void rightClickSelectsTheRowUnderThePointer();
    void rightClickOnEmptySpaceShowsNoMenu();
    void popupEntries_data();
    void popupEntries();
    void doubleClickPlaysOnlyWhenPermitted();
    void enterPlaysTheSelectedCall();
    void deleteKeyFollowsThePermission_data();
    void deleteKeyFollowsThePermission();
    void drops_data();
    void drops();
};

void tst_CallList::listingFillsRowsCountAndNote()
{
    ListFixture f;
    listThree(f);
    QCOMPARE(f.cells(CallListModel::User), (QStringList{u"ann"_s, u"bob"_s, u"ann"_s}));
    QCOMPARE(f.cells(CallListModel::CallDate), (QStringList{u"04-Feb-2005"_s, u"03-Feb-2005"_s, u"03-Feb-2005"_s}));
    QCOMPARE(f.cells(CallListModel::CallTime), (QStringList{u"08:00:00"_s, u"10:00:00"_s, u"09:05:07"_s}));
    QCOMPARE(f.cells(CallListModel::Duration), (QStringList{u"00:00:05"_s, u"01:00:00"_s, u"00:01:15"_s}));
    QCOMPARE(f.cells(CallListModel::Note), (QStringList{u"edited<CR>note"_s, QString(), u"line one <CR> line two"_s}));
    for (int row = 0; row < 3; ++row)
        QCOMPARE(f.list.model().index(row, 0).data(CallListModel::KeyRole).toString(), u"#%1#"_s.arg(row + 1));
    QCOMPARE(f.countPanel->text(), u"3 call/s"_s);
    // The first row is the selected one, and its note shows with its lines apart.
    QCOMPARE(f.list.SelectedKey(), u"#1#"_s);
    QCOMPARE(f.txtNote->toPlainText(), u"edited\nnote"_s);
    QCOMPARE(f.list.GetCallLocation(2), f.folder() + u"/20050203-100000-bob-3600.wav"_s);
    QCOMPARE(f.list.GetCallUser(2), u"bob"_s);
}

void tst_CallList::noteBoxFollowsTheSelectedRow()
{
    ListFixture f;
    listThree(f);
    QTest::mouseClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(1));
    QCOMPARE(f.txtNote->toPlainText(), u"(No Note)"_s);
    f.lvwCalls->setFocus();
    QTest::keyClick(f.lvwCalls, Qt::Key_Down);
    QCOMPARE(f.txtNote->toPlainText(), u"line one \n line two"_s);
}

void tst_CallList::emptyListing()
{
    ListFixture f;
    listThree(f);
    clsSearch none;
    none.User = u"nobody"_s;
    QCOMPARE(f.find(none), 0);
    QCOMPARE(f.countPanel->text(), u"0 call/s"_s);
    QCOMPARE(f.txtNote->toPlainText(), QString());
    QVERIFY(!f.list.HasCalls());
}

void tst_CallList::columnsFromTheWidthSettings()
{
    ListFixture f;
    f.app.store.SaveLongSetting(u"GRD_USER"_s, 1500);
    f.app.store.SaveLongSetting(u"GRD_DATE"_s, 2400);
    f.app.store.SaveLongSetting(u"GRD_DUR"_s, 60);
    f.list.SetUpCallColumns();
    QHeaderView *header = f.lvwCalls->header();
    QCOMPARE(header->sectionSize(0), Twips::toPixels(1500, f.lvwCalls->logicalDpiX()));
    QCOMPARE(header->sectionSize(1), Twips::toPixels(2400, f.lvwCalls->logicalDpiX()));
    // Too narrow for its times: as wide as they need.
    const int timeWidth = f.lvwCalls->fontMetrics().horizontalAdvance(u"00:00:00"_s);
    QVERIFY(header->sectionSize(3) > timeWidth);
    QVERIFY(header->sectionSize(3) > Twips::toPixels(60, f.lvwCalls->logicalDpiX()));
    // The Note column takes the rest of the list's width.
    int used = 0;
    for (int i = 0; i < 5; ++i)
        used += header->sectionSize(i);
    QCOMPARE(used, f.lvwCalls->viewport()->width());
    // Twice as wide a list: twice as wide columns at the next listing.
    f.window.resize(f.window.width() + f.lvwCalls->width(), f.window.height());
    QTest::qWait(0);
    f.list.SizeCallColumns();
    QVERIFY(qAbs(header->sectionSize(0) - 2 * Twips::toPixels(1500, f.lvwCalls->logicalDpiX())) <= 2);
    f.list.SaveColumnWidths();
    QCOMPARE(f.app.store.GetLongSetting(u"GRD_USER"_s, 0), Twips::fromPixels(header->sectionSize(0), f.lvwCalls->logicalDpiX()));
}

void tst_CallList::fileAndRemoveKeepRowsAndRecordsInStep()
{
    ListFixture f;
    listThree(f);
    // A filed call: number maxKey + 1 at position 1 of both.
    colCalls &calls = f.list.calls();
    QString key = QString::number(calls.maxKey().toInt() + 1);
    calls.Add(4, u"carl"_s, QDate(2005, 2, 5), QTime(7, 0), 9, QString(), u"/x.wav"_s, QString(), 1, key);
    f.list.AddSingleRow(1);
    QCOMPARE(f.cells(CallListModel::User), (QStringList{u"carl"_s, u"ann"_s, u"bob"_s, u"ann"_s}));
    QCOMPARE(f.list.model().index(0, 0).data(CallListModel::KeyRole).toString(), u"#4#"_s);
    calls.Remove(3);
    f.list.RemoveRow(3);
    QCOMPARE(f.cells(CallListModel::User), (QStringList{u"carl"_s, u"ann"_s, u"ann"_s}));
    f.list.ClearListing();
    QVERIFY(!f.list.HasCalls());
    QCOMPARE(f.list.calls().Count(), 0);
}

void tst_CallList::rightClickSelectsTheRowUnderThePointer()
{
    ListFixture f;
    listThree(f);
    selectRows(f, {0, 1});
    QTest::mouseClick(f.lvwCalls->viewport(), Qt::RightButton, {}, f.rowPoint(2));
    // The selected row gives way to the row under the pointer; other selected rows stay.
    QCOMPARE(f.list.SelectedKey(), u"#3#"_s);
    QVERIFY(!f.list.IsRowSelected(2));
    QVERIFY(f.list.IsRowSelected(1) && f.list.IsRowSelected(3));
    QVERIFY(f.list.mnuPopup->isVisible());
    f.list.mnuPopup->hide();
}

void tst_CallList::rightClickOnEmptySpaceShowsNoMenu()
{
    ListFixture f;
    listThree(f);
    QTest::mouseClick(f.lvwCalls->viewport(), Qt::RightButton, {},
                      QPoint(10, f.lvwCalls->viewport()->height() - 5));
    QVERIFY(!f.list.mnuPopup->isVisible());
    QCOMPARE(f.list.SelectedKey(), u"#1#"_s);
}

void tst_CallList::popupEntries_data()
{
    QTest::addColumn<bool>("canPlay");
    QTest::addColumn<bool>("canDelete");
    QTest::addColumn<bool>("deleteOwnOnly");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QList<bool>>("enabled"); // play, edit, delete, e-mail, save
    QTest::newRow("one row") << true << true << false << QList<int>{1} << QList<bool>{true, true, true, true, true};
    QTest::newRow("two rows") << true << true << false << QList<int>{0, 1} << QList<bool>{false, false, true, true, true};
    QTest::newRow("no playing") << false << true << false << QList<int>{1} << QList<bool>{false, false, true, false, false};
    QTest::newRow("no deleting") << true << false << false << QList<int>{0} << QList<bool>{true, true, false, true, true};
    QTest::newRow("own calls, own only") << true << true << true << QList<int>{0, 2} << QList<bool>{false, false, true, true, true};
    QTest::newRow("another's call, own only") << true << true << true << QList<int>{0, 1} << QList<bool>{false, false, false, true, true};
}

void tst_CallList::popupEntries()
{
    QFETCH(bool, canPlay);
    QFETCH(bool, canDelete);
    QFETCH(bool, deleteOwnOnly);
    QFETCH(QList<int>, rows);
    ListFixture f;
    listThree(f);
    f.app.settings.CanPlay = canPlay;
    f.app.settings.CanDelete = canDelete;
    f.app.settings.DeleteOwnOnly = deleteOwnOnly;
    selectRows(f, {});
    for (int row : rows)
        f.lvwCalls->selectionModel()->setCurrentIndex(f.list.model().index(row, 0),
                                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::mouseClick(f.lvwCalls->viewport(), Qt::RightButton, {}, f.rowPoint(rows.last()));
    const QList<bool> enabled{f.list.mnuPopupPlayCall->isEnabled(), f.list.mnuPopupEditNote->isEnabled(),
                              f.list.mnuPopupDeleteCall->isEnabled(), f.list.mnuPopupEmailCall->isEnabled(),
                              f.list.mnuPopupSaveCall->isEnabled()};
    f.list.mnuPopup->hide();
    QTEST(enabled, "enabled");
}

void tst_CallList::doubleClickPlaysOnlyWhenPermitted()
{
    ListFixture f;
    listThree(f);
    QSignalSpy play(&f.list, &CallList::playCallRequested);
    doubleClick(f, 1);
    QCOMPARE(play.size(), 1);
    QCOMPARE(play.first().first().toString(), u"#2#"_s);

    f.app.settings.CanPlay = false;
    doubleClick(f, 2);
    QCOMPARE(play.size(), 1);
    QCOMPARE(f.prompts.texts(), QStringList{u"You are not permitted to play back calls"_s});
    QCOMPARE(f.prompts.shown().first().icon, Prompts::Information);
}

void tst_CallList::enterPlaysTheSelectedCall()
{
    ListFixture f;
    QSignalSpy play(&f.list, &CallList::playCallRequested);
    f.lvwCalls->setFocus();
    QTest::keyClick(f.lvwCalls, Qt::Key_Return);
    QCOMPARE(play.size(), 0); // no rows, nothing to play
    listThree(f);
    f.app.settings.CanPlay = false; // Enter asks no permission
    QTest::keyClick(f.lvwCalls, Qt::Key_Down);
    QTest::keyClick(f.lvwCalls, Qt::Key_Enter);
    QCOMPARE(play.size(), 1);
    QCOMPARE(play.first().first().toString(), u"#2#"_s);
}

void tst_CallList::deleteKeyFollowsThePermission_data()
{
    QTest::addColumn<bool>("canDelete");
    QTest::addColumn<bool>("deleteOwnOnly");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("deletes");
    QTest::newRow("permitted") << true << false << 1 << true;
    QTest::newRow("no deleting") << false << false << 0 << false;
    QTest::newRow("own only, own call") << true << true << 0 << true;
    QTest::newRow("own only, another's call") << true << true << 1 << false;
}

void tst_CallList::deleteKeyFollowsThePermission()
{
    QFETCH(bool, canDelete);
    QFETCH(bool, deleteOwnOnly);
    QFETCH(int, row);
    ListFixture f;
    listThree(f);
    f.app.settings.CanDelete = canDelete;
    f.app.settings.DeleteOwnOnly = deleteOwnOnly;
    selectRows(f, {row});
    QSignalSpy deletes(&f.list, &CallList::deleteRequested);
    f.lvwCalls->setFocus();
    QTest::keyClick(f.lvwCalls, Qt::Key_Delete);
    QTEST(deletes.size() == 1, "deletes");
}

void tst_CallList::drops_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("played");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("two files") << QStringList{u"/a.wav"_s, u"/b.wav"_s} << QString()
                               << QStringList{u"Please drag a single file at a time"_s};
    QTest::newRow("one .Wav") << QStringList{u"/calls/x.Wav"_s} << u"/calls/x.Wav"_s << QStringList();
    QTest::newRow("one .MP3") << QStringList{u"/calls/x.MP3"_s} << u"/calls/x.MP3"_s << QStringList();
    QTest::newRow("one other file") << QStringList{u"/calls/x.txt"_s} << QString() << QStringList();
}

void tst_CallList::drops()
{
    QFETCH(QStringList, files);
    ListFixture f;
    QSignalSpy play(&f.list, &CallList::playFileRequested);
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    mime.setUrls(urls);
    // A drop follows the drag's entry, as the window system delivers them.
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(f.lvwCalls->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, {}, QEvent::Drop);
    QCoreApplication::sendEvent(f.lvwCalls->viewport(), &drop);
    QFETCH(QString, played);
    QCOMPARE(play.isEmpty() ? QString() : play.first().first().toString(), played);
    QTEST(f.prompts.texts(), "messages");
    if (!f.prompts.shown().isEmpty())
        QCOMPARE(f.prompts.shown().first().caption, u"Drag / Drop"_s);
}

QTEST_MAIN(tst_CallList)
#include "tst_CallList.moc"
