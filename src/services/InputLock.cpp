#include "InputLock.h"

#include "ProgramEnd.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {
const char kLockedProperty[] = "toranInputLocked";

bool locked(const QWidget *w)
{
    // A pop-up menu belongs to the window it was opened from.
    for (; w; w = w->window()->parentWidget()) {
        if (w->window()->property(kLockedProperty).toBool())
            return true;
        if (!(w->window()->windowType() == Qt::Popup))
            return false;
    }
    return false;
}

bool isDialogCandidate(const QWidget *w)
{
    switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
        return false;
    default:
        return w->isWindow() && w->isVisible() && !locked(w);
    }
}

class InputFilter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Close:
            // The window system's close request (the close button, Alt+F4)
            // is refused while a dialog is open; the program's own closes
            // and the session's end still close the window.
            if (event->spontaneous() && isLockedWindow(watched) && !ProgramEnd::isEnding()) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::WindowActivate:
            if (isLockedWindow(watched))
                handKeyboardToDialog();
            else if (watched->isWidgetType() && isDialogCandidate(static_cast<QWidget *>(watched)))
                m_lastActive = static_cast<QWidget *>(watched);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TabletPress:
        case QEvent::TouchBegin:
            if (watched->isWidgetType() && locked(static_cast<QWidget *>(watched)))
                return true;
            break;
        case QEvent::Shortcut:
            if (auto *action = qobject_cast<QAction *>(watched)) {
                if (action->parent() && action->parent()->isWidgetType()
                    && locked(static_cast<QWidget *>(action->parent())))
                    return true;
                for (QObject *o : action->associatedObjects())
                    if (o->isWidgetType() && locked(static_cast<QWidget *>(o)))
                        return true;
            } else if (watched->isWidgetType() && locked(static_cast<QWidget *>(watched))) {
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool isLockedWindow(QObject *o)
    {
        return o->isWidgetType() && static_cast<QWidget *>(o)->isWindow() && locked(static_cast<QWidget *>(o));
    }

    // A click on a locked window makes it the active one; the keyboard goes
    // back to the open dialog, so that its Esc and Enter keep working.
    void handKeyboardToDialog()
    {
        QWidget *dialog = m_lastActive && isDialogCandidate(m_lastActive) ? m_lastActive.data() : nullptr;
        if (!dialog) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget *w : windows)
                if (isDialogCandidate(w))
                    dialog = w;
        }
        if (!dialog)
            return;
        QPointer<QWidget> target(dialog);
        QMetaObject::invokeMethod(
            dialog,
            [target] {
                if (target && isDialogCandidate(target)) {
                    target->raise();
                    target->activateWindow();
                }
            },
            Qt::QueuedConnection);
    }

    QPointer<QWidget> m_lastActive;
};

void ensureFilter()
{
    static QPointer<InputFilter> filter;
    ProgramEnd::watch();
    if (!filter && qApp) {
        filter = new InputFilter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}
} // namespace

namespace InputLock {

void setInputEnabled(QWidget *window, bool enabled)
{
    if (!window)
        return;
    ensureFilter();
    window->window()->setProperty(kLockedProperty, !enabled);
}

bool isInputEnabled(const QWidget *window)
{
    return !locked(window);
}

} // namespace InputLock
