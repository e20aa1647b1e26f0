#pragma once

#include <QString>
#include <qwindowdefs.h>

// The electronic manual: a separate program beside the executable with its
// start page under Html/Toran2000. The game only looks both up and starts
// the program; it never waits for it or checks how it went.
namespace Manual {
bool isAvailable();
// Does nothing when either file is missing. `owner` is the window the
// system's shell may hold its own messages out from.
void start(WId owner = 0);

// The program's file name: "ManualKQ2000.exe" on Windows, "ManualKQ2000"
// elsewhere.
QString programName();

// Starts `program` with one parameter in the system's usual way, in the
// current directory (Manual_posix.cpp, Manual_win.cpp).
void launch(const QString &program, const QString &parameter, WId owner);
} // namespace Manual
