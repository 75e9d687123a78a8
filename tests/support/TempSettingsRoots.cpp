#include "TempSettingsRoots.h"

#include <QDir>

#include <grp.h>
#include <unistd.h>

TempSettingsRoots::TempSettingsRoots()
    : m_saved{{"XDG_CONFIG_HOME", userRoot(), {}, false},
              {"XDG_CONFIG_DIRS", machineRoot(), {}, false},
              {"XDG_DATA_HOME", dataRoot(), {}, false}}
{
    for (Saved &s : m_saved) {
        s.had = qEnvironmentVariableIsSet(s.name);
        s.old = qgetenv(s.name);
        QDir().mkpath(s.path);
        qputenv(s.name, s.path.toLocal8Bit());
    }
}

TempSettingsRoots::~TempSettingsRoots()
{
    for (const Saved &s : m_saved) {
        if (s.had)
            qputenv(s.name, s.old);
        else
            qunsetenv(s.name);
    }
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
