#include "WindowMask.h"

#include <QRegion>
#include <QWidget>

#include <windows.h>

namespace WindowMask {

// A window region is in the window's device pixels; the system owns it once
// it is set.
bool setDeviceRegion(QWidget *window, const QRegion &devicePixels)
{
    const auto hwnd = reinterpret_cast<HWND>(window->internalWinId());
    if (!hwnd || devicePixels.isEmpty())
        return false;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const QRect &r : devicePixels) {
        HRGN part = CreateRectRgn(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    if (SetWindowRgn(hwnd, region, TRUE))
        return true;
    DeleteObject(region);
    return false;
}

} // namespace WindowMask
