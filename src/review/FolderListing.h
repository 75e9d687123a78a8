#pragma once

#include <QStringList>

#include <sys/types.h>
#include <time.h>

// One read of a folder: its files and subfolders by name, in the order the file system
// lists them. Types come from the directory entries (a file system that gives none costs
// a stat); links are left out, whatever they point at, and so are hidden names (".x").
struct FolderListing
{
    QStringList files;
    QStringList folders;
    dev_t device = 0; // the folder's identity, for telling a looping link
    ino_t inode = 0;
    struct timespec modified = {}; // the folder's modification time, taken before its names

    // mayBeLink: the folder itself may be a link (the viewed folder, which the user
    // chose); a folder found in a listing may not, should it have become one since.
    // Throws RuntimeError 76 (Path not found), 70 (Permission denied) or 57 (a folder
    // that does not answer, as a share whose server is gone).
    static FolderListing Read(const QString &folder, bool mayBeLink = true);
};
