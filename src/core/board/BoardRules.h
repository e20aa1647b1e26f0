#pragma once

#include <array>

// The board's geometry: where a disk stands in the board panel for a post and
// a stack level, and what a drawn position shows (the game itself is
// Board::Game, Game.h).
namespace Board {

constexpr int kDisks = 10;
constexpr int kLiftedTop = 10;          // a disk at this top hangs above the posts
constexpr int kBaseLevelTop = 217;      // top of a disk resting on a base
constexpr int kLevelStep = 18;          // one stack level
constexpr int kPostBaseLefts[3] = {5, 195, 385};   // design lefts of P1..P3

struct Disk {
    int left = 0;
    int top = 0;
};
// Index 0 is D1 (the smallest), index 9 is D10.
using Disks = std::array<Disk, kDisks>;

constexpr int diskWidth(int k) { return 21 + 14 * k; }

// Slot: the left of disk k (1..10) standing on the post whose base has that left.
constexpr int slotLeft(int baseLeft, int k) { return baseLeft + 75 - 7 * k; }

// On a post: disk k stands on the post with that base.
bool isOnPost(const Disks &disks, int k, int baseLeft);

// Lifted: disk k hangs above the posts; the first lifted disk in D1..D10 order, or 0.
bool isLifted(const Disks &disks, int k);
int liftedDisk(const Disks &disks);

// Stack height and landing: the disks other than `except` standing on the post, and the top a disk put
// there lands at.
int countOnPost(const Disks &disks, int baseLeft, int except);
constexpr int levelTop(int level) { return kBaseLevelTop - kLevelStep * level; }
int landingTop(const Disks &disks, int baseLeft, int except);

} // namespace Board
