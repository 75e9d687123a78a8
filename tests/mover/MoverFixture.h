#pragma once

#include "mover/RecordingMover.h"
#include "TempSettingsRoots.h"
#include "TestFiles.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Real folders for the recording mover: a temporary recording folder, a calls folder,
// a share (another filesystem) and the settings that name them, as voxmere-mover reads them.
class MoverFixture
{
public:
    // The share is in the mover's fstab, mounted or not.
    MoverFixture() { TestFiles::write(fstab(), "server:/calls " + QFile::encodeName(share()) + " nfs defaults 0 0\n"); }

    QString root() const { return m_dir.path(); }
    // As the program stores them: ending in "/".
    QString wavs() const { return root() + QStringLiteral("/wavs/"); }
    QString calls() const { return root() + QStringLiteral("/calls/"); }
    QString share() const { return root() + QStringLiteral("/share/"); }
    QString fstab() const { return root() + QStringLiteral("/fstab"); }
    bool mountShare(qint64 bytes = 32 << 20) { return m_disk.emplace(share(), bytes).mounted(); }

    // "wavs" in the user's settings, as the program keeps it; no "CallPath".
    void writeSettings() { QSettings(m_settings.userFile(), QSettings::IniFormat).setValue(QStringLiteral("wavs"), wavs()); }

    // Runs the mover in this process.
    RecordingMover::Result run(const QString &callPath)
    {
        RecordingMover mover(wavs(), callPath);
        mover.setFstabPath(fstab());
        return mover.Run();
    }

private:
    TempSettingsRoots m_settings;
    QTemporaryDir m_dir;
    std::optional<SmallDisk> m_disk; // unmounted before the folder goes
};
