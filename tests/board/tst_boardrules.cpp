#include "core/board/BoardRules.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace Board;

namespace {
using Posts = std::array<int, kDisks>;
constexpr int P1 = kPostBaseLefts[0];
constexpr int P2 = kPostBaseLefts[1];
constexpr int P3 = kPostBaseLefts[2];

// Builds a position from post numbers (1..3, 0 = parked) per disk, smallest
// first; stack levels follow from the larger disks on the same post. A disk
// whose post is negative is lifted above that post.
Disks position(const Posts &posts)
{
    Disks disks{};
    for (int k = kDisks; k >= 1; --k) {
        const int post = posts[k - 1];
        if (post == 0) {
            disks[k - 1] = {0, 0};
            continue;
        }
        const int base = kPostBaseLefts[std::abs(post) - 1];
        if (post < 0) {
            disks[k - 1] = {slotLeft(base, k), kLiftedTop};
            continue;
        }
        int below = 0;
        for (int j = k + 1; j <= kDisks; ++j)
            below += posts[j - 1] == post;
        disks[k - 1] = {slotLeft(base, k), levelTop(below)};
    }
    return disks;
}
} // namespace

class BoardRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void slotsAreCentredOnEachPole_data();
    void slotsAreCentredOnEachPole();
    void newGameLayoutStacksOnPostOneAndParksTheRest_data();
    void newGameLayoutStacksOnPostOneAndParksTheRest();
    void tenDiskLayoutIsTheDesignLayout();
    void onlyTheSmallestDiskOfAPostIsItsTop_data();
    void onlyTheSmallestDiskOfAPostIsItsTop();
    void liftedMeansTopTenAndParkedDisksNeverCount();
    void landingTopCountsTheOtherDisksOnTheTarget_data();
    void landingTopCountsTheOtherDisksOnTheTarget();
    void aSmallerDiskOnTheTargetRefusesTheMove_data();
    void aSmallerDiskOnTheTargetRefusesTheMove();
    void towerIsRecognisedOnlyWhenAllGameDisksStandThere_data();
    void towerIsRecognisedOnlyWhenAllGameDisksStandThere();
};

// Disk k's slot is base + 75 - 7k on every post; 35 + 14(k - 1) wide, so
// centred on the pole at base + 85.5.
void BoardRulesTest::slotsAreCentredOnEachPole_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("left");
    QTest::newRow("D1 post 1") << P1 << 1 << 73;
    QTest::newRow("D10 post 1") << P1 << 10 << 10;
    QTest::newRow("D1 post 2") << P2 << 1 << 263;
    QTest::newRow("D10 post 2") << P2 << 10 << 200;
    QTest::newRow("D1 post 3") << P3 << 1 << 453;
    QTest::newRow("D10 post 3") << P3 << 10 << 390;
}

void BoardRulesTest::slotsAreCentredOnEachPole()
{
    QFETCH(int, base);
    QFETCH(int, k);
    QFETCH(int, left);
    QCOMPARE(slotLeft(base, k), left);
    QCOMPARE(diskWidth(k), 35 + 14 * (k - 1));
    QCOMPARE(2 * slotLeft(base, k) + diskWidth(k), 2 * base + 171);   // centre at base + 85.5
}

void BoardRulesTest::newGameLayoutStacksOnPostOneAndParksTheRest_data()
{
    QTest::addColumn<int>("n");
    for (int n = 3; n <= 10; ++n)
        QTest::newRow(qPrintable(QStringLiteral("%1 disks").arg(n))) << n;
}

void BoardRulesTest::newGameLayoutStacksOnPostOneAndParksTheRest()
{
    QFETCH(int, n);
    const Layout layout = newGameLayout(n);
    QCOMPARE(layout.disks[n - 1].top, 217);            // the largest rests on the base
    QCOMPARE(layout.disks[0].top, 217 - 18 * (n - 1)); // D1 on top
    for (int k = 1; k <= kDisks; ++k) {
        QCOMPARE(layout.visible[k - 1], k <= n);
        if (k <= n) {
            QCOMPARE(layout.disks[k - 1].left, 80 - 7 * k);
            QCOMPARE(layout.disks[k - 1].top, 217 - 18 * (n - k));
            QVERIFY(isOnPost(layout.disks, k, P1));
        } else {
            QCOMPARE(layout.disks[k - 1].left, 0);
            QCOMPARE(layout.disks[k - 1].top, 0);
            QVERIFY(!isOnPost(layout.disks, k, P1) && !isOnPost(layout.disks, k, P2) && !isOnPost(layout.disks, k, P3));
        }
    }
    QCOMPARE(liftedDisk(layout.disks), 0);
    QCOMPARE(countOnPost(layout.disks, P1, 0), n);
    QVERIFY(towerOn(layout.disks, n, P1));
}

void BoardRulesTest::tenDiskLayoutIsTheDesignLayout()
{
    const Layout layout = designLayout();
    for (int k = 1; k <= kDisks; ++k) {
        QCOMPARE(layout.disks[k - 1].left, 73 - 7 * (k - 1));
        QCOMPARE(layout.disks[k - 1].top, 55 + 18 * (k - 1));
    }
    const Layout three = newGameLayout(3);
    QCOMPARE(three.disks[0].top, 181);
    QCOMPARE(three.disks[1].top, 199);
    QCOMPARE(three.disks[2].top, 217);
    QCOMPARE(three.disks[0].left, 73);
    QCOMPARE(three.disks[1].left, 66);
    QCOMPARE(three.disks[2].left, 59);
}

// A disk is the top of its post exactly when no smaller disk shares the post.
void BoardRulesTest::onlyTheSmallestDiskOfAPostIsItsTop_data()
{
    QTest::addColumn<Posts>("posts");
    QTest::addColumn<QList<int>>("tops");
    QTest::newRow("3-disk start") << Posts{1, 1, 1, 0, 0, 0, 0, 0, 0, 0} << QList<int>{1};
    QTest::newRow("spread") << Posts{3, 2, 1, 0, 0, 0, 0, 0, 0, 0} << QList<int>{1, 2, 3};
    QTest::newRow("D1 on D3, D2 alone") << Posts{2, 3, 2, 0, 0, 0, 0, 0, 0, 0} << QList<int>{1, 2};
    QTest::newRow("ten disks") << Posts{1, 1, 1, 1, 1, 1, 1, 1, 1, 1} << QList<int>{1};
    QTest::newRow("ten disks spread") << Posts{3, 2, 2, 1, 3, 3, 2, 1, 1, 2} << QList<int>{1, 2, 4};
}

void BoardRulesTest::onlyTheSmallestDiskOfAPostIsItsTop()
{
    QFETCH(Posts, posts);
    QFETCH(QList<int>, tops);
    const Disks disks = position(posts);
    for (int k = 1; k <= kDisks; ++k) {
        if (posts[k - 1] == 0)
            continue;
        QVERIFY2(isTopDisk(disks, k) == tops.contains(k), qPrintable(QStringLiteral("disk %1").arg(k)));
    }
}

void BoardRulesTest::liftedMeansTopTenAndParkedDisksNeverCount()
{
    Disks disks = position({1, 1, -2, 0, 0, 0, 0, 0, 0, 0});
    QVERIFY(isLifted(disks, 3));
    QCOMPARE(liftedDisk(disks), 3);
    QVERIFY(anyLiftedExcept(disks, 1));
    QVERIFY(!anyLiftedExcept(disks, 3));   // the lifted disk itself may be clicked again
    for (int k = 4; k <= kDisks; ++k) {
        QVERIFY(!isLifted(disks, k));
        QCOMPARE(countOnPost(disks, P1, 0) + countOnPost(disks, P2, 0) + countOnPost(disks, P3, 0), 3);
    }
    disks = position({1, 1, 1, 0, 0, 0, 0, 0, 0, 0});
    QCOMPARE(liftedDisk(disks), 0);
}

void BoardRulesTest::landingTopCountsTheOtherDisksOnTheTarget_data()
{
    QTest::addColumn<Posts>("posts");
    QTest::addColumn<int>("disk");
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("top");
    QTest::newRow("empty post, any size") << Posts{1, 1, 1, 1, -1, 0, 0, 0, 0, 0} << 5 << P3 << 217;
    QTest::newRow("onto three disks") << Posts{-1, 3, 3, 3, 0, 0, 0, 0, 0, 0} << 1 << P3 << 163;
    QTest::newRow("D3 onto D4") << Posts{1, 1, -1, 2, 0, 0, 0, 0, 0, 0} << 3 << P2 << 199;
    QTest::newRow("back onto its own post") << Posts{-1, 1, 1, 0, 0, 0, 0, 0, 0, 0} << 1 << P1 << 181;
    QTest::newRow("ten disks, last one home") << Posts{-3, 3, 3, 3, 3, 3, 3, 3, 3, 3} << 1 << P3 << 55;
}

void BoardRulesTest::landingTopCountsTheOtherDisksOnTheTarget()
{
    QFETCH(Posts, posts);
    QFETCH(int, disk);
    QFETCH(int, base);
    QFETCH(int, top);
    const Disks disks = position(posts);
    QCOMPARE(landingTop(disks, base, disk), top);
}

// Any disk is refused onto a post holding a smaller one, whatever its source.
void BoardRulesTest::aSmallerDiskOnTheTargetRefusesTheMove_data()
{
    QTest::addColumn<Posts>("posts");
    QTest::addColumn<int>("disk");
    QTest::addColumn<int>("base");
    QTest::addColumn<bool>("refused");
    QTest::newRow("D2 from 1 onto D1 on 2") << Posts{2, -1, 1, 0, 0, 0, 0, 0, 0, 0} << 2 << P2 << true;
    QTest::newRow("D3 from 2 onto D1 on 1") << Posts{1, 3, -2, 0, 0, 0, 0, 0, 0, 0} << 3 << P1 << true;
    QTest::newRow("D3 from 1 onto D2 on 3") << Posts{2, 3, -1, 0, 0, 0, 0, 0, 0, 0} << 3 << P3 << true;
    QTest::newRow("D10 from 1 onto D1 on 3") << Posts{3, 2, 2, 2, 2, 2, 2, 2, 2, -1} << 10 << P3 << true;
    QTest::newRow("D1 is never refused") << Posts{-1, 2, 3, 0, 0, 0, 0, 0, 0, 0} << 1 << P2 << false;
    QTest::newRow("D2 onto D3") << Posts{1, -1, 3, 0, 0, 0, 0, 0, 0, 0} << 2 << P3 << false;
    QTest::newRow("parked disks do not block") << Posts{1, 1, -1, 0, 0, 0, 0, 0, 0, 0} << 3 << P2 << false;
}

void BoardRulesTest::aSmallerDiskOnTheTargetRefusesTheMove()
{
    QFETCH(Posts, posts);
    QFETCH(int, disk);
    QFETCH(int, base);
    QFETCH(bool, refused);
    QCOMPARE(smallerDiskOnPost(position(posts), disk, base), refused);
}

void BoardRulesTest::towerIsRecognisedOnlyWhenAllGameDisksStandThere_data()
{
    QTest::addColumn<Posts>("posts");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("base");
    QTest::addColumn<bool>("tower");
    QTest::newRow("3 on post 3") << Posts{3, 3, 3, 0, 0, 0, 0, 0, 0, 0} << 3 << P3 << true;
    QTest::newRow("3 on post 2") << Posts{2, 2, 2, 0, 0, 0, 0, 0, 0, 0} << 3 << P2 << true;
    QTest::newRow("one still on post 1") << Posts{3, 3, 1, 0, 0, 0, 0, 0, 0, 0} << 3 << P3 << false;
    QTest::newRow("lifted over post 2 still has its left") << Posts{-2, 2, 2, 0, 0, 0, 0, 0, 0, 0} << 3 << P2 << true;
    QTest::newRow("10 on post 2") << Posts{2, 2, 2, 2, 2, 2, 2, 2, 2, 2} << 10 << P2 << true;
    QTest::newRow("disks beyond n ignored") << Posts{3, 3, 3, 1, 1, 1, 1, 1, 1, 1} << 3 << P3 << true;
}

void BoardRulesTest::towerIsRecognisedOnlyWhenAllGameDisksStandThere()
{
    QFETCH(Posts, posts);
    QFETCH(int, n);
    QFETCH(int, base);
    QFETCH(bool, tower);
    QCOMPARE(towerOn(position(posts), n, base), tower);
}

TORAN_TEST_APPLESS_MAIN(BoardRulesTest)
#include "tst_boardrules.moc"
