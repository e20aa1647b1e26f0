#include "KeyPlay.h"

#include "Hlavni.h"
#include "services/InputLock.h"
#include "services/Pacing.h"
#include "core/board/BoardRules.h"
#include "board/Plocha.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>

KeyPlay::KeyPlay(THlavniDialog *window)
    : QObject(window), m_window(window)
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

bool KeyPlay::belongsToWindow(QObject *watched) const
{
    return watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == m_window;
}

bool KeyPlay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && belongsToWindow(watched)) {
        noteStart(static_cast<QInputEvent *>(event)->timestamp());
        return false;
    }
    if (event->type() != QEvent::KeyPress || !belongsToWindow(watched))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const int post = postOfKey(key->key(), key->modifiers());
    BoardPanel *board = m_window->plocha();
    if (post == 0 || !m_window->isGameOn() || !board->isVisible())
        return false;
    if (key->isAutoRepeat() || !InputLock::isInputEnabled(m_window) || pressedDuringLastMove(key->timestamp()))
        return true;
    noteStart(key->timestamp());
    play(post);
    return true;
}

bool KeyPlay::pressedDuringLastMove(quint64 timestamp) const
{
    // Input that came while an animation ran is delivered only after it; its
    // time stamp tells that it was pressed meanwhile. Events without a time
    // stamp (sent by the program itself) are taken as pressed now.
    const qint64 lastStep = Pacing::lastStepTime();
    if (timestamp == 0 || m_startStamp == 0 || lastStep < m_startLocal)
        return false;
    return timestamp <= m_startStamp + quint64(lastStep - m_startLocal);
}

void KeyPlay::noteStart(quint64 timestamp)
{
    m_startStamp = timestamp;
    m_startLocal = QDeadlineTimer::current().deadline();
}

void KeyPlay::play(int post)
{
    BoardPanel *board = m_window->plocha();
    const Board::Disks disks = board->disks();
    if (Board::liftedDisk(disks) != 0) {
        m_window->postMouseUp(post);
        return;
    }
    if (const int k = Board::topDiskOn(disks, board->baseLeft(post)))
        m_window->diskMouseUp(k);
}
