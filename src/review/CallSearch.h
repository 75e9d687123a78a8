#pragma once

#include "callstore/CallFiles.h"
#include "callstore/CallListingSink.h"
#include "review/clsSearch.h"
#include "review/modSearch.h"

#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include <sys/types.h>

struct AppContext;
class colCalls;
struct FolderListing;
class Prompts;

// FindCalls and its folder walk: hands the sink the calls of the viewed folder (and the
// folders below it with the "subfolders" setting) that match the criteria, newest first
// within each folder. It touches no window and no collection, so that it runs in a job.
class CallSearch
{
public:
    using Sink = CallListingSink;

    // The question asked before listing more than this many files of one folder.
    static constexpr qsizetype QuestionAbove = 200;

    // What the search takes of the program, read on the window's thread before it runs.
    struct Scope
    {
        QString folder;          // the viewed folder
        bool subfolders = false; // the "subfolders" setting, unless the folder alone is asked
        bool ownOnly = false;    // "CanPlay" and "PlayOwnOnly": the user's own calls only
        QString user;            // CurrentUserName
    };
    // folderOnly: the viewed folder alone, whatever the "subfolders" setting.
    static Scope ScopeOf(AppContext &app, bool folderOnly = false);

    // Questions and error boxes go to prompts.
    CallSearch(Scope scope, Prompts &prompts);

    // Runs the search. An error ends it with the "frmMain:FindCalls" box; what the sink
    // heard stays. Answers the number of calls found.
    qsizetype Run(clsSearch criteria, Sink &sink);
    // The same into a collection, which is replaced once the folder could be read.
    qsizetype FindCalls(clsSearch criteria, std::unique_ptr<colCalls> &calls);

    // The calls among `names` (files of `folder`) that match, newest first, as a listing
    // would find them, without its question; `notes` are the folder's other files.
    // A call of a folder that passed the name's rules, its note read ahead.
    struct Candidate
    {
        const QString *name;
        QStringView user;
        QDate day;
        QTime time;
        qint32 seconds;
        QString location;
        bool hasNote;
        CallFiles::NoteFile note;
    };

    std::vector<std::shared_ptr<clsCall>> Matching(clsSearch criteria, const QString &folder,
                                                   const QStringList &names, const QSet<QString> &notes);

private:
    void prepare(clsSearch criteria);
    void SearchFolder(const QString &folder, const QStringList &files, const QSet<QString> *notes);
    void SearchFolderTree(const QString &folder, const FolderListing &listing);
    void SearchFolder(const QString &folder, const FolderListing &listing);
    bool firstVisit(const FolderListing &listing);
    void judgeNote(const CallFiles::NoteFile &file, const QString &location, bool &matches,
                   QString &note, bool &truncated);

    Scope m_scope;
    Prompts &m_prompts;

    // State of the search in progress.
    Sink *m_sink = nullptr;
    qsizetype m_found = 0;
    clsSearch m_criteria;
    modSearch::DateRange m_dates;
    bool m_noteRule = false;
    bool m_ask = true;
    QStringList m_pieces;
    QString m_pattern;
    QRegularExpression m_patternRx;
    std::vector<std::pair<dev_t, ino_t>> m_visited;
    QSet<QString> m_users;
};
