#include "InputLock.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
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

class InputFilter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
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
};

void ensureFilter()
{
    static InputFilter *filter = nullptr;
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
