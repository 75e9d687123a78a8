#include "base/UserName.h"

#include <pwd.h>
#include <unistd.h>

std::optional<QString> SystemUserName::loginName() const
{
    // The effective user, as the files this process writes belong to it.
    const passwd *pw = getpwuid(geteuid());
    if (!pw || !pw->pw_name || !*pw->pw_name)
        return std::nullopt;
    return QString::fromLocal8Bit(pw->pw_name);
}
