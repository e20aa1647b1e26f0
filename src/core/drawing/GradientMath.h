#pragma once

#include <QColor>
#include <QRect>
#include <QVector>

class QPainter;

// The arithmetic of the gradient text, the gradient bar and the button
// pictures: integer rounding as the platform's MulDiv does it, the colour of
// one gradient step, the bands of each gradient style and the grey level.
namespace GradientMath {

// a * b / c rounded to the nearest integer, halves away from zero, computed
// in 64 bits; a zero divisor (or a result outside int) gives -1, as the
// platform's MulDiv does.
int mulDiv(int a, int b, int c);

// The colour of step k over n between begin and end: each channel is
// begin + mulDiv(k, end - begin, n), taken modulo 256. Alpha is opaque.
QRgb stepColor(QRgb begin, QRgb end, int k, int n);

// (30 R + 59 G + 11 B) / 100, integer division.
int greyLevel(QRgb color);

// The gradient styles of the gradient text, in their stored order.
enum class Style { Horizontal, Vertical, Rectangle, VertCenter, HorizCenter };

// One filled rectangle of a gradient; later fills paint over earlier ones.
struct Fill
{
    QRect rect;
    QRgb color;
};

constexpr int kBands = 256;

// Band k (0..255) of extent pixels: from mulDiv(k, extent, 256) up to, not
// including, mulDiv(k + 1, extent, 256).
int bandStart(int k, int extent);

// The fills that make a W x H gradient of the given style, in painting order:
// Horizontal 256 columns left to right, Vertical 256 rows top to bottom,
// Rectangle 256 concentric rectangles rim to centre, VertCenter / HorizCenter
// one-pixel rows / columns from both edges towards the middle.
QVector<Fill> gradientFills(Style style, int width, int height, QRgb begin, QRgb end);

// Rectangle k (0..255) of the Rectangle style: the start (0, 0, W + 2, H + 2)
// moved inwards by W / 2 / 255 and H / 2 / 255 on every side once per step,
// k + 1 times, coordinates truncated.
QRect rectangleStep(int k, int width, int height);

// Filled length of a progress bar: mulDiv(position, extent, maxValue); no
// fill at all for a maxValue that is not positive (instead of dividing by 0).
int progressLength(int position, int extent, int maxValue);

// Colour of column x (0..length) of a filled part of the given length: the
// start colour at 0, the end colour at the tip.
QRgb progressColor(QRgb start, QRgb end, int x, int length);

// The bar's percentage: mulDiv(length, 100, extent).
int percentOf(int length, int extent);

// The classic 3D frame: top and left lines in topLeft, bottom and right in
// bottomRight (the two far corners in bottomRight), width nested one-pixel
// frames from the rectangle inwards. Aliased; any painter (widgets or not).
void drawFrame3D(QPainter &painter, const QRect &rect, const QColor &topLeft,
                 const QColor &bottomRight, int width);

} // namespace GradientMath
