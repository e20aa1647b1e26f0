#pragma once

#include "Game.h"

#include <cstdint>
#include <vector>

// The shortest way from any legal position to a finished tower on post 2 or
// post 3, for the hint and the demonstration. A position gives each disk's
// post (1..3), index 0 being disk 1, the smallest; a lifted disk counts as
// standing on its post.
namespace Board {

using DiskPosts = std::vector<int>;

struct Way {
    int target = 3;          // the post the tower is finished on
    std::int64_t length = 0; // the moves still to go, at most 2^N - 1
    Move next;               // the first of them; disk 0 when the tower is finished
};

// The position of a game (a lifted disk on the post it came from).
DiskPosts positionOf(const Game &game);

// The moves still to go to a tower on `target` (1..3).
std::int64_t movesToGo(const DiskPosts &position, int target);

// The way on: to the nearer of posts 2 and 3, post 3 on a tie.
Way shortestWay(const DiskPosts &position);

// The whole sequence of moves of shortestWay().
std::vector<Move> shortestMoves(DiskPosts position);

} // namespace Board
