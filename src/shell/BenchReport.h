#pragma once

class QWidget;

// With TORAN2000_QUIT_WHEN_SHOWN set, the program prints "splash <ms since
// the epoch>" once the splash is first painted, and "shown <ms since the
// epoch> <peak resident kB>" once the main window is first painted, then
// quits: bench/startup.sh measures start-up with it.
namespace BenchReport {
void reportSplashPaintIfAsked(QWidget *splash);
void quitWhenShownIfAsked(QWidget *window);
}
