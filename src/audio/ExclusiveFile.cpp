#include "audio/ExclusiveFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::unique_ptr<ExclusiveFile> ExclusiveFile::create(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<ExclusiveFile>(new ExclusiveFile(fd, path));
}

ExclusiveFile::~ExclusiveFile()
{
    close();
}

void ExclusiveFile::fail(int err)
{
    m_failed = true;
    m_errno = err;
}

bool ExclusiveFile::writeFully(qint64 offset, const char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, data + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(n < 0 ? errno : ENOSPC);
            return false;
        }
        done += n;
    }
    return true;
}

bool ExclusiveFile::write(const void *data, qint64 size)
{
    if (m_fd < 0)
        return false;
    const qint64 before = m_size;
    if (!writeFully(m_offset, static_cast<const char *>(data), size)) {
        // Take the torn write back: a reader must never meet half a block.
        if (::ftruncate(m_fd, off_t(before)) == 0)
            m_size = before;
        m_offset = qMin(m_offset, m_size);
        return false;
    }
    m_offset += size;
    m_size = qMax(m_size, m_offset);
    return true;
}

bool ExclusiveFile::writeAt(qint64 offset, const void *data, qint64 size)
{
    if (m_fd < 0 || offset + size > m_size)
        return false; // header fields lie inside what is written already
    return writeFully(offset, static_cast<const char *>(data), size);
}

qint64 ExclusiveFile::read(void *data, qint64 size)
{
    if (m_fd < 0)
        return -1;
    ssize_t n;
    do {
        n = ::pread(m_fd, data, size_t(size), off_t(m_offset));
    } while (n < 0 && errno == EINTR);
    if (n > 0)
        m_offset += n;
    return n;
}

bool ExclusiveFile::seek(qint64 offset)
{
    if (offset < 0)
        return false;
    m_offset = offset;
    return true;
}

bool ExclusiveFile::close()
{
    if (m_fd < 0)
        return !m_failed;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        fail(errno);
    return !m_failed;
}
