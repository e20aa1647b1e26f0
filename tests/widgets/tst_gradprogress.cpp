#include "WidgetShots.h"
#include "core/drawing/Fonts.h"
#include "widgets/GradProgress.h"
#include "core/drawing/GradientMath.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace WidgetShots;
using GradientMath::mulDiv;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// The splash's bar: 231 x 17, no bevel, white to red on black, no percentage.
void makeSplashBar(TGradProgress &bar)
{
    bar.resize(231, 17);
    bar.setStyle(TGradProgress::gsHorizontal);
    bar.setBevelStyle(TGradProgress::bsNone);
    bar.setBevelWidth(1);
    bar.setStartColor(Qt::white);
    bar.setEndColor(Qt::red);
    bar.setBackColor(Qt::black);
    bar.setMaxValue(100);
    bar.setStep(1);
    bar.setShowPercent(false);
    bar.setFont(Fonts::font("Default", 11));
    bar.setFontColor(Qt::white);
}

} // namespace

class GradProgressTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void newBarHasTheDocumentedDefaults();
    void splashBarFillsMulDivColumnsFromWhiteToRed_data();
    void splashBarFillsMulDivColumnsFromWhiteToRed();
    void outermostPixelsWithoutBevelAreNeverPainted();
    void loweredBevelIsShadowAboveAndHighlightBelow();
    void verticalBarGrowsUpwardsFromTheBottom();
    void percentageIsDrawnOnlyWhenShown();
    void positionIgnoresEqualAndNegativeValuesAndClampsToMaximum();
    void maxValueLowersThePosition();
    void bevelWidthMustLeaveRoomInsideTheBar();
    void eachNewPositionPaintsBeforeAnyEventIsProcessed();
    void stepitAdvancesByStep();
};

void GradProgressTest::initTestCase()
{
    Fonts::installSubstitutes();
}

void GradProgressTest::newBarHasTheDocumentedDefaults()
{
    TGradProgress bar;
    QCOMPARE(bar.size(), QSize(150, 16));
    QCOMPARE(bar.style(), TGradProgress::gsHorizontal);
    QCOMPARE(bar.bevelStyle(), TGradProgress::bsLowered);
    QCOMPARE(bar.bevelWidth(), 1);
    QCOMPARE(bar.startColor(), QColor(0, 0, 255));
    QCOMPARE(bar.endColor(), QColor(255, 0, 0));
    QCOMPARE(bar.position(), 0);
    QCOMPARE(bar.maxValue(), 100);
    QCOMPARE(bar.step(), 1);
    QVERIFY(bar.showPercent());
    QCOMPARE(bar.fontColor(), QColor(Qt::white));
}

void GradProgressTest::splashBarFillsMulDivColumnsFromWhiteToRed_data()
{
    QTest::addColumn<int>("position");
    QTest::newRow("nothing") << 0;
    QTest::newRow("first step") << 1;
    QTest::newRow("a third") << 33;
    QTest::newRow("half") << 50;
    QTest::newRow("nearly full") << 99;
    QTest::newRow("full") << 100;
}

// Visible columns 1 .. W - 2: below L = MulDiv(Position, W, MaxValue) the
// column x is (255, 255 - t, 255 - t) with t = MulDiv(255, x, L); from L on,
// black.
void GradProgressTest::splashBarFillsMulDivColumnsFromWhiteToRed()
{
    QFETCH(int, position);
    TGradProgress bar;
    makeSplashBar(bar);
    bar.setPosition(position);
    const int W = 231;
    const int L = mulDiv(position, W, 100);
    QCOMPARE(bar.filledLength(), L);
    const QImage image = shot(&bar);
    for (int x = 1; x <= W - 2; ++x) {
        for (int y = 1; y <= 15; y += 7) {
            QRgb expected = qRgb(0, 0, 0);
            if (x < L) {
                const int t = mulDiv(255, x, L);
                expected = qRgb(255, 255 - t, 255 - t);
            }
            QVERIFY2(rgbAt(image, x, y) == expected,
                     qPrintable(QString("column %1 row %2: %3").arg(x).arg(y).arg(rgbAt(image, x, y), 0, 16)));
        }
    }
    if (L > 2 && L - 1 <= W - 2)   // the last filled column, where it is visible
        QCOMPARE(rgbAt(image, L - 1, 8), qRgb(255, 255 - mulDiv(255, L - 1, L), 255 - mulDiv(255, L - 1, L)));
}

void GradProgressTest::outermostPixelsWithoutBevelAreNeverPainted()
{
    TGradProgress bar;
    makeSplashBar(bar);
    bar.setPosition(60);
    const QImage image = shot(&bar);
    for (int x = 0; x < 231; ++x) {
        QVERIFY(clearAt(image, x, 0));
        QVERIFY(clearAt(image, x, 16));
    }
    for (int y = 0; y < 17; ++y) {
        QVERIFY(clearAt(image, 0, y));
        QVERIFY(clearAt(image, 230, y));
    }
}

void GradProgressTest::loweredBevelIsShadowAboveAndHighlightBelow()
{
    TGradProgress bar;
    bar.resize(100, 20);
    bar.setShowPercent(false);
    bar.setBevelWidth(2);
    QCOMPARE(bar.bevelWidth(), 2);
    const QImage image = shot(&bar);
    const QRgb shadow = qRgb(128, 128, 128), light = qRgb(255, 255, 255);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(rgbAt(image, 50, i), shadow);
        QCOMPARE(rgbAt(image, i, 10), shadow);
        QCOMPARE(rgbAt(image, 50, 19 - i), light);
        QCOMPARE(rgbAt(image, 99 - i, 10), light);
    }
    QCOMPARE(rgbAt(image, 50, 2), qRgb(192, 192, 192));   // the button-face background inside

    bar.setBevelStyle(TGradProgress::bsRaised);
    const QImage raised = shot(&bar);
    QCOMPARE(rgbAt(raised, 50, 0), light);
    QCOMPARE(rgbAt(raised, 50, 19), shadow);
}

void GradProgressTest::verticalBarGrowsUpwardsFromTheBottom()
{
    TGradProgress bar;
    bar.resize(20, 101);
    bar.setStyle(TGradProgress::gsVertical);
    bar.setBevelStyle(TGradProgress::bsNone);
    bar.setShowPercent(false);
    bar.setStartColor(Qt::black);
    bar.setEndColor(Qt::blue);
    bar.setBackColor(Qt::green);
    bar.setPosition(40);
    const int H = 101, L = mulDiv(40, H, 100);
    const QImage image = shot(&bar);
    // Row |x - H| has step x; the start colour sits at the bottom.
    QCOMPARE(rgbAt(image, 10, H - 2), qRgb(0, 0, mulDiv(255, 2, L)));
    QCOMPARE(rgbAt(image, 10, H - L), qRgb(0, 0, 255));   // the tip row is not covered
    QCOMPARE(rgbAt(image, 10, H - L + 1), qRgb(0, 0, mulDiv(255, L - 1, L)));
    QCOMPARE(rgbAt(image, 10, H - L - 1), qRgb(0, 255, 0));
    QCOMPARE(rgbAt(image, 10, 1), qRgb(0, 255, 0));
}

void GradProgressTest::percentageIsDrawnOnlyWhenShown()
{
    TGradProgress bar;
    bar.resize(150, 16);
    bar.setBackColor(Qt::black);
    bar.setStartColor(Qt::black);
    bar.setEndColor(Qt::black);
    bar.setFontColor(Qt::white);
    bar.setPosition(50);
    auto whitePixels = [](const QImage &image) {
        int n = 0;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                n += qGray(image.pixel(x, y)) > 200;
        return n;
    };
    QVERIFY(whitePixels(shot(&bar)) > 10);
    bar.setShowPercent(false);
    QCOMPARE(whitePixels(shot(&bar)), 0);
}

void GradProgressTest::positionIgnoresEqualAndNegativeValuesAndClampsToMaximum()
{
    TGradProgress bar;
    bar.setPosition(30);
    QCOMPARE(bar.position(), 30);
    bar.setPosition(-5);
    QCOMPARE(bar.position(), 30);
    bar.setPosition(150);
    QCOMPARE(bar.position(), 100);
    bar.setPosition(0);
    QCOMPARE(bar.position(), 0);
}

void GradProgressTest::maxValueLowersThePosition()
{
    TGradProgress bar;
    bar.setPosition(80);
    bar.setMaxValue(50);
    QCOMPARE(bar.position(), 50);
    bar.setMaxValue(0);   // no division by zero: nothing is filled
    QCOMPARE(bar.filledLength(), 0);
    shot(&bar);
}

void GradProgressTest::bevelWidthMustLeaveRoomInsideTheBar()
{
    TGradProgress bar;   // 150 x 16: at most (16 - 4) / 2 = 6
    bar.setBevelWidth(6);
    QCOMPARE(bar.bevelWidth(), 6);
    bar.setBevelWidth(7);
    QCOMPARE(bar.bevelWidth(), 6);
    bar.setBevelWidth(0);
    QCOMPARE(bar.bevelWidth(), 6);
}

// The splash sets its twelve positions while start-up runs no event loop:
// each one must reach the screen from setPosition itself.
void GradProgressTest::eachNewPositionPaintsBeforeAnyEventIsProcessed()
{
    QWidget window;
    window.resize(300, 60);
    auto *bar = new TGradProgress(&window);
    makeSplashBar(*bar);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    PaintCounter counter(bar);
    const int positions[] = {8, 16, 25, 33, 41, 50, 58, 66, 75, 83, 91, 100};
    int expected = 0;
    for (int position : positions) {
        bar->setPosition(position);
        ++expected;
        QCOMPARE(counter.count, expected);   // no processEvents in between
    }
    bar->setPosition(100);                    // unchanged: no paint
    bar->setPosition(-1);
    QCOMPARE(counter.count, expected);
}

void GradProgressTest::stepitAdvancesByStep()
{
    TGradProgress bar;
    bar.setStep(7);
    bar.Stepit();
    bar.Stepit();
    QCOMPARE(bar.position(), 14);
}

TORAN_TEST_MAIN(GradProgressTest)
#include "tst_gradprogress.moc"
