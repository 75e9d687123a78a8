#pragma once

#include "callstore/clsCall.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include <time.h>

class Prompts;

// What hears of a search that fills a list, on the search's own thread.
class CallListingSink
{
public:
    virtual ~CallListingSink() = default;
    // The search may stop: it looks between files.
    virtual bool cancelled() const { return false; }
    // The viewed folder could be read: the old listing goes, the matches follow.
    virtual void listingReplaced() = 0;
    // The viewed folder's names as the search read them, and its time of change then.
    virtual void folderRead(const QString &folder, const QStringList &files, const timespec &modified)
    {
        (void)folder, (void)files, (void)modified;
    }
    // The next match, in list order; its number and key are given when it is listed.
    virtual void callFound(std::shared_ptr<clsCall> call) = 0;
    // A folder has been searched: the list grows folder by folder.
    virtual void folderDone() {}
};

// Keeps an open list in step with its folder, which other PCs file calls into and delete
// calls from. The listing hands it the names it read; look() then runs in a job now and
// then and tells what changed since, reading the folder's names only when its time of
// change moved, and only the notes of new calls.
class ListingWatch
{
public:
    struct Changes
    {
        std::vector<std::shared_ptr<clsCall>> added; // that match the listing, newest first
        QStringList removed;                         // audio paths gone from the folder
        // Listed calls whose note was added or taken away: audio path, the note now (as listed).
        QList<std::pair<QString, QString>> notes;
    };
    virtual ~ListingWatch() = default;
    // On the listing's thread: what the listing read of the viewed folder.
    virtual void seed(const QString &folder, const QStringList &files, const timespec &modified) = 0;
    // On a job's thread: nothing when the folder is as last seen, or cannot be read now.
    virtual std::optional<Changes> look(Prompts &prompts) = 0;
    // The audio paths of the calls the user sees now (the rows in view, the selected one):
    // a note edited in place elsewhere is looked for among theirs.
    virtual void setShown(QStringList audioPaths) = 0;
};
