#include "TempSettingsRoots.h"

#include <QDir>

#include <grp.h>
#include <unistd.h>

TempSettingsRoots::TempSettingsRoots()
    : m_oldHome(qgetenv("XDG_CONFIG_HOME")), m_oldDirs(qgetenv("XDG_CONFIG_DIRS")),
      m_hadHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      m_hadDirs(qEnvironmentVariableIsSet("XDG_CONFIG_DIRS")),
      m_oldData(qgetenv("XDG_DATA_HOME")), m_hadData(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
{
    QDir().mkpath(userRoot());
    QDir().mkpath(machineRoot());
    QDir().mkpath(dataRoot());
    qputenv("XDG_CONFIG_HOME", userRoot().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", machineRoot().toLocal8Bit());
    // A window under test records into the data folder: never the real one.
    qputenv("XDG_DATA_HOME", dataRoot().toLocal8Bit());
}

TempSettingsRoots::~TempSettingsRoots()
{
    if (m_hadHome) qputenv("XDG_CONFIG_HOME", m_oldHome); else qunsetenv("XDG_CONFIG_HOME");
    if (m_hadDirs) qputenv("XDG_CONFIG_DIRS", m_oldDirs); else qunsetenv("XDG_CONFIG_DIRS");
    if (m_hadData) qputenv("XDG_DATA_HOME", m_oldData); else qunsetenv("XDG_DATA_HOME");
}

AsUnprivilegedUser::AsUnprivilegedUser()
{
    if (geteuid() != 0)
        return;
    // Root's groups would grant what the file's group bits allow: drop them too.
    m_groupCount = getgroups(int(std::size(m_groups)), m_groups);
    if (m_groupCount < 0 || setgroups(0, nullptr) != 0 || setegid(NobodyUid) != 0
        || seteuid(NobodyUid) != 0) {
        restore();
        return;
    }
    m_active = true;
}

void AsUnprivilegedUser::restore()
{
    if (seteuid(0) != 0 || setegid(0) != 0
        || (m_groupCount >= 0 && setgroups(size_t(m_groupCount), m_groups) != 0))
        qFatal("could not return to root");
}

AsUnprivilegedUser::~AsUnprivilegedUser()
{
    if (m_active)
        restore();
}
