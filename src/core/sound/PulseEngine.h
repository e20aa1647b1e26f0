#pragma once

#include "SoundQueue.h"

#include <memory>

// Plays cues on a PulseAudio server (PipeWire's stands in for one too),
// whole: each cue is handed to the server at once, which mixes it on its
// own real-time thread. A busy machine may hold up this program's threads
// for a tenth of a second or more; the server still plays the cue without
// a break, and only its start can wait for that one hand-over. libpulse is
// loaded when the device is opened; without it, or without a server, open
// fails and the player falls back on OpenAL.
std::unique_ptr<SoundEngine> createPulseEngine();
