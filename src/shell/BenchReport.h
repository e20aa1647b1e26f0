#pragma once

class QWidget;

// With TORAN2000_QUIT_WHEN_SHOWN set, the program prints "shown <ms since
// the epoch> <peak resident kB>" when the window is first painted and quits:
// bench/startup.sh measures start-up with it.
namespace BenchReport {
void quitWhenShownIfAsked(QWidget *window);
}
