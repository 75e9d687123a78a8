#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace TestFiles {

// Every test runs under the usual umask, so that a mode left to it shows as 0644.
[[maybe_unused]] static const mode_t usualUmask = ::umask(022);

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList names(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

int mode(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QByteArray noise(quint32 seed, qsizetype size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

} // namespace TestFiles

SmallDisk::SmallDisk(const QString &folder, qint64 bytes) : m_folder(folder), m_bytes(bytes)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                        options.constData())
        == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool SmallDisk::leaveRoom(qint64 free)
{
    QFile ballast(m_folder + u"/ballast"_s);
    const QByteArray bytes(m_bytes - free, 'x');
    return ballast.open(QIODevice::WriteOnly) && ballast.write(bytes) == bytes.size();
}
