#pragma once

#include "SoundCue.h"

#include <memory>

// The player the program installs: OpenAL Soft on POSIX systems
// (SystemSoundPlayer_posix.cpp), the system's own asynchronous call on
// Windows (SystemSoundPlayer_win.cpp).
std::unique_ptr<SoundPlayer> createSystemSoundPlayer();
