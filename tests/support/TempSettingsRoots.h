#pragma once

#include <QTemporaryDir>

#include <sys/types.h>

// Points the user and machine settings stores, and the user's data folder (where the
// recordings in progress wait), at fresh temporary folders for the lifetime of the
// object, and restores the environment afterwards.
class TempSettingsRoots
{
public:
    TempSettingsRoots();
    ~TempSettingsRoots();

    QString userRoot() const { return m_dir.path() + QStringLiteral("/user"); }
    QString machineRoot() const { return m_dir.path() + QStringLiteral("/machine"); }
    QString userFile() const { return userRoot() + QStringLiteral("/Voxmere/Voxmere.conf"); }
    QString machineFile() const { return machineRoot() + QStringLiteral("/Voxmere/Voxmere.conf"); }
    QString dataRoot() const { return m_dir.path() + QStringLiteral("/data"); }
    QString path() const { return m_dir.path(); }

private:
    struct Saved
    {
        const char *name;
        QString path;
        QByteArray old;
        bool had = false;
    };
    QTemporaryDir m_dir;
    Saved m_saved[3];
};

// Drops the effective user and groups to "nobody" while alive when the test runs as root, so that
// file permissions apply; does nothing for an ordinary user.
class AsUnprivilegedUser
{
public:
    AsUnprivilegedUser();
    ~AsUnprivilegedUser();
    bool active() const { return m_active; }
    static constexpr unsigned NobodyUid = 65534;

private:
    void restore();
    bool m_active = false;
    int m_groupCount = -1;
    gid_t m_groups[64] = {};
};
