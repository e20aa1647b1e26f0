#include "SystemInfo.h"

#include <QSettings>

namespace {
QString currentVersionValue(const QString &name)
{
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
                        QSettings::NativeFormat);
    return key.value(name).toString();
}
} // namespace

namespace SystemInfo {

QString registeredOwner() { return currentVersionValue(QStringLiteral("RegisteredOwner")); }
QString registeredOrganization() { return currentVersionValue(QStringLiteral("RegisteredOrganization")); }

} // namespace SystemInfo
