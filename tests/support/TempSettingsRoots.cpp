#include "TempSettingsRoots.h"

#include <QDir>

#include <unistd.h>

TempSettingsRoots::TempSettingsRoots()
    : m_oldHome(qgetenv("XDG_CONFIG_HOME")), m_oldDirs(qgetenv("XDG_CONFIG_DIRS")),
      m_hadHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      m_hadDirs(qEnvironmentVariableIsSet("XDG_CONFIG_DIRS"))
{
    QDir().mkpath(userRoot());
    QDir().mkpath(machineRoot());
    qputenv("XDG_CONFIG_HOME", userRoot().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", machineRoot().toLocal8Bit());
}

TempSettingsRoots::~TempSettingsRoots()
{
    if (m_hadHome) qputenv("XDG_CONFIG_HOME", m_oldHome); else qunsetenv("XDG_CONFIG_HOME");
    if (m_hadDirs) qputenv("XDG_CONFIG_DIRS", m_oldDirs); else qunsetenv("XDG_CONFIG_DIRS");
}

AsUnprivilegedUser::AsUnprivilegedUser()
{
    if (geteuid() == 0)
        m_active = seteuid(NobodyUid) == 0;
}

AsUnprivilegedUser::~AsUnprivilegedUser()
{
    if (m_active && seteuid(0) != 0)
        qFatal("could not return to root");
}
