#pragma once

#include <QString>

#include <optional>

struct MoverLaunch
{
    bool started = false;
    QString result; // why it did not start
};

// Starts programFolder/voxmere-mover in that folder and does not wait for it.
// The caller shows ProductName() + " failed to launch recording mover: " + result.
MoverLaunch LaunchRecordingMover(const QString &programFolder);
// The same from the running program's own folder.
MoverLaunch LaunchRecordingMover();
// The same, answering why it did not start, or nothing.
std::optional<QString> StartRecordingMover();
