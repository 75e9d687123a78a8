#include "mover/MoverLauncher.h"

#include <QCoreApplication>
#include <QProcess>

using namespace Qt::StringLiterals;

MoverLaunch LaunchRecordingMover(const QString &programFolder)
{
    QProcess process;
    process.setProgram(programFolder + u"/voxmere-mover"_s);
    process.setWorkingDirectory(programFolder);
    MoverLaunch launch;
    launch.started = process.startDetached();
    if (!launch.started)
        launch.result = process.errorString();
    return launch;
}

MoverLaunch LaunchRecordingMover()
{
    return LaunchRecordingMover(QCoreApplication::applicationDirPath());
}

std::optional<QString> StartRecordingMover()
{
    const MoverLaunch launch = LaunchRecordingMover();
    return launch.started ? std::nullopt : std::optional<QString>(launch.result);
}
