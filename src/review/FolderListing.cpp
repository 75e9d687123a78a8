#include "review/FolderListing.h"

#include "base/FileNames.h"
#include "base/RuntimeError.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

FolderListing FolderListing::Read(const QString &folder, bool mayBeLink)
{
    const int fd = ::open(FileNames::encode(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | (mayBeLink ? 0 : O_NOFOLLOW));
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (fd >= 0 && !dir)
        ::close(fd);
    if (!dir) {
        if (errno == EACCES || errno == EPERM)
            throw RuntimeError(70, u"Permission denied"_s);
        throw RuntimeError(76, u"Path not found"_s);
    }
    FolderListing listing;
    struct stat st;
    if (::fstat(::dirfd(dir), &st) == 0) {
        listing.device = st.st_dev;
        listing.inode = st.st_ino;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
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
