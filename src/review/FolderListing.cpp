#include "review/FolderListing.h"

#include "base/FileNames.h"
#include "base/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

static RuntimeError folderError(int error, const QString &folder)
{
    if (error == EACCES || error == EPERM)
        return RuntimeError(70, QCoreApplication::translate("RuntimeError", "Permission denied"));
    if (error == ENOENT || error == ENOTDIR || error == ELOOP)
        return RuntimeError(76, QCoreApplication::translate("RuntimeError", "Path not found"));
    return RuntimeError(57, QCoreApplication::translate("RuntimeError", "The folder %1 does not answer (%2); its share or server may be down")
                                .arg(folder, QString::fromLocal8Bit(strerror(error))));
}

FolderListing FolderListing::Read(const QString &folder, bool mayBeLink)
{
    const int fd = ::open(FileNames::encode(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | (mayBeLink ? 0 : O_NOFOLLOW));
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (fd >= 0 && !dir)
        ::close(fd);
    if (!dir)
        throw folderError(errno, folder);
    FolderListing listing;
    struct stat st;
    if (::fstat(::dirfd(dir), &st) == 0) {
        listing.device = st.st_dev;
        listing.inode = st.st_ino;
        listing.modified = st.st_mtim;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            // A share that dies half-way ends the listing with an error, not a short list.
            if (const int error = errno) {
                ::closedir(dir);
                throw folderError(error, folder);
            }
            break;
        }
        const char *name = entry->d_name;
        // Hidden names are no calls: files on their way in, the folder's marker.
        if (name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        // A link is neither file nor folder: followed, it could lead anywhere out of the
        // calls folder, which others may write to.
        if (type == DT_UNKNOWN) {
            if (::fstatat(::dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_REG)
            listing.files << FileNames::decode(name);
        else if (type == DT_DIR)
            listing.folders << FileNames::decode(name);
    }
    ::closedir(dir);
    return listing;
}
