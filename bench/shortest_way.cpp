// How long the hint's and the demonstration's arithmetic takes for the
// largest game: the way on from every position of 10 disks met along one
// whole solution, averaged. bench/shortest_way [RUNS]
#include "core/board/ShortestWay.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 100;
    // A position off the shortest way: each disk on its own post.
    const Board::DiskPosts start{3, 1, 2, 2, 1, 3, 3, 2, 1, 1};
    const std::vector<Board::Move> moves = Board::shortestMoves(start);
    std::int64_t checksum = 0;
    QElapsedTimer timer;
    timer.start();
    for (int run = 0; run < runs; ++run) {
        Board::DiskPosts position = start;
        for (const Board::Move &move : moves) {
            checksum += Board::shortestWay(position).length;
            position[move.disk - 1] = move.to;
        }
    }
    const double perWay = double(timer.nsecsElapsed()) / (double(runs) * double(moves.size()));
    std::printf("10 disks: %zu moves to go; %.3f microseconds a way on (checksum %lld)\n", moves.size(),
                perWay / 1000.0, static_cast<long long>(checksum));
    return moves.size() == size_t(Board::shortestWay(start).length) ? 0 : 1;
}
