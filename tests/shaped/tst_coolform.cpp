#include "widgets/CoolForm.h"
#include "core/drawing/RegionData.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QtTest>

namespace {
bool isWhite(QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }
} // namespace

class CoolFormTest : public QObject
{
    Q_OBJECT
private slots:
    void placingTheControlSwitchesTheBorderOffAndFillsTheForm();
    void storedDataCutsTheFormAndIsSavedBackUnchanged();
    void dataThatCannotBecomeARegionLeavesTheFormRectangular_data();
    void dataThatCannotBecomeARegionLeavesTheFormRectangular();
    void aNewPictureForgetsTheRegionButKeepsTheShape();
    void aCentredPictureLiesAtHalfTheDifference();
    void theAssistantsStoredRegionIsItsPicturesSilhouette_data();
    void theAssistantsStoredRegionIsItsPicturesSilhouette();
    void theWarningPicturesLieOnTheirPaperColour_data();
    void theWarningPicturesLieOnTheirPaperColour();
};

void CoolFormTest::placingTheControlSwitchesTheBorderOffAndFillsTheForm()
{
    QWidget form;
    form.resize(104, 104);
    TCoolForm figure(&form);
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(figure.geometry(), QRect(0, 0, 104, 104));
    // A hidden form hears of its new size when it is shown.
    form.show();
    form.resize(150, 90);
    QCOMPARE(figure.geometry(), QRect(0, 0, 150, 90));
    QVERIFY(figure.isDraggable());
}

void CoolFormTest::storedDataCutsTheFormAndIsSavedBackUnchanged()
{
    QWidget form;
    form.resize(40, 40);
    TCoolForm figure(&form);
    const QRegion region = QRegion(5, 0, 10, 3) + QRegion(0, 3, 30, 20);
    const QByteArray data = RegionData::write(region);
    QVERIFY(figure.loadMask2(data));
    QCOMPARE(form.mask(), region);
    QCOMPARE(figure.mask2(), data);
}

void CoolFormTest::dataThatCannotBecomeARegionLeavesTheFormRectangular_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("no region") << QByteArray(4, '\0');
    QTest::newRow("nothing at all") << QByteArray();
    QByteArray broken = RegionData::write(QRegion(0, 0, 5, 5));
    broken[8] = 7;   // not rectangles
    QTest::newRow("foreign header") << broken;
    QTest::newRow("cut off") << RegionData::write(QRegion(0, 0, 5, 5)).left(30);
}

void CoolFormTest::dataThatCannotBecomeARegionLeavesTheFormRectangular()
{
    QFETCH(QByteArray, data);
    QWidget form;
    form.resize(40, 40);
    TCoolForm figure(&form);
    QVERIFY(figure.loadMask2(RegionData::write(QRegion(0, 0, 10, 10))));
    QVERIFY(!figure.loadMask2(data));
    QVERIFY(form.mask().isEmpty());
    QVERIFY(!figure.region());
    QCOMPARE(figure.mask2(), QByteArray(4, '\0'));
}

void CoolFormTest::aNewPictureForgetsTheRegionButKeepsTheShape()
{
    QWidget form;
    form.resize(40, 40);
    TCoolForm figure(&form);
    const QRegion region(0, 0, 20, 20, QRegion::Ellipse);
    figure.loadMask2(RegionData::write(region));
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    figure.setPicture(picture);
    QVERIFY(!figure.region());
    QCOMPARE(figure.mask2(), QByteArray(4, '\0'));
    QCOMPARE(form.mask(), region);
}

void CoolFormTest::aCentredPictureLiesAtHalfTheDifference()
{
    QWidget form;
    form.resize(104, 104);
    TCoolForm figure(&form);
    QImage picture(107, 105, QImage::Format_RGB32);
    for (int x = 0; x < 107; ++x)
        for (int y = 0; y < 105; ++y)
            picture.setPixel(x, y, qRgb(x, y, 0));
    figure.setPicture(picture);
    QCOMPARE(figure.pictureOrigin(), QPoint(0, 0));
    figure.setCenter(true);
    QCOMPARE(figure.pictureOrigin(), QPoint(-1, 0));
    const QImage shown = figure.grab().toImage();
    QCOMPARE(shown.pixel(0, 0), picture.pixel(1, 0));
    QCOMPARE(shown.pixel(103, 103), picture.pixel(104, 103));
    form.show();
    form.resize(110, 110);
    QCOMPARE(figure.pictureOrigin(), QPoint(1, 2));
}

void CoolFormTest::theAssistantsStoredRegionIsItsPicturesSilhouette_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("scale");
    QTest::newRow("ratio 1") << ":/art/assistant.png" << 1;
    QTest::newRow("ratio 2") << ":/art/assistant@2x.png" << 2;
}

// The stored region covers exactly the non-white pixels of the picture as
// it lies in the window (left edge at x = -1); the finer picture for ratio 2
// has exactly the same outline, so the window cut to the region shows all
// of the figure and no paper.
void CoolFormTest::theAssistantsStoredRegionIsItsPicturesSilhouette()
{
    QFETCH(QString, path);
    QFETCH(int, scale);
    const QImage picture(path);
    QCOMPARE(picture.size(), QSize(107, 105) * scale);
    QVERIFY(!picture.hasAlphaChannel());
    QVERIFY(isWhite(picture.pixel(0, 0)) && isWhite(picture.pixel(picture.width() - 1, picture.height() - 1)));

    const QByteArray data = readFile(QStringLiteral(":/art/assistant.mask2"));
    QVERIFY(data.size() >= 4);
    const int n = qFromLittleEndian<qint32>(data.constData());
    const auto parsed = RegionData::parse(data);
    QVERIFY(parsed);
    const int count = int(parsed->rects.size());
    QCOMPARE(n, 32 + 16 * count);
    QCOMPARE(data.size(), 4 + n);

    QRect pixels;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (!isWhite(picture.pixel(x, y)))
                pixels |= QRect(x / scale - 1, y / scale, 1, 1);
    QCOMPARE(parsed->bounds, pixels);
    // The whole figure shows in the 104 x 104 window.
    QVERIFY(QRect(0, 0, 104, 104).contains(pixels));

    const QRegion region = RegionData::toRegion(parsed->rects);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            QVERIFY2(region.contains(QPoint(x / scale - 1, y / scale)) == !isWhite(picture.pixel(x, y)),
                     qPrintable(QStringLiteral("picture pixel %1,%2").arg(x).arg(y)));
    // Stored in row bands: each band below the last, its runs left to right.
    for (int i = 1; i < count; ++i) {
        const QRect &a = parsed->rects[i - 1];
        const QRect &b = parsed->rects[i];
        QVERIFY(b.top() > a.bottom() || (b.top() == a.top() && b.bottom() == a.bottom() && b.left() > a.right()));
    }
}

void CoolFormTest::theWarningPicturesLieOnTheirPaperColour_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("shadow");
    QTest::newRow("exclamation") << ":/art/warning-exclamation.png" << false;
    QTest::newRow("question") << ":/art/warning-question.png" << true;
}

void CoolFormTest::theWarningPicturesLieOnTheirPaperColour()
{
    QFETCH(QString, path);
    QFETCH(bool, shadow);
    const QImage picture(path);
    QCOMPARE(picture.size(), QSize(35, 35));
    QVERIFY(!picture.hasAlphaChannel());
    QCOMPARE(QColor(picture.pixel(0, 34)), QColor(255, 255, 204));
    int yellow = 0, black = 0, grey = 0;
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 35; ++x) {
            const QColor c(picture.pixel(x, y));
            yellow += c == QColor(255, 255, 0);
            black += c == QColor(0, 0, 0);
            grey += c == QColor(128, 128, 128) && x > 17;
        }
    }
    QVERIFY(yellow > 200);
    QVERIFY(black > 40);
    QCOMPARE(grey > 0, shadow);
}

TORAN_TEST_MAIN(CoolFormTest)
#include "tst_coolform.moc"
