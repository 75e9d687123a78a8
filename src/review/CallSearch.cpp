#include "review/CallSearch.h"

#include "base/AppContext.h"
#include "base/modErrors.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "callstore/CallFiles.h"
#include "callstore/colCalls.h"
#include "review/FolderListing.h"
#include "review/modDateFunctions.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QThreadPool>

#include <latch>

#include <algorithm>

using namespace Qt::StringLiterals;

CallSearch::Scope CallSearch::ScopeOf(AppContext &app, bool folderOnly)
{
    Scope scope;
    scope.folder = app.settings.SearchPath;
    scope.subfolders = !folderOnly && app.store.GetLongSetting(u"subfolders"_s, 0) != 0;
    scope.ownOnly = app.settings.CanPlay && app.settings.PlayOwnOnly;
    scope.user = app.CurrentUserName;
    return scope;
}

CallSearch::CallSearch(Scope scope, Prompts &prompts) : m_scope(std::move(scope)), m_prompts(prompts) {}

qsizetype CallSearch::Run(clsSearch criteria, Sink &sink)
{
    m_sink = &sink;
    prepare(std::move(criteria));
    try {
        // Everything that can refuse the search does so before the list changes.
        QString top = m_scope.folder;
        while (top.size() > 1 && top.endsWith(u'/'))
            top.chop(1);
        const FolderListing listing = FolderListing::Read(top);
        m_dates = modSearch::DateRuleOf(m_criteria);
        sink.listingReplaced();
        sink.folderRead(top, listing.files, listing.modified);
        if (m_scope.subfolders)
            SearchFolderTree(top, listing);
        else
            SearchFolder(top, listing.files, nullptr);
    } catch (const std::exception &e) {
        m_prompts.message(QCoreApplication::translate("CallSearch", "An error occured in: frmMain:FindCalls. The error reported was: %1, %2")
                              .arg(RuntimeError::numberOf(e)).arg(RuntimeError::descriptionOf(e)),
                          Prompts::Exclamation, ProductName());
    }
    m_sink = nullptr;
    return m_found;
}

void CallSearch::prepare(clsSearch criteria)
{
    m_found = 0;
    m_criteria = std::move(criteria);
    m_visited.clear();
    m_pattern.clear();
    m_noteRule = modSearch::NoteConditionApplies(m_criteria.Note);
    m_pieces = modSearch::NotePieces(m_criteria.Note);
}

std::vector<std::shared_ptr<clsCall>> CallSearch::Matching(clsSearch criteria, const QString &folder,
                                                           const QStringList &names, const QSet<QString> &notes)
{
    struct Into final : Sink
    {
        std::vector<std::shared_ptr<clsCall>> calls;
        void listingReplaced() override {}
        void callFound(std::shared_ptr<clsCall> call) override { calls.push_back(std::move(call)); }
    } into;
    m_sink = &into;
    m_ask = false;
    prepare(std::move(criteria));
    m_dates = modSearch::DateRuleOf(m_criteria);
    SearchFolder(folder, names, &notes);
    m_sink = nullptr;
    return std::move(into.calls);
}

qsizetype CallSearch::FindCalls(clsSearch criteria, std::unique_ptr<colCalls> &calls)
{
    struct Into final : Sink
    {
        Prompts &prompts;
        std::unique_ptr<colCalls> &calls;
        Into(Prompts &p, std::unique_ptr<colCalls> &c) : prompts(p), calls(c) {}
        void listingReplaced() override
        {
            EmptyCollection(calls);
            calls = std::make_unique<colCalls>(&prompts);
        }
        void callFound(std::shared_ptr<clsCall> call) override { calls->Append(std::move(call)); }
    } into(m_prompts, calls);
    Run(std::move(criteria), into);
    return calls ? calls->Count() : 0;
}

bool CallSearch::firstVisit(const FolderListing &listing)
{
    const std::pair<dev_t, ino_t> id{listing.device, listing.inode};
    if (std::find(m_visited.begin(), m_visited.end(), id) != m_visited.end())
        return false;
    m_visited.push_back(id);
    return true;
}

void CallSearch::SearchFolderTree(const QString &folder, const FolderListing &listing)
{
    // A link back up the tree (or to a folder searched already) is not followed again.
    if (!firstVisit(listing))
        return;
    SearchFolder(folder, listing.files, nullptr);
    for (const QString &name : listing.folders) {
        if (m_sink->cancelled())
            return;
        const QString sub = CallFiles::JoinPath(folder, name);
        FolderListing subListing;
        try {
            subListing = FolderListing::Read(sub, false);
        } catch (const RuntimeError &) {
            continue; // an unreadable folder hides only its own calls
        }
        SearchFolderTree(sub, subListing);
    }
}

// Fields of a call file name: "date-time-user-seconds.wav" (more fields are ignored).
static bool splitFields(QStringView name, QStringView (&fields)[4])
{
    const QStringView stem = name.chopped(4);
    qsizetype start = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype dash = stem.indexOf(u'-', start);
        if (dash < 0) {
            if (i < 3)
                return false;
            fields[i] = stem.mid(start);
        } else {
            fields[i] = stem.mid(start, dash - start);
            start = dash + 1;
        }
    }
    return true;
}

static int twoDigits(QStringView s)
{
    if (s.size() != 2 || !s[0].isDigit() || !s[1].isDigit())
        return -1;
    return (s[0].unicode() - '0') * 10 + (s[1].unicode() - '0');
}

// Each note read on a share waits a round trip: the notes of a stretch of calls are read
// side by side, a few at a time.
static void readNotes(std::vector<CallSearch::Candidate> &batch)
{
    // Never freed: a reader held by a dead share must not hold up the program's end.
    static QThreadPool *const readers = [] {
        auto *pool = new QThreadPool;
        pool->setMaxThreadCount(8);
        pool->setExpiryTimeout(5000);
        return pool;
    }();
    if (std::none_of(batch.begin(), batch.end(), [](const CallSearch::Candidate &c) { return c.hasNote; }))
        return;
    constexpr size_t Slices = 8;
    std::latch done(Slices);
    for (size_t slice = 0; slice < Slices; ++slice) {
        readers->start([&batch, &done, slice] {
            for (size_t i = slice; i < batch.size(); i += Slices)
                if (batch[i].hasNote)
                    batch[i].note = CallFiles::ReadCallNote(batch[i].location);
            done.count_down();
        });
    }
    done.wait();
}

void CallSearch::judgeNote(const CallFiles::NoteFile &file, const QString &location, bool &matches,
                           QString &note, bool &truncated)
{
    matches = true;
    truncated = file.truncated;
    QString text;
    switch (file.status) {
    case CallFiles::NoteFile::Missing:
        matches = !m_noteRule;
        return;
    case CallFiles::NoteFile::Denied:
        note = QCoreApplication::translate("CallSearch", "<denied access to note file>");
        break;
    case CallFiles::NoteFile::Failed:
        modErrors::ReportError(m_prompts, file.errorNumber, file.errorText, 999,
                               u"frmMain:getCallNote Method"_s, QString());
        break;
    case CallFiles::NoteFile::Read:
        text = CallFiles::DecodeNote(file.bytes);
        note = CallFiles::NoteForList(text);
        break;
    }
    if (!m_noteRule)
        return;
    if (file.status != CallFiles::NoteFile::Read) {
        modErrors::ReportError(m_prompts, file.errorNumber, file.errorText, 999,
                               u"frmMain:FindStringInFile: '"_s + m_criteria.Note + u"' in '"_s
                                   + location + u"'"_s,
                               QString());
        matches = false;
        return;
    }
    matches = modSearch::PiecesFound(m_pieces, text.toUpper());
}

void CallSearch::SearchFolder(const QString &folder, const QStringList &files, const QSet<QString> *notes)
{
    if (m_scope.ownOnly)
        m_criteria.User = m_scope.user;

    const QString pattern = modSearch::BuildFilePattern(m_criteria);
    if (pattern != m_pattern) {
        m_pattern = pattern;
        m_patternRx = QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                         QRegularExpression::CaseInsensitiveOption);
    }
    QStringList matched;
    QSet<QString> noteNames;
    for (const QString &name : files) {
        if (name.endsWith(u".wav"_s, Qt::CaseInsensitive) && m_patternRx.match(name).hasMatch())
            matched << name;
        else if (!notes)
            noteNames.insert(name);
    }
    if (notes)
        noteNames = *notes;
    if (matched.isEmpty())
        return;

    if (m_ask && matched.size() > QuestionAbove) {
        const auto answer = m_prompts.msgBox(
            QCoreApplication::translate("CallSearch", "Query returned %1 calls.  This may take some time to display.\r\n"
                                        "Click OK to continue or Cancel to refine your search").arg(matched.size()),
            Prompts::OkCancel, Prompts::NoIcon, ProductName());
        if (answer == Prompts::Cancel)
            return;
    }
    std::sort(matched.begin(), matched.end());

    const QString folderPrefix = CallFiles::JoinPath(folder, QString());
    // Whatever ends this folder, the list hears of every call it found.
    const auto done = qScopeGuard([this] { m_sink->folderDone(); });
    // The folder's listing says which notes exist, unless the folder's own path holds
    // ".wav" (then the note path differs in the folder part too).
    const bool everyNote = folder.contains(u".wav"_s);
    constexpr qsizetype Stretch = 64;
    std::vector<Candidate> batch;
    for (qsizetype high = matched.size() - 1; high >= 0; high -= Stretch) {
        if (m_sink->cancelled())
            return;
        batch.clear();
        for (qsizetype i = high; i >= 0 && i > high - Stretch; --i) {
            const QString &name = matched[i];
            // A stray name (too few fields, no date, time or length) is passed over.
            QStringView fields[4];
            if (!splitFields(name, fields))
                continue;
            const auto day = modDateFunctions::CallDateOf(fields[0]);
            if (!day)
                continue;
            const QTime time(twoDigits(fields[1].mid(0, 2)), twoDigits(fields[1].mid(2, 2)),
                             twoDigits(fields[1].mid(4, 2)));
            bool numeric = false;
            const qint32 seconds = fields[3].toInt(&numeric);
            if (!time.isValid() || !numeric || !m_dates.contains(*day))
                continue;
            batch.push_back({&name, fields[2], *day, time, seconds, CallFiles::JoinPath(folder, name),
                             everyNote || noteNames.contains(CallFiles::NotePathOf(name)), {}});
        }
        readNotes(batch);
        for (const Candidate &c : batch) {
            if (m_sink->cancelled())
                return;
            bool matches = false, truncated = false;
            QString note;
            judgeNote(c.note, c.location, matches, note, truncated);
            if (!matches)
                continue;
            auto call = std::make_shared<clsCall>();
            // One text a user: the same few names label most calls.
            call->setLoginName(*m_users.insert(c.user.toString()));
            call->setCallDate(c.day);
            call->setCallTime(c.time);
            call->setCallDuration(c.seconds);
            call->setCallNote(note);
            call->setRecordingLocation(folderPrefix, *c.name);
            call->setNoteTruncated(truncated);
            ++m_found;
            m_sink->callFound(std::move(call));
        }
    }
}
