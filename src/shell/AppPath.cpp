#include "AppPath.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

namespace AppPath {

QString withSeparator(QString dir)
{
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString dir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString file(const QString &relative) { return dir() + relative; }
QString dataDir() { return dir() + QStringLiteral("Data/"); }
QString templateDir() { return dir() + QStringLiteral("Data/Zaloha/"); }
QString soundDir() { return dir() + QStringLiteral("Zvuky/"); }

void setDirForTesting(const QString &dir)
{
    overrideDir() = dir.isEmpty() ? QString() : withSeparator(QDir::cleanPath(dir));
}

} // namespace AppPath
