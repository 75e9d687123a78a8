#include "base/FileAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/FileNames.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace FileAccess {

namespace {

// The group bits a folder shared with its group (set-group-ID, or one the group may
// write) passes on; none for any other folder.
mode_t sharedBits(const struct stat &folder)
{
    return (folder.st_mode & (S_ISGID | S_IWGRP)) ? folder.st_mode & S_IRWXG : 0;
}

} // namespace

mode_t FolderModeIn(const QString &parent)
{
    struct stat st;
    const mode_t shared = ::stat(QFile::encodeName(parent).constData(), &st) == 0 ? sharedBits(st) : 0;
    return shared ? S_ISGID | S_IRWXU | shared : S_IRWXU;
}

bool MakeFolder(const QString &path, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), mode & 0777) != 0)
        return false;
    // Group access only with the parent's group (a folder that is not set-group-ID gives
    // ours, which may be anybody's).
    struct stat parent, made;
    if ((mode & S_IRWXG) && ::stat(QFile::encodeName(QFileInfo(path).path()).constData(), &parent) == 0
        && ::stat(name.constData(), &made) == 0 && made.st_gid != parent.st_gid
        && ::chown(name.constData(), uid_t(-1), parent.st_gid) != 0)
        mode &= ~mode_t(S_IRWXG | S_ISGID);
    // mkdir took the umask off and may have dropped the set-group-ID bit.
    ::chmod(name.constData(), mode);
    return true;
}

bool MakeFolders(const QString &path, mode_t mode)
{
    const QString folder = QDir::cleanPath(path);
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).path();
    if (parent == folder || !MakeFolders(parent, mode))
        return false;
    return MakeFolder(folder, mode == ByParent ? FolderModeIn(parent) : mode)
           || (errno == EEXIST && QFileInfo(folder).isDir());
}

void TakeAccessOf(int fd, const QString &folder)
{
    struct stat dir, file;
    mode_t mode = S_IRUSR | S_IWUSR;
    if (::stat(QFile::encodeName(folder).constData(), &dir) == 0 && ::fstat(fd, &file) == 0) {
        const mode_t shared = sharedBits(dir) & (S_IRGRP | S_IWGRP);
        // Group access only with the folder's group: the user's own may be anybody's.
        if (shared && (file.st_gid == dir.st_gid || ::fchown(fd, uid_t(-1), dir.st_gid) == 0))
            mode |= shared;
    }
    // A share that keeps no modes refuses; its own mount options decide there.
    ::fchmod(fd, mode);
}

bool IsPrivateFolder(const QString &path, QString *why)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        *why = QCoreApplication::translate("FileAccess", "%1 cannot be used: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    else if (!S_ISDIR(st.st_mode))
        *why = QCoreApplication::translate("FileAccess", "%1 is a link or no folder").arg(path);
    else if (st.st_uid != ::geteuid())
        *why = QCoreApplication::translate("FileAccess", "%1 belongs to another user").arg(path);
    else if (st.st_mode & (S_IWGRP | S_IWOTH))
        *why = QCoreApplication::translate("FileAccess", "others may write in %1").arg(path);
    else
        return true;
    return false;
}

int OpenRegular(const QString &path, struct stat *st)
{
    const int fd = ::open(FileNames::encode(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat own;
    struct stat &info = st ? *st : own;
    const bool stated = ::fstat(fd, &info) == 0;
    if (!stated || !S_ISREG(info.st_mode)) {
        const int error = stated ? EINVAL : errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Reads of a regular file never block; the flag would only confuse a reader.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace FileAccess
