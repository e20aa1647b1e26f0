#include "core/board/ShortestWay.h"
#include "support/TestMain.h"

#include <QtTest>

namespace {
using Board::DiskPosts;
using Board::Move;
using Board::Way;

// Position i of N disks: disk k (1..N) on post (i / 3^(k-1)) % 3 + 1.
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
    for (int k = int(posts.size()); k >= 1; --k)
        index = index * 3 + posts[k - 1] - 1;
    return index;
}

// The legal moves: the smallest disk of a post onto a post whose disks are all larger.
std::vector<Move> movesFrom(const DiskPosts &posts)
{
    int top[4] = {0, 0, 0, 0};
    for (int k = int(posts.size()); k >= 1; --k)
        top[posts[k - 1]] = k;
    std::vector<Move> moves;
    for (int from = 1; from <= 3; ++from)
        for (int to = 1; to <= 3; ++to)
            if (top[from] && from != to && (!top[to] || top[to] > top[from]))
                moves.push_back({top[from], from, to});
    return moves;
}

// Breadth-first distances of every position from the tower on `post`.
std::vector<int> searchFrom(int post, int n)
{
    int count = 1;
    for (int k = 0; k < n; ++k)
        count *= 3;
    std::vector<int> distance(count, -1);
    std::vector<int> queue{indexOf(DiskPosts(n, post))};
    distance[queue.front()] = 0;
    for (size_t i = 0; i < queue.size(); ++i) {
        const DiskPosts posts = positionAt(queue[i], n);
        for (const Move &move : movesFrom(posts)) {
            DiskPosts next = posts;
            next[move.disk - 1] = move.to;
            const int index = indexOf(next);
            if (distance[index] < 0) {
                distance[index] = distance[queue[i]] + 1;
                queue.push_back(index);
            }
        }
    }
    return distance;
}
} // namespace

class ShortestWayTest : public QObject
{
    Q_OBJECT
private slots:
    void everyPositionGoesTheSearchsShortestWay_data();
    void everyPositionGoesTheSearchsShortestWay();
    void tenDisksAreWorkedOutInMicroseconds();
};

void ShortestWayTest::everyPositionGoesTheSearchsShortestWay_data()
{
    QTest::addColumn<int>("n");
    for (int n = 1; n <= 7; ++n)
        QTest::addRow("%d disks", n) << n;
}

// Length and target (the nearer of posts 2 and 3, 3 on a tie) as the search
// finds them; the first move legal and one nearer; the whole sequence legal
// and of that length, ending in the tower.
void ShortestWayTest::everyPositionGoesTheSearchsShortestWay()
{
    QFETCH(int, n);
    const std::vector<int> toTwo = searchFrom(2, n), toThree = searchFrom(3, n);
    for (int index = 0; index < int(toTwo.size()); ++index) {
        const DiskPosts posts = positionAt(index, n);
        const int target = toTwo[index] < toThree[index] ? 2 : 3;
        const std::vector<int> &distance = target == 2 ? toTwo : toThree;
        const Way way = Board::shortestWay(posts);
        QCOMPARE(way.target, target);
        QCOMPARE(way.length, std::int64_t(distance[index]));
        QCOMPARE(Board::movesToGo(posts, 5 - target), std::int64_t((target == 2 ? toThree : toTwo)[index]));
        const std::vector<Move> moves = Board::shortestMoves(posts);
        QCOMPARE(qsizetype(moves.size()), qsizetype(way.length));
        if (way.length == 0) {
            QCOMPARE(way.next.disk, 0);
            continue;
        }
        QCOMPARE(moves.front().disk, way.next.disk);
        QCOMPARE(moves.front().to, way.next.to);
        DiskPosts walked = posts;
        for (const Move &move : moves) {
            const std::vector<Move> legal = movesFrom(walked);
            QVERIFY(std::any_of(legal.begin(), legal.end(), [&](const Move &m) {
                return m.disk == move.disk && m.from == move.from && m.to == move.to;
            }));
            walked[move.disk - 1] = move.to;
            QCOMPARE(distance[indexOf(walked)], distance[index] - int(&move - moves.data()) - 1);
        }
    }
}

void ShortestWayTest::tenDisksAreWorkedOutInMicroseconds()
{
    const DiskPosts posts{3, 1, 2, 2, 1, 3, 3, 2, 1, 1};
    Way way;
    QBENCHMARK {
        way = Board::shortestWay(posts);
    }
    QCOMPARE(way.length, Board::movesToGo(posts, way.target));
    QVERIFY(way.length <= 1023);
}

TORAN_TEST_APPLESS_MAIN(ShortestWayTest)
#include "tst_shortestway.moc"
