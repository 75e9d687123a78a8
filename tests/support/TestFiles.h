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

// A tmpfs of `bytes` mounted on `folder` while alive: a disk that fills up. Needs root;
// mounted() is false elsewhere, and the test skips.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return m_mounted; }
    // Fills it with a ballast file until `free` bytes (whole 4 KiB pages) are left.
    bool leaveRoom(qint64 free);

private:
    QString m_folder;
    qint64 m_bytes;
    bool m_mounted = false;
};
