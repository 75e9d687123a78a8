#include "recording/TempFolder.h"

#include "base/FileAccess.h"
#include "base/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/statvfs.h>

using namespace Qt::StringLiterals;

QString SetTempFolder(SettingsStore &store)
{
    QString folder;
    QString appData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directories say.
    if (!appData.isEmpty() && QDir::isRelativePath(appData))
        appData = QDir::homePath() + u"/.local/share"_s;
    if (!appData.isEmpty()) {
        folder = appData + u"/Voxmere/"_s;
    } else {
        const QString temp = qEnvironmentVariable("TEMP").left(255);
        folder = temp.isEmpty() ? u"/tmp/"_s : (temp.endsWith(u'/') ? temp : temp + u'/');
    }
    // The whole path: a new account may not have ~/.local/share yet, and a recording
    // that cannot be opened is a lost call. Calls in progress are the user's alone.
    FileAccess::MakeFolders(folder, 0700);
    if (QDir::isRelativePath(folder)) // the mover runs in another working folder
        folder.prepend(QDir::currentPath() + u'/');
    store.SaveStringSetting(u"wavs"_s, folder);
    return folder;
}

qint64 RecordingRoomMinutes(const QString &folder, int bytesPerSecond)
{
    // Asked every second: statvfs alone, not a reading of the whole mount table.
    struct statvfs disk {};
    if (bytesPerSecond <= 0 || ::statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize) / bytesPerSecond / 60;
}
