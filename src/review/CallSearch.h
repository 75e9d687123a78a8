#pragma once

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

// FindCalls and its folder walk: fills the calls collection with the calls of the viewed
// folder (and the folders below it with the "subfolders" setting) that match the
// criteria, newest first within each folder.
class CallSearch
{
public:
    using Sink = CallListingSink;

    // The question asked before listing more than this many files of one folder.
    static constexpr qsizetype QuestionAbove = 200;

    // folderOnly: the viewed folder alone, whatever the "subfolders" setting.
    explicit CallSearch(AppContext &app, Sink *sink = nullptr, bool folderOnly = false);

    // Replaces `calls` by a new collection of the matching calls and returns its count.
    // An error ends the search with the "frmMain:FindCalls" box; what was listed stays.
    qsizetype FindCalls(clsSearch criteria, std::unique_ptr<colCalls> &calls);

private:
    void SearchFolderTree(const QString &folder, const FolderListing &listing);
    void SearchFolder(const QString &folder, const FolderListing &listing);
    bool firstVisit(const FolderListing &listing);
    void readNote(const QString &folder, const QString &name, const QString &location,
                  const QSet<QString> &noteNames, bool &matches, QString &note, bool &truncated);

    AppContext &m_app;
    Sink *m_sink;
    bool m_folderOnly;

    // State of the search in progress.
    clsSearch m_criteria;
    colCalls *m_calls = nullptr;
    modSearch::DateRange m_dates;
    bool m_noteRule = false;
    QStringList m_pieces;
    QString m_pattern;
    QRegularExpression m_patternRx;
    std::vector<std::pair<dev_t, ino_t>> m_visited;
};
