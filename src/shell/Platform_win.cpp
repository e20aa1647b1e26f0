#include "Platform.h"

// Windows places windows where the program asks, asks the program for a
// window's first picture itself, and has no file size limit signal.
namespace Platform {

bool chooseWindowSystem() { return true; }
void setWindowBackground(QWindow *, const QImage &) {}
bool showsWindowBackground() { return false; }
void ignoreFileSizeLimitSignal() {}

} // namespace Platform
