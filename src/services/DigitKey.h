#pragma once

#include <QtGlobal>

class QKeyEvent;

// The digit keys by their place on the keyboard: the main row's keys marked
// 1 ... 9, 0 whatever the layout makes of them (the Czech one types "+",
// "ě", "š" there unshifted) and with Shift or without, and the keypad's
// digits. The menus' access keys are the characters and are not read here.
namespace DigitKey {

// The digit (0 to 9) of the key pressed, or -1 for every other key. A key
// that comes without its place (made by a program or a test) goes by its
// character.
int digitOf(const QKeyEvent &event);

// What the window system tells of a main-row digit key: its digit, -1 for
// another key, or kUnknownPlace where the event carries no place.
constexpr int kUnknownPlace = -2;
int mainRowDigit(quint32 nativeScanCode, quint32 nativeVirtualKey);

} // namespace DigitKey
