#include "core/board/ShortestWay.h"
#include "support/TestMain.h"

#include <QtTest>

namespace {
using Board::DiskPosts;

// Position `index` of n disks: disk k on post (index / 3^(k-1)) % 3 + 1.
DiskPosts positionAt(int index, int n)
{
    DiskPosts posts(n);
    for (int k = 0; k < n; ++k, index /= 3)
        posts[k] = index % 3 + 1;
    return posts;
}

int indexOf(const DiskPosts &posts)
{
    int index = 0;
    for (auto post = posts.rbegin(); post != posts.rend(); ++post)
        index = index * 3 + *post - 1;
    return index;
}

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

// Breadth-first distances of every position from the tower on `post`.
std::vector<int> searchFrom(int post, int n)
{
    std::vector<int> distance(indexOf(DiskPosts(n, 3)) + 1, -1);
    std::vector<int> queue{indexOf(DiskPosts(n, post))};
    distance[queue.front()] = 0;
    for (size_t i = 0; i < queue.size(); ++i)
        for (const DiskPosts &next : neighbours(positionAt(queue[i], n)))
            if (int &d = distance[indexOf(next)]; d < 0) {
                d = distance[queue[i]] + 1;
                queue.push_back(indexOf(next));
            }
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
        const std::vector<int> toTwo = searchFrom(2, n), toThree = searchFrom(3, n);
        for (int index = 0; index < int(toTwo.size()); ++index) {
            const DiskPosts start = positionAt(index, n);
            const Board::Way way = Board::shortestWay(start);
            QCOMPARE(way.target, toTwo[index] < toThree[index] ? 2 : 3);
            const std::vector<int> &distance = way.target == 2 ? toTwo : toThree;
            QCOMPARE(way.length, std::int64_t(distance[index]));
            QCOMPARE(Board::movesToGo(start, 5 - way.target), std::int64_t((way.target == 2 ? toThree : toTwo)[index]));
            const std::vector<Board::Move> moves = Board::shortestMoves(start);
            QCOMPARE(std::int64_t(moves.size()), way.length);
            QCOMPARE(way.next.disk, moves.empty() ? 0 : moves.front().disk);
            DiskPosts walked = start;
            for (const Board::Move &move : moves) {
                const std::vector<DiskPosts> legal = neighbours(walked);
                QCOMPARE(walked[move.disk - 1], move.from);
                walked[move.disk - 1] = move.to;
                QVERIFY(std::find(legal.begin(), legal.end(), walked) != legal.end());
                QCOMPARE(distance[indexOf(walked)], distance[index] - int(&move - moves.data()) - 1);
            }
        }
    }
};

TORAN_TEST_APPLESS_MAIN(ShortestWayTest)
#include "tst_shortestway.moc"
