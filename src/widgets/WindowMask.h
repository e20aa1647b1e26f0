#pragma once

class QRegion;
class QWidget;

// Cuts a window to a region given in its device pixels, finer than Qt's
// window mask, which takes the window's own pixels and shows each as a
// block of device pixels at a scale above 1.
namespace WindowMask {

// Cuts window's native window to devicePixels. False where the window has
// no native window yet or the window system cuts in no finer pixels: the
// window's Qt mask then stands.
bool setDeviceRegion(QWidget *window, const QRegion &devicePixels);

} // namespace WindowMask
