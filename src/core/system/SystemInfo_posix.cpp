#include "SystemInfo.h"

#include <pwd.h>
#include <unistd.h>

namespace SystemInfo {

QString registeredOwner()
{
    const passwd *account = getpwuid(getuid());
    if (!account || !account->pw_gecos)
        return QString();
    // The full name is the first comma-separated field of the comment.
    return QString::fromLocal8Bit(account->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
}

QString registeredOrganization() { return QString(); }

} // namespace SystemInfo
