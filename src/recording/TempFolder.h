#pragma once

#include <QString>

class SettingsStore;

// Chooses the temporary recording folder (local application data + "/Voxmere/", else
// $TEMP, else "/tmp/"), creates it private (0700) and stores its whole path as "wavs" for
// the recording mover.
QString SetTempFolder(SettingsStore &store);
