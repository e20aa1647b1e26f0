#pragma once

#include "core/placement/PlacementRules.h"

#include <QRect>
#include <QSize>

class QWidget;

// Moves the assistant and the balloons beside it (the geometry is in
// PlacementRules). The screen is the whole primary screen, not its work area.
namespace Placement {

QSize screenSize();
// Tests place windows on screens of any size; an empty size restores the
// real screen.
void setScreenSizeForTesting(QSize size);

// A window's outer rectangle: position and size with its frame.
QRect outerRect(const QWidget *window);

// The corner placement: the assistant is hidden, moved to the corner place
// for the margins and made visible again (which runs its show event). At
// creation it is only moved: reshow false.
void corner(QWidget *assistant, PlacementRules::Margins margins, bool reshow = true);

// The assistant placement rule for a dialog of the given outer size: when
// the row's test holds, the corner placement with the row's margins, and for
// the rows that say so the assistant comes to the front. Returns whether the
// assistant moved.
bool applyRule(PlacementRules::DialogRow row, QWidget *assistant, QSize dialog);

// Moves the dialog to its place beside the assistant.
void placeDialog(PlacementRules::DialogRow row, QWidget *dialog, const QWidget *assistant);

} // namespace Placement
