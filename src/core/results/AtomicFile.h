#pragma once

#include <QByteArray>
#include <QString>

// Whole-file replacement: the new content is written to a file beside the
// target, synced, and then takes its place in one rename, after which the
// directory is synced too. A crash or a full disk leaves either the old file
// or the new one, never a torn mix, and once replace() returns a power cut
// cannot bring the old one back.
//
// The unfinished file has a name that only this program makes: a hidden
// prefix of its own, the target's name and a random part.
namespace AtomicFile {

// Throws AppError naming the file when the content cannot be written.
void replace(const QString &path, const QByteArray &bytes);

// Removes the unfinished files that replace() left beside `fileName` in
// `dir` when it was killed; only names of exactly that form, in that letter
// case, are touched. Call it only while no writer can be at work.
void removeLeftovers(const QString &dir, const QString &fileName);

// Whether any such unfinished file lies there, whoever is at work.
bool hasLeftovers(const QString &dir, const QString &fileName);

// Whether `name` is one of replace()'s unfinished files for `fileName`.
bool isLeftoverName(const QString &name, const QString &fileName);

} // namespace AtomicFile
