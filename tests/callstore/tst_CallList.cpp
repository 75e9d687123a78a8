#include "ListFixture.h"
#include "callstore/ui/dlgEditNote.h"
#include "review/clsSearch.h"

#include <QMenu>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Three calls of ann and bob, with and without notes, listed newest first.
static void listThree(ListFixture &f)
{
    const QString folder = f.folder();
    ContextRig::addCall(folder, u"20050203-090507-ann-75.wav"_s, QByteArray("line one\r\nline two"));
    // Filed by another PC under a copy number: a call of the same name was there first.
    ContextRig::addCall(folder, u"20050203-100000-bob-3600-2.wav"_s);
    ContextRig::addCall(folder, u"20050204-080000-ann-5.wav"_s, QByteArray("edited<CR>note"));
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

    // Double click, Enter and Delete on the selected rows (the last one clicked), under the permissions.
    void keysAndClicks_data()
    {
        QTest::addColumn<int>("action"); // 0 double click, 1 Enter, 2 Delete
        QTest::addColumn<bool>("permitted"); // CanPlay for play, CanDelete for Delete
        QTest::addColumn<bool>("deleteOwnOnly");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<bool>("acts");
        QTest::addColumn<QString>("message");
        QTest::newRow("double click plays") << 0 << true << false << QList<int>{1} << true << QString();
        QTest::newRow("double click, no playing") << 0 << false << false << QList<int>{1} << false << u"You are not permitted to play back calls"_s;
        QTest::newRow("Enter plays") << 1 << true << false << QList<int>{1} << true << QString();
        QTest::newRow("Enter, no playing") << 1 << false << false << QList<int>{1} << false << u"You are not permitted to play back calls"_s;
        QTest::newRow("Delete") << 2 << true << false << QList<int>{0, 1} << true << QString();
        QTest::newRow("Delete, no deleting") << 2 << false << false << QList<int>{0} << false << QString();
        QTest::newRow("Delete, own only, own calls") << 2 << true << true << QList<int>{0, 2} << true << QString();
        QTest::newRow("Delete, own only, one another's") << 2 << true << true << QList<int>{0, 1} << false << QString();
    }
    void keysAndClicks()
    {
        QFETCH(int, action);
        QFETCH(bool, permitted);
        QFETCH(bool, deleteOwnOnly);
        QFETCH(QList<int>, rows);
        ListFixture f;
        listThree(f);
        (action == 2 ? f.app.settings.CanDelete : f.app.settings.CanPlay) = permitted;
        f.app.settings.DeleteOwnOnly = deleteOwnOnly;
        QSignalSpy play(&f.list, &CallList::playCallRequested);
        QSignalSpy deletes(&f.list, &CallList::deleteRequested);
        f.lvwCalls->setFocus();
        selectRows(f, rows);
        if (action == 0) {
            QTest::mouseClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(rows.last()));
            QTest::mouseDClick(f.lvwCalls->viewport(), Qt::LeftButton, {}, f.rowPoint(rows.last()));
        } else {
            QTest::keyClick(f.lvwCalls, action == 1 ? Qt::Key_Enter : Qt::Key_Delete);
        }
        QFETCH(bool, acts);
        QCOMPARE((action == 2 ? deletes.size() : play.size()) == 1, acts);
        if (acts && action < 2)
            QCOMPARE(play.first().first().toString(), u"#%1#"_s.arg(rows.last() + 1));
        QTEST(f.prompts.texts().join(u'|'), "message");
    }

    // The note editor on a call whose note file holds `before`, ended with Enter on
    // `typed` (null: on the note as shown).
    void editNote_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("message");
        const QByteArray prompt("line one\r\nline two"), huge(70 * 1024, 'x');
        QTest::newRow("same text writes nothing") << prompt << QString() << prompt << u"line one <CR> line two"_s << QString();
        QTest::newRow("two lines with <CR>, UTF-8") << QByteArray("old") << u"Müller rang\n€5 owed"_s
            << u"Müller rang<CR>€5 owed"_s.toUtf8() << u"Müller rang <cr> €5 owed"_s << QString();
        QTest::newRow("a note read in part is refused") << huge << u"short"_s << huge << QString(1000, u'x')
            << u"This note is too long to edit here (over 64 KB); it has been left unchanged."_s;
    }
    void editNote()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, typed);
        ListFixture f;
        ContextRig::addCall(f.folder(), u"20050203-090507-ann-75.wav"_s, before);
        QCOMPARE(f.find(clsSearch()), 1);
        QTimer act; // the editor opens once a job has read the note
        QObject::connect(&act, &QTimer::timeout, [&] {
            if (auto *dialog = f.window.findChild<dlgEditNote *>(); dialog && dialog->isVisible()) {
                if (!typed.isNull())
                    dialog->txtEditNote->setPlainText(typed);
                QTest::keyClick(dialog->txtEditNote, Qt::Key_Return);
            }
        });
        act.start(10);
        f.list.mnuPopupEditNote->trigger();
        QTRY_VERIFY(!f.list.EditingNote());
        QTEST(TestFiles::read(f.folder() + u"/20050203-090507-ann-75.txt"_s), "after");
        QTEST(f.cells(CallListModel::Note).value(0), "cell");
        QTEST(f.prompts.texts().join(u'|'), "message");
        if (!typed.isNull() && f.prompts.texts().isEmpty()) {
            QCOMPARE(f.txtNote->toPlainText(), typed);
            QCOMPARE(f.find(clsSearch()), 1); // and as the next listing reads it
            QCOMPARE(f.txtNote->toPlainText(), typed);
        }
    }

    // Whoever writes in the calls folder may leave a note that is a link out of it or a
    // FIFO, or a call that is a link: the listing and a note search read nothing through
    // them and never wait; a listing cancelled by the next one lists nothing of its own.
    void hostileFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("note"); // the search's note text
        QTest::newRow("note linked out, list") << u"link"_s << u"*"_s;
        QTest::newRow("note linked out, Find") << u"link"_s << u"secret"_s;
        QTest::newRow("note a FIFO, list") << u"fifo"_s << u"*"_s;
        QTest::newRow("note a FIFO, Find") << u"fifo"_s << u"secret"_s;
        QTest::newRow("call linked out") << u"call"_s << u"*"_s;
    }
    void hostileFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, note);
        ListFixture f;
        QTemporaryDir outside;
        QVERIFY(TestFiles::write(outside.filePath(u"secret.txt"_s), "secret"));
        const QString folder = f.folder(), name = u"20050203-090507-ann-75"_s;
        if (kind == u"call"_s) {
            QVERIFY(TestFiles::write(outside.filePath(name + u".wav"_s), "RIFF"));
            QVERIFY(QFile::link(outside.filePath(name + u".wav"_s), folder + u'/' + name + u".wav"_s));
        } else {
            ContextRig::addCall(folder, name + u".wav"_s);
            const QByteArray path = QFile::encodeName(folder + u'/' + name + u".txt"_s);
            QVERIFY(kind == u"link"_s ? QFile::link(outside.filePath(u"secret.txt"_s), QString::fromUtf8(path))
                                      : ::mkfifo(path.constData(), 0600) == 0);
        }
        clsSearch criteria;
        criteria.Note = note;
        f.list.StartListing([](CallListingSink &, Prompts &) { QThread::msleep(50); }); // cancelled by the next
        const qsizetype listed = f.find(criteria);
        QCOMPARE(listed, kind == u"call"_s || note != u"*"_s ? 0 : 1);
        QVERIFY(!f.cells(CallListModel::Note).join(QString()).contains(u"secret"_s));
        for (const QString &text : f.prompts.texts())
            QVERIFY2(text.contains(u"no regular file"_s) && !text.contains(u"secret\""_s), qPrintable(text));
    }

    // The pop-up's delete under "DeleteOwnOnly": two own calls with notes, one without, and
    // a name in other letters, which is another user's. Rows: ann-5 with note, bob, ann-75 with note.
    void deleteOwnOnly()
    {
        const std::tuple<QString, QList<int>, qsizetype, int> cases[] = {
            {u"ann"_s, {0, 2}, 1, 1}, {u"bob"_s, {1}, 4, 2}, {u"Ann"_s, {0, 2}, 5, 3}};
        for (const auto &[user, rows, filesLeft, callsLeft] : cases) {
            ListFixture f;
            listThree(f);
            f.app.CurrentUserName = user;
            f.app.settings.DeleteOwnOnly = true;
            selectRows(f, rows);
            f.list.mnuPopupDeleteCall->trigger();
            f.settle();
            QCOMPARE(TestFiles::names(f.folder()).size(), filesLeft);
            QCOMPARE(f.countPanel->text(), u"%1 call/s"_s.arg(callsLeft));
        }
    }
};

QTEST_MAIN(tst_CallList)
#include "tst_CallList.moc"
