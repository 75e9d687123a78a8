#include "FakeRecorder.h"
#include "ListFixture.h"
#include "../review/PlaybackRig.h"
#include "TestShare.h"
#include "callstore/CallFiles.h"
#include "callstore/ui/dlgEditNote.h"
#include "review/LiveFolder.h"
#include "review/clsSearch.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <cstdio>

using namespace Qt::StringLiterals;

// The call list of PC A over a real share that PC B writes to.
struct ShareRig : ListFixture
{
    TestShare share;

    ShareRig() { app.settings.SearchPath = share.pcA + u'/'; }
    // Lists PC A's folder as the window does: the list then follows it.
    qsizetype listAll(const clsSearch &criteria = clsSearch())
    {
        qsizetype listed = -1;
        const CallSearch::Scope scope = CallSearch::ScopeOf(app);
        list.StartListing([scope, criteria](CallListingSink &sink, Prompts &prompts) {
            CallSearch(scope, prompts).Run(criteria, sink);
        }, [&listed](qsizetype n) { listed = n; }, std::make_shared<LiveFolder>(scope, criteria));
        settle();
        return listed;
    }
    QStringList names(bool withNotes = false) const
    {
        QStringList listed;
        for (const auto &call : const_cast<CallList &>(list).calls())
            listed << call->RecordingLocation().section(u'/', -1) + (withNotes ? u": "_s + call->CallNote() : QString());
        return listed;
    }
};

static const QString c1 = u"20240301-091000-bob-30.wav"_s, c2 = u"20240301-091100-bob-40.wav"_s,
                     c3 = u"20240301-091200-cy-50.wav"_s;

class tst_ShareList : public QObject
{
    Q_OBJECT

private slots:
    // PC B files and deletes calls and notes while PC A's list is open: within 5 s it
    // follows, and names beginning with "." (files on their way in) are never calls.
    void liveList_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("add");
        QTest::addColumn<QStringList>("remove");
        QTest::addColumn<QStringList>("after"); // each row with its note
        const auto kept = [](const QString &call) { return call + u": note of "_s + call; };
        const QString n1 = CallFiles::NotePathOf(c1), n2 = CallFiles::NotePathOf(c2);
        QTest::newRow("filed on B") << QStringList{c1} << QStringList{c2} << QStringList() << QStringList{c2 + u": new"_s, kept(c1)};
        QTest::newRow("deleted on B") << QStringList{c1, c2} << QStringList() << QStringList{c1} << QStringList{kept(c2)};
        QTest::newRow("hidden beside") << QStringList{c1} << QStringList{u"."_s + c2, c3} << QStringList() << QStringList{c3 + u": new"_s, kept(c1)};
        QTest::newRow("older call, in order") << QStringList{c1, c3} << QStringList{c2} << QStringList()
                                              << QStringList{kept(c3), c2 + u": new"_s, kept(c1)};
        QTest::newRow("notes added and taken away") << QStringList{c1, c2} << QStringList{n1} << QStringList{n2}
                                                    << QStringList{c2 + u": "_s, c1 + u": new"_s};
        QTest::newRow("note saved over its old file") << QStringList{c1, c2} << QStringList{u"~"_s + n1} << QStringList()
                                                      << QStringList{kept(c2), c1 + u": new"_s};
    }
    void liveList()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        ShareRig rig;
        REQUIRE_SHARE(rig.share);
        QFETCH(QStringList, add);
        QFETCH(QStringList, remove);
        for (const QString &name : before) {
            const QByteArray note = "note of " + name.toUtf8();
            ContextRig::addCall(rig.share.pcB, name, add.contains(CallFiles::NotePathOf(name)) ? nullptr : &note);
        }
        QCOMPARE(rig.listAll(), before.size());
        const QString b = rig.share.pcB + u'/';
        for (QString name : add) { // a note, or a call with its note; "~": saved over the old note
            name.remove(u'~');
            QVERIFY(TestFiles::write(b + u".saving"_s, "new")
                    && ::rename(QFile::encodeName(b + u".saving"_s), QFile::encodeName(b + CallFiles::NotePathOf(name))) == 0
                    && (name.endsWith(u".txt"_s) || TestFiles::write(b + name, "RIFF")));
        }
        for (const QString &name : remove) // a note, or a call with its note
            QVERIFY(QFile::remove(b + name) && (name.endsWith(u".txt"_s) || QFile::remove(b + CallFiles::NotePathOf(name))));
        QTRY_COMPARE_WITH_TIMEOUT(rig.names(true), after, 5000);
        QCOMPARE(rig.countPanel->text(), u"%1 call/s"_s.arg(after.size()));
        QVERIFY(rig.prompts.texts().isEmpty());
    }

    // A files a call while B files one of the same name first: A's row is no proof of
    // B's file, which is listed with its own note, and A's row follows A's call to the
    // copy number the mover gave it.
    void aCallFiledHereFollowsTheMover()
    {
        ShareRig rig;
        REQUIRE_SHARE(rig.share);
        QCOMPARE(rig.listAll(), 0);
        QString key = u"9"_s;
        const colCalls::Record mine = rig.list.calls().Add(9, u"bob"_s, u"01-Mar-2024"_s, u"09:10:00"_s, 30, u"mine"_s,
                                                           rig.share.pcA + u"//"_s + c1, QString(), -1, key);
        QVERIFY(mine);
        auto filedAs = std::make_shared<std::atomic<bool>>(false);
        const QString copy = c1.chopped(4) + u"-2.wav"_s;
        rig.list.AddFiledRow(mine, [filedAs, path = rig.share.pcA + u"//"_s + copy]() -> std::optional<QString> {
            return *filedAs ? std::optional(path) : std::nullopt;
        });
        ContextRig::addCall(rig.share.pcB, c1, QByteArray("theirs"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.names(), (QStringList{c1, c1}), 5000);
        ContextRig::addCall(rig.share.pcB, copy, QByteArray("mine"));
        *filedAs = true;
        const QStringList rows{c1 + u": theirs"_s, copy + u": mine"_s};
        QTRY_COMPARE_WITH_TIMEOUT(rig.names(true), rows, 5000);
        QTest::qWait(2 * CallList::LiveInterval + 500); // and stays so
        QCOMPARE(rig.names(true), rows);
    }

    // The note opened on A, changed through B, saved on A: the question comes, and each
    // answer does what it says; unchanged elsewhere, the save asks nothing.
    void noteConflict_data()
    {
        QTest::addColumn<bool>("changedOnB");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("cell");
        QTest::newRow("not changed elsewhere") << false << int(Prompts::Yes) << QByteArray("mine") << u"mine"_s;
        QTest::newRow("keep mine") << true << int(Prompts::Yes) << QByteArray("mine") << u"mine"_s;
        QTest::newRow("keep theirs") << true << int(Prompts::No) << QByteArray("theirs") << u"theirs"_s;
        QTest::newRow("show both, merged") << true << int(Prompts::Cancel)
            << QByteArray("--- Mine ---<CR>mine<CR>--- Theirs (another PC) ---<CR>theirs")
            << u"--- Mine --- <cr> mine <cr> --- Theirs (another PC) --- <cr> theirs"_s;
    }
    void noteConflict()
    {
        QFETCH(bool, changedOnB);
        QFETCH(int, answer);
        ShareRig rig;
        REQUIRE_SHARE(rig.share);
        ContextRig::addCall(rig.share.pcB, c1, QByteArray("first"));
        QCOMPARE(rig.listAll(), 1);
        rig.prompts.answerNext(Prompts::Answer(answer));
        int shown = 0;
        QTimer act;
        QObject::connect(&act, &QTimer::timeout, [&] {
            auto *dialog = rig.window.findChild<dlgEditNote *>();
            if (!dialog || !dialog->isVisible())
                return;
            if (++shown == 1) {
                QCOMPARE(dialog->txtEditNote->toPlainText(), u"first"_s);
                if (changedOnB)
                    QVERIFY(TestFiles::write(rig.share.pcB + u'/' + CallFiles::NotePathOf(c1), "theirs"));
                dialog->txtEditNote->setPlainText(u"mine"_s);
            }
            QTest::keyClick(dialog->txtEditNote, Qt::Key_Return); // the merge is kept as shown
            dialog->setParent(nullptr);                           // found no more
        });
        act.start(10);
        rig.list.EditCallNote(u"#1#"_s);
        QTRY_VERIFY(!rig.list.EditingNote());
        QTEST(TestFiles::read(rig.share.pcA + u'/' + CallFiles::NotePathOf(c1)), "file");
        QTEST(rig.cells(CallListModel::Note).value(0), "cell");
        QCOMPARE(rig.prompts.texts(), changedOnB ? QStringList{CallList::NoteConflictQuestion()} : QStringList());
        QCOMPARE(shown, answer == Prompts::Cancel && changedOnB ? 2 : 1); // both: the editor again
    }

    // The server dies or hangs while A lists, Finds or plays: a clear message within the time-out,
    // the list keeps its rows, the window's thread runs on; back, the share lists again.
    void serverGone_data()
    {
        QTest::addColumn<QString>("note"); // none: the call is played instead
        QTest::addColumn<bool>("hangs");
        QTest::newRow("listing") << u"*"_s << false;
        QTest::newRow("Find in notes") << u"note"_s << false;
        QTest::newRow("listing, server hangs") << u"*"_s << true;
        QTest::newRow("playing, server hangs") << QString() << true;
    }
    void serverGone()
    {
        QFETCH(QString, note);
        QFETCH(bool, hangs);
        ShareRig rig;
        REQUIRE_SHARE(rig.share);
        ContextRig::addCall(rig.share.pcB, c1, QByteArray("a note"));
        QCOMPARE(rig.listAll(), 1);
        PlaybackRig<FakeRecorder> player;
        player.listCall(1, rig.share.pcA + u'/' + c1);
        auto thaw = qScopeGuard([&] { hangs && rig.share.server("server-thaw"); });
        QVERIFY(rig.share.server(hangs ? "server-freeze" : "server-stop"));
        // The server's last session processes may take a moment to go.
        QTRY_VERIFY_WITH_TIMEOUT(hangs || !QFile::exists(rig.share.pcA + u'/' + c1), 5000);
        clsSearch criteria;
        criteria.Note = note;
        QElapsedTimer took, sinceTick;
        qint64 longestStill = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { longestStill = std::max(longestStill, sinceTick.restart()); });
        took.start(), sinceTick.start(), tick.start(50);
        if (note.isNull())
            player.pb.PlayCall(u"#1#"_s);
        else
            rig.listAll(criteria);
        QTRY_VERIFY_WITH_TIMEOUT(!player.pb.Looking(), FileJob::StallLimit + 2000); // a play's look
        QVERIFY2(took.elapsed() < FileJob::StallLimit + 2000, qPrintable(QString::number(took.elapsed())));
        QVERIFY2(longestStill < 1000, qPrintable(QString::number(longestStill)));
        const QString told = (note.isNull() ? player.prompts : rig.prompts).texts().join(u'|'); // once: an error of the mount, or the time-out
        QVERIFY2(!told.contains(u'|') && (told.contains(u"its share or server may be down"_s) || told == FileJob::StallMessage(FileJob::StallLimit)),
                 qPrintable(told));
        QCOMPARE(rig.names(), QStringList{c1});
        QVERIFY(rig.share.server(hangs ? "server-thaw" : "server-start"));
        rig.prompts.clear();
        ContextRig::addCall(rig.share.exported, c2, QByteArray("a note"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.listAll(criteria), 2, 20000);
        QCOMPARE(rig.names(), (QStringList{c2, c1}));
    }
};

QTEST_MAIN(tst_ShareList)
#include "tst_ShareList.moc"
