#pragma once

class QImage;
class QKeyEvent;
class QWindow;

// Window-system choices made as the program starts.
namespace Platform {
// The program places its windows at absolute screen positions, which a
// Wayland session does not allow: on Linux it runs on X11 (XWayland inside
// a Wayland session) unless the user chose a platform explicitly. False
// when the user chose Wayland itself: the game cannot run there.
bool chooseWindowSystem();
// Whether the window system chosen has a display to show the game on: on
// Linux an X server that answers (Qt would abort without one).
bool displayReachable();

// Gives the window's native window a picture that the window system shows
// the moment the window appears, before the program has painted anything
// (X11: its background pixmap); a null picture takes it away again, so that
// later exposures show nothing stale. Elsewhere the window system asks the
// program for the first picture itself, and this does nothing.
void setWindowBackground(QWindow *window, const QImage &picture);
// Whether setWindowBackground shows anything here: where it does not, no
// picture need be made for it.
bool showsWindowBackground();

// A write past the process's file size limit (ulimit -f) fails with an
// error, as a full disk does, instead of ending the program with SIGXFSZ.
// Where there is no such signal it does nothing.
void ignoreFileSizeLimitSignal();

// Starts noting how the window system sends key presses; call once the
// application exists, before its keys are read.
void watchKeys();
// Whether the window system sent press as the repeat of a key held down
// (1) or as a press of a key that was up (0); -1 where it does not say.
// Windows says so in each press itself; Qt's word for it is a guess that
// a missed release turns wrong.
int isSystemRepeat(const QKeyEvent *press);
} // namespace Platform
