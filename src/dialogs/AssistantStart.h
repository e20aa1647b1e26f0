#pragma once

#include <functional>

class QWidget;
class TPomocnikDialog;

// What the main window does with the assistant when it is first shown:
// reads "Pomocnik" and "Uvitani" and shows nothing, the assistant alone, or
// the assistant with the welcome dialog beside it.
namespace AssistantStart {

enum class Shown { Nothing, Assistant, AssistantAndWelcome };

// Without "Pomocnik" = "1" nothing is shown; without "Uvitani" = "1" the
// assistant alone. Otherwise the assistant moves to its corner (margins
// 7/25) if the welcome dialog would not fit beside it, is shown, the main
// window and the assistant take no input, and showWelcome runs (it ticks
// the dialog's check box and shows it; the dialog places itself and
// re-enables both windows when it closes). While there is no welcome dialog
// (welcome null) the assistant is shown alone.
Shown run(TPomocnikDialog *assistant, QWidget *mainWindow, QWidget *welcome,
          const std::function<void()> &showWelcome = {});

} // namespace AssistantStart
