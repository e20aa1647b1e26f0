#include "core/board/BoardRules.h"
#include "core/board/Game.h"
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
    void landingTopCountsTheOtherDisksOnTheTarget_data();
    void landingTopCountsTheOtherDisksOnTheTarget();
    void aGameIsPlayedByItsRules_data();
    void aGameIsPlayedByItsRules();
    void keptGamesThatMakeNoSenseAreDropped_data();
    void keptGamesThatMakeNoSenseAreDropped();
};

// Disk k's slot on every post, centred on the pole at base + 85.5.
void BoardRulesTest::slotsAreCentredOnEachPole_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::newRow("D1 post 1") << P1 << 1 << 73 << 35;
    QTest::newRow("D10 post 1") << P1 << 10 << 10 << 161;
    QTest::newRow("D1 post 2") << P2 << 1 << 263 << 35;
    QTest::newRow("D10 post 2") << P2 << 10 << 200 << 161;
    QTest::newRow("D1 post 3") << P3 << 1 << 453 << 35;
    QTest::newRow("D5 post 3") << P3 << 5 << 425 << 91;
}

void BoardRulesTest::slotsAreCentredOnEachPole()
{
    QFETCH(int, base);
    QFETCH(int, k);
    QFETCH(int, left);
    QFETCH(int, width);
    QCOMPARE(slotLeft(base, k), left);
    QCOMPARE(diskWidth(k), width);
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
    const Game game = Game::start(n);
    QCOMPARE(game.placeOf(n).top, 217);            // the largest rests on the base
    QCOMPARE(game.placeOf(1).top, 217 - 18 * (n - 1)); // D1 on top
    for (int k = 1; k <= kDisks; ++k) {
        const Disk at = game.placeOf(k);
        QCOMPARE(game.postOf(k), k <= n ? 1 : 0);
        QCOMPARE(at.left, k <= n ? 80 - 7 * k : 0);
        QCOMPARE(at.top, k <= n ? 217 - 18 * (n - k) : 0);
    }
    QCOMPARE(game.lifted(), 0);
    QCOMPARE(game.moves(), 0);
    QCOMPARE(game.solvedPost(), 0);
}

// The design's places are the ten-disk game's; three disks stand as the
// smallest game does.
void BoardRulesTest::tenDiskLayoutIsTheDesignLayout()
{
    const Game ten = Game::start(kDisks);
    for (int k = 1; k <= kDisks; ++k) {
        QCOMPARE(ten.placeOf(k).left, 73 - 7 * (k - 1));
        QCOMPARE(ten.placeOf(k).top, 55 + 18 * (k - 1));
    }
    const Game three = Game::start(3);
    QCOMPARE(three.placeOf(1).top, 181);
    QCOMPARE(three.placeOf(2).top, 199);
    QCOMPARE(three.placeOf(3).top, 217);
    QCOMPARE(three.placeOf(1).left, 73);
    QCOMPARE(three.placeOf(2).left, 66);
    QCOMPARE(three.placeOf(3).left, 59);
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

// start: the post of every disk at the start (a kept game's Kuly); script:
// l<k> lifts disk k, p<n> places on post n, u takes a move back; accepted:
// + or - per action; then the posts, the disk in the air, the count, the
// solved post and where one disk is drawn.
void BoardRulesTest::aGameIsPlayedByItsRules_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QString>("kuly");
    QTest::addColumn<int>("lifted");
    QTest::addColumn<int>("moves");
    QTest::addColumn<int>("solved");
    QTest::addColumn<int>("disk");
    QTest::addColumn<QPoint>("at");
    const QString toThree = "l1 p3 l2 p2 l1 p2 l3 p3 l1 p1 l2 p3 l1 p3";
    const QString toTwo = "l1 p2 l2 p3 l1 p3 l3 p2 l1 p1 l2 p2 l1 p2";
    QTest::newRow("a lift counts and hangs above the post") << "111" << "l1" << "+" << "111" << 1 << 1 << 0 << 1 << QPoint(73, 10);
    QTest::newRow("a disk under another is refused") << "111" << "l3 l2" << "--" << "111" << 0 << 0 << 0 << 3 << QPoint(59, 217);
    QTest::newRow("the lifted disk lifted again counts again") << "111" << "l1 l1" << "++" << "111" << 1 << 2 << 0 << 1 << QPoint(73, 10);
    QTest::newRow("another disk up refuses a lift") << "111" << "l1 p3 l2 l1" << "+++-" << "311" << 2 << 2 << 0 << 1 << QPoint(453, 217);
    QTest::newRow("nothing up: placing does nothing") << "111" << "p2" << "-" << "111" << 0 << 0 << 0 << 1 << QPoint(73, 181);
    QTest::newRow("back on its own post counts nothing more") << "111" << "l1 p1" << "++" << "111" << 0 << 1 << 0 << 1 << QPoint(73, 181);
    QTest::newRow("onto a smaller disk refused, still up") << "111" << "l1 p3 l2 p3" << "+++-" << "311" << 2 << 2 << 0 << 2 << QPoint(66, 10);
    QTest::newRow("refused, then placed elsewhere") << "111" << "l1 p3 l2 p3 p2" << "+++-+" << "321" << 0 << 2 << 0 << 2 << QPoint(256, 217);
    QTest::newRow("refused onto D1 alone and onto D2") << "111" << "l1 p2 l2 p3 l3 p2 p3" << "+++++--" << "231" << 3 << 3 << 0 << 3 << QPoint(59, 10);
    QTest::newRow("D1 is never refused") << "111" << "l1 p2 l2 p3 l1 p3" << "++++++" << "331" << 0 << 3 << 0 << 1 << QPoint(453, 199);
    QTest::newRow("D3 onto D4 lands one level up") << "3312" << "l3 p2" << "++" << "3322" << 0 << 1 << 0 << 3 << QPoint(249, 199);
    QTest::newRow("onto three disks lands at 163") << "1333" << "l1 p3" << "++" << "3333" << 0 << 1 << 3 << 1 << QPoint(453, 163);
    QTest::newRow("a large disk onto an empty post lands at 217") << "2222211111" << "l6 p3" << "++" << "2222231111" << 0 << 1 << 0 << 6 << QPoint(418, 217);
    QTest::newRow("ten disks: D10 waits for all nine") << "1111111111" << "l10 l1 p3 l2 p3" << "-+++-" << "3111111111" << 2 << 2 << 0 << 10 << QPoint(10, 217);
    QTest::newRow("solved on post 3") << "111" << toThree << QString(14, '+') << "333" << 0 << 7 << 3 << 1 << QPoint(453, 181);
    QTest::newRow("solved on post 2") << "111" << toTwo << QString(14, '+') << "222" << 0 << 7 << 2 << 3 << QPoint(249, 217);
    QTest::newRow("a tower with its top up is not solved") << "111" << toThree + " l1" << QString(15, '+') << "333" << 1 << 8 << 0 << 1 << QPoint(453, 10);
    QTest::newRow("a tower on post 1 is not solved") << "333" << "l1 p1 l2 p2 l1 p2 l3 p1 l1 p3 l2 p1 l1 p1" << QString(14, '+') << "111" << 0 << 7 << 0 << 1 << QPoint(73, 181);
    QTest::newRow("undo carries back and counts") << "111" << "l1 p3 u" << "+++" << "111" << 0 << 2 << 0 << 1 << QPoint(73, 181);
    QTest::newRow("undo with a disk up puts it back, uncounted") << "111" << "l1 p3 l2 u" << "++++" << "311" << 0 << 2 << 0 << 2 << QPoint(66, 199);
    QTest::newRow("undo back to the start, then nothing") << "111" << "l1 p3 l2 p2 u u u" << "++++++-" << "111" << 0 << 4 << 0 << 2 << QPoint(66, 199);
    QTest::newRow("a put back is nothing to take back") << "111" << "l1 p1 u" << "++-" << "111" << 0 << 1 << 0 << 1 << QPoint(73, 181);
    QTest::newRow("one move taken back, then solved: 9") << "111" << "l1 p2 u " + toThree << QString(17, '+') << "333" << 0 << 9 << 3 << 2 << QPoint(446, 199);
}

void BoardRulesTest::aGameIsPlayedByItsRules()
{
    QFETCH(QString, start);
    QFETCH(QString, script);
    QFETCH(QString, accepted);
    QFETCH(QString, kuly);
    QFETCH(int, lifted);
    QFETCH(int, moves);
    QFETCH(int, solved);
    QFETCH(int, disk);
    QFETCH(QPoint, at);
    std::optional<Game> kept = Game::fromKept(QString::number(start.size()), "0", start);
    QVERIFY(kept);
    Game game = *kept;
    if (start == QString(start.size(), '1'))   // a new game is the same position
        QCOMPARE(Game::start(int(start.size())).kuly(), start);
    QString done;
    for (const QString &action : script.split(' ')) {
        const int n = action.mid(1).toInt();
        const bool ok = action[0] == 'l' ? game.lift(n) : action[0] == 'p' ? game.place(n) : bool(game.undo());
        done += ok ? '+' : '-';
    }
    QCOMPARE(done, accepted);
    QCOMPARE(game.kuly(), kuly);
    QCOMPARE(game.lifted(), lifted);
    QCOMPARE(game.moves(), moves);
    QCOMPARE(game.solvedPost(), solved);
    const Disk place = game.placeOf(disk);
    QCOMPARE(QPoint(place.left, place.top), at);
    if (start.size() < kDisks)   // disks not in play stay parked
        QCOMPARE(game.placeOf(int(start.size()) + 1).left, 0);
}

// A kept game is taken up only as it was written: 3..10 disks, a count of
// zero or more, one post 1..3 per disk.
void BoardRulesTest::keptGamesThatMakeNoSenseAreDropped_data()
{
    QTest::addColumn<QString>("disky");
    QTest::addColumn<QString>("tahy");
    QTest::addColumn<QString>("kuly");
    QTest::addColumn<bool>("kept");
    QTest::newRow("3 disks") << "3" << "5" << "321" << true;
    QTest::newRow("10 disks, none moved") << "10" << "0" << "1111111111" << true;
    QTest::newRow("2 disks") << "2" << "1" << "11" << false;
    QTest::newRow("11 disks") << "11" << "1" << "11111111111" << false;
    QTest::newRow("count not a number") << "tri" << "1" << "111" << false;
    QTest::newRow("Kuly too short") << "4" << "1" << "111" << false;
    QTest::newRow("Kuly too long") << "3" << "1" << "1111" << false;
    QTest::newRow("Kuly with post 0") << "3" << "1" << "101" << false;
    QTest::newRow("Kuly with post 4") << "3" << "1" << "411" << false;
    QTest::newRow("Kuly with a letter") << "3" << "1" << "1a1" << false;
    QTest::newRow("Tahy negative") << "3" << "-1" << "111" << false;
    QTest::newRow("Tahy not a number") << "3" << "x" << "111" << false;
    QTest::newRow("Tahy missing") << "3" << "" << "111" << false;
}

void BoardRulesTest::keptGamesThatMakeNoSenseAreDropped()
{
    QFETCH(QString, disky);
    QFETCH(QString, tahy);
    QFETCH(QString, kuly);
    QFETCH(bool, kept);
    const std::optional<Game> game = Game::fromKept(disky, tahy, kuly);
    QCOMPARE(bool(game), kept);
    if (kept) {
        QCOMPARE(game->kuly(), kuly);
        QCOMPARE(game->moves(), tahy.toInt());
        QCOMPARE(game->lifted(), 0);
    }
}

TORAN_TEST_APPLESS_MAIN(BoardRulesTest)
#include "tst_boardrules.moc"
