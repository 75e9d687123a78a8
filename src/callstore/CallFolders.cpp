#include "callstore/CallFolders.h"

#include "base/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace CallFolders {

bool IsValidFolderName(const QString &name)
{
    for (QChar c : u"|><?*:/\\\""_s)
        if (name.contains(c))
            return false;
    return true;
}

static QFileInfoList entriesOf(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isReadable() || !info.isExecutable())
        throw RuntimeError(70, QCoreApplication::translate("RuntimeError", "Permission denied"));
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                      | QDir::NoDotAndDotDot);
}

bool TreeIsEmpty(const QString &folder)
{
    for (const QFileInfo &entry : entriesOf(folder))
        if (entry.isSymLink() || !entry.isDir() || !TreeIsEmpty(entry.filePath()))
            return false;
    return true;
}

void RemoveEmptyTree(const QString &folder)
{
    // A read-only folder would keep its subfolders.
    QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOwner
                                      | QFile::WriteOwner | QFile::ExeOwner);
    for (const QFileInfo &entry : entriesOf(folder))
        if (entry.isDir() && !entry.isSymLink())
            RemoveEmptyTree(entry.filePath());
    if (::rmdir(QFile::encodeName(folder).constData()) != 0)
        throw RuntimeError(75, QString::fromLocal8Bit(strerror(errno)));
}

QString NearestExisting(const QString &path)
{
    QString p = QDir::cleanPath(path);
    while (!QFileInfo(p).isDir()) {
        const qsizetype slash = p.lastIndexOf(u'/');
        if (slash <= 0)
            return u"/"_s;
        p.truncate(slash);
    }
    return p;
}

} // namespace CallFolders
