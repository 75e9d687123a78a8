#include "recording/TempFolder.h"

#include "app/SettingsStore.h"

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
    // One level only: a missing parent means something is wrong with the account.
    QDir().mkdir(folder);
    store.SaveStringSetting(u"wavs"_s, folder);
    return folder;
}
