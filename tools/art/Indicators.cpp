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
// At scale s every length is s times longer and the pattern of specks keeps
// its places: the same light at s times the resolution.
void ball(QImage &image, double cx, double cy, double r, State state, bool sunk, int s)
{
    cx *= s;
    cy *= s;
    r *= s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy);
            const double shade = (dx + dy) / (2 * r) * 1.41;
            if (d <= r - s) {
                const double glint = std::hypot(dx + 0.35 * r, dy + 0.35 * r) / r;
                image.setPixel(x, y, body(state, shade, glint, x / s, y / s));
            } else if (d <= r) {
                image.setPixel(x, y, shade < 0 ? kGrey : kSilver);
            } else if (sunk && d <= r + s) {
                image.setPixel(x, y, shade < 0 ? kGrey : kWhite);
            }
        }
    }
}

void triangle(QImage &image, const QPolygonF &corners, State state, int s)
{
    const QPointF centre = (corners[0] + corners[1] + corners[2]) / 3.0 * s;
    const double size = 7.0 * s;
    auto inside = [&](int x, int y) {
        return corners.containsPoint(QPointF(x + 0.5, y + 0.5) / s, Qt::OddEvenFill);
    };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inside(x, y))
                continue;
            // The rim is one pixel of the picture at ratio 1 wide.
            const bool openAbove = !inside(x, y - s) || !inside(x - s, y);
            const bool openBelow = !inside(x, y + s) || !inside(x + s, y);
            const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
            const double shade = (dx + dy) / size;
            if (openAbove)
                image.setPixel(x, y, kGrey);
            else if (openBelow)
                image.setPixel(x, y, kSilver);
            else
                image.setPixel(x, y,
                               body(state, shade, std::hypot(dx + 1.5 * s, dy + 1.0 * s) / (3.0 * s), x / s, y / s));
        }
    }
}

QImage small(State state, int s)
{
    QImage image = canvas(11 * s, 11 * s, kWhite);
    ball(image, 5.5, 5.5, 5.5, state, false, s);
    return image;
}

QImage round(State state, int s)
{
    QImage image = canvas(20 * s, 16 * s, kYellow);
    ball(image, 8.0, 8.0, 6.5, state, true, s);
    return image;
}

QImage pointing(State state, bool down, int s)
{
    QImage image = canvas(20 * s, 11 * s, kYellow);
    const QPolygonF corners = down ? QPolygonF{QPointF(3, 1), QPointF(17, 1), QPointF(10, 10)}
                                   : QPolygonF{QPointF(10, 1), QPointF(17, 10), QPointF(3, 10)};
    triangle(image, corners, state, s);
    return image;
}

const ArtFile files[] = {
    {"led/OFF.png", [](int s) { return small(State::Off, s); }},
    {"led/ON.png", [](int s) { return small(State::On, s); }},
    {"led/DOWN.png", [](int s) { return small(State::Down, s); }},
    {"led/OFFRND.png", [](int s) { return round(State::Off, s); }},
    {"led/ONRND.png", [](int s) { return round(State::On, s); }},
    {"led/DOWNRND.png", [](int s) { return round(State::Down, s); }},
    {"led/OFF3DWN.png", [](int s) { return pointing(State::Off, true, s); }},
    {"led/ON3DWN.png", [](int s) { return pointing(State::On, true, s); }},
    {"led/DOWN3DWN.png", [](int s) { return pointing(State::Down, true, s); }},
    {"led/OFF3UP.png", [](int s) { return pointing(State::Off, false, s); }},
    {"led/ON3UP.png", [](int s) { return pointing(State::On, false, s); }},
    {"led/DOWN3UP.png", [](int s) { return pointing(State::Down, false, s); }},
};

} // namespace
