#pragma once

#include <QString>

// Folders of calls as the folder browser creates and removes them.
namespace CallFolders {

// The characters a folder name may not hold: \ / : * ? " < > |
bool IsValidFolderName(const QString &name);

// True when nothing but folders lies anywhere below the folder (a link counts as
// something). Throws RuntimeError 70 when a folder of the tree cannot be read.
bool TreeIsEmpty(const QString &folder);

// Removes a tree that holds folders only, read-only ones included. Only empty folders
// are ever removed, so a file that appeared meanwhile stops it with an error.
// Throws RuntimeError with the system's reason.
void RemoveEmptyTree(const QString &folder);

// The folder when it exists, else its nearest existing parent.
QString NearestExisting(const QString &path);

} // namespace CallFolders
