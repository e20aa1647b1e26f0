#include "Folder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Every folder on the way is opened from the one before it, and every file
// relative to its folder, with O_NOFOLLOW; files are opened O_NONBLOCK and
// kept only where fstat finds a regular file.

namespace {

// A folder is opened only to work in it, which needs no right to list it
// (a home folder of mode 0711 on the way).
#ifdef O_PATH
constexpr int kFolderAccess = O_PATH;
#else
constexpr int kFolderAccess = O_RDONLY;
#endif
constexpr int kLockSliceMs = 50;

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool failed(QString *why)
{
    if (why)
        *why = systemError(errno);
    return false;
}

// Closes without touching errno.
void closeQuietly(int fd)
{
    const int error = errno;
    ::close(fd);
    errno = error;
}

QByteArray native(const QString &name) { return QFile::encodeName(name); }

// Why the entry is no file to open: a link, a folder or anything else.
QString notAFile(const struct stat &st)
{
    if (S_ISLNK(st.st_mode))
        return QCoreApplication::translate("Folder", "je to symbolický odkaz");
    if (S_ISDIR(st.st_mode))
        return QCoreApplication::translate("Folder", "je to složka");
    return QCoreApplication::translate("Folder", "není obyčejný soubor");
}

// A link is followed where it leads into the player's own folder, or where
// the administrator made it into one of the administrator's.
bool trusted(const struct stat &link, const struct stat &folder)
{
    return folder.st_uid == ::geteuid() || (link.st_uid == 0 && folder.st_uid == 0);
}

// The folder `name` in `dir`; a link is followed, and *intoOthers set where
// it leads into another user's folder.
int openStep(int dir, const char *name, bool *intoOthers)
{
    const int fd = ::openat(dir, name, kFolderAccess | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 || (errno != ELOOP && errno != ENOTDIR))
        return fd;
    struct stat link;
    if (::fstatat(dir, name, &link, AT_SYMLINK_NOFOLLOW) != 0)
        return -1;
    if (!S_ISLNK(link.st_mode)) {
        errno = ENOTDIR;
        return -1;
    }
    const int followed = ::openat(dir, name, kFolderAccess | O_DIRECTORY | O_CLOEXEC);
    struct stat folder;
    if (followed >= 0 && ::fstat(followed, &folder) == 0 && !trusted(link, folder))
        *intoOthers = true;
    return followed;
}

// The folder's fd that can be listed and synced (one opened for work only
// cannot).
int readable(int dir) { return ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

} // namespace

struct Folder::Handle
{
    int fd = -1;
    ~Handle() { ::close(fd); }
};

struct Folder::File::Handle
{
    int fd = -1;
    qint64 size = 0;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

struct Folder::Lock::State
{
    int dir = -1;
    QByteArray name;   // empty where the folder itself is locked
    int fd = -1;       // the locked file or folder
    struct stat made{};
    ~State()
    {
        // Removed only while it is still the file this holder locked.
        struct stat now;
        if (!name.isEmpty() && ::fstatat(dir, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0
            && now.st_dev == made.st_dev && now.st_ino == made.st_ino)
            ::unlinkat(dir, name.constData(), 0);
        ::close(fd);
        ::close(dir);
    }
};

Folder::Folder(const QString &path, Missing missing)
    : m_path(withSeparator(path))
{
    open(missing);
}

Folder::~Folder() = default;
Folder::Folder(Folder &&other) noexcept = default;
Folder &Folder::operator=(Folder &&other) noexcept = default;
Folder::File::File() = default;
Folder::File::~File() = default;
Folder::File::File(File &&other) noexcept = default;
Folder::File &Folder::File::operator=(File &&other) noexcept = default;
Folder::Lock::Lock() = default;
Folder::Lock::~Lock() = default;
Folder::Lock::Lock(Lock &&other) noexcept = default;
Folder::Lock &Folder::Lock::operator=(Lock &&other) noexcept = default;

void Folder::open(Missing missing)
{
    const QByteArray path = native(QDir::cleanPath(QDir(m_path).absolutePath()));
    int fd = ::open("/", kFolderAccess | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        m_error = systemError(errno);
        return;
    }
    for (const QByteArray &part : path.split('/')) {
        if (part.isEmpty())
            continue;
        int next = openStep(fd, part.constData(), &m_intoOthers);
        if (next < 0 && errno == ENOENT && missing == Missing::Create && !m_intoOthers
            && (::mkdirat(fd, part.constData(), 0777) == 0 || errno == EEXIST))
            next = openStep(fd, part.constData(), &m_intoOthers);
        closeQuietly(fd);
        if (next < 0) {
            m_error = systemError(errno);
            return;
        }
        fd = next;
    }
    m_handle = std::make_unique<Handle>();
    m_handle->fd = fd;
}

QStringList Folder::names() const
{
    QStringList found;
    const int fd = isOpen() ? readable(m_handle->fd) : -1;
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return found;
    }
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            found << QFile::decodeName(entry->d_name);
    }
    ::closedir(dir);
    return found;
}

Folder::Entry Folder::entry(const QString &name) const
{
    struct stat st;
    if (!isOpen() || ::fstatat(m_handle->fd, native(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Entry::Missing;
    return S_ISREG(st.st_mode) ? Entry::File : Entry::Other;
}

Folder::Opened Folder::openForReading(const QString &name, File *file, QString *why) const
{
    if (!isOpen()) {
        *why = m_error;
        return Opened::Missing;
    }
    const QByteArray n = native(name);
    struct stat st;
    // Looked at before it is opened: a device is not even opened.
    if (::fstatat(m_handle->fd, n.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        *why = systemError(errno);
        return errno == ENOENT ? Opened::Missing : Opened::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        *why = notAFile(st);
        return Opened::NotAFile;
    }
    const int fd = ::openat(m_handle->fd, n.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        st.st_mode = S_IFLNK;   // the one a regular file turns into
        *why = error == ELOOP ? notAFile(st) : systemError(error);
        return error == ENOENT ? Opened::Missing : error == ELOOP ? Opened::NotAFile : Opened::Failed;
    }
    // What was opened, should the entry have been swapped meanwhile.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *why = notAFile(st);
        ::close(fd);
        return Opened::NotAFile;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        *why = systemError(errno);
        ::close(fd);
        return Opened::Failed;
    }
    file->m_handle = std::make_unique<File::Handle>();
    file->m_handle->fd = fd;
    file->m_handle->size = st.st_size;
    return Opened::File;
}

bool Folder::createNew(const QString &name, File *file, QString *why) const
{
    if (!isOpen()) {
        if (why)
            *why = m_error;
        return false;
    }
    const int fd =
        ::openat(m_handle->fd, native(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return failed(why);
    file->m_handle = std::make_unique<File::Handle>();
    file->m_handle->fd = fd;
    return true;
}

void Folder::copyPermissions(const QString &name, File &file) const
{
    struct stat st;
    if (isOpen() && file.isOpen() && ::fstatat(m_handle->fd, native(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(st.st_mode))
        ::fchmod(file.m_handle->fd, st.st_mode & 0777);   // never setuid, setgid or sticky
}

bool Folder::renameOver(const QString &from, const QString &to, QString *why) const
{
    if (!isOpen())
        return failed(why);
    return ::renameat(m_handle->fd, native(from).constData(), m_handle->fd, native(to).constData()) == 0
        || failed(why);
}

namespace {
QByteArray identityOf(const struct stat &st)
{
    return QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
}
} // namespace

QByteArray Folder::identity(const QString &name) const
{
    struct stat st;
    if (!isOpen() || ::fstatat(m_handle->fd, native(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return QByteArray();
    return identityOf(st);
}

QByteArray Folder::File::identity() const
{
    struct stat st;
    return isOpen() && ::fstat(m_handle->fd, &st) == 0 ? identityOf(st) : QByteArray();
}

QByteArray Folder::File::stamp() const
{
    struct stat st;
    if (!isOpen() || ::fstat(m_handle->fd, &st) != 0)
        return QByteArray();
    const auto time = [](const struct timespec &t) {
        return QByteArray::number(qint64(t.tv_sec)) + '.' + QByteArray::number(qint64(t.tv_nsec));
    };
    return identityOf(st) + ':' + QByteArray::number(qint64(st.st_size)) + ':' + time(st.st_mtim) + ':'
        + time(st.st_ctim);
}

bool Folder::remove(const QString &name, QString *why) const
{
    return (isOpen() && ::unlinkat(m_handle->fd, native(name).constData(), 0) == 0) || failed(why);
}

bool Folder::sync(QString *why) const
{
    const int fd = isOpen() ? readable(m_handle->fd) : -1;
    if (fd < 0)
        return failed(why);
    int result = ::fsync(fd);
    // Some file systems cannot sync a folder at all; they have nothing to
    // lose by it either.
    if (result != 0 && (errno == EINVAL || errno == ENOTSUP))
        result = 0;
    closeQuietly(fd);
    return result == 0 || failed(why);
}

bool Folder::File::read(qint64 bytes, QByteArray *out, QString *why)
{
    const qint64 had = out->size();
    if (!isOpen() || bytes < 0)
        return false;
    out->resize(had + bytes);
    qint64 got = had;
    bytes += had;
    while (got < bytes) {
        const ssize_t n = ::read(m_handle->fd, out->data() + got, size_t(bytes - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out->truncate(had);
            return failed(why);
        }
        if (n == 0)
            break;
        got += n;
    }
    out->truncate(got);
    return true;
}

bool Folder::File::write(const QByteArray &bytes, QString *why)
{
    qint64 done = 0;
    while (isOpen() && done < bytes.size()) {
        const ssize_t n = ::write(m_handle->fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(why);
        done += n;
    }
    return isOpen();
}

bool Folder::File::sync(QString *why) { return (isOpen() && ::fsync(m_handle->fd) == 0) || failed(why); }

qint64 Folder::File::size() const { return isOpen() ? m_handle->size : 0; }

bool Folder::File::close(QString *why)
{
    if (!isOpen())
        return true;
    const int fd = m_handle->fd;
    m_handle->fd = -1;
    m_handle.reset();
    return ::close(fd) == 0 || failed(why);
}

namespace {

// The lock file `name` of the folder, opened where a regular file stands
// there or can be made: for reading and writing, or for reading only where
// another user's file allows no more (a lock needs no more). -1 where none
// can be used.
int openLockFile(int dir, const char *name)
{
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::openat(dir, name, O_RDWR | O_CREAT | O_EXCL | kFlags, 0666);
    if (fd >= 0)
        return fd;
    if (errno != EEXIST)
        return -1;
    fd = ::openat(dir, name, O_RDWR | kFlags);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::openat(dir, name, O_RDONLY | kFlags);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// The file `name` of the folder is still the one open as fd.
bool stillThere(int dir, const char *name, int fd)
{
    struct stat there;
    struct stat open;
    return ::fstatat(dir, name, &there, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &open) == 0
        && there.st_dev == open.st_dev && there.st_ino == open.st_ino;
}

} // namespace

// The lock is the system's lock on the file, not the file: a file that
// nobody holds locked, left by a copy that died or planted by anyone, holds
// nothing. Where no regular file can serve at the name (a link, a pipe or a
// folder stands there, or another user's file cannot even be read), the
// lock on the folder itself stands in for it, which no planted file can
// hold either.
Folder::Lock::Result Folder::lock(const QString &name, int waitMs, Lock *lock, QString *why) const
{
    using Result = Lock::Result;
    if (!isOpen()) {
        *why = m_error;
        return Result::Failed;
    }
    const int dir = m_handle->fd;
    const QByteArray n = native(name);
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        int fd = openLockFile(dir, n.constData());
        const bool onFile = fd >= 0;
        if (!onFile) {
            const int error = errno;
            struct stat st;
            const bool standing = ::fstatat(dir, n.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
            if (!standing && error == ENOENT && !deadline.hasExpired())
                continue;   // let go and removed meanwhile
            if (!standing) {
                *why = systemError(error);   // no file can be made here
                return Result::Failed;
            }
            fd = readable(dir);
            if (fd < 0) {
                *why = notAFile(st);
                return Result::NotAFile;
            }
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error != EWOULDBLOCK) {
                *why = systemError(error);
                return Result::Failed;
            }
            if (deadline.hasExpired())
                return Result::Held;
            QThread::msleep(kLockSliceMs);
            continue;
        }
        // A holder removes its file when it lets the lock go: one locked
        // after that removal is no longer the lock's file.
        if (onFile && !stillThere(dir, n.constData(), fd)) {
            ::close(fd);
            continue;
        }
        auto state = std::make_unique<Lock::State>();
        state->fd = fd;
        state->dir = ::dup(dir);
        if (state->dir < 0) {
            *why = systemError(errno);
            return Result::Failed;
        }
        if (onFile) {
            state->name = n;
            ::fstat(fd, &state->made);
            // The holder's process, as Qt's lock files name it.
            if (::ftruncate(fd, 0) == 0) {
                File content;
                content.m_handle = std::make_unique<File::Handle>();
                content.m_handle->fd = fd;
                content.write(lockFileContent(), nullptr);
                content.m_handle->fd = -1;
            }
        }
        lock->m_state = std::move(state);
        return Result::Taken;
    }
}

bool Folder::pathLeadsIntoAnotherUsersFolder(const QString &path)
{
    // Walked as far as it is there.
    return Folder(path).leadsIntoAnotherUsersFolder();
}

// A rename over a file is atomic for its readers.
bool Folder::readersBlockReplace() { return false; }
