#include "GradientMath.h"

#include <QPainter>

#include <climits>
#include <cstdlib>

namespace GradientMath {

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long magnitude = std::llabs(product);
    const long long divisor = std::llabs(static_cast<long long>(c));
    long long quotient = (magnitude + divisor / 2) / divisor;
    if ((product < 0) != (c < 0))
        quotient = -quotient;
    if (quotient > INT_MAX || quotient < INT_MIN)
        return -1;
    return static_cast<int>(quotient);
}

namespace {
int channel(int from, int to, int k, int n)
{
    return (from + mulDiv(k, to - from, n)) & 0xFF;
}
} // namespace

QRgb stepColor(QRgb begin, QRgb end, int k, int n)
{
    return qRgb(channel(qRed(begin), qRed(end), k, n),
                channel(qGreen(begin), qGreen(end), k, n),
                channel(qBlue(begin), qBlue(end), k, n));
}

int greyLevel(QRgb color)
{
    return (30 * qRed(color) + 59 * qGreen(color) + 11 * qBlue(color)) / 100;
}

int bandStart(int k, int extent)
{
    return mulDiv(k, extent, kBands);
}

QRect rectangleStep(int k, int width, int height)
{
    // Accumulated step by step in floating point, as the bands were drawn.
    const double stepX = width / 2.0 / 255.0;
    const double stepY = height / 2.0 / 255.0;
    double left = 0, top = 0, right = width + 2, bottom = height + 2;
    for (int i = 0; i <= k; ++i) {
        left += stepX;
        top += stepY;
        right -= stepX;
        bottom -= stepY;
    }
    return QRect(QPoint(int(left), int(top)), QPoint(int(right) - 1, int(bottom) - 1));
}

QVector<Fill> gradientFills(Style style, int width, int height, QRgb begin, QRgb end)
{
    QVector<Fill> fills;
    const int last = kBands - 1;
    switch (style) {
    case Style::Horizontal:
        for (int k = 0; k < kBands; ++k) {
            const int x0 = bandStart(k, width), x1 = bandStart(k + 1, width);
            if (x1 > x0)
                fills.append({QRect(x0, 0, x1 - x0, height), stepColor(begin, end, k, last)});
        }
        break;
    case Style::Vertical:
        for (int k = 0; k < kBands; ++k) {
            const int y0 = bandStart(k, height), y1 = bandStart(k + 1, height);
            if (y1 > y0)
                fills.append({QRect(0, y0, width, y1 - y0), stepColor(begin, end, k, last)});
        }
        break;
    case Style::Rectangle: {
        // Rectangles stop shrinking once they are empty; the whole area is
        // covered by the first one.
        for (int k = 0; k < kBands; ++k) {
            const QRect r = rectangleStep(k, width, height);
            if (!r.isEmpty())
                fills.append({r, stepColor(begin, end, k, last)});
        }
        break;
    }
    case Style::VertCenter: {
        const int h = height / 2;
        for (int k = 0; k <= h; ++k) {
            const QRgb c = stepColor(begin, end, k, h == 0 ? 1 : h);
            fills.append({QRect(0, k, width, 1), c});
            fills.append({QRect(0, height - k - 1, width, 1), c});
        }
        break;
    }
    case Style::HorizCenter: {
        const int w = width / 2;
        for (int k = 0; k <= w; ++k) {
            const QRgb c = stepColor(begin, end, k, w == 0 ? 1 : w);
            fills.append({QRect(k, 0, 1, height), c});
            fills.append({QRect(width - k - 1, 0, 1, height), c});
        }
        break;
    }
    }
    return fills;
}

int progressLength(int position, int extent, int maxValue)
{
    if (maxValue <= 0)
        return 0;
    return mulDiv(position, extent, maxValue);
}

QRgb progressColor(QRgb start, QRgb end, int x, int length)
{
    if (length <= 0)
        return stepColor(start, end, 0, 255);
    return stepColor(start, end, mulDiv(255, x, length), 255);
}

int percentOf(int length, int extent)
{
    return extent <= 0 ? 0 : mulDiv(length, 100, extent);
}

void drawFrame3D(QPainter &painter, const QRect &rect, const QColor &topLeft,
                 const QColor &bottomRight, int width)
{
    QRect r = rect;
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
        painter.fillRect(QRect(l, t, rt - l, 1), topLeft);          // top, far corner excluded
        painter.fillRect(QRect(l, t, 1, b - t), topLeft);           // left, lower corner excluded
        painter.fillRect(QRect(rt, t, 1, b - t), bottomRight);      // right
        painter.fillRect(QRect(l, b, rt - l + 1, 1), bottomRight);  // bottom, both corners
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace GradientMath
