#include "DigitKey.h"

namespace DigitKey {

namespace {
// X11 key codes of the main row: 10 is the key marked 1, ..., 18 the 9 and
// 19 the 0 (the same with the evdev and the older keyboard drivers).
constexpr quint32 kFirstDigitCode = 10;
constexpr quint32 kZeroCode = 19;
} // namespace

int mainRowDigit(quint32 nativeScanCode, quint32)
{
    if (nativeScanCode == 0)
        return kUnknownPlace;
    if (nativeScanCode < kFirstDigitCode || nativeScanCode > kZeroCode)
        return -1;
    return nativeScanCode == kZeroCode ? 0 : int(nativeScanCode - kFirstDigitCode) + 1;
}

} // namespace DigitKey
