#include "mover/FolderLock.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock(const QString &folder)
    : m_fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (m_fd < 0)
        m_error = errno;
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FolderLock::tryLock(bool exclusive)
{
    if (m_fd < 0)
        return false;
    int result;
    do
        result = ::flock(m_fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0 && errno != EWOULDBLOCK)
        m_error = errno;
    return result == 0;
}

bool FolderLock::lock(std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!tryLock()) {
        if (m_error || std::chrono::steady_clock::now() >= until)
            return false;
        QThread::msleep(50);
    }
    return true;
}
