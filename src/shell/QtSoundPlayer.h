#pragma once

#include "SoundCue.h"

#include <memory>

class QSoundEffect;

// Plays cues through Qt Multimedia. The audio output is opened at the first
// cue, not at start-up; without a sound device the cues are silent.
class QtSoundPlayer : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const QString &fullPath) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};
