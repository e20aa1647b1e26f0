#include "ProgramEnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace {
bool ending = false;

// An application filter sees the quit request before the application acts
// on it by closing every window.
class QuitWatcher : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit)
            ending = true;
        return false;
    }
};
} // namespace

namespace ProgramEnd {

void watch()
{
    static QPointer<QuitWatcher> watcher;
    if (!watcher && qApp) {
        watcher = new QuitWatcher;
        watcher->setParent(qApp);
        qApp->installEventFilter(watcher);
    }
}

bool isEnding() { return ending; }

void resetForTesting() { ending = false; }

} // namespace ProgramEnd
