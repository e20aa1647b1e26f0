#pragma once

#include <functional>

class QApplication;
class QTranslator;
class THlavniDialog;

// The program's entry: the single-instance test, the splash with its
// progress, every window created once in its order, and the message loop.
namespace Startup {

int run(int argc, char *argv[]);

// Creates the data module and every window in their order, reporting the
// splash position after each (7, 14, 21, 28, 35, 42, 63, 70, 77, 84, 91, 100).
// The windows land in appWindows(); mainWindowCreated, if given, is called
// as soon as the main window exists.
void createWindows(const std::function<void(int)> &progress,
                   const std::function<void(THlavniDialog *)> &mainWindowCreated = {});

// Qt's own texts (the name box's context menu, standard dialogs) in Czech
// like the rest of the game. False, and nothing changed, where Qt's Czech
// translation is not installed.
bool installQtTranslation(QTranslator &translator);

} // namespace Startup
