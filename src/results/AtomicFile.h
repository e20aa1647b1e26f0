#pragma once

#include <QByteArray>
#include <QString>

// Whole-file replacement: the new content is written to a file beside the
// target and then takes its place in one rename, so a crash or a full disk
// leaves either the old file or the new one, never a torn mix.
namespace AtomicFile {

// Throws AppError naming the file when the content cannot be written.
void replace(const QString &path, const QByteArray &bytes);

// The names replace() uses for its unfinished files beside `fileName`, to
// clean up after a crash (only while no writer can be at work).
QString leftoverPattern(const QString &fileName);

} // namespace AtomicFile
