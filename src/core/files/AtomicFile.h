#pragma once

#include <QByteArray>
#include <QString>

class Folder;

// Whole-file replacement: the new content is written to a file beside the
// target, synced, and then takes its place in one rename, after which the
// folder is synced too. A crash or a full disk leaves either the old file
// or the new one, never a torn mix, and once the write returns a power cut
// cannot bring the old one back. Whatever stands at the target's name (a
// symbolic link too) is replaced, never written through; a replaced regular
// file's permissions are kept.
//
// The unfinished file has a name that only this program makes: a hidden
// prefix of its own, the target's name and a random part.
namespace AtomicFile {

// False with the reason in *why when the content cannot be written.
bool write(const Folder &folder, const QString &name, const QByteArray &bytes, QString *why);

// The results table's replacement: throws AppError naming the table.
void replace(const Folder &folder, const QString &name, const QByteArray &bytes);
void replace(const QString &path, const QByteArray &bytes);   // in the folder of `path`

// Removes the unfinished files that a write left beside `fileName` when it
// was killed; only regular files of exactly that name form, in that letter
// case, are touched. Call it only while no writer can be at work.
void removeLeftovers(const Folder &folder, const QString &fileName);

// Whether any such unfinished file lies there, whoever is at work.
bool hasLeftovers(const Folder &folder, const QString &fileName);

// Whether `name` is one of the unfinished files for `fileName`.
bool isLeftoverName(const QString &name, const QString &fileName);

} // namespace AtomicFile
