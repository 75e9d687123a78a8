#pragma once

#include <QString>

class Prompts;
class SettingsStore;

// The program-wide settings, read once at load and changed in place by the windows.
struct ProgramSettings
{
    QString CallPath;
    QString SearchPath;
    QString PW; // enciphered; empty means no password
    bool Minimised = false;
    bool AutoRecord = false;
    bool AddNote = true;
    bool Maximise = true;
    bool CanPlay = true;
    bool CanDelete = true;
    bool PlayOwnOnly = false;
    bool DeleteOwnOnly = false;
    qint32 CallTimeOut = 5;
    qint32 Sensitivity = -18;
    qint32 MinCallLength = 10;
    qint32 PreRoll = 3;  // seconds of the line before a call by voice kept in its file
    static constexpr qint32 MaxPreRoll = 10;
    bool GsmFlag = true; // "Format" 0
    bool SD = false;     // closing forbidden: "SD" exactly 1
    qint32 Top = 0;      // twips
    qint32 Left = 0;     // twips

    // Column widths of the call list, in twips.
    static constexpr qint32 DefaultColumnWidths[5] = {1250, 1200, 900, 900, 1170};
    static const char *const ColumnWidthNames[5];

    // The program folder's "Calls" folder where it may be written, else the user's own.
    static QString DefaultCallPath();

    // Reads every setting. Shows the first-run messages; on an error shows the
    // "user settings may not be correct" box and returns false (nothing saved).
    bool GetRegistrySettings(SettingsStore &store, Prompts &prompts);
    void SaveAllSettings(SettingsStore &store) const;
};
