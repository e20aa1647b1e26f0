#include "core/drawing/GradientMath.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace GradientMath;

class GradientMathTest : public QObject
{
    Q_OBJECT
private slots:
    void mulDivRoundsToNearestWithHalvesAwayFromZero_data();
    void mulDivRoundsToNearestWithHalvesAwayFromZero();
    void stepColorRunsFromBeginToEndModulo256_data();
    void stepColorRunsFromBeginToEndModulo256();
    void greyLevelIsTheWeightedSumDividedBy100_data();
    void greyLevelIsTheWeightedSumDividedBy100();
    void horizontalBandsTileTheWidthInOrder_data();
    void horizontalBandsTileTheWidthInOrder();
    void rectangleStepsShrinkFromTheRimTowardsTheCentre();
    void centreStylesPaintMirroredRowsAndColumns();
    void progressColumnsAreStretchedOverTheFilledLength_data();
    void progressColumnsAreStretchedOverTheFilledLength();
    void progressWithoutPositiveMaximumHasNoFill();
    void frame3DGivesTheFarCornersToTheBottomRightColour();
};

void GradientMathTest::mulDivRoundsToNearestWithHalvesAwayFromZero_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");
    QTest::newRow("exact") << 10 << 20 << 4 << 50;
    QTest::newRow("rounds down below a half") << 1 << 1 << 3 << 0;
    QTest::newRow("rounds up above a half") << 2 << 1 << 3 << 1;
    QTest::newRow("half rounds up") << 1 << 1 << 2 << 1;
    QTest::newRow("negative half rounds away from zero") << -1 << 1 << 2 << -1;
    QTest::newRow("negative divisor") << 3 << 1 << -2 << -2;
    QTest::newRow("large product does not overflow") << 100000 << 100000 << 100000 << 100000;
    QTest::newRow("zero divisor gives -1") << 5 << 7 << 0 << -1;
    QTest::newRow("band edge k=1 of 231") << 1 << 231 << 256 << 1;
    QTest::newRow("band edge k=128 of 100") << 128 << 100 << 256 << 50;
}

void GradientMathTest::mulDivRoundsToNearestWithHalvesAwayFromZero()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(mulDiv(a, b, c), result);
}

void GradientMathTest::stepColorRunsFromBeginToEndModulo256_data()
{
    QTest::addColumn<QRgb>("begin");
    QTest::addColumn<QRgb>("end");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<QRgb>("color");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    QTest::newRow("red to blue, first band") << red << blue << 0 << 255 << qRgb(255, 0, 0);
    QTest::newRow("red to blue, band 100") << red << blue << 100 << 255 << qRgb(155, 0, 100);
    QTest::newRow("red to blue, last band") << red << blue << 255 << 255 << qRgb(0, 0, 255);
    QTest::newRow("yellow to red, halfway rounds") << qRgb(255, 255, 0) << red << 1 << 2 << qRgb(255, 127, 0);
    QTest::newRow("beyond the end wraps modulo 256") << qRgb(200, 0, 0) << qRgb(250, 0, 0) << 2 << 1 << qRgb(44, 0, 0);
}

void GradientMathTest::stepColorRunsFromBeginToEndModulo256()
{
    QFETCH(QRgb, begin);
    QFETCH(QRgb, end);
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(QRgb, color);
    QCOMPARE(stepColor(begin, end, k, n), color);
}

void GradientMathTest::greyLevelIsTheWeightedSumDividedBy100_data()
{
    QTest::addColumn<QRgb>("color");
    QTest::addColumn<int>("level");
    QTest::newRow("white") << qRgb(255, 255, 255) << 255;
    QTest::newRow("red") << qRgb(255, 0, 0) << 76;      // 7650 / 100
    QTest::newRow("green") << qRgb(0, 255, 0) << 150;   // 15045 / 100
    QTest::newRow("blue") << qRgb(0, 0, 255) << 28;     // 2805 / 100
    QTest::newRow("mixed truncates") << qRgb(10, 21, 30) << 18;   // 1869 / 100
}

void GradientMathTest::greyLevelIsTheWeightedSumDividedBy100()
{
    QFETCH(QRgb, color);
    QFETCH(int, level);
    QCOMPARE(greyLevel(color), level);
}

void GradientMathTest::horizontalBandsTileTheWidthInOrder_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("narrower than 256") << 100;
    QTest::newRow("exactly 256") << 256;
    QTest::newRow("wider than 256") << 600;
}

// Every column belongs to exactly one band, bands in increasing order, and
// the colour of band k is step k over 255.
void GradientMathTest::horizontalBandsTileTheWidthInOrder()
{
    QFETCH(int, width);
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const auto fills = gradientFills(Style::Horizontal, width, 7, red, blue);
    int next = 0;
    for (const Fill &fill : fills) {
        QCOMPARE(fill.rect.left(), next);
        QCOMPARE(fill.rect.height(), 7);
        next = fill.rect.right() + 1;
        const int k = qBlue(fill.color);
        QCOMPARE(fill.color, qRgb(255 - k, 0, k));
        QCOMPARE(fill.rect.left(), bandStart(k, width));
        QCOMPARE(fill.rect.right() + 1, bandStart(k + 1, width));
    }
    QCOMPARE(next, width);
    if (width >= 256)   // narrower gradients have empty bands, the last among them
        QCOMPARE(fills.size(), 256);
}

void GradientMathTest::rectangleStepsShrinkFromTheRimTowardsTheCentre()
{
    const int W = 300, H = 60;
    QRect previous = rectangleStep(0, W, H);
    QCOMPARE(previous.topLeft(), QPoint(0, 0));            // covers the whole area
    QVERIFY(previous.right() >= W - 1 && previous.bottom() >= H - 1);
    for (int k = 1; k < 256; ++k) {
        const QRect r = rectangleStep(k, W, H);
        QVERIFY2(previous.contains(r) || r.isEmpty(), qPrintable(QString::number(k)));
        previous = r;
    }
    QVERIFY(previous.width() <= 4 && previous.height() <= 4);
    QVERIFY(qAbs(previous.center().x() - W / 2) <= 2);
}

void GradientMathTest::centreStylesPaintMirroredRowsAndColumns()
{
    QImage image(20, 10, QImage::Format_RGB32);
    QPainter p(&image);
    for (const Fill &fill : gradientFills(Style::VertCenter, 20, 10, qRgb(0, 0, 0), qRgb(250, 0, 0)))
        p.fillRect(fill.rect, QColor(fill.color));
    p.end();
    for (int y = 0; y < 5; ++y)
        QCOMPARE(image.pixel(3, y), image.pixel(3, 9 - y));
    QCOMPARE(qRed(image.pixel(0, 0)), 0);
    QVERIFY(qRed(image.pixel(0, 1)) < qRed(image.pixel(0, 4)));

    const auto columns = gradientFills(Style::HorizCenter, 9, 3, qRgb(0, 0, 0), qRgb(0, 0, 200));
    QCOMPARE(columns.first().rect, QRect(0, 0, 1, 3));
    QCOMPARE(columns.at(1).rect, QRect(8, 0, 1, 3));
    QCOMPARE(columns.last().color, qRgb(0, 0, 200));      // step w over w in the middle
}

void GradientMathTest::progressColumnsAreStretchedOverTheFilledLength_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("length");
    QTest::addColumn<QRgb>("color");
    // The splash's bar: white to red.
    QTest::newRow("start is white") << 0 << 115 << qRgb(255, 255, 255);
    QTest::newRow("tip is red") << 115 << 115 << qRgb(255, 0, 0);
    QTest::newRow("halfway") << 50 << 100 << qRgb(255, 127, 127);   // t = 128 (127.5 rounds up)
    QTest::newRow("short bar reaches red too") << 3 << 3 << qRgb(255, 0, 0);
}

void GradientMathTest::progressColumnsAreStretchedOverTheFilledLength()
{
    QFETCH(int, x);
    QFETCH(int, length);
    QFETCH(QRgb, color);
    QCOMPARE(progressColor(qRgb(255, 255, 255), qRgb(255, 0, 0), x, length), color);
}

void GradientMathTest::progressWithoutPositiveMaximumHasNoFill()
{
    QCOMPARE(progressLength(50, 231, 100), 116);   // 115.5 rounds up
    QCOMPARE(progressLength(100, 231, 100), 231);
    QCOMPARE(progressLength(10, 231, 0), 0);
    QCOMPARE(percentOf(116, 231), 50);
    QCOMPARE(percentOf(0, 0), 0);
}

void GradientMathTest::frame3DGivesTheFarCornersToTheBottomRightColour()
{
    QImage image(6, 5, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    drawFrame3D(p, image.rect(), Qt::white, Qt::gray, 2);
    p.end();
    const QRgb white = QColor(Qt::white).rgb(), grey = QColor(Qt::gray).rgb();
    QCOMPARE(image.pixel(0, 0), white);
    QCOMPARE(image.pixel(4, 0), white);
    QCOMPARE(image.pixel(5, 0), grey);      // top-right corner
    QCOMPARE(image.pixel(0, 4), grey);      // bottom-left corner
    QCOMPARE(image.pixel(1, 1), white);     // second ring
    QCOMPARE(image.pixel(4, 3), grey);
    QCOMPARE(image.pixel(2, 2), QColor(Qt::black).rgb());   // inside untouched
}

TORAN_TEST_APPLESS_MAIN(GradientMathTest)
#include "tst_gradientmath.moc"
