#include "BalloonGeometry.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Per row of the rectangle, the first and one-past-last pixel column that
// lie inside the rounded shape.
QVector<std::pair<int, int>> roundRectSpans(const QRect &rect, int ellipse)
{
    QVector<std::pair<int, int>> spans;
    if (rect.isEmpty())
        return spans;
    const double l = rect.left();
    const double r = edgeRight(rect);
    const double t = rect.top();
    const double b = edgeBottom(rect);
    const double rx = std::min(std::max(ellipse, 0), rect.width()) / 2.0;
    const double ry = std::min(std::max(ellipse, 0), rect.height()) / 2.0;
    spans.reserve(rect.height());
    for (int y = rect.top(); y < edgeBottom(rect); ++y) {
        const double yc = y + 0.5;
        double dy = 0;
        if (ry > 0 && yc < t + ry)
            dy = (t + ry - yc) / ry;
        else if (ry > 0 && yc > b - ry)
            dy = (yc - (b - ry)) / ry;
        const double inset = rx * (1.0 - std::sqrt(std::max(0.0, 1.0 - dy * dy)));
        const int first = int(std::ceil(l + inset - 0.5));
        const int last = int(std::floor(r - inset - 0.5));
        spans.append({first, std::max(first, last + 1)});
    }
    return spans;
}

} // namespace

BalloonGeometry balloonGeometry(TBalloonPosition position, QSize size, int ellipse, int indent)
{
    const int W = size.width();
    const int H = size.height();
    const int E = ellipse;
    const int I = indent;

    BalloonGeometry g;
    g.position = position;
    g.size = size;
    g.ellipse = E;
    g.indent = I;

    switch (position) {
    case bpTopLeft:
    case bpTopRight:
        g.body = edgeRect(0, I, W, H);
        break;
    case bpLeftTop:
    case bpLeftBottom:
        g.body = edgeRect(I, 0, W, H);
        break;
    case bpRightTop:
    case bpRightBottom:
        g.body = edgeRect(0, 0, W - I, H);
        break;
    case bpBottomLeft:
    case bpBottomRight:
        g.body = edgeRect(0, 0, W, H - I);
        break;
    case bpNone:
        g.body = edgeRect(0, 0, W, H);
        break;
    }
    g.outline = edgeRect(g.body.left(), g.body.top(), edgeRight(g.body) - 1, edgeBottom(g.body) - 1);

    using P = QPoint;
    switch (position) {
    case bpTopLeft:
        g.tail = {P(E, 0), P(E, I), P(E + I, I)};
        g.innerTail = {P(E, 0), P(E, I), P(E + I - 2, I)};
        g.joint = QLine(E, I, E + I - 1, I);
        break;
    case bpLeftTop:
        g.tail = {P(0, E), P(I, E), P(I, E + I)};
        g.innerTail = {P(0, E), P(I, E), P(I, E + I)};
        g.joint = QLine(I, E, I, E + I);
        break;
    case bpTopRight:
        g.tail = {P(W - E, 0), P(W - E, I), P(W - E - I, I)};
        g.innerTail = {P(W - E - 1, 0), P(W - E - 1, I), P(W - E - I + 1, I)};
        g.joint = QLine(W - E - I + 1, I, W - E, I);
        break;
    case bpRightTop:
        g.tail = {P(W, E), P(W - I - 1, E), P(W - I - 1, I + E)};
        g.innerTail = {P(W - 1, E), P(W - I - 2, E), P(W - I - 2, I + E)};
        g.joint = QLine(W - I - 2, E, W - I - 2, I + E);
        break;
    case bpBottomLeft:
        g.tail = {P(E, H), P(E, H - I - 1), P(E + I, H - I - 1)};
        g.innerTail = {P(E, H - 1), P(E, H - I - 2), P(E + I - 2, H - I - 2)};
        g.joint = QLine(E, H - I - 2, E + I - 1, H - I - 2);
        break;
    case bpLeftBottom:
        g.tail = {P(0, H - E), P(I, H - E), P(I, H - E - I)};
        g.innerTail = {P(0, H - 1 - E), P(I, H - 1 - E), P(I, H - 1 - E - I)};
        g.joint = QLine(I, H - E - I, I, H - E);
        break;
    case bpBottomRight:
        g.tail = {P(W - E, H), P(W - E, H - I - 1), P(W - E - I, H - I - 1)};
        g.innerTail = {P(W - E - 1, H - 1), P(W - E - 1, H - I - 2), P(W - E - I + 1, H - I - 2)};
        g.joint = QLine(W - E - I + 1, H - I - 2, W - E, H - I - 2);
        break;
    case bpRightBottom:
        g.tail = {P(W, H - E), P(W - I - 1, H - E), P(W - I - 1, H - E - I)};
        g.innerTail = {P(W - 1, H - 1 - E), P(W - I - 2, H - 1 - E), P(W - I - 2, H - 1 - E - I)};
        g.joint = QLine(W - I - 2, H - E - I, W - I - 2, H - E);
        break;
    case bpNone:
        break;
    }
    return g;
}

QRegion roundRectRegion(const QRect &rect, int ellipse)
{
    QRegion region;
    const auto spans = roundRectSpans(rect, ellipse);
    for (int i = 0; i < spans.size(); ++i)
        if (spans[i].second > spans[i].first)
            region += QRect(spans[i].first, rect.top() + i, spans[i].second - spans[i].first, 1);
    return region;
}

QRegion roundRectBorder(const QRect &rect, int ellipse)
{
    QRegion border;
    const auto spans = roundRectSpans(rect, ellipse);
    const std::pair<int, int> none{0, 0};
    for (int i = 0; i < spans.size(); ++i) {
        const auto [first, end] = spans[i];
        if (end <= first)
            continue;
        const auto above = i > 0 ? spans[i - 1] : none;
        const auto below = i + 1 < spans.size() ? spans[i + 1] : none;
        // Inner pixels have all four neighbours inside the shape.
        const int innerFirst = std::max({first + 1, above.first, below.first});
        const int innerEnd = std::min({end - 1, above.second, below.second});
        const int y = rect.top() + i;
        QRegion row(first, y, end - first, 1);
        if (innerEnd > innerFirst)
            row -= QRegion(innerFirst, y, innerEnd - innerFirst, 1);
        border += row;
    }
    return border;
}

QRegion balloonRegion(const BalloonGeometry &geometry)
{
    QRegion region = roundRectRegion(geometry.body, geometry.ellipse);
    if (geometry.hasTail())
        region += QRegion(geometry.tail, Qt::WindingFill);
    return region;
}
