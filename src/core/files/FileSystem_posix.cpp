#include "FileSystem.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
bool failed(QString *why)
{
    if (why)
        *why = QString::fromLocal8Bit(std::strerror(errno));
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
    return ::fsync(file.handle()) == 0 || failed(why);
}

bool renameOver(const QString &from, const QString &to, QString *why)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
        || failed(why);
}

bool syncDirectory(const QString &dir, QString *why)
{
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
}

bool ownedByAnotherUser(const QString &path)
{
    const QFileInfo info(path);
    return (info.exists() || info.isSymLink()) && info.ownerId() != uint(::geteuid());
}

// A rename over the table is atomic for its readers.
bool readersBlockReplace() { return false; }

} // namespace FileSystem
