#include "core/board/ShortestWay.h"
#include "support/TestMain.h"

#include <QtTest>

#include <map>

namespace {
using Board::DiskPosts;

// The positions one legal move away: a post's smallest disk onto a post whose disks are all larger.
std::vector<DiskPosts> neighbours(const DiskPosts &posts)
{
    int top[4] = {};
    for (int k = int(posts.size()); k >= 1; --k)
        top[posts[k - 1]] = k;
    std::vector<DiskPosts> next;
    for (int from = 1; from <= 3; ++from)
        for (int to = 1; to <= 3; ++to)
            if (top[from] && from != to && (!top[to] || top[to] > top[from])) {
                next.push_back(posts);
                next.back()[top[from] - 1] = to;
            }
    return next;
}

// Breadth-first distances from the tower of n disks on `post` to every position (all 3^n are reached).
std::map<DiskPosts, int> searchFrom(int post, int n)
{
    std::map<DiskPosts, int> distance{{DiskPosts(n, post), 0}};
    for (std::vector<DiskPosts> layer{DiskPosts(n, post)}, next; !layer.empty(); layer.swap(next), next.clear())
        for (const DiskPosts &at : layer)
            for (const DiskPosts &near : neighbours(at))
                if (distance.emplace(near, distance[at] + 1).second)
                    next.push_back(near);
    return distance;
}
} // namespace

class ShortestWayTest : public QObject
{
    Q_OBJECT
private slots:
    void everyPositionGoesTheSearchsShortestWay_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= 7; ++n)
            QTest::addRow("%d disks", n) << n;
    }

    // From every position: the target (the nearer of posts 2 and 3, 3 on a
    // tie) and the length as the search finds them, and a sequence of that
    // length whose every move is legal and one nearer, the first as told.
    void everyPositionGoesTheSearchsShortestWay()
    {
        QFETCH(int, n);
        std::map<DiskPosts, int> toTwo = searchFrom(2, n), toThree = searchFrom(3, n);
        QCOMPARE(int(toTwo.size()), int(std::pow(3, n)));
        for (const auto &[start, two] : toTwo) {
            const Board::Way way = Board::shortestWay(start);
            QCOMPARE(way.target, two < toThree[start] ? 2 : 3);
            std::map<DiskPosts, int> &distance = way.target == 2 ? toTwo : toThree;
            QCOMPARE(way.length, std::int64_t(distance[start]));
            QCOMPARE(Board::movesToGo(start, 5 - way.target), std::int64_t(way.target == 2 ? toThree[start] : two));
            const std::vector<Board::Move> moves = Board::shortestMoves(start);
            QCOMPARE(std::int64_t(moves.size()), way.length);
            QCOMPARE(way.next.disk, moves.empty() ? 0 : moves.front().disk);
            DiskPosts walked = start;
            for (const Board::Move &move : moves) {
                const std::vector<DiskPosts> legal = neighbours(walked);
                QCOMPARE(walked[move.disk - 1], move.from);
                walked[move.disk - 1] = move.to;
                QVERIFY(std::find(legal.begin(), legal.end(), walked) != legal.end());
                QCOMPARE(distance[walked], distance[start] - int(&move - moves.data()) - 1);
            }
        }
    }
};

TORAN_TEST_APPLESS_MAIN(ShortestWayTest)
#include "tst_shortestway.moc"
