#include "SystemSoundPlayer.h"

#include "OpenAlSoundPlayer.h"

std::unique_ptr<SoundPlayer> createSystemSoundPlayer() { return std::make_unique<OpenAlSoundPlayer>(); }
