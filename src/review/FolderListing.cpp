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

FolderListing FolderListing::Read(const QString &folder)
{
    DIR *dir = ::opendir(FileNames::encode(folder).constData());
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
        if (type == DT_LNK || type == DT_UNKNOWN) {
            // Follow the link; a broken one is neither file nor folder.
            if (::fstatat(::dirfd(dir), name, &st, 0) != 0)
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
