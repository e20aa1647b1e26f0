#include "WidgetShots.h"
#include "core/drawing/Fonts.h"
#include "widgets/GradText.h"
#include "support/TestMain.h"

#include <QtTest>
#include <QFontInfo>

using namespace WidgetShots;

class GradTextTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void newControlHasTheDocumentedDefaults();
    void horizontalBandKOfRedToBlueIsRed255MinusKAndBlueK();
    void stylesShapeTheGradient_data();
    void stylesShapeTheGradient();
    void onlyLetterPixelsArePainted();
    void controlTakesTheSizeOfItsTextWhenItPaints();
    void twoLinesAreMeasuredAsOneBlockAlignedByJustification();
    void emptyLinesAreIgnored();

private:
    // A gradient text whose letters cover most of its box: a block of full
    // blocks in a plain font, so that every band has letter pixels.
    static void fillWithInk(TGradText &text, int columns, int rows);
};

void GradTextTest::initTestCase()
{
    Fonts::installSubstitutes();
}

void GradTextTest::fillWithInk(TGradText &text, int columns, int rows)
{
    QStringList lines;
    for (int i = 0; i < rows; ++i)
        lines << QString(columns, QChar(0x2588));   // full block
    text.setFont(Fonts::sansSerif(16));
    text.resize(2000, 2000);
    text.setLines(lines);
}

void GradTextTest::newControlHasTheDocumentedDefaults()
{
    TGradText text;
    QCOMPARE(text.size(), QSize(75, 25));
    QCOMPARE(text.beginColor(), QColor(255, 255, 0));
    QCOMPARE(text.endColor(), QColor(255, 0, 0));
    QCOMPARE(text.gradientStyle(), TGradText::gsVertical);
    QCOMPARE(text.justification(), TGradText::jCenter);
    QCOMPARE(text.lines(), QStringList{"GradText"});
    QVERIFY(text.font().bold() && text.font().italic());
    // Times New Roman, or the installed font that stands in for it.
    QCOMPARE(QFontInfo(text.font()).family(), QFontInfo(QFont(QStringLiteral("Times New Roman"))).family());
}

// Every letter pixel in the columns of band k has the colour (255 - k, 0, k).
void GradTextTest::horizontalBandKOfRedToBlueIsRed255MinusKAndBlueK()
{
    TGradText text;
    text.setBeginColor(Qt::red);
    text.setEndColor(Qt::blue);
    text.setGradientStyle(TGradText::gsHorizontal);
    fillWithInk(text, 40, 2);
    const QImage image = text.lettering();
    const int W = image.width();
    QVERIFY(W > 256);
    int checked = 0;
    for (int k = 0; k < 256; ++k) {
        const int x0 = GradientMath::bandStart(k, W), x1 = GradientMath::bandStart(k + 1, W);
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (!clearAt(image, x, y)) {
                    QCOMPARE(rgbAt(image, x, y), qRgb(255 - k, 0, k));
                    ++checked;
                }
    }
    QVERIFY(checked > W * 4);
}

void GradTextTest::stylesShapeTheGradient_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("vertical") << int(TGradText::gsVertical);
    QTest::newRow("rectangle") << int(TGradText::gsRectangle);
    QTest::newRow("vertical centre") << int(TGradText::gsVertCenter);
    QTest::newRow("horizontal centre") << int(TGradText::gsHorizCenter);
}

// Black to blue, so the blue channel tells the step. Vertical: constant along
// rows, rising downwards. Rectangle: black at the rim, blue in the middle.
// The centre styles: mirrored about the middle, rising towards it.
void GradTextTest::stylesShapeTheGradient()
{
    QFETCH(int, style);
    TGradText text;
    text.setBeginColor(Qt::black);
    text.setEndColor(Qt::blue);
    text.setGradientStyle(TGradText::TGradientStyle(style));
    fillWithInk(text, 20, 6);
    const QImage image = text.lettering();
    const int W = image.width(), H = image.height();

    // A letter pixel near a point (the block glyphs leave thin gaps).
    auto blueNear = [&](int x, int y) {
        for (int r = 0; r < 6; ++r)
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int px = qBound(0, x + dx, W - 1), py = qBound(0, y + dy, H - 1);
                    if (!clearAt(image, px, py))
                        return qBlue(image.pixel(px, py));
                }
        return -1;
    };
    const int cx = W / 2, cy = H / 2;
    switch (style) {
    case TGradText::gsVertical:
        QVERIFY(blueNear(W / 4, 3) < blueNear(W / 4, cy));
        QVERIFY(blueNear(W / 4, cy) < blueNear(W / 4, H - 4));
        for (int y = 0; y < H; ++y)
            for (int x = 1; x < W; ++x)
                if (!clearAt(image, x, y) && !clearAt(image, x - 1, y))
                    QCOMPARE(image.pixel(x, y), image.pixel(x - 1, y));
        break;
    case TGradText::gsRectangle:
        QVERIFY(blueNear(3, cy) < blueNear(cx, cy));
        QVERIFY(blueNear(cx, 3) < blueNear(cx, cy));
        QVERIFY(blueNear(cx, cy) > 200);
        QVERIFY(blueNear(W - 4, cy) < blueNear(cx / 2 + cx, cy));
        break;
    case TGradText::gsVertCenter:
        QVERIFY(blueNear(cx, 3) < blueNear(cx, cy));
        for (int y = 0; y < H / 2; ++y)
            for (int x = 0; x < W; ++x)
                if (!clearAt(image, x, y) && !clearAt(image, x, H - 1 - y))
                    QCOMPARE(image.pixel(x, y), image.pixel(x, H - 1 - y));
        break;
    case TGradText::gsHorizCenter:
        QVERIFY(blueNear(3, cy) < blueNear(cx, cy));
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W / 2; ++x)
                if (!clearAt(image, x, y) && !clearAt(image, W - 1 - x, y))
                    QCOMPARE(image.pixel(x, y), image.pixel(W - 1 - x, y));
        break;
    }
}

// Outside the letters nothing is painted; a letter pixel whose gradient colour
// is white is not painted either.
void GradTextTest::onlyLetterPixelsArePainted()
{
    TGradText text;
    text.setFont(Fonts::times(32, true, true));
    text.setLines({"Toranská věž 2000"});
    text.setBeginColor(Qt::red);
    text.setEndColor(Qt::blue);
    text.setGradientStyle(TGradText::gsHorizontal);
    text.resize(400, 60);
    const QImage painted = shot(&text);
    const QImage image = shot(&text);   // the second paint: at the text's size
    QCOMPARE(image.size(), text.size());
    int ink = 0, clear = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            (clearAt(image, x, y) ? clear : ink) += 1;
    QVERIFY(ink > 200);
    QVERIFY(clear > ink);                     // most of the box shows the parent
    QVERIFY(clearAt(image, 0, image.height() - 1));
    Q_UNUSED(painted);

    TGradText white;
    white.setBeginColor(Qt::white);
    white.setEndColor(Qt::white);
    white.setLines({"Bílá"});
    const QImage none = white.lettering();
    for (int y = 0; y < none.height(); ++y)
        for (int x = 0; x < none.width(); ++x)
            QVERIFY(clearAt(none, x, y));
}

void GradTextTest::controlTakesTheSizeOfItsTextWhenItPaints()
{
    TGradText text;
    text.setFont(Fonts::times(32, true, true));
    text.resize(500, 200);
    text.setLines({"verze 5.0"});
    const QSize measured = QFontMetrics(text.font()).boundingRect(QRect(0, 0, 500, 200),
        Qt::AlignHCenter | Qt::TextWordWrap, "verze 5.0").size();
    QCOMPARE(text.size(), QSize(500, 200));   // not before it paints
    shot(&text);
    QCOMPARE(text.size(), measured);
    shot(&text);
    QCOMPARE(text.size(), measured);          // stable from then on
}

void GradTextTest::twoLinesAreMeasuredAsOneBlockAlignedByJustification()
{
    TGradText text;
    text.setFont(Fonts::sansSerif(20));
    text.setGradientStyle(TGradText::gsHorizontal);
    text.setBeginColor(Qt::red);
    text.setEndColor(Qt::red);
    text.resize(600, 100);
    text.setLines({QString(12, QChar(0x2588)), QString(4, QChar(0x2588))});
    const QFontMetrics metrics(text.font());
    shot(&text);
    QVERIFY(text.height() >= 2 * metrics.height() && text.height() <= 2 * metrics.lineSpacing());
    QCOMPARE(text.width(), metrics.horizontalAdvance(QString(12, QChar(0x2588))));

    const int y = metrics.height() + metrics.ascent() / 2;   // inside the second line
    auto firstInk = [&](const QImage &image) {
        for (int x = 0; x < image.width(); ++x)
            if (!clearAt(image, x, y))
                return x;
        return -1;
    };
    const int shortWidth = metrics.horizontalAdvance(QString(4, QChar(0x2588)));
    text.setJustification(TGradText::jLeft);
    QVERIFY(firstInk(text.lettering()) < 3);
    text.setJustification(TGradText::jCenter);
    QVERIFY(qAbs(firstInk(text.lettering()) - (text.width() - shortWidth) / 2) <= 2);
    text.setJustification(TGradText::jRight);
    QVERIFY(qAbs(firstInk(text.lettering()) - (text.width() - shortWidth)) <= 2);
}

void GradTextTest::emptyLinesAreIgnored()
{
    TGradText text;
    text.setLines({"Toranská věž 2000"});
    text.setLines({});
    QCOMPARE(text.lines(), QStringList{"Toranská věž 2000"});
}

TORAN_TEST_MAIN(GradTextTest)
#include "tst_gradtext.moc"
