#include "SystemInfo.h"

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace SystemInfo {

#ifdef Q_OS_WIN
namespace {
QString currentVersionValue(const QString &name)
{
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
                        QSettings::NativeFormat);
    return key.value(name).toString();
}
} // namespace

QString registeredOwner() { return currentVersionValue(QStringLiteral("RegisteredOwner")); }
QString registeredOrganization() { return currentVersionValue(QStringLiteral("RegisteredOrganization")); }
#else
QString registeredOwner()
{
    const passwd *account = getpwuid(getuid());
    if (!account || !account->pw_gecos)
        return QString();
    // The full name is the first comma-separated field of the comment.
    return QString::fromLocal8Bit(account->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
}

QString registeredOrganization() { return QString(); }
#endif

} // namespace SystemInfo
