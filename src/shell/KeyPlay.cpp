#include "KeyPlay.h"

#include "Platform.h"
#include "services/DigitKey.h"
#include "services/InputLock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPlay::KeyPlay(QWidget *window, std::function<bool()> playing)
    : QObject(window), m_window(window), m_playing(std::move(playing))
{
    qApp->installEventFilter(this);
    Platform::watchKeys();
}

int KeyPlay::postForKey(const QKeyEvent &key)
{
    // The digits of the main block and of the keypad; with Alt, Ctrl or
    // Meta held they belong to the menus and shortcuts.
    if (key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return 0;
    const int digit = DigitKey::digitOf(key);
    return digit >= 1 && digit <= 3 ? digit : 0;
}

bool KeyPlay::isRepeat(const QKeyEvent *press) const
{
    // Where the window system says it, its word holds.
    if (const int told = Platform::isSystemRepeat(press); told >= 0)
        return told == 1;
    // The window system repeats a held key as a release and a press of one
    // time stamp. Qt tells them only where the press has already arrived
    // when it reads the release; the stamps tell them always.
    if (!press->isAutoRepeat())
        return press->timestamp() != 0 && press->key() == m_releasedKey && press->timestamp() == m_releasedStamp;
    // Qt also calls a press a repeat while it misses the key's release, as
    // when the key went down in a balloon that closed on it and came up in
    // this window (Windows): a release of that physical key seen in any of
    // the program's windows tells it is a new stroke. A release that never
    // came (the window it went to was hidden) makes nothing a repeat.
    const auto stroke = m_strokes.constFind(press->nativeScanCode());
    return press->nativeScanCode() == 0 || stroke == m_strokes.cend() || stroke->down
        || (press->timestamp() != 0 && press->timestamp() == stroke->stamp);
}

bool KeyPlay::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || !watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const bool press = event->type() == QEvent::KeyPress;
    const bool repeat = press && isRepeat(key);
    if (static_cast<QWidget *>(watched)->window() != m_window) {
        noteStroke(key);
        return false;
    }
    noteStroke(key);
    if (!press) {
        m_releasedKey = key->key();
        m_releasedStamp = key->timestamp();
        return false;
    }
    const int post = postForKey(*key);
    if (post == 0 || !m_playing())
        return false;
    if (!repeat && InputLock::isInputEnabled(m_window))
        emit postKeyed(post);
    return true;
}

void KeyPlay::noteStroke(const QKeyEvent *key)
{
    // A window sees each event once, its parents again when it passes the
    // key on; Qt's own repeats (a release and a press) are no strokes.
    if (key->nativeScanCode() != 0 && !key->isAutoRepeat())
        m_strokes[key->nativeScanCode()] = {key->type() == QEvent::KeyPress, key->timestamp()};
}
