#include "KeyPlay.h"

#include "services/DigitKey.h"
#include "services/InputLock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPlay::KeyPlay(QWidget *window, std::function<bool()> playing)
    : QObject(window), m_window(window), m_playing(std::move(playing))
{
    qApp->installEventFilter(this);
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
    // The window system repeats a held key as a release and a press of one
    // time stamp. Qt tells them only where the press has already arrived
    // when it reads the release; the stamps tell them always.
    return press->isAutoRepeat()
        || (press->timestamp() != 0 && press->key() == m_releasedKey && press->timestamp() == m_releasedStamp);
}

bool KeyPlay::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyRelease) {
        m_releasedKey = key->key();
        m_releasedStamp = key->timestamp();
        return false;
    }
    const int post = postForKey(*key);
    if (post == 0 || !m_playing())
        return false;
    if (!isRepeat(key) && InputLock::isInputEnabled(m_window))
        emit postKeyed(post);
    return true;
}
