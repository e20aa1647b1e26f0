#include "ChannelTransport.h"
#include "core/files/AppPath.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace ChannelTransport {

namespace {
// A folder no other user can reach: the player's own, mode 0700, no link.
bool isPrivate(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The player's runtime folder. Where the system names none of theirs, a
// folder in their own cache folder, which no other user can make first: a
// fallback in /tmp, Qt's too, can be another user's, and the running-copy
// test would be off.
QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivate(runtime))
        return runtime;
    // A relative $HOME or $XDG_CACHE_HOME names no folder of the player's:
    // it would put the socket wherever the program happens to stand.
    const QString cache = AppPath::playerCacheDir();
    const QString own = cache + QStringLiteral("KQ2000-Toran2000");
    if (!cache.isEmpty() && QDir().mkpath(cache))
        ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivate(own) ? own : QString();
}
} // namespace

const Transport &platformTransport() { return posixSockets(); }

QString platformBaseName(const QString &prefix, const QString &display)
{
    const QString runtime = runtimeFolder();
    if (runtime.isEmpty())
        return QString();
    return QDir(runtime).filePath(prefix + shortHash(display));
}

bool platformNamesArePrivate() { return true; }

std::unique_ptr<NameClaim> claimName(const QString &) { return std::make_unique<NameClaim>(); }

} // namespace ChannelTransport
