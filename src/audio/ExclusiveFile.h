#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

// A file the recorder creates for itself: never opened over an existing file, and a
// write that fails part-way (disk full, file size limit) is taken back whole, so the
// file only ever holds complete writes. Not thread-safe; one writer thread uses it.
class ExclusiveFile
{
public:
    // Creates `path`; nothing when it exists or cannot be created (errno is kept).
    static std::unique_ptr<ExclusiveFile> create(const QString &path);
    ~ExclusiveFile();
    ExclusiveFile(const ExclusiveFile &) = delete;
    ExclusiveFile &operator=(const ExclusiveFile &) = delete;

    // Writes at the current offset and moves it on. On failure the file's length is put
    // back to what it was before the call and false is returned.
    bool write(const void *data, qint64 size);
    // Writes at `offset` without moving the current offset (header fields).
    bool writeAt(qint64 offset, const void *data, qint64 size);
    qint64 read(void *data, qint64 size);
    bool seek(qint64 offset);
    qint64 offset() const { return m_offset; }
    qint64 size() const { return m_size; }
    // Closes the descriptor; false when the system reports a late write error.
    bool close();

    bool failed() const { return m_failed; }
    int error() const { return m_errno; }
    const QString &path() const { return m_path; }

private:
    ExclusiveFile(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    bool writeFully(qint64 offset, const char *data, qint64 size);
    void fail(int err);

    int m_fd = -1;
    QString m_path;
    qint64 m_offset = 0;
    qint64 m_size = 0;
    bool m_failed = false;
    int m_errno = 0;
};
