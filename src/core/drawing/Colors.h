#pragma once

#include <QColor>

// The forms' colours: named colours and numbers in the BGR layout the forms
// store (8454143 is red 255, green 255, blue 128).
namespace Colors {

constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Maroon = qRgb(128, 0, 0);
constexpr QRgb Green = qRgb(0, 128, 0);
constexpr QRgb Olive = qRgb(128, 128, 0);
constexpr QRgb Navy = qRgb(0, 0, 128);
constexpr QRgb Gray = qRgb(128, 128, 128);
constexpr QRgb Silver = qRgb(192, 192, 192);
constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Lime = qRgb(0, 255, 0);
constexpr QRgb Yellow = qRgb(255, 255, 0);
constexpr QRgb Blue = qRgb(0, 0, 255);
constexpr QRgb Aqua = qRgb(0, 255, 255);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb BtnFace = qRgb(192, 192, 192);       // the classic button face
constexpr QRgb BtnHighlight = qRgb(255, 255, 255);
constexpr QRgb BtnShadow = qRgb(128, 128, 128);
constexpr QRgb DkShadow = qRgb(64, 64, 64);
constexpr QRgb BalloonYellow = fromBgr(14745599);   // the balloons' pale yellow

// Disk k's colour (index k - 1), on the board and in the idle picture alike.
constexpr QRgb Disks[10] = {
    White, fromBgr(8454143), Red, Aqua, Blue, Lime, Green, Olive, Silver, Black,
};

} // namespace Colors
