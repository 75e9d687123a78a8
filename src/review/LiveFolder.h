#pragma once

#include "callstore/CallListingSink.h"
#include "review/CallSearch.h"
#include "review/clsSearch.h"

#include <QSet>
#include <QString>

#include <mutex>

// The live side of a listing of one folder: what other PCs filed into it or deleted from
// it since. A look costs one stat of the folder while nothing changed; after a change it
// reads the folder's names and compares them, and reads the notes of new calls, the
// notes added or taken away beside listed ones, and, when no name changed (a note saved
// over its old file), the notes of the calls in view.
class LiveFolder final : public ListingWatch
{
public:
    LiveFolder(CallSearch::Scope scope, clsSearch criteria);

    void seed(const QString &folder, const QStringList &files, const timespec &modified) override;
    std::optional<Changes> look(Prompts &prompts) override;
    void setShown(QStringList audioPaths) override;

private:
    std::mutex m_lock; // a look and a late seed never overlap
    CallSearch::Scope m_scope;
    clsSearch m_criteria;
    QString m_folder;
    QSet<QString> m_names;
    std::mutex m_shownLock; // apart: the window's thread never waits for a look on a hung share
    QStringList m_shown;
    timespec m_modified = {};
    bool m_seeded = false;
    // The folder changed in the second it was read: a time of change kept in whole
    // seconds (as over SFTP) may not move again for a change made later in that second.
    bool m_recheck = false;
};
