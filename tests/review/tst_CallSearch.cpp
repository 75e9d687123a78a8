#include "ReviewFixture.h"
#include "callstore/CallFiles.h"
#include "callstore/colCalls.h"
#include "review/CallSearch.h"

#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

// What the call list would hear.
struct RecordingSink : CallSearch::Sink
{
    int replaced = 0;
    QList<QPair<qsizetype, qsizetype>> appended;
    void listingReplaced(colCalls &calls) override
    {
        ++replaced;
        QCOMPARE(calls.Count(), 0);
    }
    void callsAppended(qsizetype first, qsizetype last) override { appended.append({first, last}); }
};

class tst_CallSearch : public QObject
{
    Q_OBJECT

private:
    static QStringList names(const colCalls &calls)
    {
        QStringList result;
        for (const auto &call : calls)
            result << CallFiles::SplitCallFileName(call->RecordingLocation().section(u'/', -1))->time;
        return result;
    }
    static qsizetype find(ReviewFixture &f, clsSearch criteria, std::unique_ptr<colCalls> &calls,
                          CallSearch::Sink *sink = nullptr)
    {
        return CallSearch(f.app, sink).FindCalls(criteria, calls);
    }
    static void addMany(const QString &folder, int count)
    {
        for (int i = 0; i < count; ++i)
            ReviewFixture::addCall(folder, u"20050612-%1-bob-5.wav"_s.arg(QTime(10, 0).addSecs(i).toString(u"HHmmss"_s)));
    }

private slots:
    void listsNewestFirstWithKeysAndNotes();
    void straySkipped_data();
    void straySkipped();
    void questionAbove200_data();
    void questionAbove200();
    void cancelInOneFolderLeavesTheOthers();
    void ownCallsOnly_data();
    void ownCallsOnly();
    void oneSidedDateRanges_data();
    void oneSidedDateRanges();
    void noteSearch();
    void foldersAppendedOneByOne();
    void loopingLinkEnds();
    void unreadableSubfolderSkipped();
    void missingFolderChangesNothing();
    void hugeNoteIsCut();
};

void tst_CallSearch::listsNewestFirstWithKeysAndNotes()
{
    ReviewFixture f;
    const QString folder = f.folder();
    ReviewFixture::addCall(folder, u"20050203-090507-operator-75.wav"_s, QByteArray("first line\r\nsecond line"));
    ReviewFixture::addCall(folder, u"20050203-100000-ann-3.wav"_s);
    ReviewFixture::addCall(folder, u"20050204-080000-bob-0.wav"_s, QByteArray("edited<CR>note"));
    ReviewFixture::addCall(folder, u"notes.txt"_s);

    std::unique_ptr<colCalls> calls;
    QCOMPARE(find(f, clsSearch(), calls), 3);
    QCOMPARE(names(*calls), (QStringList{u"080000"_s, u"100000"_s, u"090507"_s}));
    const auto first = calls->Item(u"#1#"_s);
    QCOMPARE(first->LoginName(), u"bob"_s);
    QCOMPARE(first->CallDate(), QDate(2005, 2, 4));
    QCOMPARE(first->CallNote(), u"edited<CR>note"_s);
    const auto last = calls->Item(3);
    QCOMPARE(last->iCall(), 3);
    QCOMPARE(last->CallTime(), QTime(9, 5, 7));
    QCOMPARE(last->CallDuration(), 75);
    QCOMPARE(last->CallNote(), u"first line <CR> second line"_s);
    QCOMPARE(last->RecordingLocation(), folder + u"/20050203-090507-operator-75.wav"_s);
    QCOMPARE(calls->Item(2)->CallNote(), QString());
    QVERIFY(f.prompts.shown().isEmpty());
}

void tst_CallSearch::straySkipped_data()
{
    QTest::addColumn<QString>("stray");
    QTest::newRow("three fields") << u"20050612-143005-ann.wav"_s;
    QTest::newRow("no month number") << u"2005xx12-143005-ann-5.wav"_s;
    QTest::newRow("month 13") << u"20051312-143005-ann-5.wav"_s;
    QTest::newRow("no date") << u"20050231-143005-ann-5.wav"_s;
    QTest::newRow("no time") << u"20050612-996005-ann-5.wav"_s;
    QTest::newRow("no length") << u"20050612-143005-ann-smith-5.wav"_s;
    QTest::newRow("other file") << u"readme.wav"_s;
}

void tst_CallSearch::straySkipped()
{
    QFETCH(QString, stray);
    ReviewFixture f;
    const QString folder = f.folder();
    ReviewFixture::addCall(folder, u"20050612-100000-ann-5.wav"_s);
    ReviewFixture::addCall(folder, stray);
    ReviewFixture::addCall(folder, u"20050612-200000-ann-5.wav"_s);
    std::unique_ptr<colCalls> calls;
    QCOMPARE(find(f, clsSearch(), calls), 2);
    QCOMPARE(names(*calls), (QStringList{u"200000"_s, u"100000"_s}));
    QVERIFY(f.prompts.shown().isEmpty());
}

void tst_CallSearch::questionAbove200_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("listed");
    QTest::newRow("200") << 200 << Prompts::Cancel << false << 200;
    QTest::newRow("201, OK") << 201 << Prompts::Ok << true << 201;
    QTest::newRow("201, Cancel") << 201 << Prompts::Cancel << true << 0;
}

void tst_CallSearch::questionAbove200()
{
    QFETCH(int, files);
    QFETCH(Prompts::Answer, answer);
    ReviewFixture f;
    addMany(f.folder(), files);
    f.prompts.answerNext(answer);
    std::unique_ptr<colCalls> calls;
    QTEST(int(find(f, clsSearch(), calls)), "listed");
    QFETCH(bool, asked);
    if (asked) {
        QCOMPARE(f.prompts.shown().size(), 1);
        const auto &box = f.prompts.shown().first();
        QCOMPARE(box.text, u"Query returned 201 calls.  This may take some time to display.\r\n"
                           "Click OK to continue or Cancel to refine your search"_s);
        QCOMPARE(box.buttons, Prompts::OkCancel);
        QCOMPARE(box.icon, Prompts::NoIcon);
        QCOMPARE(box.caption, u"Voxmere"_s);
    } else {
        QVERIFY(f.prompts.shown().isEmpty());
    }
}

void tst_CallSearch::cancelInOneFolderLeavesTheOthers()
{
    ReviewFixture f;
    f.app.store.SaveLongSetting(u"subfolders"_s, -1);
    ReviewFixture::addCall(f.folder(), u"20050612-090000-ann-5.wav"_s);
    addMany(f.folder(u"big"_s), 201);
    ReviewFixture::addCall(f.folder(u"small"_s), u"20050612-100000-ann-5.wav"_s);
    f.prompts.answerNext(Prompts::Cancel);
    std::unique_ptr<colCalls> calls;
    QCOMPARE(find(f, clsSearch(), calls), 2);
    QCOMPARE(f.prompts.shown().size(), 1);
    QCOMPARE(calls->Item(2)->iCall(), 2);
}

void tst_CallSearch::ownCallsOnly_data()
{
    QTest::addColumn<bool>("canPlay");
    QTest::addColumn<bool>("ownOnly");
    QTest::addColumn<QString>("typedUser");
    QTest::addColumn<QStringList>("users");
    QTest::newRow("own only, whatever typed") << true << true << u"*bob*"_s << QStringList{u"ann"_s, u"ann"_s};
    QTest::newRow("own only but no playing") << false << true << u"*"_s << QStringList{u"carl"_s, u"bob"_s, u"ann"_s, u"ann"_s};
    QTest::newRow("user typed") << true << false << u"*bo*"_s << QStringList{u"bob"_s};
}

void tst_CallSearch::ownCallsOnly()
{
    QFETCH(bool, canPlay);
    QFETCH(bool, ownOnly);
    QFETCH(QString, typedUser);
    ReviewFixture f;
    f.app.settings.CanPlay = canPlay;
    f.app.settings.PlayOwnOnly = ownOnly;
    const QString folder = f.folder();
    for (const char *name : {"20050612-100000-ann-5.wav", "20050612-110000-ann-5.wav",
                             "20050612-120000-bob-5.wav", "20050612-130000-carl-5.wav"})
        ReviewFixture::addCall(folder, QString::fromLatin1(name));
    clsSearch criteria;
    criteria.User = typedUser;
    std::unique_ptr<colCalls> calls;
    find(f, criteria, calls);
    QStringList users;
    for (const auto &call : *calls)
        users << call->LoginName();
    QTEST(users, "users");
}

void tst_CallSearch::oneSidedDateRanges_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("times");
    QTest::newRow("from a day on") << u"20050612"_s << u"*"_s << QStringList{u"080000"_s, u"200000"_s};
    QTest::newRow("up to a day") << u"*"_s << u"20050612"_s << QStringList{u"200000"_s, u"100000"_s};
    QTest::newRow("one day") << u"20050612"_s << u"20050612"_s << QStringList{u"200000"_s};
    QTest::newRow("start after end") << u"20050613"_s << u"20050611"_s << QStringList();
}

void tst_CallSearch::oneSidedDateRanges()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    ReviewFixture f;
    const QString folder = f.folder();
    ReviewFixture::addCall(folder, u"20041231-100000-ann-5.wav"_s);
    ReviewFixture::addCall(folder, u"20050612-200000-ann-5.wav"_s);
    ReviewFixture::addCall(folder, u"20060101-080000-ann-5.wav"_s);
    clsSearch criteria;
    criteria.StartDate = start;
    criteria.EndDate = end;
    std::unique_ptr<colCalls> calls;
    find(f, criteria, calls);
    QVERIFY2(f.prompts.shown().isEmpty(), qPrintable(f.prompts.texts().join(u'|')));
    QTEST(names(*calls), "times");
}

void tst_CallSearch::noteSearch()
{
    ReviewFixture f;
    f.app.store.SaveLongSetting(u"subfolders"_s, -1);
    ReviewFixture::addCall(f.folder(), u"20050612-100000-ann-5.wav"_s, QByteArray("Invoice for SMITH"));
    ReviewFixture::addCall(f.folder(), u"20050612-110000-ann-5.wav"_s, QByteArray("smith only"));
    ReviewFixture::addCall(f.folder(), u"20050612-120000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(u"sub"_s), u"20050612-130000-ann-5.wav"_s, QByteArray("smith: invoice"));
    clsSearch criteria;
    criteria.Note = u"smith*invoice"_s;
    std::unique_ptr<colCalls> calls;
    find(f, criteria, calls);
    QCOMPARE(names(*calls), (QStringList{u"100000"_s, u"130000"_s}));
    QCOMPARE(calls->Item(1)->CallNote(), u"Invoice for SMITH"_s);
}

void tst_CallSearch::foldersAppendedOneByOne()
{
    ReviewFixture f;
    f.app.store.SaveLongSetting(u"subfolders"_s, -1);
    ReviewFixture::addCall(f.folder(), u"20050612-100000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(), u"20050612-110000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(u"a"_s), u"20050612-120000-ann-5.wav"_s);
    f.folder(u"a/empty"_s);
    ReviewFixture::addCall(f.folder(u"a/deeper"_s), u"20050612-130000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(u"a/deeper"_s), u"20050612-140000-ann-5.wav"_s);

    std::unique_ptr<colCalls> calls = std::make_unique<colCalls>();
    QString key = u"1"_s;
    calls->Add(1, u"old"_s, QDate(2000, 1, 1), QTime(1, 0), 1, QString(), u"/x"_s, QString(), -1, key);
    RecordingSink sink;
    QCOMPARE(find(f, clsSearch(), calls, &sink), 5);
    QCOMPARE(sink.replaced, 1);
    // Top folder first, then a folder before its own subfolder; no folder twice.
    using Range = QPair<qsizetype, qsizetype>;
    QCOMPARE(sink.appended, (QList<Range>{{1, 2}, {3, 3}, {4, 5}}));
    QCOMPARE(names(*calls).mid(0, 3), (QStringList{u"110000"_s, u"100000"_s, u"120000"_s}));
}

void tst_CallSearch::loopingLinkEnds()
{
    ReviewFixture f;
    f.app.store.SaveLongSetting(u"subfolders"_s, -1);
    ReviewFixture::addCall(f.folder(), u"20050612-100000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(u"a"_s), u"20050612-110000-ann-5.wav"_s);
    QVERIFY(QFile::link(f.folder(), f.folder(u"a"_s) + u"/back-to-top"_s));
    QVERIFY(QFile::link(f.folder(u"a"_s), f.folder() + u"/also-a"_s));
    std::unique_ptr<colCalls> calls;
    QCOMPARE(find(f, clsSearch(), calls), 2);
}

void tst_CallSearch::unreadableSubfolderSkipped()
{
    ReviewFixture f;
    f.app.store.SaveLongSetting(u"subfolders"_s, -1);
    ReviewFixture::addCall(f.folder(u"a"_s), u"20050612-100000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(u"b"_s), u"20050612-110000-ann-5.wav"_s);
    ReviewFixture::addCall(f.folder(u"c"_s), u"20050612-120000-ann-5.wav"_s);
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    for (const char *sub : {"", "/a", "/c"})
        QFile::setPermissions(f.folder() + QString::fromLatin1(sub), open);
    QFile::setPermissions(f.folder(u"b"_s), QFile::ReadOwner | QFile::ExeOwner);
    // The settings stay readable (and lockable) for the unprivileged user.
    QFile::setPermissions(f.roots.path(), open);
    for (const QString &key : {f.roots.userRoot(), f.roots.machineRoot()})
        QFile::setPermissions(key + u"/Voxmere"_s, QFile::Permissions(0x7777));
    AsUnprivilegedUser nobody;
    std::unique_ptr<colCalls> calls;
    QCOMPARE(find(f, clsSearch(), calls), 2);
    QVERIFY(!names(*calls).contains(u"110000"_s));
    QVERIFY(f.prompts.shown().isEmpty());
}

void tst_CallSearch::missingFolderChangesNothing()
{
    ReviewFixture f;
    f.app.settings.SearchPath = f.folder() + u"/gone/"_s;
    std::unique_ptr<colCalls> calls = std::make_unique<colCalls>();
    QString key = u"1"_s;
    calls->Add(1, u"old"_s, QDate(2000, 1, 1), QTime(1, 0), 1, QString(), u"/x"_s, QString(), -1, key);
    const colCalls *before = calls.get();
    RecordingSink sink;
    QCOMPARE(find(f, clsSearch(), calls, &sink), 1);
    QCOMPARE(calls.get(), before);
    QCOMPARE(sink.replaced, 0);
    QCOMPARE(f.prompts.texts(), QStringList{u"An error occured in: frmMain:FindCalls. The error reported was: 76, Path not found"_s});
    QCOMPARE(f.prompts.shown().first().icon, Prompts::Exclamation);
}

void tst_CallSearch::hugeNoteIsCut()
{
    ReviewFixture f;
    QByteArray huge(3 * CallFiles::NoteReadCap, 'x');
    huge.prepend("start ");
    ReviewFixture::addCall(f.folder(), u"20050612-100000-ann-5.wav"_s, huge);
    ReviewFixture::addCall(f.folder(), u"20050612-110000-ann-5.wav"_s, QByteArray("short"));
    std::unique_ptr<colCalls> calls;
    QCOMPARE(find(f, clsSearch(), calls), 2);
    const auto cut = calls->Item(2);
    QCOMPARE(cut->CallNote().size(), CallFiles::NoteReadCap);
    QVERIFY(cut->CallNote().startsWith(u"start x"_s));
    QVERIFY(cut->NoteTruncated());
    QVERIFY(!calls->Item(1)->NoteTruncated());
}

QTEST_GUILESS_MAIN(tst_CallSearch)
#include "tst_CallSearch.moc"
