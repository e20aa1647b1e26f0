#include "core/errors/AppError.h"
#include "widgets/formshape.h"
#include "support/TestMain.h"

#include <QBitmap>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(TBalloonPosition)

namespace {
const QColor kFormColour(255, 255, 224);

// A form with a colour of its own that paints a red mark over its top
// left, to see that its painting comes after the balloon's.
class MarkedForm : public QWidget
{
public:
    bool mark = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (mark) {
            QPainter p(this);
            p.fillRect(0, 40, 3, 3, Qt::red);
        }
    }
};

void shape(QWidget &form, TBalloonPosition position, QSize size, bool reshape = true)
{
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, kFormColour);
    form.setPalette(pal);
    form.resize(size);
    auto *s = new tformshape(&form);
    s->setReshape(reshape);
    s->setBalloonPosition(position);
    s->apply();
}

QString refusal(QObject *owner)
{
    try {
        tformshape s(owner);
    } catch (const AppError &error) {
        return error.text();
    }
    return QString();
}
} // namespace

class FormShapeTest : public QObject
{
    Q_OBJECT
private slots:
    void onlyAFormCanOwnTheShaper();
    void propertiesStartAtTheirDefaults();
    void valuesAtOrBelowZeroAreIgnored_data();
    void valuesAtOrBelowZeroAreIgnored();
    void withoutReshapeTheFormStaysAnOrdinaryWindow();
    void aReshapedFormIsCutToBodyAndTail_data();
    void aReshapedFormIsCutToBodyAndTail();
    void thePainterOutlinesTheBalloonAndOpensItWhereTheTailJoins_data();
    void thePainterOutlinesTheBalloonAndOpensItWhereTheTailJoins();
    void theFormsOwnPaintingComesAfterTheBalloon();
    void aResizedOrRecolouredFormIsShapedAndPaintedAfresh();
};

void FormShapeTest::onlyAFormCanOwnTheShaper()
{
    const QString error = QStringLiteral("Control parent must be a form!");
    QCOMPARE(refusal(nullptr), error);
    QObject plain;
    QCOMPARE(refusal(&plain), error);
    QWidget form;
    QWidget child(&form);
    QCOMPARE(refusal(&child), error);
    QCOMPARE(refusal(&form), QString());
    QWidget ownedWindow(&form, Qt::Window);
    QCOMPARE(refusal(&ownedWindow), QString());
}

void FormShapeTest::propertiesStartAtTheirDefaults()
{
    QWidget form;
    tformshape s(&form);
    QCOMPARE(s.reshape(), false);
    QCOMPARE(s.balloonPosition(), bpTopLeft);
    QCOMPARE(s.balloonEllips(), 20);
    QCOMPARE(s.balloonIndent(), 15);
}

void FormShapeTest::valuesAtOrBelowZeroAreIgnored_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("kept");
    QTest::newRow("zero") << 0 << 30;
    QTest::newRow("negative") << -4 << 30;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("larger") << 44 << 44;
}

void FormShapeTest::valuesAtOrBelowZeroAreIgnored()
{
    QFETCH(int, value);
    QFETCH(int, kept);
    QWidget form;
    tformshape s(&form);
    s.setBalloonEllips(30);
    s.setBalloonIndent(30);
    s.setBalloonEllips(value);
    s.setBalloonIndent(value);
    QCOMPARE(s.balloonEllips(), kept);
    QCOMPARE(s.balloonIndent(), kept);
}

void FormShapeTest::withoutReshapeTheFormStaysAnOrdinaryWindow()
{
    QWidget form;
    shape(form, bpRightTop, QSize(320, 97), false);
    QVERIFY(!(form.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(form.mask().isEmpty());
    const QImage image = form.grab().toImage();
    QCOMPARE(QColor(image.pixel(0, 48)), kFormColour);
    QCOMPARE(QColor(image.pixel(303, 60)), kFormColour);
}

void FormShapeTest::aReshapedFormIsCutToBodyAndTail_data()
{
    QTest::addColumn<TBalloonPosition>("position");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("ratio");
    for (const int ratio : {1}) {
        QTest::addRow("second-copy notice, ratio %d", ratio) << bpRightTop << QSize(320, 97) << ratio;
        QTest::addRow("help, ratio %d", ratio) << bpBottomRight << QSize(246, 343) << ratio;
        QTest::addRow("new game, ratio %d", ratio) << bpBottomRight << QSize(203, 214) << ratio;
        QTest::addRow("end question, ratio %d", ratio) << bpRightTop << QSize(212, 98) << ratio;
        QTest::addRow("tail at the top left, ratio %d", ratio) << bpTopLeft << QSize(200, 100) << ratio;
        QTest::addRow("no tail, ratio %d", ratio) << bpNone << QSize(200, 100) << ratio;
    }
}

// The cut and the outline meet: the cut all painted, its edge all black; at
// ratio 2 in device pixels, not blocks of two.
void FormShapeTest::aReshapedFormIsCutToBodyAndTail()
{
    QFETCH(TBalloonPosition, position);
    QFETCH(QSize, size);
    QFETCH(int, ratio);
    QWidget form;
    shape(form, position, size);
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    const QRegion cut = form.findChild<tformshape *>()->deviceRegion(ratio);
    if (ratio == 1)
        QCOMPARE(form.mask(), cut);
    QImage image(size * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    form.render(&image);
    QCOMPARE(QRegion(QBitmap::fromImage(image.createAlphaMask())) & cut, cut);
    const QRegion inner = cut & cut.translated(1, 0) & cut.translated(-1, 0) & cut.translated(0, 1) & cut.translated(0, -1);
    for (const QRect &r : cut - inner)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                QVERIFY2(image.pixel(x, y) == qRgb(0, 0, 0), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    QVERIFY(ratio == 1 || std::any_of(cut.begin(), cut.end(), [ratio](const QRect &r) { return r.left() % ratio; }));
    QVERIFY(!cut.contains(QPoint(0, 0)));   // a rounded corner
    const BalloonGeometry g = balloonGeometry(position, size, 20, 15);
    if (g.hasTail())
        QVERIFY(cut.contains(QRegion(g.tail, Qt::WindingFill).boundingRect().center() * ratio));
}

// Pixels fixed by the outline rule, as the window system draws at the
// form's own pixels: the body outline one pixel in at the right and bottom
// (the cut with it), the tail's base opened in the form's colour between
// its sides, the pixel at the base's far end left black.
void FormShapeTest::thePainterOutlinesTheBalloonAndOpensItWhereTheTailJoins_data()
{
    QTest::addColumn<int>("ratio");
    QTest::addColumn<TBalloonPosition>("position");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QVector<QPoint>>("black");
    QTest::addColumn<QVector<QPoint>>("fill");
    QVector<QPoint> noticeFill{QPoint(150, 50), QPoint(306, 22), QPoint(310, 22)};
    for (int y = 20; y < 35; ++y)
        noticeFill << QPoint(303, y);
    QVector<QPoint> helpFill{QPoint(120, 150), QPoint(222, 330)};
    for (int x = 213; x < 226; ++x)
        helpFill << QPoint(x, 326);
    for (const int ratio : {1}) {
        QTest::addRow("second-copy notice, ratio %d", ratio)
            << ratio << bpRightTop << QSize(320, 97)
            << QVector<QPoint>{QPoint(0, 48), QPoint(303, 60), QPoint(150, 0), QPoint(150, 95), QPoint(303, 19),
                               QPoint(303, 35), QPoint(310, 20), QPoint(319, 20)}
            << noticeFill;
        QTest::addRow("help, ratio %d", ratio)
            << ratio << bpBottomRight << QSize(246, 343)
            << QVector<QPoint>{QPoint(0, 150), QPoint(244, 150), QPoint(100, 326), QPoint(211, 326),
                               QPoint(226, 326), QPoint(225, 330), QPoint(225, 340)}
            << helpFill;
    }
}

void FormShapeTest::thePainterOutlinesTheBalloonAndOpensItWhereTheTailJoins()
{
    QFETCH(int, ratio);
    QFETCH(TBalloonPosition, position);
    QFETCH(QSize, size);
    QFETCH(QVector<QPoint>, black);
    QFETCH(QVector<QPoint>, fill);
    QWidget form;
    shape(form, position, size);
    QImage image(size * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    form.render(&image);
    auto colourAt = [&](const QPoint &p, const QColor &colour) {
        for (int dy = 0; dy < ratio; ++dy)
            for (int dx = 0; dx < ratio; ++dx)
                if (QColor(image.pixel(p * ratio + QPoint(dx, dy))) != colour)
                    return false;
        return true;
    };
    for (const QPoint &p : black)
        QVERIFY2(colourAt(p, Qt::black), qPrintable(QStringLiteral("%1,%2 black").arg(p.x()).arg(p.y())));
    for (const QPoint &p : fill)
        QVERIFY2(colourAt(p, kFormColour), qPrintable(QStringLiteral("%1,%2 fill").arg(p.x()).arg(p.y())));
}

void FormShapeTest::theFormsOwnPaintingComesAfterTheBalloon()
{
    MarkedForm form;
    form.mark = true;
    shape(form, bpRightTop, QSize(320, 97));
    const QImage image = form.grab().toImage();
    QCOMPARE(QColor(image.pixel(0, 41)), QColor(Qt::red));   // over the outline
    QCOMPARE(QColor(image.pixel(0, 48)), QColor(Qt::black));
}

void FormShapeTest::aResizedOrRecolouredFormIsShapedAndPaintedAfresh()
{
    QWidget form;
    shape(form, bpRightTop, QSize(320, 97));
    form.show();
    form.resize(272, 98);
    QCOMPARE(form.mask(), form.findChild<tformshape *>()->deviceRegion(1));
    QCOMPARE(form.mask().boundingRect(), QRect(0, 0, 272, 97));
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(242, 102, 155));
    form.setPalette(pal);
    const QImage image = form.grab().toImage();
    QCOMPARE(QColor(image.pixel(100, 50)), QColor(242, 102, 155));
    QCOMPARE(QColor(image.pixel(255, 25)), QColor(242, 102, 155));   // the opened base
    QCOMPARE(QColor(image.pixel(255, 60)), QColor(Qt::black));
}

TORAN_TEST_MAIN(FormShapeTest)
#include "tst_formshape.moc"
