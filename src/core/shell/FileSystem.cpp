#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_WIN
QString systemError() { return qt_error_string(int(GetLastError())); }
#else
QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }
#endif

bool failed(QString *why)
{
    if (why)
        *why = systemError();
    return false;
}
} // namespace

namespace FileSystem {

bool syncFile(QFileDevice &file, QString *why)
{
    if (!file.flush()) {
        if (why)
            *why = file.errorString();
        return false;
    }
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return FlushFileBuffers(handle) || failed(why);
#else
    return ::fsync(file.handle()) == 0 || failed(why);
#endif
}

bool renameOver(const QString &from, const QString &to, QString *why)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        || failed(why);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
        || failed(why);
#endif
}

bool syncDirectory(const QString &dir, QString *why)
{
#ifdef Q_OS_WIN
    Q_UNUSED(dir);
    Q_UNUSED(why);
    return true;
#else
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failed(why);
    int result = ::fsync(fd);
    // Some file systems cannot sync a directory at all; they have nothing
    // to lose by it either.
    if (result != 0 && (errno == EINVAL || errno == ENOTSUP))
        result = 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return result == 0 || failed(why);
#endif
}

bool ownedByAnotherUser(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    const QFileInfo info(path);
    return (info.exists() || info.isSymLink()) && info.ownerId() != uint(::geteuid());
#endif
}

QString whyNoFileCanBeWritten(const QString &dir)
{
    constexpr int kTrialBytes = 64;   // about what a lock file holds
    QTemporaryFile trial(QDir(dir).filePath(QStringLiteral(".toran-zkouska-XXXXXX")));
    if (!trial.open())
        return trial.errorString();
    // Written through to the system: a full disk or a size limit shows at
    // the write, not in a buffer.
    if (trial.write(QByteArray(kTrialBytes, '\n')) != kTrialBytes || !trial.flush())
        return trial.errorString();
    return QString();
}

bool leadsIntoAnotherUsersFolder(const QString &dir)
{
    QFileInfo existing(QDir::cleanPath(QDir(dir).absolutePath()));
    while (!existing.exists() && !existing.isRoot())
        existing = QFileInfo(existing.absolutePath());
    const QString real = existing.canonicalFilePath();
    return !real.isEmpty() && real != existing.absoluteFilePath() && ownedByAnotherUser(real);
}

} // namespace FileSystem
