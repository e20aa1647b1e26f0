#include "core/drawing/BalloonGeometry.h"
#include "support/TestMain.h"

#include <QtTest>

Q_DECLARE_METATYPE(TBalloonPosition)

namespace {
QRect edges(int l, int t, int r, int b) { return edgeRect(l, t, r, b); }
using P = QPoint;

QVector<TBalloonPosition> allPositions()
{
    return {bpTopLeft, bpLeftTop, bpTopRight, bpRightTop, bpBottomLeft,
            bpLeftBottom, bpBottomRight, bpRightBottom, bpNone};
}

const char *name(TBalloonPosition p)
{
    static const char *names[] = {"bpTopLeft", "bpLeftTop", "bpTopRight", "bpRightTop", "bpBottomLeft",
                                  "bpLeftBottom", "bpBottomRight", "bpRightBottom", "bpNone"};
    return names[p];
}

// Pixels a one-pixel pen sets along a polygon's edges, with both ends.
QVector<QPoint> edgePixels(const QPolygon &polygon)
{
    QVector<QPoint> pixels;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPoint a = polygon[i];
        const QPoint b = polygon[(i + 1) % polygon.size()];
        const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
        for (int s = 0; s <= steps; ++s)
            pixels << QPoint(a.x() + qRound(double(b.x() - a.x()) * s / std::max(steps, 1)),
                             a.y() + qRound(double(b.y() - a.y()) * s / std::max(steps, 1)));
    }
    return pixels;
}
} // namespace

class BalloonGeometryTest : public QObject
{
    Q_OBJECT
private slots:
    void bodyAndTailFollowTheTablesForEveryPosition_data();
    void bodyAndTailFollowTheTablesForEveryPosition();
    void theSecondCopyNoticeAndTheHelpDialogComeOutPointForPoint_data();
    void theSecondCopyNoticeAndTheHelpDialogComeOutPointForPoint();
    void thePaintedOutlineStaysOnTheRegion_data();
    void thePaintedOutlineStaysOnTheRegion();
    void theTailPointsOutOfTheBodyAndOverlapsIt_data();
    void theTailPointsOutOfTheBodyAndOverlapsIt();
    void roundedCornersAreCutAndSidesAreStraight();
    void theBorderIsExactlyTheShapesEdgePixels();
};

// W = 200, H = 100, E = 20, I = 15: the body leaves room for the tail on
// its side; P1 is the tip on the window edge.
void BalloonGeometryTest::bodyAndTailFollowTheTablesForEveryPosition_data()
{
    QTest::addColumn<TBalloonPosition>("position");
    QTest::addColumn<QRect>("body");
    QTest::addColumn<QPolygon>("tail");
    QTest::newRow("bpTopLeft") << bpTopLeft << edges(0, 15, 200, 100) << QPolygon{P(20, 0), P(20, 15), P(35, 15)};
    QTest::newRow("bpLeftTop") << bpLeftTop << edges(15, 0, 200, 100) << QPolygon{P(0, 20), P(15, 20), P(15, 35)};
    QTest::newRow("bpTopRight") << bpTopRight << edges(0, 15, 200, 100) << QPolygon{P(180, 0), P(180, 15), P(165, 15)};
    QTest::newRow("bpRightTop") << bpRightTop << edges(0, 0, 185, 100) << QPolygon{P(200, 20), P(184, 20), P(184, 35)};
    QTest::newRow("bpBottomLeft") << bpBottomLeft << edges(0, 0, 200, 85) << QPolygon{P(20, 100), P(20, 84), P(35, 84)};
    QTest::newRow("bpLeftBottom") << bpLeftBottom << edges(15, 0, 200, 100) << QPolygon{P(0, 80), P(15, 80), P(15, 65)};
    QTest::newRow("bpBottomRight") << bpBottomRight << edges(0, 0, 200, 85) << QPolygon{P(180, 100), P(180, 84), P(165, 84)};
    QTest::newRow("bpRightBottom") << bpRightBottom << edges(0, 0, 185, 100) << QPolygon{P(200, 80), P(184, 80), P(184, 65)};
    QTest::newRow("bpNone") << bpNone << edges(0, 0, 200, 100) << QPolygon();
}

void BalloonGeometryTest::bodyAndTailFollowTheTablesForEveryPosition()
{
    QFETCH(TBalloonPosition, position);
    QFETCH(QRect, body);
    QFETCH(QPolygon, tail);
    const BalloonGeometry g = balloonGeometry(position, QSize(200, 100), 20, 15);
    QCOMPARE(g.body, body);
    QCOMPARE(g.tail, tail);
    // The painted outline is one pixel smaller at the right and bottom.
    QCOMPARE(g.outline, edges(body.left(), body.top(), edgeRight(body) - 1, edgeBottom(body) - 1));
    QCOMPARE(g.hasTail(), position != bpNone);
    QCOMPARE(g.innerTail.isEmpty(), position == bpNone);
}

void BalloonGeometryTest::theSecondCopyNoticeAndTheHelpDialogComeOutPointForPoint_data()
{
    QTest::addColumn<TBalloonPosition>("position");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("body");
    QTest::addColumn<QPolygon>("tail");
    QTest::addColumn<QRect>("outline");
    QTest::addColumn<QPolygon>("innerTail");
    QTest::addColumn<QLine>("joint");
    QTest::newRow("second-copy notice") << bpRightTop << QSize(320, 97) << edges(0, 0, 305, 97)
                                        << QPolygon{P(320, 20), P(304, 20), P(304, 35)} << edges(0, 0, 304, 96)
                                        << QPolygon{P(319, 20), P(303, 20), P(303, 35)} << QLine(303, 20, 303, 35);
    QTest::newRow("help dialog") << bpBottomRight << QSize(246, 343) << edges(0, 0, 246, 328)
                                 << QPolygon{P(226, 343), P(226, 327), P(211, 327)} << edges(0, 0, 245, 327)
                                 << QPolygon{P(225, 342), P(225, 326), P(212, 326)} << QLine(212, 326, 226, 326);
}

void BalloonGeometryTest::theSecondCopyNoticeAndTheHelpDialogComeOutPointForPoint()
{
    QFETCH(TBalloonPosition, position);
    QFETCH(QSize, size);
    const BalloonGeometry g = balloonGeometry(position, size, 20, 15);
    QTEST(g.body, "body");
    QTEST(g.tail, "tail");
    QTEST(g.outline, "outline");
    QTEST(g.innerTail, "innerTail");
    QTEST(g.joint, "joint");
}

void BalloonGeometryTest::thePaintedOutlineStaysOnTheRegion_data()
{
    QTest::addColumn<TBalloonPosition>("position");
    QTest::addColumn<QSize>("size");
    for (TBalloonPosition p : allPositions()) {
        QTest::addRow("%s 320x97", name(p)) << p << QSize(320, 97);
        QTest::addRow("%s 203x214", name(p)) << p << QSize(203, 214);
    }
}

// An outline or tail pixel outside the region would be cut away, leaving a
// gap in the black line.
void BalloonGeometryTest::thePaintedOutlineStaysOnTheRegion()
{
    QFETCH(TBalloonPosition, position);
    QFETCH(QSize, size);
    const BalloonGeometry g = balloonGeometry(position, size, 20, 15);
    const QRegion region = balloonRegion(g);
    QVERIFY((roundRectRegion(g.outline, 20) - region).isEmpty());
    if (!g.hasTail())
        return;
    // The tail's straight sides lie inside (only the tip may stick out, where
    // the tail narrows below a pixel); its slanted side keeps within a pixel
    // of the region's slanted edge.
    const QPolygon &t = g.innerTail;
    for (const QPoint &pixel : edgePixels(QPolygon{t[0], t[1], t[2], t[1]})) {
        if (pixel != t[0])
            QVERIFY2(region.contains(pixel), qPrintable(QStringLiteral("tail pixel %1,%2").arg(pixel.x()).arg(pixel.y())));
    }
    for (const QPoint &pixel : edgePixels(QPolygon{t[2], t[0]}))
        QVERIFY(region.intersects(QRect(pixel - QPoint(1, 1), QSize(3, 3))));
    // The joining line lies on the outline's side, across the tail's base.
    const QRegion border = roundRectBorder(g.outline, 20);
    QVERIFY(g.joint.dx() == 0 || g.joint.dy() == 0);
    const QPoint step = QPoint(g.joint.dx() > 0, g.joint.dy() > 0);
    QVERIFY(!step.isNull());
    for (QPoint pixel = g.joint.p1(); pixel != g.joint.p2(); pixel += step) {
        QVERIFY(border.contains(pixel));
        QVERIFY(edgePixels(g.innerTail).contains(pixel));
    }
}

void BalloonGeometryTest::theTailPointsOutOfTheBodyAndOverlapsIt_data()
{
    QTest::addColumn<TBalloonPosition>("position");
    QTest::addColumn<QPoint>("tipPixel");
    for (TBalloonPosition p : allPositions()) {
        if (p == bpNone)
            continue;
        const BalloonGeometry g = balloonGeometry(p, QSize(200, 100), 20, 15);
        // One pixel from the tip towards the body, where the tail is a pixel wide.
        const QPoint tip = g.innerTail[0];
        const QPoint inwards = QPoint(tip.x() == 0 ? 1 : tip.x() == 199 ? -1 : 0,
                                      tip.y() == 0 ? 1 : tip.y() == 99 ? -1 : 0);
        QTest::addRow("%s", name(p)) << p << tip + inwards;
    }
}

void BalloonGeometryTest::theTailPointsOutOfTheBodyAndOverlapsIt()
{
    QFETCH(TBalloonPosition, position);
    QFETCH(QPoint, tipPixel);
    const BalloonGeometry g = balloonGeometry(position, QSize(200, 100), 20, 15);
    const QRegion body = roundRectRegion(g.body, 20);
    const QRegion tail(g.tail, Qt::WindingFill);
    QVERIFY(!body.contains(tipPixel));
    QVERIFY(tail.contains(tipPixel));
    // The painted tip lies on the window's outermost row or column.
    const QPoint tip = g.innerTail[0];
    QVERIFY(tip.x() == 0 || tip.x() == 199 || tip.y() == 0 || tip.y() == 99);
    // Body and tail are one piece: no gap between them.
    QVERIFY(!(body.intersected(tail.translated(1, 0)) + body.intersected(tail.translated(-1, 0))
              + body.intersected(tail.translated(0, 1)) + body.intersected(tail.translated(0, -1)))
                 .isEmpty());
    // Nothing of the window lies beyond its size.
    QVERIFY((balloonRegion(g) - QRegion(0, 0, 200, 100)).isEmpty());
}

void BalloonGeometryTest::roundedCornersAreCutAndSidesAreStraight()
{
    const QRect rect = edges(0, 0, 305, 97);
    const QRegion r = roundRectRegion(rect, 20);
    for (const QPoint corner : {P(0, 0), P(304, 0), P(0, 96), P(304, 96), P(1, 1), P(303, 95)})
        QVERIFY(!r.contains(corner));
    for (const QPoint side : {P(0, 48), P(304, 48), P(152, 0), P(152, 96), P(10, 0), P(0, 10), P(294, 96)})
        QVERIFY(r.contains(side));
    QCOMPARE(r.boundingRect(), rect);
    // Mirror symmetry of the corners.
    QRegion mirrored;
    for (const QRect &band : r)
        mirrored += QRect(305 - band.left() - band.width(), 97 - band.top() - band.height(), band.width(), band.height());
    QVERIFY((mirrored ^ r).isEmpty());
}

void BalloonGeometryTest::theBorderIsExactlyTheShapesEdgePixels()
{
    const QRect rect = edges(0, 0, 60, 40);
    const QRegion shape = roundRectRegion(rect, 20);
    const QRegion border = roundRectBorder(rect, 20);
    for (int y = -1; y <= 40; ++y) {
        for (int x = -1; x <= 60; ++x) {
            const QPoint p(x, y);
            const bool edge = shape.contains(p)
                && !(shape.contains(p + P(1, 0)) && shape.contains(p - P(1, 0))
                     && shape.contains(p + P(0, 1)) && shape.contains(p - P(0, 1)));
            QCOMPARE(border.contains(p), edge);
        }
    }
}

TORAN_TEST_GUILESS_MAIN(BalloonGeometryTest)
#include "tst_balloongeometry.moc"
