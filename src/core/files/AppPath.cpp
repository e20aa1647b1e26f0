#include "AppPath.h"

#include "FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}

// Whether the player may create files in the directory: tried, since
// permission bits tell neither about access lists nor about read-only mounts.
bool canCreateFilesIn(const QString &dir)
{
    QTemporaryFile probe(dir + QStringLiteral(".toran-probe-XXXXXX"));
    return probe.open();
}

// The package build installs for every user of the machine: whoever can
// write beside the program there (root) still keeps their files in their own
// data folder, since files beside it would outlive the package.
#ifdef TORAN_PACKAGE
bool packaged = true;
#else
bool packaged = false;
#endif

QString playerDataDir()
{
    return AppPath::withSeparator(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
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
QString templateDir() { return dir() + QStringLiteral("Data/Zaloha/"); }
QString soundDir() { return dir() + QStringLiteral("Zvuky/"); }

QString writableDir()
{
    // Decided once per program directory: the settings are read on every
    // access, and a probe file each time would be wasted work.
    static QString decidedFor;
    static bool decidedPackaged = false;
    static QString decided;
    const QString program = dir();
    if (program != decidedFor || packaged != decidedPackaged) {
        decided = !packaged && canCreateFilesIn(program) ? program : playerDataDir();
        decidedFor = program;
        decidedPackaged = packaged;
    }
    return decided;
}

QString writeRefusal()
{
    // Looked at on every call (the settings ask before each write): a link
    // can appear while the game runs.
    if (isPortable() || !FileSystem::leadsIntoAnotherUsersFolder(writableDir()))
        return QString();
    return QCoreApplication::translate("AppPath", "složka „%1“ vede odkazem do složky jiného uživatele")
        .arg(QDir::toNativeSeparators(writableDir()));
}

QString writableFile(const QString &relative) { return writableDir() + relative; }
QString dataDir() { return writableDir() + QStringLiteral("Data/"); }
bool isPortable() { return writableDir() == dir(); }

void prepareWritableDir()
{
    // The installed folder holds its own Data; the player's folder gets its
    // table from the template when the table is first opened.
    if (!isPortable() && writeRefusal().isEmpty())
        QDir().mkpath(dataDir());
}

void setPackagedForTesting(bool on)
{
    packaged = on;
}

void setDirForTesting(const QString &dir)
{
    overrideDir() = dir.isEmpty() ? QString() : withSeparator(QDir::cleanPath(dir));
}

} // namespace AppPath
