#include "QtSoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString &fullPath)
{
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    // A new cue cuts off the one still playing.
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(fullPath));
    m_effect->play();
}
