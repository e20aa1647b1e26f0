#include "AppPath.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString AppPath::programDir() { return withSeparator(QCoreApplication::applicationDirPath()); }

QString AppPath::playerDataDir()
{
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString AppPath::playerCacheDir()
{
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
}
