#include "TestSupport.h"

#include "core/files/AppPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

ScratchAppDir::ScratchAppDir()
    : m_previousCurrent(QDir::currentPath())
{
    AppPath::setDirForTesting(m_dir.path());
    QDir::setCurrent(m_dir.path());
}

ScratchAppDir::~ScratchAppDir()
{
    QDir::setCurrent(m_previousCurrent);
    AppPath::setDirForTesting(QString());
}

QString ScratchAppDir::path() const { return m_dir.path() + QLatin1Char('/'); }
QString ScratchAppDir::file(const QString &relative) const { return path() + relative; }

void ScratchAppDir::writeFile(const QString &relative, const QByteArray &contents) const
{
    ::writeFile(file(relative), contents);
}

QByteArray ScratchAppDir::readFile(const QString &relative) const { return ::readFile(file(relative)); }

void ScratchAppDir::withSounds() const
{
    for (const char *name : {"Zvednuti.wav", "Polozeni.wav", "Dopad.wav", "Dialog.wav", "Dotaz.wav",
                             "PomocnikStart.wav", "PomocnikKonec.wav", "Lista.wav"})
        writeFile(QStringLiteral("Zvuky/") + QLatin1String(name), "RIFF");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(contents) == contents.size();
}

bool canPlant(const QString &what)
{
#ifdef Q_OS_UNIX
    Q_UNUSED(what);
    return true;
#else
    return what != QLatin1String("pipe") && what != QLatin1String("link");
#endif
}

bool plant(const QString &what, const QString &path, const QString &target)
{
    if (what == QLatin1String("folder"))
        return QDir().mkpath(path);
#ifdef Q_OS_UNIX
    if (what == QLatin1String("pipe"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
    return what == QLatin1String("link") && QFile::link(target, path);
}

QByteArray outputOf(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(timeoutMs);
    return p.readAllStandardOutput();
}

QString helperProgram(const QString &fileName)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName;
}

bool runsAsRoot()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

SecondUser::SecondUser()
{
#ifndef Q_OS_UNIX
    reason = QStringLiteral("a second user is tried on Unix only");
#else
    if (::geteuid() != 0) {
        reason = QStringLiteral("only root can act as a second user");
        return;
    }
    m_setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const passwd *nobody = ::getpwnam("nobody");
    if (m_setpriv.isEmpty() || !nobody) {
        reason = QStringLiteral("setpriv or the user nobody is missing");
        return;
    }
    m_uid = nobody->pw_uid;
    m_gid = nobody->pw_gid;
    // Every folder above the temporary folder must let others through.
    for (QDir dir(QDir::tempPath()); !dir.isRoot(); dir.cdUp()) {
        if (!(QFileInfo(dir.path()).permissions() & QFileDevice::ExeOther)) {
            reason = QStringLiteral("%1 is closed to other users").arg(dir.path());
            return;
        }
    }
    share(m_programs.path());
#endif
}

QStringList SecondUser::arguments(const QStringList &program) const
{
    return QStringList{QStringLiteral("--reuid=%1").arg(m_uid), QStringLiteral("--regid=%1").arg(m_gid),
                       QStringLiteral("--clear-groups"), QStringLiteral("--")}
        + program;
}

bool SecondUser::share(const QString &dir, bool sticky) const
{
#ifdef Q_OS_UNIX
    return ::chmod(QFile::encodeName(dir).constData(), sticky ? 01777 : 0777) == 0;
#else
    Q_UNUSED(dir);
    Q_UNUSED(sticky);
    return false;
#endif
}

QString SecondUser::copyProgram(const QString &path) const
{
    const QString copy = m_programs.filePath(QFileInfo(path).fileName());
    if (!QFile::copy(path, copy))
        return QString();
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ExeOther | QFileDevice::ReadOther);
    return copy;
}
