#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The file helpers every test shares: real files in temporary folders.
namespace TestFiles {

// Writes the whole file, making its folder first; false when any byte did not land.
bool write(const QString &path, const QByteArray &bytes);
// The file's bytes, or "<missing>" when it cannot be read (so a comparison says so).
QByteArray read(const QString &path);
// The files in a folder by name, hidden ones included.
QStringList names(const QString &folder);
// The permission bits (07777) of a file or folder, not followed if a link; -1 when missing.
int mode(const QString &path);
// `size` bytes of noise, the same for the same seed.
QByteArray noise(quint32 seed, qsizetype size);

} // namespace TestFiles

// A disk that fills up, for any user: while alive, no file that this process (or a program
// it starts meanwhile) writes grows past `room` bytes; the write beyond fails with EFBIG,
// as one on a full disk fails with ENOSPC (RLIMIT_FSIZE, with SIGXFSZ ignored).
class FullDisk
{
public:
    explicit FullDisk(qint64 room = 0);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;
    // What the program says of a write that failed so: "27: File too large".
    static QString errorText();

private:
    qint64 m_old;
    void (*m_oldHandler)(int);
};

// A tmpfs of `bytes` mounted on `folder` while alive: a filesystem of its own. Only root
// may mount one; mounted() is false elsewhere, and the test says so as it skips.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};
