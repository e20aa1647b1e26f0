#include "DigitKey.h"

namespace DigitKey {

namespace {
// Set 1 scan codes of the main row: 0x02 is the key marked 1, ..., 0x0A the
// 9 and 0x0B the 0. Qt adds the extended-key flag above the low byte.
constexpr quint32 kFirstDigitScan = 0x02;
constexpr quint32 kZeroScan = 0x0B;
constexpr quint32 kScanCodeMask = 0x1FF;
} // namespace

// Every layout gives the main row the virtual keys '0' ... '9', whatever
// characters it types; the scan code tells the place where a layout (or
// Wine's reading of an X keyboard) chose other virtual keys.
int mainRowDigit(quint32 nativeScanCode, quint32 nativeVirtualKey)
{
    if (nativeVirtualKey >= '0' && nativeVirtualKey <= '9')
        return int(nativeVirtualKey - '0');
    const quint32 scan = nativeScanCode & kScanCodeMask;
    if (scan == 0 && nativeVirtualKey == 0)
        return kUnknownPlace;
    if (scan < kFirstDigitScan || scan > kZeroScan)
        return -1;
    return scan == kZeroScan ? 0 : int(scan - kFirstDigitScan) + 1;
}

} // namespace DigitKey
