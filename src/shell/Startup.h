#pragma once

// The program's entry: the single-instance test, the splash with its
// progress, the windows created once in their order, and the message loop.
namespace Startup {
int run(int argc, char *argv[]);
}
