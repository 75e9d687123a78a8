#pragma once

#include <QString>

class SettingsStore;

// Chooses the temporary recording folder (local application data + "/Voxmere/", else
// $TEMP, else "/tmp/"), creates it private (0700) and stores its whole path as "wavs" for
// the recording mover.
QString SetTempFolder(SettingsStore &store);

// The whole minutes of recording at `bytesPerSecond` that the disk of `folder` has room
// for; -1 when that cannot be told.
qint64 RecordingRoomMinutes(const QString &folder, int bytesPerSecond);
