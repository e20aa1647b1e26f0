#pragma once

// The electronic manual: a separate program beside the executable with its
// start page under Html/Toran2000. The game only looks both up and starts
// the program; it never waits for it or checks how it went.
namespace Manual {
bool isAvailable();
void start();   // does nothing when either file is missing
} // namespace Manual
