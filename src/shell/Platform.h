#pragma once

// Window-system choices made as the program starts.
namespace Platform {
// The program places its windows at absolute screen positions, which a
// Wayland session does not allow: on Linux it runs on X11 (XWayland inside
// a Wayland session) unless the user chose a platform explicitly.
void chooseWindowSystem();

// A write past the process's file size limit (ulimit -f) fails with an
// error, as a full disk does, instead of ending the program with SIGXFSZ.
// Where there is no such signal it does nothing.
void ignoreFileSizeLimitSignal();
} // namespace Platform
