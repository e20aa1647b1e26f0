#pragma once

class BoardPanel;

// The board as a screen reader meets it: a group of three posts, each a
// button that tells the post's disks and, pressed, acts as the post's key.
namespace BoardAccessible {

// Installs the interface for boards, once.
void install();

} // namespace BoardAccessible
