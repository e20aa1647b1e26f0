#include "SoundCue.h"

#include "core/files/AppPath.h"
#include "core/files/FileLookup.h"

#include <QDir>

namespace {
SoundPlayer *g_player = nullptr;
}

void setSoundPlayer(SoundPlayer *player) { g_player = player; }
SoundPlayer *soundPlayer() { return g_player; }

QString PlaySoundCue(const QString &name)
{
    const QString found = lookUpFile(name, AppPath::soundDir());
    if (!found.isEmpty() && g_player)
        g_player->play(found);
    // Failing to return to the application directory is no reason to stop a
    // move half-way; the next lookup simply starts from wherever we are.
    QDir::setCurrent(AppPath::dir());
    return found;
}

void waitUntilSoundCueHeard(int timeoutMs)
{
    if (g_player)
        g_player->waitUntilHeard(timeoutMs);
}
