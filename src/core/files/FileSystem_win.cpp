#include "FileSystem.h"

#include <QDir>
#include <QFileDevice>

#include <io.h>
#include <windows.h>

namespace {
bool failed(QString *why)
{
    if (why)
        *why = qt_error_string(int(GetLastError()));
    return false;
}

const wchar_t *wide(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
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
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return FlushFileBuffers(handle) || failed(why);
}

bool renameOver(const QString &from, const QString &to, QString *why)
{
    const QString nativeFrom = QDir::toNativeSeparators(from);
    const QString nativeTo = QDir::toNativeSeparators(to);
    return MoveFileExW(wide(nativeFrom), wide(nativeTo), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        || failed(why);
}

// The write-through rename is durable by itself.
bool syncDirectory(const QString &, QString *) { return true; }

// Windows keeps the player's files apart by access lists, not by owners.
bool ownedByAnotherUser(const QString &) { return false; }

// An open reader makes a replace of the file fail.
bool readersBlockReplace() { return true; }

} // namespace FileSystem
