#pragma once

class QWidget;

// While a dialog is open the main window and the assistant take no input
// (mouse, keys, menu shortcuts) but keep their look: they are not greyed as
// QWidget::setEnabled(false) would grey them. The window system's close
// requests of a locked window are refused, and when a click makes a locked
// window the active one, the keyboard goes back to the open dialog.
namespace InputLock {

void setInputEnabled(QWidget *window, bool enabled);
bool isInputEnabled(const QWidget *window);

} // namespace InputLock
