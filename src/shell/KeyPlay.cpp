#include "KeyPlay.h"

#include "services/InputLock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPlay::KeyPlay(QWidget *window, std::function<bool()> playing)
    : QObject(window), m_window(window), m_playing(std::move(playing))
{
    qApp->installEventFilter(this);
}

int KeyPlay::postOfKey(int key, Qt::KeyboardModifiers modifiers)
{
    // The digits of the main block and of the keypad; with Alt, Ctrl or
    // Meta held they belong to the menus and shortcuts.
    if (modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return 0;
    return key >= Qt::Key_1 && key <= Qt::Key_3 ? key - Qt::Key_0 : 0;
}

bool KeyPlay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const int post = postOfKey(key->key(), key->modifiers());
    if (post == 0 || !m_playing())
        return false;
    if (!key->isAutoRepeat() && InputLock::isInputEnabled(m_window))
        emit postKeyed(post);
    return true;
}
