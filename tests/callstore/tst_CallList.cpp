#include "ListFixture.h"
#include "review/clsSearch.h"

#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

// Three calls of ann and bob, with and without notes, listed newest first.
static void listThree(ListFixture &f)
{
    const QString folder = f.folder();
    ReviewFixture::addCall(folder, u"20050203-090507-ann-75.wav"_s, QByteArray("line one\r\nline two"));
    ReviewFixture::addCall(folder, u"20050203-100000-bob-3600.wav"_s);
    ReviewFixture::addCall(folder, u"20050204-080000-ann-5.wav"_s, QByteArray("edited<CR>note"));
    QCOMPARE(f.find(clsSearch()), 3);
}

static void selectRows(ListFixture &f, const QList<int> &rows)
{
    auto *selection = f.lvwCalls->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->setCurrentIndex(f.list.model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

class tst_CallList : public QObject
{
    Q_OBJECT

private slots:
    void listingFillsRowsCountAndNote()
    {
        ListFixture f;
        QSignalSpy play(&f.list, &CallList::playCallRequested);
        f.lvwCalls->setFocus();
        QTest::keyClick(f.lvwCalls, Qt::Key_Return); // no rows, nothing to play
        QCOMPARE(play.size(), 0);
        listThree(f);
        QCOMPARE(f.cells(CallListModel::User), (QStringList{u"ann"_s, u"bob"_s, u"ann"_s}));
        QCOMPARE(f.cells(CallListModel::CallDate), (QStringList{u"04-Feb-2005"_s, u"03-Feb-2005"_s, u"03-Feb-2005"_s}));
        QCOMPARE(f.cells(CallListModel::CallTime), (QStringList{u"08:00:00"_s, u"10:00:00"_s, u"09:05:07"_s}));
        QCOMPARE(f.cells(CallListModel::Duration), (QStringList{u"00:00:05"_s, u"01:00:00"_s, u"00:01:15"_s}));
        QCOMPARE(f.cells(CallListModel::Note), (QStringList{u"edited<CR>note"_s, QString(), u"line one <CR> line two"_s}));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(f.list.model().index(row, 0).data(CallListModel::KeyRole).toString(), u"#%1#"_s.arg(row + 1));
        QCOMPARE(f.countPanel->text(), u"3 call/s"_s);
        QCOMPARE(f.list.GetCallLocation(2), f.folder() + u"/20050203-100000-bob-3600.wav"_s);
        // The first row is selected; the note box follows the selection, its lines apart.
        QCOMPARE(f.list.SelectedKey(), u"#1#"_s);
        QCOMPARE(f.txtNote->toPlainText(), u"edited\nnote"_s);
        QTest::mouseClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(1));
        QCOMPARE(f.txtNote->toPlainText(), u"(No Note)"_s);
        QTest::keyClick(f.lvwCalls, Qt::Key_Down);
        QCOMPARE(f.txtNote->toPlainText(), u"line one \n line two"_s);
        clsSearch none;
        none.User = u"nobody"_s;
        QCOMPARE(f.find(none), 0);
        QCOMPARE(f.countPanel->text(), u"0 call/s"_s);
        QCOMPARE(f.txtNote->toPlainText(), QString());
        QVERIFY(!f.list.HasCalls());
    }

    void fileAndRemoveKeepRowsAndRecordsInStep()
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
        QCOMPARE(f.list.GetCallLocation(3), f.folder() + u"/20050203-090507-ann-75.wav"_s);
        f.list.ClearListing();
        QVERIFY(!f.list.HasCalls());
        QCOMPARE(f.list.calls().Count(), 0);
    }

    void popupEntries_data()
    {
        QTest::addColumn<bool>("canPlay");
        QTest::addColumn<bool>("canDelete");
        QTest::addColumn<bool>("deleteOwnOnly");
        QTest::addColumn<QList<int>>("rows"); // selected; the last one right-clicked
        QTest::addColumn<QList<bool>>("enabled"); // play, edit, delete, e-mail, save
        QTest::newRow("one row") << true << true << false << QList<int>{1} << QList<bool>{true, true, true, true, true};
        QTest::newRow("no playing") << false << true << false << QList<int>{1} << QList<bool>{false, false, true, false, false};
        QTest::newRow("no deleting") << true << false << false << QList<int>{0} << QList<bool>{true, true, false, true, true};
        QTest::newRow("own calls, own only") << true << true << true << QList<int>{0, 2} << QList<bool>{false, false, true, true, true};
        QTest::newRow("another's call, own only") << true << true << true << QList<int>{0, 1} << QList<bool>{false, false, false, true, true};
    }
    void popupEntries()
    {
        QFETCH(QList<int>, rows);
        ListFixture f;
        listThree(f);
        QFETCH(bool, canPlay);
        QFETCH(bool, canDelete);
        QFETCH(bool, deleteOwnOnly);
        f.app.settings.CanPlay = canPlay;
        f.app.settings.CanDelete = canDelete;
        f.app.settings.DeleteOwnOnly = deleteOwnOnly;
        selectRows(f, rows);
        QTest::mouseClick(f.lvwCalls->viewport(), Qt::RightButton, {}, f.rowPoint(rows.last()));
        QVERIFY(f.list.mnuPopup->isVisible());
        const QList<bool> enabled{f.list.mnuPopupPlayCall->isEnabled(), f.list.mnuPopupEditNote->isEnabled(),
                                  f.list.mnuPopupDeleteCall->isEnabled(), f.list.mnuPopupEmailCall->isEnabled(),
                                  f.list.mnuPopupSaveCall->isEnabled()};
        f.list.mnuPopup->hide();
        QTEST(enabled, "enabled");
    }

    // The selected row gives way to the row under the pointer; other selected rows stay.
    void rightClickActsOnTheRowUnderThePointer()
    {
        ListFixture f;
        listThree(f);
        selectRows(f, {0, 1});
        QTest::mouseClick(f.lvwCalls->viewport(), Qt::RightButton, {}, f.rowPoint(2));
        QCOMPARE(f.list.SelectedKey(), u"#3#"_s);
        QVERIFY(!f.list.IsRowSelected(2) && f.list.IsRowSelected(1) && f.list.IsRowSelected(3));
        QVERIFY(f.list.mnuPopup->isVisible());
        f.list.mnuPopup->hide();
        // On empty space: no menu, and the selection stays.
        QTest::mouseClick(f.lvwCalls->viewport(), Qt::RightButton, {}, QPoint(10, f.lvwCalls->viewport()->height() - 5));
        QVERIFY(!f.list.mnuPopup->isVisible());
        QCOMPARE(f.list.SelectedKey(), u"#3#"_s);
    }

    // Double click, Enter and Delete on a row, under the permissions.
    void keysAndClicks_data()
    {
        QTest::addColumn<int>("action"); // 0 double click, 1 Enter, 2 Delete
        QTest::addColumn<bool>("permitted"); // CanPlay for play, CanDelete for Delete
        QTest::addColumn<bool>("deleteOwnOnly");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("acts");
        QTest::addColumn<QString>("message");
        QTest::newRow("double click plays") << 0 << true << false << 1 << true << QString();
        QTest::newRow("double click, no playing") << 0 << false << false << 1 << false << u"You are not permitted to play back calls"_s;
        QTest::newRow("Enter asks no permission") << 1 << false << false << 1 << true << QString();
        QTest::newRow("Delete") << 2 << true << false << 1 << true << QString();
        QTest::newRow("Delete, no deleting") << 2 << false << false << 0 << false << QString();
        QTest::newRow("Delete, own only, own call") << 2 << true << true << 0 << true << QString();
        QTest::newRow("Delete, own only, another's call") << 2 << true << true << 1 << false << QString();
    }
    void keysAndClicks()
    {
        QFETCH(int, action);
        QFETCH(bool, permitted);
        QFETCH(bool, deleteOwnOnly);
        QFETCH(int, row);
        ListFixture f;
        listThree(f);
        (action == 2 ? f.app.settings.CanDelete : f.app.settings.CanPlay) = permitted;
        f.app.settings.DeleteOwnOnly = deleteOwnOnly;
        QSignalSpy play(&f.list, &CallList::playCallRequested);
        QSignalSpy deletes(&f.list, &CallList::deleteRequested);
        f.lvwCalls->setFocus();
        selectRows(f, {row});
        if (action == 0) {
            QTest::mouseClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(row));
            QTest::mouseDClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(row));
        } else {
            QTest::keyClick(f.lvwCalls, action == 1 ? Qt::Key_Enter : Qt::Key_Delete);
        }
        QFETCH(bool, acts);
        QCOMPARE((action == 2 ? deletes.size() : play.size()) == 1, acts);
        if (acts && action < 2)
            QCOMPARE(play.first().first().toString(), u"#%1#"_s.arg(row + 1));
        QFETCH(QString, message);
        QCOMPARE(f.prompts.texts().join(u'|'), message);
    }

    void drops_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("played");
        QTest::addColumn<QString>("message");
        QTest::newRow("two files") << QStringList{u"/a.wav"_s, u"/b.wav"_s} << QString() << u"Please drag a single file at a time"_s;
        QTest::newRow("one .MP3") << QStringList{u"/calls/x.MP3"_s} << u"/calls/x.MP3"_s << QString();
        QTest::newRow("one other file") << QStringList{u"/calls/x.txt"_s} << QString() << QString();
    }
    void drops()
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
        QTEST(play.isEmpty() ? QString() : play.first().first().toString(), "played");
        QTEST(f.prompts.texts().join(u'|'), "message");
    }
};

QTEST_MAIN(tst_CallList)
#include "tst_CallList.moc"
