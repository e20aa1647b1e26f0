#include "AppPath.h"

#include "Folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

// An installation for every user of the machine (the Debian package, the
// Windows installer) lays this file beside the program: whoever can write
// there (root, an administrator) still keeps their files in their own data
// folder, since files beside the program would outlive the installation.
bool installedForEveryUser(const QString &programDir)
{
    return QFileInfo::exists(programDir + AppPath::kSharedInstallMarker);
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
    return programDir();
}

QString file(const QString &relative) { return dir() + relative; }
QString templateDir() { return dir() + QStringLiteral("Data/Zaloha/"); }
QString soundDir() { return dir() + QStringLiteral("Zvuky/"); }

QString writableDir()
{
    // Decided once per program directory: the settings are read on every
    // access, and a probe file each time would be wasted work.
    static QString decidedFor;
    static QString decided;
    const QString program = dir();
    if (program != decidedFor) {
        decided = !installedForEveryUser(program) && canCreateFilesIn(program) ? program : playerDataDir();
        decidedFor = program;
    }
    return decided;
}

QString writeRefusal()
{
    // Looked at on every call: a link can appear while the game runs.
    return Folder(dataDir()).writeRefusal();
}

QString writableFile(const QString &relative) { return writableDir() + relative; }
QString dataDir() { return writableDir() + QStringLiteral("Data/"); }
bool isPortable() { return writableDir() == dir(); }

void prepareWritableDir()
{
    // The installed folder holds its own Data; the player's folder gets its
    // table from the template when the table is first opened.
    if (!isPortable() && writeRefusal().isEmpty())
        Folder(dataDir(), Folder::Missing::Create);
}

void setDirForTesting(const QString &dir)
{
    overrideDir() = dir.isEmpty() ? QString() : withSeparator(QDir::cleanPath(dir));
}

} // namespace AppPath
