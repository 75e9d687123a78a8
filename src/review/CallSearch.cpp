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

#include <algorithm>

using namespace Qt::StringLiterals;

CallSearch::CallSearch(AppContext &app, Sink *sink, bool folderOnly)
    : m_app(app), m_sink(sink), m_folderOnly(folderOnly)
{
}

qsizetype CallSearch::FindCalls(clsSearch criteria, std::unique_ptr<colCalls> &calls)
{
    m_criteria = std::move(criteria);
    m_visited.clear();
    m_pattern.clear();
    try {
        // Everything that can refuse the search does so before the list changes.
        QString top = m_app.settings.SearchPath;
        while (top.size() > 1 && top.endsWith(u'/'))
            top.chop(1);
        const FolderListing listing = FolderListing::Read(top);
        m_dates = modSearch::DateRuleOf(m_criteria);
        m_noteRule = modSearch::NoteConditionApplies(m_criteria.Note);
        m_pieces = modSearch::NotePieces(m_criteria.Note);

        auto fresh = std::make_unique<colCalls>(&m_app.prompts());
        m_calls = fresh.get();
        if (m_sink)
            m_sink->listingReplaced(*fresh);
        EmptyCollection(calls);
        calls = std::move(fresh);

        if (!m_folderOnly && m_app.store.GetLongSetting(u"subfolders"_s, 0) != 0)
            SearchFolderTree(top, listing);
        else
            SearchFolder(top, listing);
    } catch (const std::exception &e) {
        if (m_sink)
            m_sink->busy(false);
        m_app.prompts().message(u"An error occured in: frmMain:FindCalls. The error reported was: "_s
                                    + QString::number(RuntimeError::numberOf(e)) + u", "_s
                                    + RuntimeError::descriptionOf(e),
                                Prompts::Exclamation, ProductName());
    }
    m_calls = nullptr;
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
    SearchFolder(folder, listing);
    for (const QString &name : listing.folders) {
        const QString sub = CallFiles::JoinPath(folder, name);
        FolderListing subListing;
        try {
            subListing = FolderListing::Read(sub);
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

void CallSearch::readNote(const QString &folder, const QString &name, const QString &location,
                          const QSet<QString> &noteNames, bool &matches, QString &note,
                          bool &truncated)
{
    // The folder's listing says which notes exist, unless the folder's own path holds
    // ".wav" (then the note path differs in the folder part too).
    CallFiles::NoteFile file;
    if (folder.contains(u".wav"_s) || noteNames.contains(CallFiles::NotePathOf(name)))
        file = CallFiles::ReadCallNote(location);

    matches = true;
    truncated = file.truncated;
    QString text;
    switch (file.status) {
    case CallFiles::NoteFile::Missing:
        matches = !m_noteRule;
        return;
    case CallFiles::NoteFile::Denied:
        note = u"<denied access to note file>"_s;
        break;
    case CallFiles::NoteFile::Failed:
        modErrors::ReportError(m_app.prompts(), file.errorNumber, file.errorText, 999,
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
        modErrors::ReportError(m_app.prompts(), file.errorNumber, file.errorText, 999,
                               u"frmMain:FindStringInFile: '"_s + m_criteria.Note + u"' in '"_s
                                   + location + u"'"_s,
                               QString());
        matches = false;
        return;
    }
    matches = modSearch::PiecesFound(m_pieces, text.toUpper());
}

void CallSearch::SearchFolder(const QString &folder, const FolderListing &listing)
{
    const ProgramSettings &s = m_app.settings;
    if (s.CanPlay && s.PlayOwnOnly)
        m_criteria.User = m_app.CurrentUserName;

    const QString pattern = modSearch::BuildFilePattern(m_criteria);
    if (pattern != m_pattern) {
        m_pattern = pattern;
        m_patternRx = QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                         QRegularExpression::CaseInsensitiveOption);
    }
    QStringList matched;
    QSet<QString> noteNames;
    for (const QString &name : listing.files) {
        if (name.endsWith(u".wav"_s, Qt::CaseInsensitive) && m_patternRx.match(name).hasMatch())
            matched << name;
        else
            noteNames.insert(name);
    }
    if (matched.isEmpty())
        return;

    if (matched.size() > QuestionAbove) {
        if (m_sink)
            m_sink->busy(false);
        const auto answer = m_app.prompts().msgBox(
            u"Query returned "_s + QString::number(matched.size())
                + u" calls.  This may take some time to display.\r\nClick OK to continue or Cancel to refine your search"_s,
            Prompts::OkCancel, Prompts::NoIcon, ProductName());
        if (answer == Prompts::Cancel)
            return;
        if (m_sink)
            m_sink->busy(true);
    }
    std::sort(matched.begin(), matched.end());

    // Whatever ends this folder, the list hears of every record it added.
    const qsizetype before = m_calls->Count();
    struct Announce
    {
        Sink *sink;
        colCalls *calls;
        qsizetype before;
        ~Announce()
        {
            if (sink && calls->Count() > before)
                sink->callsAppended(before + 1, calls->Count());
        }
    } announce{m_sink, m_calls, before};

    for (qsizetype i = matched.size() - 1; i >= 0; --i) {
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
        if (!time.isValid() || !numeric)
            continue;
        if (!m_dates.contains(*day))
            continue;

        const QString location = CallFiles::JoinPath(folder, name);
        bool matches = false, truncated = false;
        QString note;
        readNote(folder, name, location, noteNames, matches, note, truncated);
        if (!matches)
            continue;

        QString key = QString::number(m_calls->Count() + 1);
        const auto call = m_calls->Add(qint32(m_calls->Count() + 1), fields[2].toString(), *day,
                                       time, seconds, note, location, QString(), -1, key);
        if (call)
            call->setNoteTruncated(truncated);
    }
}
