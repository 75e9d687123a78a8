#pragma once

#include <QString>

#include <chrono>

// A lock on a folder itself (flock on the folder's own descriptor). It needs no file, so a
// full disk cannot keep anyone from taking it, and the system lets go of it when its
// holder ends, however that ends. It holds between the processes of one PC.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Without waiting: exclusive to work in the folder, shared to see whether anyone does.
    bool tryLock(bool exclusive = true);
    // Tries again until `wait` has passed.
    bool lock(std::chrono::milliseconds wait);
    // Why the folder cannot be locked at all (0 when it only is held by another).
    int error() const { return m_error; }

private:
    int m_fd;
    int m_error = 0;
};
