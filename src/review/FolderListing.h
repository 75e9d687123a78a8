#pragma once

#include <QStringList>

#include <sys/types.h>

// One read of a folder: its files and subfolders by name, in the order the file system
// lists them. Types come from the directory entries (a file system that gives none costs
// a stat); links are left out, whatever they point at.
struct FolderListing
{
    QStringList files;
    QStringList folders;
    dev_t device = 0; // the folder's identity, for telling a looping link
    ino_t inode = 0;

    // mayBeLink: the folder itself may be a link (the viewed folder, which the user
    // chose); a folder found in a listing may not, should it have become one since.
    // Throws RuntimeError 76 (Path not found) or 70 (Permission denied).
    static FolderListing Read(const QString &folder, bool mayBeLink = true);
};
