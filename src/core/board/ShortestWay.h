#pragma once

#include <cstdint>
#include <vector>

// The shortest way from any legal position to a finished tower on post 2 or
// post 3, for the hint and the demonstration. A position gives each disk's
// post (1..3), index 0 being disk 1, the smallest; a lifted disk counts as
// standing on its post.
namespace Board {

using DiskPosts = std::vector<int>;

struct Move {
    int disk = 0;   // 1 = the smallest; 0: no move (the tower is finished)
    int from = 0;
    int to = 0;
};

struct Way {
    int target = 3;          // the post the tower is finished on
    std::int64_t length = 0; // the moves still to go, at most 2^N - 1
    Move next;               // the first of them
};

// The moves still to go to a tower on `target` (1..3).
std::int64_t movesToGo(const DiskPosts &position, int target);

// The way on: to the nearer of posts 2 and 3, post 3 on a tie.
Way shortestWay(const DiskPosts &position);

// The whole sequence of moves of shortestWay().
std::vector<Move> shortestMoves(DiskPosts position);

} // namespace Board
