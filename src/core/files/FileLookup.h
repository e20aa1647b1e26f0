#pragma once

#include <QString>

// Looks a file up under its own name relative to the current directory, then
// in dir. Returns the first existing path, made absolute, or an empty string.
QString lookUpFile(const QString &name, const QString &dir);
