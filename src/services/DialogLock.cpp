#include "DialogLock.h"

#include "InputLock.h"

#include <QEvent>
#include <QWidget>

DialogLock::DialogLock(QObject *parent)
    : QObject(parent)
{
}

void DialogLock::setLockedWindows(QWidget *main, QWidget *assistant)
{
    m_main = main;
    m_assistant = assistant;
}

void DialogLock::watch(QWidget *dialog) { dialog->installEventFilter(this); }

bool DialogLock::eventFilter(QObject *, QEvent *event)
{
    // Seen before the dialog's own show and hide steps.
    if (event->type() == QEvent::Show)
        setLocked(true);
    else if (event->type() == QEvent::Hide)
        setLocked(false);
    return false;
}

void DialogLock::setLocked(bool locked)
{
    InputLock::setInputEnabled(m_main, !locked);
    InputLock::setInputEnabled(m_assistant, !locked);
    // A closed dialog hands the keyboard back to the main window, so that
    // its keys (F1, F2, F3) work again at once.
    if (!locked && m_main && m_main->isVisible())
        m_main->activateWindow();
}
