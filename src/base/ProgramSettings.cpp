#include "base/ProgramSettings.h"

#include "base/modRegistry.h"
#include "base/modUtilityFunctions.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "base/SettingsStore.h"

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
                                ? QCoreApplication::translate("ProgramSettings", "It would appear that you have never used Voxmere before - please check your configuration")
                                : QCoreApplication::translate("ProgramSettings", "It would appear that Voxmere has not been used on this PC before - please check your configuration"),
                            Prompts::Information, ProductName());
        }

        // A value outside what the program can use (a hand-edited file, another version)
        // reads as the default, as a missing one does.
        const auto number = [&store](const QString &name, qint32 defaultValue, qint32 min, qint32 max) {
            const qint32 value = store.GetLongSetting(name, defaultValue);
            return value < min || value > max ? defaultValue : value;
        };
        const auto text = [&store](const QString &name, const QString &defaultValue) {
            const QString value = store.GetStringSetting(name, defaultValue);
            return value.isEmpty() ? defaultValue : value;
        };
        CallPath = text(u"CallPath"_s, DefaultCallPath());
        PW = store.GetStringSetting(u"PW"_s, QString());
        Minimised = store.GetLongSetting(u"Minimised"_s, 0) != 0;
        AutoRecord = store.GetLongSetting(u"AutoRecord"_s, 0) != 0;
        AddNote = store.GetLongSetting(u"AddNote"_s, 1) != 0;
        Maximise = store.GetLongSetting(u"Maximise"_s, 1) != 0;
        CanPlay = store.GetLongSetting(u"CanPlay"_s, 1) != 0;
        CanDelete = store.GetLongSetting(u"CanDelete"_s, 1) != 0;
        PlayOwnOnly = store.GetLongSetting(u"PlayOwnOnly"_s, 0) != 0;
        DeleteOwnOnly = store.GetLongSetting(u"DeleteOwnOnly"_s, 0) != 0;
        CallTimeOut = number(u"CallTimeOut"_s, 5, 2, 20);
        Sensitivity = number(u"Sensitivity"_s, -18, -50, 0);
        MinCallLength = number(u"MinCallLength"_s, 10, 0, 60);
        PreRoll = number(u"PreRoll"_s, 3, 0, MaxPreRoll);
        Top = store.GetLongSetting(u"Top"_s, 0);
        Left = store.GetLongSetting(u"Left"_s, 0);
        // The folder viewed last; without a usable one, the calls folder.
        SearchPath = text(u"SearchPath"_s, CallPath);
        GsmFlag = number(u"Format"_s, 0, 0, 1) == 0;
        SD = store.GetLongSetting(u"SD"_s, 0) == 1;
    } catch (const std::exception &e) {
        prompts.message(QCoreApplication::translate("ProgramSettings", "An error occured in frmMain:GetRegistrySettings. The error was: %1: %2"
                                                      "\r\nWarning - your user settings may not be correct - please re-install.")
                            .arg(QString::number(RuntimeError::numberOf(e)), RuntimeError::descriptionOf(e)),
                        Prompts::Critical, QCoreApplication::translate("ProgramSettings", "%1 Error").arg(ProductName()));
        return false;
    }
    SaveAllSettings(store);
    return true;
}

void ProgramSettings::SaveAllSettings(SettingsStore &store) const
{
    // One rewrite of each key instead of one a value: a start stays quick on a slow disk.
    store.SaveSettings({
        {u"SearchPath"_s, SearchPath},
        {u"Minimised"_s, BoolToLong(Minimised)},
        {u"Top"_s, Top},
        {u"Left"_s, Left},
        {u"CallPath"_s, CallPath},
        {u"AddNote"_s, BoolToLong(AddNote)},
        {u"AutoRecord"_s, BoolToLong(AutoRecord)},
        {u"Maximise"_s, BoolToLong(Maximise)},
        {u"CanPlay"_s, BoolToLong(CanPlay)},
        {u"CanDelete"_s, BoolToLong(CanDelete)},
        {u"PlayOwnOnly"_s, BoolToLong(PlayOwnOnly)},
        {u"DeleteOwnOnly"_s, BoolToLong(DeleteOwnOnly)},
        {u"CallTimeOut"_s, CallTimeOut},
        {u"Sensitivity"_s, Sensitivity},
        {u"MinCallLength"_s, MinCallLength},
        {u"PreRoll"_s, PreRoll},
        {u"Format"_s, GsmFlag ? 0 : 1},
        {u"SD"_s, SD ? 1 : 0},
    });
}
