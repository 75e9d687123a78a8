#pragma once

#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

// Who may reach what the program makes. A folder shared with a group (its set-group-ID
// bit, or write access for the group) passes that group's access on to the files and
// folders made in it, which take its group and its set-group-ID bit; anywhere else they
// are the user's alone. Others never get in, and a folder that
// exists already keeps its mode. Modes are set whatever the umask.
namespace FileAccess {

// 0700; in a shared folder 02700 plus that folder's group bits.
mode_t FolderModeIn(const QString &parent);

// Makes one folder with exactly `mode`, in its parent's group when `mode` gives the group
// any access (without it when the group cannot be had); false with errno set, as mkdir.
bool MakeFolder(const QString &path, mode_t mode);

// Makes a folder and whichever of its parents are missing, each with `mode`, or by
// default with FolderModeIn its parent. True when the folder is there.
inline constexpr mode_t ByParent = mode_t(-1);
bool MakeFolders(const QString &path, mode_t mode = ByParent);

// Gives an open file of ours, placed in `folder`, that folder's access: 0600, or in a
// shared folder its group and that group's read and write.
void TakeAccessOf(int fd, const QString &folder);

// A folder nobody but this user can change: a folder itself (no link), owned by the
// effective user, which neither group nor others may write. Else false and *why.
bool IsPrivateFolder(const QString &path, QString *why);

// Opens a file of a calls folder for reading, as anyone who writes there may have made
// it: a link is not followed, a FIFO or device neither blocks the open nor is read, and
// the descriptor is never inherited. Answers the descriptor of a regular file, with its
// stat in *st when asked, or -1 with errno: ELOOP for a link, EINVAL for anything else
// that is no regular file.
int OpenRegular(const QString &path, struct stat *st = nullptr);

} // namespace FileAccess
