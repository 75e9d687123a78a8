#include "review/LiveFolder.h"

#include "base/FileNames.h"
#include "callstore/CallFiles.h"
#include "review/FolderListing.h"

#include <QHash>

#include <sys/stat.h>
#include <time.h>

using namespace Qt::StringLiterals;

static bool changedRecently(const timespec &modified)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec - modified.tv_sec <= 2;
}

LiveFolder::LiveFolder(CallSearch::Scope scope, clsSearch criteria)
    : m_scope(std::move(scope)), m_criteria(std::move(criteria))
{
}

void LiveFolder::seed(const QString &folder, const QStringList &files, const timespec &modified)
{
    std::lock_guard hold(m_lock);
    m_folder = folder;
    m_names = QSet<QString>(files.begin(), files.end());
    m_modified = modified;
    m_recheck = changedRecently(modified);
    m_seeded = true;
}

void LiveFolder::setShown(QStringList audioPaths)
{
    std::lock_guard hold(m_shownLock);
    m_shown = std::move(audioPaths);
}

std::optional<ListingWatch::Changes> LiveFolder::look(Prompts &prompts)
{
    std::lock_guard hold(m_lock);
    if (!m_seeded)
        return std::nullopt;
    struct stat st {};
    if (::stat(FileNames::encode(m_folder).constData(), &st) != 0)
        return std::nullopt; // gone or not answering: the list stays as it is
    if (!m_recheck && st.st_mtim.tv_sec == m_modified.tv_sec && st.st_mtim.tv_nsec == m_modified.tv_nsec)
        return std::nullopt;
    FolderListing listing;
    try {
        listing = FolderListing::Read(m_folder);
    } catch (const std::exception &) {
        return std::nullopt;
    }
    const QSet<QString> now(listing.files.begin(), listing.files.end());
    Changes changes;
    QStringList added;
    QSet<QString> notes;
    for (const QString &name : listing.files) {
        if (!m_names.contains(name))
            added << name;
        if (!name.endsWith(u".wav"_s, Qt::CaseInsensitive))
            notes.insert(name);
    }
    QStringList gone;
    for (const QString &name : std::as_const(m_names))
        if (!now.contains(name))
            gone << name;
    for (const QString &name : std::as_const(gone))
        if (name.endsWith(u".wav"_s, Qt::CaseInsensitive))
            changes.removed << CallFiles::JoinPath(m_folder, name);
    // A note another PC added beside a call listed before, or took away.
    const QSet<QString> fresh(added.begin(), added.end());
    QHash<QString, QString> callOfNote;
    for (const QString &name : listing.files)
        if (const QString note = CallFiles::NotePathOf(name); note != name && !fresh.contains(name))
            callOfNote.insert(note, name);
    for (const QStringList &changed : {added, gone})
        for (const QString &name : changed)
            if (const auto call = callOfNote.constFind(name); call != callOfNote.constEnd()) {
                const QString audio = CallFiles::JoinPath(m_folder, *call);
                changes.notes.append({audio, CallFiles::getCallNote(audio, prompts)});
            }
    // The folder changed and every name stayed: a file was saved over its old one, most
    // likely a note edited on another PC. Only the notes the user sees are read again.
    if (added.isEmpty() && gone.isEmpty())
        for (const QString &audio : [this] { std::lock_guard hold(m_shownLock); return m_shown; }())
            changes.notes.append({audio, CallFiles::getCallNote(audio, prompts)});
    m_names = now;
    m_modified = listing.modified;
    m_recheck = changedRecently(listing.modified);
    if (!added.isEmpty())
        changes.added = CallSearch(m_scope, prompts).Matching(m_criteria, m_folder, added, notes);
    if (changes.added.empty() && changes.removed.isEmpty() && changes.notes.isEmpty())
        return std::nullopt;
    return changes;
}
