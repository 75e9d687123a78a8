#pragma once

#include <QStringList>

#include <sys/types.h>

// One read of a folder: its files and subfolders by name, in the order the file system
// lists them. Types come from the directory entries; only links (and file systems that
// give no type) cost a stat.
struct FolderListing
{
    QStringList files;
    QStringList folders;
    dev_t device = 0; // the folder's identity, for telling a looping link
    ino_t inode = 0;

    // Throws RuntimeError 76 (Path not found) or 70 (Permission denied).
    static FolderListing Read(const QString &folder);
};
