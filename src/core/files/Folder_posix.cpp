#include "Folder.h"

#include <QCoreApplication>
#include <QDateTime>
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
constexpr int kHalfWrittenLockMs = 1000;   // a live holder locks its file at once

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
    QByteArray name;
    int fd = -1;
    struct stat made{};
    ~State()
    {
        // Removed only while it is still the file this holder made.
        struct stat now;
        if (::fstatat(dir, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == made.st_dev
            && now.st_ino == made.st_ino)
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
        ::fchmod(file.m_handle->fd, st.st_mode & 07777);
}

bool Folder::renameOver(const QString &from, const QString &to, QString *why) const
{
    if (!isOpen())
        return failed(why);
    return ::renameat(m_handle->fd, native(from).constData(), m_handle->fd, native(to).constData()) == 0
        || failed(why);
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
    out->clear();
    if (!isOpen() || bytes < 0)
        return false;
    out->resize(bytes);
    qint64 got = 0;
    while (got < bytes) {
        const ssize_t n = ::read(m_handle->fd, out->data() + got, size_t(bytes - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out->clear();
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
        const int fd = ::openat(dir, n.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Held as long as this process holds the file open: a holder
            // that dies lets it go with it.
            ::flock(fd, LOCK_EX | LOCK_NB);
            auto state = std::make_unique<Lock::State>();
            state->fd = fd;
            state->name = n;
            state->dir = ::dup(dir);
            File content;
            content.m_handle = std::make_unique<File::Handle>();
            content.m_handle->fd = fd;
            const bool written = state->dir >= 0 && ::fstat(fd, &state->made) == 0
                && content.write(lockFileContent(), why);
            content.m_handle->fd = -1;
            if (!written) {
                if (why && why->isEmpty())
                    *why = systemError(errno);
                return Result::Failed;   // the state removes the file again
            }
            lock->m_state = std::move(state);
            return Result::Taken;
        }
        if (errno != EEXIST) {
            *why = systemError(errno);
            return Result::Failed;
        }
        struct stat st;
        if (::fstatat(dir, n.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;   // let go meanwhile
        if (!S_ISREG(st.st_mode))
            return Result::NotAFile;
        // A file whose holder died: nobody holds it locked, and it is not
        // one that a live holder is just making.
        const int held = ::openat(dir, n.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat opened;
        const bool stale = held >= 0 && ::fstat(held, &opened) == 0 && opened.st_ino == st.st_ino
            && ::flock(held, LOCK_EX | LOCK_NB) == 0
            && qAbs(QDateTime::currentSecsSinceEpoch() - qint64(st.st_mtime)) * 1000 > kHalfWrittenLockMs;
        bool cleared = false;
        if (stale) {
            cleared = ::unlinkat(dir, n.constData(), 0) == 0;
            if (!cleared && (errno == EPERM || errno == EACCES) && st.st_uid != ::geteuid()) {
                ::close(held);
                return Result::HeldByAnother;
            }
        }
        if (held >= 0)
            ::close(held);
        if (cleared)
            continue;
        if (deadline.hasExpired())
            return Result::Held;
        QThread::msleep(kLockSliceMs);
    }
}

bool Folder::pathLeadsIntoAnotherUsersFolder(const QString &path)
{
    // Walked as far as it is there.
    return Folder(path).leadsIntoAnotherUsersFolder();
}

// A rename over a file is atomic for its readers.
bool Folder::readersBlockReplace() { return false; }
