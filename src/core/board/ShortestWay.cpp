#include "ShortestWay.h"

namespace Board {

namespace {
// The disks are taken largest first. One already on the current target
// keeps it for the smaller ones; one that is not must move there once, over
// the smaller ones stacked on the third post, which costs 2^(k-1) moves
// (2^(k-1) - 1 to bring them back on top) and makes that third post their
// target. The last disk found off its target is the one that moves first.
Way wayTo(const DiskPosts &position, int target)
{
    Way way;
    way.target = target;
    int want = target;
    for (int k = int(position.size()); k >= 1; --k) {
        const int at = position[k - 1];
        if (at == want)
            continue;
        way.length += std::int64_t(1) << (k - 1);
        way.next = {k, at, want};
        want = 6 - at - want;
    }
    return way;
}
} // namespace

DiskPosts positionOf(const Game &game)
{
    DiskPosts posts(size_t(game.diskCount()));
    for (int k = 1; k <= game.diskCount(); ++k)
        posts[size_t(k - 1)] = game.postOf(k);
    return posts;
}

std::int64_t movesToGo(const DiskPosts &position, int target) { return wayTo(position, target).length; }

Way shortestWay(const DiskPosts &position)
{
    const Way toTwo = wayTo(position, 2);
    const Way toThree = wayTo(position, 3);
    return toTwo.length < toThree.length ? toTwo : toThree;
}

std::vector<Move> shortestMoves(DiskPosts position)
{
    // The target stays the same along the way: each move brings it one
    // nearer, and the other post at best as near.
    const int target = shortestWay(position).target;
    std::vector<Move> moves;
    for (Move next = wayTo(position, target).next; next.disk != 0; next = wayTo(position, target).next) {
        moves.push_back(next);
        position[next.disk - 1] = next.to;
    }
    return moves;
}

} // namespace Board
