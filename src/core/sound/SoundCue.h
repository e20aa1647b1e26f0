#pragma once

#include <QString>

// What actually makes a sound. The program installs the system's player
// (SystemSoundPlayer.h); tests install a recording fake. Implementations
// never throw and never wait.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Readies the output where that takes time, beside the running game;
    // the first cue does it otherwise.
    virtual void start() {}
    // Starts playing the file at fullPath and returns at once; a sound still
    // playing is cut off.
    virtual void play(const QString &fullPath) = 0;
    // Waits until the cue played last has been heard to its end, at most
    // timeoutMs; returns at once when none plays or it cannot be played.
    // Only for a program's end: play itself never waits.
    virtual void waitUntilHeard(int /*timeoutMs*/) {}
};

// The player PlaySoundCue uses; null means silence. Not owned.
void setSoundPlayer(SoundPlayer *player);
SoundPlayer *soundPlayer();

// The shared sound cue: looks name up in the current directory, then in the
// sound directory "Zvuky", and plays what it finds by its full path. A missing
// file or folder, or a sound that cannot be played, is silence: it never
// raises an error or stops the caller. Afterwards the current directory is
// the application directory. Returns the path played, or an empty string.
QString PlaySoundCue(const QString &name);

// Lets the cue played last be heard to its end (SoundPlayer::waitUntilHeard)
// before the program ends.
void waitUntilSoundCueHeard(int timeoutMs);
