// The indicator lights of the flat buttons and labels: three states (off,
// on under the mouse, down while pressed) of a small ball, a larger sunk
// ball and a triangle pointing down or up. Each stands on its transparent
// colour: white for the small balls, yellow for the others.
#include "Art.h"

#include <QPolygonF>

#include <cmath>

namespace {

enum class State { Off, On, Down };

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kTeal = qRgb(0, 128, 128);
const QRgb kCyan = qRgb(0, 255, 255);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kGrey = qRgb(128, 128, 128);

// The light's body at a point: shade runs from -1 (lit, upper left) to 1
// (lower right); glint is the distance from the glint's centre in radii.
QRgb body(State state, double shade, double glint, int x, int y)
{
    switch (state) {
    case State::Off:
        if ((x * 7 + y * 3) % 11 == 0 && shade < 0.4)
            return kTeal;                               // specks in the dark glass
        return shade < -0.25 ? kBlue : kNavy;
    case State::On:
        return glint < 0.35 ? kCyan : kTeal;
    case State::Down:
        if (shade > 0.75)
            return kBlue;
        if (shade > 0.45)
            return kTeal;
        return kCyan;
    }
    return kNavy;
}

// A ball of radius r about (cx, cy), rim grey at the upper left and silver at
// the lower right; sunk adds a ring round it, grey above and white below.
void ball(QImage &image, double cx, double cy, double r, State state, bool sunk)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            const double shade = (dx + dy) / (2 * r) * 1.41;
            if (d <= r - 1.0) {
                const double glint = std::hypot(dx + 0.35 * r, dy + 0.35 * r) / r;
                image.setPixel(x, y, body(state, shade, glint, x, y));
            } else if (d <= r) {
                image.setPixel(x, y, shade < 0 ? kGrey : kSilver);
            } else if (sunk && d <= r + 1.0) {
                image.setPixel(x, y, shade < 0 ? kGrey : kWhite);
            }
        }
    }
}

void triangle(QImage &image, const QPolygonF &corners, State state)
{
    const QPointF centre = (corners[0] + corners[1] + corners[2]) / 3.0;
    const double size = 7.0;
    auto inside = [&](int x, int y) {
        return corners.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill);
    };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inside(x, y))
                continue;
            const bool openAbove = !inside(x, y - 1) || !inside(x - 1, y);
            const bool openBelow = !inside(x, y + 1) || !inside(x + 1, y);
            const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
            const double shade = (dx + dy) / size;
            if (openAbove)
                image.setPixel(x, y, kGrey);
            else if (openBelow)
                image.setPixel(x, y, kSilver);
            else
                image.setPixel(x, y, body(state, shade, std::hypot(dx + 1.5, dy + 1.0) / 3.0, x, y));
        }
    }
}

QByteArray small(State state)
{
    QImage image = canvas(11, 11, kWhite);
    ball(image, 5.5, 5.5, 5.5, state, false);
    return png(image);
}

QByteArray round(State state)
{
    QImage image = canvas(20, 16, kYellow);
    ball(image, 8.0, 8.0, 6.5, state, true);
    return png(image);
}

QByteArray pointing(State state, bool down)
{
    QImage image = canvas(20, 11, kYellow);
    const QPolygonF corners = down ? QPolygonF{QPointF(3, 1), QPointF(17, 1), QPointF(10, 10)}
                                   : QPolygonF{QPointF(10, 1), QPointF(17, 10), QPointF(3, 10)};
    triangle(image, corners, state);
    return png(image);
}

const ArtFile files[] = {
    {"led/OFF.png", [] { return small(State::Off); }},
    {"led/ON.png", [] { return small(State::On); }},
    {"led/DOWN.png", [] { return small(State::Down); }},
    {"led/OFFRND.png", [] { return round(State::Off); }},
    {"led/ONRND.png", [] { return round(State::On); }},
    {"led/DOWNRND.png", [] { return round(State::Down); }},
    {"led/OFF3DWN.png", [] { return pointing(State::Off, true); }},
    {"led/ON3DWN.png", [] { return pointing(State::On, true); }},
    {"led/DOWN3DWN.png", [] { return pointing(State::Down, true); }},
    {"led/OFF3UP.png", [] { return pointing(State::Off, false); }},
    {"led/ON3UP.png", [] { return pointing(State::On, false); }},
    {"led/DOWN3UP.png", [] { return pointing(State::Down, false); }},
};

} // namespace
