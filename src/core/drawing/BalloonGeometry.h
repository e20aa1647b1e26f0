#pragma once

#include <QLine>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <QSize>

// The edge and the end of that edge where a balloon's tail sits
// (bpRightTop: on the right edge, near the top), or no tail.
enum TBalloonPosition {
    bpTopLeft,
    bpLeftTop,
    bpTopRight,
    bpRightTop,
    bpBottomLeft,
    bpLeftBottom,
    bpBottomRight,
    bpRightBottom,
    bpNone
};

// Where the parts of a speech balloon lie in a W x H window, for corner
// ellipse E and tail length and width I. Rectangles here are given by their
// edges as the window system takes them: right and bottom are one past the
// last pixel (use left()/top() with edgeRight()/edgeBottom() below).
//
// The window's region is body (rounded, E x E) united with the tail triangle
// P1 (tip, on the window edge), P2, P3. The painter outlines a rounded
// rectangle one pixel smaller at the right and bottom, then the tail moved
// inwards, then draws the joining line in the form's colour so that the
// outline opens where the tail meets the body.
//
// The painted tail follows two models: bpRightTop for tails on the left and
// right edges, bpBottomRight for tails on the top and bottom edges. Across
// the edge, the tip lies on the window's outermost row or column and the
// base on the body outline's side line (left/top outline line: I; right/
// bottom: W - I - 2, H - I - 2). Along the edge a tail at the far end (right
// or bottom) is the pixel mirror of one at the near end, so bpLeftTop and
// bpRightTop share their rows, bpRightBottom mirrors them, and bpBottomLeft
// and bpTopLeft mirror the columns of bpBottomRight and bpTopRight. The
// joining line covers the pixels of the tail's base as in the model; its end
// point is not drawn.
struct BalloonGeometry
{
    TBalloonPosition position = bpNone;
    QSize size;
    int ellipse = 0;
    int indent = 0;

    QRect body;         // region body
    QPolygon tail;      // P1, P2, P3; empty for bpNone
    QRect outline;      // painted body outline
    QPolygon innerTail; // painted tail; empty for bpNone
    QLine joint;        // from p1 up to, not including, p2; null for bpNone

    bool hasTail() const { return position != bpNone; }
};

BalloonGeometry balloonGeometry(TBalloonPosition position, QSize size, int ellipse, int indent);

// A rectangle from window-system edges, right and bottom exclusive.
inline QRect edgeRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
inline int edgeRight(const QRect &r) { return r.left() + r.width(); }
inline int edgeBottom(const QRect &r) { return r.top() + r.height(); }

// The pixels of a rounded rectangle with corner ellipse e x e, rows and
// columns as the window system fills a rounded-rectangle region.
QRegion roundRectRegion(const QRect &rect, int ellipse);
// Its pixels that touch a pixel outside (four-neighbourhood): a one-pixel
// outline that lies exactly on the region's edge.
QRegion roundRectBorder(const QRect &rect, int ellipse);

// The window region: body united with the tail (winding fill).
QRegion balloonRegion(const BalloonGeometry &geometry);
