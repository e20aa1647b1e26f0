#pragma once

#include <QString>

class QFileDevice;

// The few file-system operations whose portable form Qt does not offer:
// forcing written data to the disk, renaming over an existing file, making a
// rename itself durable, and telling whose a file is. Each returns false
// with the system's reason in *why when it fails.
namespace FileSystem {

// The file's content reaches the disk before this returns (fsync(2),
// FlushFileBuffers on Windows).
bool syncFile(QFileDevice &file, QString *why);

// `from` takes the place of `to` in one step, replacing it if it exists.
bool renameOver(const QString &from, const QString &to, QString *why);

// A rename within `dir` survives a power cut once this returns: the
// directory itself is synced on POSIX systems; Windows needs nothing more
// than the write-through rename.
bool syncDirectory(const QString &dir, QString *why);

// True when `path` exists and belongs to another user account than the
// one the program runs as (never on a system without file owners).
bool ownedByAnotherUser(const QString &path);

// Why a new file of a few bytes cannot be written in `dir` (the system's
// reason: no space left, over quota, a read-only file system, a file size
// limit, no permission), or an empty text when it can. The trial file is
// removed again.
QString whyNoFileCanBeWritten(const QString &dir);

// True where a file that some process has open for reading cannot be
// replaced (Windows): readers of a shared file then take its lock too.
bool readersBlockReplace();

// True when `dir`, or the nearest of its parents that exists, is reached
// through a symbolic link and the folder it leads to belongs to another
// user: files written there would land in that user's folder.
bool leadsIntoAnotherUsersFolder(const QString &dir);

} // namespace FileSystem
