#pragma once

#include <memory>

class QApplication;
class TKopieDialog;
class TPomocnikDialog;

// The start of a second copy while another one runs: only the assistant and
// the notice beside it; no splash, no results table, no other window.
namespace SecondCopy {

struct Windows
{
    std::unique_ptr<TPomocnikDialog> assistant;   // this copy's main window
    std::unique_ptr<TKopieDialog> notice;
};

// Creates both windows, centres the assistant on the screen, places the
// notice 35 pixels into its left edge with the bottom edges level, and shows
// the notice and then the assistant. Closing the assistant quits app.
Windows start(QApplication &app);

// start(), then the message loop until the assistant is closed, and then
// the goodbye heard to its end (at most two seconds).
int run(QApplication &app);

} // namespace SecondCopy
