#include "core/drawing/RegionData.h"
#include "support/TestMain.h"

#include <QtEndian>
#include <QtTest>

namespace {
using Rects = QVector<QRect>;

QRect edges(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

void putInt(QByteArray &bytes, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, bytes.data() + offset);
}

qint32 intAt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

bool sameRegion(const QRegion &a, const QRegion &b) { return (a ^ b).isEmpty(); }
} // namespace

class RegionDataTest : public QObject
{
    Q_OBJECT
private slots:
    void writtenDataReadsBackUnchanged_data();
    void writtenDataReadsBackUnchanged();
    void bytesFollowTheStoredLayout();
    void noRectanglesWriteAZeroCount();
    void dataThatCannotBecomeARegionIsNoRegion_data();
    void dataThatCannotBecomeARegionIsNoRegion();
    void aRegionSurvivesWritingAndReading();
    void rowRunsAreTheNonWhitePixelsOfEachRow();
    void silhouetteMergesEqualRowsIntoBands();
};

// Whatever is written reads back as the same rectangles in the same order,
// and writing them again gives the same bytes.
void RegionDataTest::writtenDataReadsBackUnchanged_data()
{
    QTest::addColumn<Rects>("rects");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("one rectangle") << Rects{edges(3, 4, 10, 5)} << edges(3, 4, 10, 5);
    QTest::newRow("two runs in a row") << Rects{edges(0, 0, 2, 1), edges(5, 0, 9, 1)} << edges(0, 0, 9, 1);
    QTest::newRow("bands") << Rects{edges(4, 0, 6, 2), edges(1, 2, 9, 3), edges(0, 3, 3, 7), edges(6, 3, 10, 7)}
                           << edges(0, 0, 10, 7);
    QTest::newRow("left of the window") << Rects{edges(-1, 0, 5, 1), edges(-1, 1, 2, 2)} << edges(-1, 0, 5, 2);
}

void RegionDataTest::writtenDataReadsBackUnchanged()
{
    QFETCH(Rects, rects);
    QFETCH(QRect, bounds);
    const QByteArray bytes = RegionData::write(rects);
    QCOMPARE(bytes.size(), 4 + 32 + 16 * rects.size());
    const auto parsed = RegionData::parse(bytes);
    QVERIFY(parsed);
    QCOMPARE(parsed->rects, rects);
    QCOMPARE(parsed->bounds, bounds);
    QCOMPARE(RegionData::write(parsed->rects), bytes);
}

// N, header size, type, count, byte size, bounds, then rectangles with the
// right and bottom edges one past the last pixel, all little-endian.
void RegionDataTest::bytesFollowTheStoredLayout()
{
    const QByteArray bytes = RegionData::write(Rects{edges(16, 2, 20, 3), edges(-1, 3, 300, 5)});
    const QVector<qint32> expected{64, 32, 1, 2, 32, -1, 2, 300, 5, 16, 2, 20, 3, -1, 3, 300, 5};
    QCOMPARE(bytes.size(), expected.size() * 4);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(intAt(bytes, 4 * i), expected[i]);
    QCOMPARE(bytes.left(8), QByteArray::fromHex("4000000020000000"));
}

void RegionDataTest::noRectanglesWriteAZeroCount()
{
    QCOMPARE(RegionData::write(Rects{}), QByteArray(4, '\0'));
    QCOMPARE(RegionData::write(QRegion()), QByteArray(4, '\0'));
    QVERIFY(!RegionData::parse(QByteArray(4, '\0')));
}

// The window stays rectangular for any of these.
void RegionDataTest::dataThatCannotBecomeARegionIsNoRegion_data()
{
    const QByteArray good = RegionData::write(Rects{edges(0, 0, 4, 1), edges(1, 1, 3, 2)});
    QTest::addColumn<QByteArray>("bytes");
    auto spoilt = [&](int offset, qint32 value) {
        QByteArray b = good;
        putInt(b, offset, value);
        return b;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("shorter than its count") << good.left(3);
    QTest::newRow("cut off") << good.left(good.size() - 1);
    QTest::newRow("N below the header") << spoilt(0, 16);
    QTest::newRow("negative N") << spoilt(0, -1);
    QTest::newRow("foreign header size") << spoilt(4, 40);
    QTest::newRow("not rectangles") << spoilt(8, 2);
    QTest::newRow("no rectangles") << spoilt(12, 0);
    QTest::newRow("negative count") << spoilt(12, -3);
    QTest::newRow("more rectangles than bytes") << spoilt(12, 3);
    QTest::newRow("huge count") << spoilt(12, 0x7FFFFFFF);
    QTest::newRow("byte size not the count") << spoilt(16, 48);
    QTest::newRow("inverted rectangle") << spoilt(36 + 8, -5);
    QTest::newRow("empty rectangle") << spoilt(36 + 16 + 12, 1);
}

void RegionDataTest::dataThatCannotBecomeARegionIsNoRegion()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!RegionData::parse(bytes));
    QVERIFY(!RegionData::parseRegion(bytes));
}

void RegionDataTest::aRegionSurvivesWritingAndReading()
{
    QRegion region = QRegion(10, 10, 30, 20) + QRegion(0, 15, 60, 3) + QRegion(25, 0, 5, 40, QRegion::Ellipse);
    const auto back = RegionData::parseRegion(RegionData::write(region));
    QVERIFY(back);
    QVERIFY(sameRegion(*back, region));
}

void RegionDataTest::rowRunsAreTheNonWhitePixelsOfEachRow()
{
    QImage picture(6, 3, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    picture.setPixel(2, 0, qRgb(254, 255, 255));   // almost white still counts
    picture.setPixel(5, 0, qRgb(0, 0, 0));
    picture.setPixel(0, 2, qRgb(128, 0, 0));
    const Rects runs = RegionData::rowRuns(picture, QPoint(-1, 10));
    QCOMPARE(runs, (Rects{edges(0, 10, 2, 11), edges(4, 10, 5, 11), edges(-1, 12, 0, 13)}));
}

void RegionDataTest::silhouetteMergesEqualRowsIntoBands()
{
    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 3; ++y)
        for (int x = 1; x < 4; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    picture.setPixel(4, 3, qRgb(0, 0, 255));
    const QRegion region = RegionData::silhouette(picture, QPoint(0, 0));
    QCOMPARE(RegionData::fromRegion(region), (Rects{edges(1, 0, 4, 3), edges(4, 3, 5, 4)}));
}

TORAN_TEST_GUILESS_MAIN(RegionDataTest)
#include "tst_regiondata.moc"
