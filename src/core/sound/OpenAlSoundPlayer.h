#pragma once

#include "SoundCue.h"

#include <memory>

class SoundQueue;

// Plays cues, decoded by libsndfile, on the PulseAudio server where one runs
// (PulseEngine.h: the server gets each cue whole, so a busy machine does not
// break it), otherwise through OpenAL Soft. The sound queue's thread loads
// the libraries and opens the device, so neither the start nor a handler
// waits for them, and the server or OpenAL's mixer plays on while the GUI
// thread runs an animation. A new cue stops the one still playing. Each file
// is decoded once and kept until it changes. No device, a device that goes
// away, or a file that is not a readable WAV: silence.
class OpenAlSoundPlayer : public SoundPlayer
{
public:
    OpenAlSoundPlayer();
    // Stops the sound, frees the device and unloads both libraries.
    ~OpenAlSoundPlayer() override;

    // Starts the sound thread, which opens the device at once. The first
    // cue starts it too, where this was not called before.
    void start() override;
    void play(const QString &fullPath) override;
    // Waits until the queue has served the latest cue and that cue's length,
    // with what the device and the sound server still hold of it, has
    // passed.
    void waitUntilHeard(int timeoutMs) override;

    // Waits (at most timeoutMs) until the queue's latest attempt to open
    // the device has ended; true while a device is open.
    bool waitForDevice(int timeoutMs);

private:
    std::unique_ptr<SoundQueue> m_queue;
};
