#pragma once

class BoardPanel;

// Picking a disk up and putting it on a post, with their sounds and their
// one-pixel-a-step animations. A refused action does nothing at all.
namespace Moves {

// Lifts disk k to the top of the board when no other disk is lifted and no
// smaller disk lies on it. Returns whether it was lifted (a move to count).
bool pickUp(BoardPanel &board, int k);

// Carries the lifted disk to the post and drops it there, unless a smaller
// disk stands on that post. Returns whether a disk was placed.
bool placeOnPost(BoardPanel &board, int post);

} // namespace Moves
