#pragma once

#include "core/sound/SoundCue.h"

#include <QFileInfo>
#include <QStringList>

// Records the file name of every cue played, and installs itself as the
// program's player for its lifetime.
class RecordingSoundPlayer : public SoundPlayer
{
public:
    RecordingSoundPlayer() : m_previous(soundPlayer()) { setSoundPlayer(this); }
    ~RecordingSoundPlayer() override { setSoundPlayer(m_previous); }

    void play(const QString &fullPath) override
    {
        paths << fullPath;
        names << QFileInfo(fullPath).fileName();
    }
    void clear() { paths.clear(); names.clear(); }

    QStringList paths;
    QStringList names;

private:
    SoundPlayer *m_previous;
};
