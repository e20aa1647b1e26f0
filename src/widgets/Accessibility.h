#pragma once

#include <QAccessible>

class QWidget;

// What a screen reader learns of the program's own controls through Qt's
// accessibility (AT-SPI on Linux): the flat buttons and the picture
// buttons are buttons, the hot-track labels links, named by their captions
// (or, without one, their hints), described by their hints and pressed by
// the reader's action as by a click. Widgets given a role are told as that
// role: the balloons as dialogs, the pictures as graphics.
namespace Accessibility {

// Installs the interfaces, once; the controls do it as they are made.
void install();

// The role the reader tells for widget. A leaf shows the reader none of its
// parts.
void setRole(QWidget *widget, QAccessible::Role role, bool leaf = false);

// Tells a reader that the accessible child (-1: the widget itself) of
// widget changed as `what` says (NameChanged, Focus, ...), when one listens.
void tell(QWidget *widget, QAccessible::Event what, int child = -1);

} // namespace Accessibility
