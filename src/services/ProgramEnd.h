#pragma once

// The program ends when the application is asked to quit: after the main
// window was closed, or when the session ends. The windows that Qt closes on
// the way out are not closed by the player, so their close handlers must not
// act as if they were (the assistant keeps "Pomocnik" as it stands).
namespace ProgramEnd {

// Starts watching for the application's quit; safe to call more than once.
void watch();
// Whether the application has been asked to quit.
bool isEnding();
// Tests run many windows in one process: forget an earlier quit.
void resetForTesting();

} // namespace ProgramEnd
