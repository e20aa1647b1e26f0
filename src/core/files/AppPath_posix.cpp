#include "AppPath.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace {

// An environment variable that names an absolute path; empty otherwise.
QString absoluteFrom(const char *variable)
{
    const QByteArray value = qgetenv(variable);
    return value.startsWith('/') ? QFile::decodeName(value) : QString();
}

QString home()
{
    const QString fromEnvironment = absoluteFrom("HOME");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // A user without a home of their own writes nowhere.
    const passwd *user = ::getpwuid(::geteuid());
    return user && user->pw_dir && user->pw_dir[0] == '/' ? QFile::decodeName(user->pw_dir)
                                                          : QStringLiteral("/nonexistent");
}

// The folder of the running executable as the system names it, in bytes.
QByteArray executableFolder()
{
    QByteArray path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
    if (length <= 0 || length >= path.size())
        return QByteArray();
    path.truncate(length);
    return path.left(path.lastIndexOf('/') + 1);
}

} // namespace

QString AppPath::programDir()
{
    static const QString found = [] {
        const QByteArray bytes = executableFolder();
        if (bytes.isEmpty())
            return withSeparator(QCoreApplication::applicationDirPath());
        if (QFile::encodeName(QFile::decodeName(bytes)) == bytes)
            return QFile::decodeName(bytes);
        // A name that is no text in the file system's encoding (a folder
        // unpacked from an archive of another code page): the folder is
        // reached through a descriptor the process keeps open.
        const int fd = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        return fd >= 0 ? QStringLiteral("/proc/self/fd/%1/").arg(fd)
                       : withSeparator(QCoreApplication::applicationDirPath());
    }();
    return found;
}

QString AppPath::playerDataDir()
{
    QString base = absoluteFrom("XDG_DATA_HOME");
    if (base.isEmpty())
        base = home() + QStringLiteral("/.local/share");
    return withSeparator(base) + QCoreApplication::organizationName() + QLatin1Char('/')
        + QCoreApplication::applicationName() + QLatin1Char('/');
}

QString AppPath::playerCacheDir()
{
    const QString base = absoluteFrom("XDG_CACHE_HOME");
    return withSeparator(base.isEmpty() ? home() + QStringLiteral("/.cache") : base);
}
