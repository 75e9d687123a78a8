#include "callstore/CallFiles.h"
#include "callstore/colCalls.h"
#include "ContextRig.h"
#include "review/CallSearch.h"

#include <QTest>

using namespace Qt::StringLiterals;

// What the call list would hear: the count found after each folder.
struct RecordingSink : CallSearch::Sink
{
    int replaced = 0;
    qsizetype found = 0;
    QList<qsizetype> folders;
    void listingReplaced() override { ++replaced; }
    void callFound(std::shared_ptr<clsCall>) override { ++found; }
    void folderDone() override { folders << found; }
};

// Calls of 12 June 2005 at the given times (HHmmss) and user.
static void addCalls(const QString &folder, const QStringList &times, const QString &user = u"ann"_s)
{
    for (const QString &time : times)
        ContextRig::addCall(folder, u"20050612-%1-%2-5.wav"_s.arg(time, user));
}

class tst_CallSearch : public QObject
{
    Q_OBJECT

    // A listing holding one old call, to see whether a search replaced it.
    static std::unique_ptr<colCalls> oldListing()
    {
        auto calls = std::make_unique<colCalls>();
        QString key = u"1"_s;
        calls->Add(1, u"old"_s, QDate(2000, 1, 1), QTime(1, 0), 1, QString(), u"/x"_s, QString(), -1, key);
        return calls;
    }
    static QStringList times(const colCalls &calls)
    {
        QStringList result;
        for (const auto &call : calls)
            result << CallFiles::SplitCallFileName(call->RecordingLocation().section(u'/', -1))->time;
        return result;
    }
    // Searches with the criteria and gives the times found, newest first.
    static qsizetype findInto(ContextRig &f, const clsSearch &criteria, std::unique_ptr<colCalls> &calls)
    {
        return CallSearch(CallSearch::ScopeOf(f.app), f.prompts).FindCalls(criteria, calls);
    }
    static QStringList find(ContextRig &f, const clsSearch &criteria)
    {
        std::unique_ptr<colCalls> calls;
        findInto(f, criteria, calls);
        return calls ? times(*calls) : QStringList{u"<none>"_s};
    }

private slots:
    void listsNewestFirstSkippingStrays()
    {
        ContextRig f;
        const QString folder = f.folder();
        ContextRig::addCall(folder, u"20050203-090507-operator-75.wav"_s, QByteArray("first line\r\nsecond line"));
        ContextRig::addCall(folder, u"20050203-100000-ann-3.wav"_s);
        ContextRig::addCall(folder, u"20050204-080000-bob-0.wav"_s, QByteArray("edited<CR>note"));
        // A leap day, with a note far over the read cap.
        ContextRig::addCall(folder, u"20040229-070000-ann-5.wav"_s, "start " + QByteArray(3 * CallFiles::NoteReadCap, 'x'));
        // Files that are no calls, each beside real ones.
        for (const char *stray : {"20050612-143005-ann.wav", "2005xx12-143005-ann-5.wav", "20051312-143005-ann-5.wav",
                                  "20050231-143005-ann-5.wav", "20050229-143005-ann-5.wav", "20050200-143005-ann-5.wav", "20050012-143005-ann-5.wav",
                                  "20050612-996005-ann-5.wav", "20050612-143005-ann-smith-5.wav", "readme.wav", "notes.txt"})
            ContextRig::addCall(folder, QString::fromLatin1(stray));
        std::unique_ptr<colCalls> calls;
        QCOMPARE(findInto(f, clsSearch(), calls), 4);
        QCOMPARE(times(*calls), (QStringList{u"080000"_s, u"100000"_s, u"090507"_s, u"070000"_s}));
        // The fields and notes themselves: see the call list's test, which fills from this search.
        QVERIFY(!calls->Item(3)->NoteTruncated());
        const auto cut = calls->Item(4);
        QCOMPARE(cut->CallNote().size(), CallFiles::NoteReadCap);
        QVERIFY(cut->CallNote().startsWith(u"start x"_s));
        QVERIFY(cut->NoteTruncated());
        QVERIFY(f.prompts.shown().isEmpty());
    }

    // The question is asked per folder: one folder's Cancel leaves the others listed.
    void questionAbove200_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<Prompts::Answer>("answer");
        QTest::addColumn<int>("listed");
        QTest::newRow("200") << 200 << Prompts::Cancel << 202;
        QTest::newRow("201, OK") << 201 << Prompts::Ok << 203;
        QTest::newRow("201, Cancel") << 201 << Prompts::Cancel << 2;
    }
    void questionAbove200()
    {
        QFETCH(int, files);
        QFETCH(Prompts::Answer, answer);
        ContextRig f;
        f.app.store.SaveLongSetting(u"subfolders"_s, -1);
        addCalls(f.folder(), {u"090000"_s});
        for (int i = 0; i < files; ++i)
            addCalls(f.folder(u"big"_s), {QTime(10, 0).addSecs(i).toString(u"HHmmss"_s)}, u"bob"_s);
        addCalls(f.folder(u"small"_s), {u"230000"_s});
        f.prompts.answerNext(answer);
        QTEST(int(find(f, clsSearch()).size()), "listed");
        QCOMPARE(f.prompts.shown().size(), int(files > 200));
        if (files > 200)
            QCOMPARE(f.prompts.shown().first().buttons, Prompts::OkCancel);
    }

    void criteria_data()
    {
        QTest::addColumn<bool>("ownOnly");
        QTest::addColumn<QString>("typed"); // user|start|end|note
        QTest::addColumn<QString>("times"); // found, newest first
        QTest::newRow("everything, subfolder too") << false << u"*|*|*|*"_s << u"080000 200000 120000 100000 130000"_s;
        QTest::newRow("own only, whatever typed") << true << u"*bob*|*|*|*"_s << u"080000 200000 100000 130000"_s;
        QTest::newRow("user typed") << false << u"*bo*|*|*|*"_s << u"120000"_s;
        QTest::newRow("from a day on") << false << u"*|20050612|*|*"_s << u"080000 200000 120000"_s;
        QTest::newRow("up to a day") << false << u"*|*|20050612|*"_s << u"200000 120000 100000 130000"_s;
        QTest::newRow("one day") << false << u"*|20050612|20050612|*"_s << u"200000 120000"_s;
        QTest::newRow("over a year's end") << false << u"*|20041231|20050612|*"_s << u"200000 120000 100000"_s;
        QTest::newRow("start after end") << false << u"*|20050613|20050611|*"_s << QString();
        QTest::newRow("note words, any order and case") << false << u"*|*|*|smith*invoice"_s << u"200000 130000"_s;
    }
    void criteria()
    {
        QFETCH(bool, ownOnly);
        QFETCH(QString, typed);
        ContextRig f;
        f.app.settings.PlayOwnOnly = ownOnly;
        f.app.store.SaveLongSetting(u"subfolders"_s, -1);
        const QString folder = f.folder();
        ContextRig::addCall(folder, u"20041231-100000-ann-5.wav"_s, QByteArray("smith only"));
        ContextRig::addCall(folder, u"20050612-120000-bob-5-2.wav"_s); // another PC's, second of its name
        ContextRig::addCall(folder, u"20050612-200000-ann-5.wav"_s, QByteArray("Invoice for SMITH"));
        ContextRig::addCall(folder, u"20060101-080000-ann-5.wav"_s);
        ContextRig::addCall(f.folder(u"sub"_s), u"20030101-130000-ann-5.wav"_s, QByteArray("smith: invoice"));
        const QStringList fields = typed.split(u'|');
        clsSearch criteria;
        criteria.User = fields[0];
        criteria.StartDate = fields[1];
        criteria.EndDate = fields[2];
        criteria.Note = fields[3];
        QTEST(find(f, criteria).join(u' '), "times");
        QVERIFY2(f.prompts.shown().isEmpty(), qPrintable(f.prompts.texts().join(u'|')));
    }

    // Top folder first, then a folder before its own subfolders; a looping link ends and
    // an unreadable folder is passed over.
    void subfolderWalk()
    {
        ContextRig f;
        f.app.store.SaveLongSetting(u"subfolders"_s, -1);
        addCalls(f.folder(), {u"100000"_s, u"110000"_s});
        addCalls(f.folder(u"a"_s), {u"120000"_s});
        f.folder(u"a/empty"_s);
        addCalls(f.folder(u"a/locked"_s), {u"150000"_s});
        addCalls(f.folder(u"a/deeper"_s), {u"130000"_s, u"140000"_s});
        QVERIFY(QFile::link(f.folder(), f.folder(u"a/deeper"_s) + u"/back-to-top"_s));
        QVERIFY(QFile::link(f.folder(u"a"_s), f.folder() + u"/also-a"_s));
        for (const QString &path : {f.folder(), f.folder(u"a"_s), f.folder(u"a/deeper"_s), f.roots.path()})
            QFile::setPermissions(path, QFile::Permissions(0x7755));
        // Unreadable for its owner too, whether root as "nobody" or an ordinary user runs this.
        QFile::setPermissions(f.folder(u"a/locked"_s), QFile::Permissions());
        auto unlock = qScopeGuard([&] { QFile::setPermissions(f.folder(u"a/locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        // The settings stay readable (and lockable) for the unprivileged user.
        for (const QString &key : {f.roots.userRoot(), f.roots.machineRoot()})
            QFile::setPermissions(key + u"/Voxmere"_s, QFile::Permissions(0x7777));
        AsUnprivilegedUser nobody;
        auto calls = oldListing();
        RecordingSink sink;
        QCOMPARE(CallSearch(CallSearch::ScopeOf(f.app), f.prompts).Run(clsSearch(), sink), 5);
        QCOMPARE(sink.replaced, 1);
        QCOMPARE(sink.folders, (QList<qsizetype>{2, 3, 5}));
        QCOMPARE(findInto(f, clsSearch(), calls), 5);
        QCOMPARE(times(*calls), (QStringList{u"110000"_s, u"100000"_s, u"120000"_s, u"140000"_s, u"130000"_s}));
        QCOMPARE(calls->Item(5)->iCall(), 5);
        QVERIFY(f.prompts.shown().isEmpty());
    }

    void missingFolderKeepsTheListing()
    {
        ContextRig f;
        f.app.settings.SearchPath = f.folder() + u"/gone/"_s;
        auto calls = oldListing();
        const colCalls *before = calls.get();
        RecordingSink sink;
        QCOMPARE(findInto(f, clsSearch(), calls), 1);
        QCOMPARE(calls.get(), before);
        QCOMPARE(CallSearch(CallSearch::ScopeOf(f.app), f.prompts).Run(clsSearch(), sink), 0);
        QCOMPARE(sink.replaced, 0);
        QCOMPARE(f.prompts.shown().size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_CallSearch)
#include "tst_CallSearch.moc"
