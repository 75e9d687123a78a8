#pragma once

#include "TempSettingsRoots.h"

#include <QStringList>
#include <QTemporaryDir>

// Real folders for the recording mover: a temporary recording folder, a calls folder,
// the settings that name them, and tmpfs mounts that play another filesystem (a share).
class MoverFixture
{
public:
    MoverFixture();
    ~MoverFixture();

    QString root() const { return m_dir.path(); }
    // As the program stores them: ending in "/".
    QString wavs() const { return root() + QStringLiteral("/wavs/"); }
    QString calls() const { return root() + QStringLiteral("/calls/"); }

    // "wavs" and "CallPath" (unless empty) in the user's key, where voxmere-mover reads them.
    void writeSettings(const QString &wavs, const QString &callPath);

    // Mounts a small tmpfs on a new folder; false when mounting is not permitted.
    bool mountTmpfs(const QString &dir, const char *size = "32m");

    static QByteArray content(quint32 seed, qsizetype size);
    static void writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);
    static QStringList filesIn(const QString &folder); // hidden ones included

private:
    TempSettingsRoots m_settings;
    QTemporaryDir m_dir;
    QStringList m_mounts;
};
