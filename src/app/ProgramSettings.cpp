#include "app/ProgramSettings.h"

#include "app/Product.h"
#include "app/Prompts.h"
#include "app/RuntimeError.h"
#include "app/SettingsStore.h"
#include "app/modRegistry.h"
#include "app/modUtilityFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;
using modUtilityFunctions::BoolToLong;

const char *const ProgramSettings::ColumnWidthNames[5] = {"GRD_USER", "GRD_DATE", "GRD_TIME",
                                                          "GRD_DUR", "GRD_NOTE"};

QString ProgramSettings::DefaultCallPath()
{
    const QString appFolder = QCoreApplication::applicationDirPath();
    const QFileInfo calls(appFolder + u"/Calls"_s);
    if (calls.exists() ? calls.isWritable() : QFileInfo(appFolder).isWritable())
        return appFolder + u"/Calls/"_s;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + u"/Voxmere/Calls/"_s;
}

bool ProgramSettings::GetRegistrySettings(SettingsStore &store, Prompts &prompts)
{
    try {
        modRegistry &reg = store.registry();
        if (reg.ReadStringValue(store.UserKey(), u"CallPath"_s, QString(), false)
            == modRegistry::ErrorText()) {
            const bool machineHasIt = reg.ReadStringValue(store.MachineKey(), u"CallPath"_s,
                                                          QString(), false)
                != modRegistry::ErrorText();
            prompts.message(machineHasIt
                                ? u"It would appear that you have never used Voxmere before - please check your configuration"_s
                                : u"It would appear that Voxmere has not been used on this PC before - please check your configuration"_s,
                            Prompts::Information, ProductName());
        }

        const QString defaultPath = DefaultCallPath();
        CallPath = store.GetStringSetting(u"CallPath"_s, defaultPath);
        PW = store.GetStringSetting(u"PW"_s, QString());
        Minimised = store.GetLongSetting(u"Minimised"_s, 0) != 0;
        AutoRecord = store.GetLongSetting(u"AutoRecord"_s, 0) != 0;
        AddNote = store.GetLongSetting(u"AddNote"_s, 1) != 0;
        Maximise = store.GetLongSetting(u"Maximise"_s, 1) != 0;
        CanPlay = store.GetLongSetting(u"CanPlay"_s, 1) != 0;
        CanDelete = store.GetLongSetting(u"CanDelete"_s, 1) != 0;
        PlayOwnOnly = store.GetLongSetting(u"PlayOwnOnly"_s, 0) != 0;
        DeleteOwnOnly = store.GetLongSetting(u"DeleteOwnOnly"_s, 0) != 0;
        CallTimeOut = store.GetLongSetting(u"CallTimeOut"_s, 5);
        Sensitivity = store.GetLongSetting(u"Sensitivity"_s, -18);
        MinCallLength = store.GetLongSetting(u"MinCallLength"_s, 10);
        Top = store.GetLongSetting(u"Top"_s, 0);
        Left = store.GetLongSetting(u"Left"_s, 0);
        SearchPath = store.GetStringSetting(u"SearchPath"_s, defaultPath);
        if (SearchPath == modRegistry::ErrorText())
            SearchPath = CallPath;
        GsmFlag = store.GetLongSetting(u"Format"_s, 0) == 0;
        SD = store.GetLongSetting(u"SD"_s, 0) == 1;
    } catch (const std::exception &e) {
        prompts.message(u"An error occured in frmMain:GetRegistrySettings. The error was: "_s
                            + QString::number(RuntimeError::numberOf(e)) + u": "_s
                            + RuntimeError::descriptionOf(e)
                            + u"\r\nWarning - your user settings may not be correct - please re-install."_s,
                        Prompts::Critical, ProductName() + u" Error"_s);
        return false;
    }
    SaveAllSettings(store);
    return true;
}

void ProgramSettings::SaveAllSettings(SettingsStore &store) const
{
    store.SaveStringSetting(u"SearchPath"_s, SearchPath);
    store.SaveLongSetting(u"Minimised"_s, BoolToLong(Minimised));
    store.SaveLongSetting(u"Top"_s, Top);
    store.SaveLongSetting(u"Left"_s, Left);
    store.SaveStringSetting(u"CallPath"_s, CallPath);
    store.SaveLongSetting(u"AddNote"_s, BoolToLong(AddNote));
    store.SaveLongSetting(u"AutoRecord"_s, BoolToLong(AutoRecord));
    store.SaveLongSetting(u"Maximise"_s, BoolToLong(Maximise));
    store.SaveLongSetting(u"CanPlay"_s, BoolToLong(CanPlay));
    store.SaveLongSetting(u"CanDelete"_s, BoolToLong(CanDelete));
    store.SaveLongSetting(u"PlayOwnOnly"_s, BoolToLong(PlayOwnOnly));
    store.SaveLongSetting(u"DeleteOwnOnly"_s, BoolToLong(DeleteOwnOnly));
    store.SaveLongSetting(u"CallTimeOut"_s, CallTimeOut);
    store.SaveLongSetting(u"Sensitivity"_s, Sensitivity);
    store.SaveLongSetting(u"MinCallLength"_s, MinCallLength);
    store.SaveLongSetting(u"Format"_s, GsmFlag ? 0 : 1);
    store.SaveLongSetting(u"SD"_s, SD ? 1 : 0);
}
