#pragma once

#include <QByteArray>
#include <QString>

// The system's converters for the single-byte code pages of tables that
// other programs wrote ("IBM437", "IBM850", "IBM852", "windows-1252",
// "windows-1250"): Qt's, backed by ICU, on POSIX systems
// (CodePage_posix.cpp); the system's own code pages on Windows
// (CodePage_win.cpp), where Qt has no ICU and knows none of them.
namespace CodePage {

// False where the system cannot convert that code page.
bool isAvailable(const char *name);
QString decode(const char *name, const QByteArray &bytes);
// A character the code page lacks comes out as SUB (0x1A), not as a look-alike.
QByteArray encode(const char *name, const QString &text);

} // namespace CodePage
