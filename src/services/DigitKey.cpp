#include "DigitKey.h"

#include <QKeyEvent>

namespace DigitKey {

namespace {
int digitOfKey(int key) { return key >= Qt::Key_0 && key <= Qt::Key_9 ? key - Qt::Key_0 : -1; }
} // namespace

int digitOf(const QKeyEvent &event)
{
    // The keypad's digits are the same on every layout (with Num Lock off
    // they are arrows and Home/End, and no digits).
    if (event.modifiers() & Qt::KeypadModifier)
        return digitOfKey(event.key());
    const int placed = mainRowDigit(event.nativeScanCode(), event.nativeVirtualKey());
    return placed == kUnknownPlace ? digitOfKey(event.key()) : placed;
}

} // namespace DigitKey
