#include "Folder.h"

#include <QDateTime>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <windows.h>

// Windows keeps the player's files apart by access lists, and its links
// (symbolic links, junctions) are reparse points: a file is opened with
// FILE_FLAG_OPEN_REPARSE_POINT and kept only where it is a file on a disk
// that is no reparse point. A rename over a link replaces the link.

namespace {

constexpr int kLockSliceMs = 100;
constexpr int kStaleLockMs = 30000;        // a dead holder is noticed at once anyway
constexpr int kHalfWrittenLockMs = 1000;   // a live holder fills its lock file at once

QString systemError() { return qt_error_string(int(GetLastError())); }

bool failed(QString *why)
{
    if (why)
        *why = systemError();
    return false;
}

std::wstring wide(const QString &path) { return QDir::toNativeSeparators(path).toStdWString(); }

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

QString notAFile(DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return QCoreApplication::translate("Folder", "je to symbolický odkaz");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return QCoreApplication::translate("Folder", "je to složka");
    return QCoreApplication::translate("Folder", "není obyčejný soubor");
}

} // namespace

struct Folder::Handle
{
    QString path;
};

struct Folder::File::Handle
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    qint64 size = 0;
    ~Handle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

struct Folder::Lock::State
{
    std::unique_ptr<QLockFile> lock;
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
    if (missing == Missing::Create)
        QDir().mkpath(m_path);
    const DWORD attributes = GetFileAttributesW(wide(m_path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        m_error = systemError();
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = qt_error_string(ERROR_DIRECTORY);
        return;
    }
    m_handle = std::make_unique<Handle>();
    m_handle->path = m_path;
}

QStringList Folder::names() const
{
    return isOpen() ? QDir(m_path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                    : QStringList();
}

Folder::Entry Folder::entry(const QString &name) const
{
    const DWORD attributes = isOpen() ? GetFileAttributesW(wide(filePath(name)).c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Entry::Missing;
    return attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT) ? Entry::Other : Entry::File;
}

Folder::Opened Folder::openForReading(const QString &name, File *file, QString *why) const
{
    if (!isOpen()) {
        *why = m_error;
        return Opened::Missing;
    }
    const DWORD attributes = GetFileAttributesW(wide(filePath(name)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        *why = qt_error_string(int(error));
        return isMissing(error) ? Opened::Missing : Opened::Failed;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
        *why = notAFile(attributes);
        return Opened::NotAFile;
    }
    HANDLE handle = CreateFileW(wide(filePath(name)).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        *why = qt_error_string(int(error));
        return isMissing(error) ? Opened::Missing : Opened::Failed;
    }
    // What was opened, should the entry have been swapped meanwhile.
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        *why = notAFile(info.dwFileAttributes);
        CloseHandle(handle);
        return Opened::NotAFile;
    }
    file->m_handle = std::make_unique<File::Handle>();
    file->m_handle->handle = handle;
    file->m_handle->size = (qint64(info.nFileSizeHigh) << 32) | qint64(info.nFileSizeLow);
    return Opened::File;
}

bool Folder::createNew(const QString &name, File *file, QString *why) const
{
    if (!isOpen()) {
        if (why)
            *why = m_error;
        return false;
    }
    HANDLE handle = CreateFileW(wide(filePath(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failed(why);
    file->m_handle = std::make_unique<File::Handle>();
    file->m_handle->handle = handle;
    return true;
}

// A new file takes the access list of its folder, as the replaced one had.
void Folder::copyPermissions(const QString &, File &) const {}

// The file is written unshared under the folder's access list: nobody
// else swaps it.
QByteArray Folder::identity(const QString &) const { return QByteArray(); }
QByteArray Folder::File::identity() const { return QByteArray(); }

QByteArray Folder::File::stamp() const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!isOpen() || !GetFileInformationByHandle(m_handle->handle, &info))
        return QByteArray();
    QByteArray stamp;
    for (DWORD part : {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow, info.nFileSizeHigh,
                       info.nFileSizeLow, info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime})
        stamp += QByteArray::number(quint32(part)) + ':';
    return stamp;
}

bool Folder::renameOver(const QString &from, const QString &to, QString *why) const
{
    return (isOpen()
            && MoveFileExW(wide(filePath(from)).c_str(), wide(filePath(to)).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        || failed(why);
}

bool Folder::remove(const QString &name, QString *why) const
{
    return (isOpen() && DeleteFileW(wide(filePath(name)).c_str())) || failed(why);
}

// The write-through rename is durable by itself.
bool Folder::sync(QString *) const { return true; }

bool Folder::File::read(qint64 bytes, QByteArray *out, QString *why)
{
    const qint64 had = out->size();
    if (!isOpen() || bytes < 0)
        return false;
    out->resize(had + bytes);
    qint64 got = had;
    bytes += had;
    while (got < bytes) {
        constexpr qint64 kChunk = 1 << 20;
        DWORD n = 0;
        if (!ReadFile(m_handle->handle, out->data() + got, DWORD(qMin(kChunk, bytes - got)), &n, nullptr)) {
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
        DWORD n = 0;
        if (!WriteFile(m_handle->handle, bytes.constData() + done, DWORD(bytes.size() - done), &n, nullptr))
            return failed(why);
        done += n;
    }
    return isOpen();
}

bool Folder::File::sync(QString *why) { return (isOpen() && FlushFileBuffers(m_handle->handle)) || failed(why); }

qint64 Folder::File::size() const { return isOpen() ? m_handle->size : 0; }

bool Folder::File::close(QString *why)
{
    if (!isOpen())
        return true;
    const HANDLE handle = m_handle->handle;
    m_handle->handle = INVALID_HANDLE_VALUE;
    m_handle.reset();
    return CloseHandle(handle) || failed(why);
}

// Qt's lock file: a holder that died is noticed by its process id; one that
// died before naming itself leaves an empty file, cleared once it is old.
Folder::Lock::Result Folder::lock(const QString &name, int waitMs, Lock *lock, QString *why) const
{
    using Result = Lock::Result;
    if (!isOpen()) {
        *why = m_error;
        return Result::Failed;
    }
    const DWORD attributes = GetFileAttributesW(wide(filePath(name)).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return Result::NotAFile;
    auto file = std::make_unique<QLockFile>(filePath(name));
    file->setStaleLockTime(kStaleLockMs);
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (file->tryLock(kLockSliceMs)) {
            lock->m_state = std::make_unique<Lock::State>();
            lock->m_state->lock = std::move(file);
            return Result::Taken;
        }
        if (file->error() != QLockFile::LockFailedError) {
            *why = QString();
            return Result::Failed;
        }
        qint64 pid = 0;
        QString host;
        QString app;
        const QFileInfo info(filePath(name));
        if (!file->getLockInfo(&pid, &host, &app) && info.exists()
            && qAbs(info.lastModified().msecsTo(QDateTime::currentDateTime())) > kHalfWrittenLockMs)
            file->removeStaleLockFile();
        if (deadline.hasExpired())
            return Result::Held;
    }
}

// Windows keeps the player's files apart by access lists, not by owners.
bool Folder::pathLeadsIntoAnotherUsersFolder(const QString &) { return false; }

// An open reader makes a replace of the file fail.
bool Folder::readersBlockReplace() { return true; }
