#include "recording/TempFolder.h"

#include "base/FileAccess.h"
#include "base/SettingsStore.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString SetTempFolder(SettingsStore &store)
{
    QString folder;
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!appData.isEmpty()) {
        folder = appData + u"/Voxmere/"_s;
    } else {
        const QString temp = qEnvironmentVariable("TEMP").left(255);
        folder = temp.isEmpty() ? u"/tmp/"_s : (temp.endsWith(u'/') ? temp : temp + u'/');
    }
    // The whole path: a new account may not have ~/.local/share yet, and a recording
    // that cannot be opened is a lost call. Calls in progress are the user's alone.
    FileAccess::MakeFolders(folder, 0700);
    store.SaveStringSetting(u"wavs"_s, folder);
    return folder;
}
