#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Placement {

namespace {
QSize &fakeScreen()
{
    static QSize size;
    return size;
}
} // namespace

QSize screenSize()
{
    if (fakeScreen().isValid())
        return fakeScreen();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void setScreenSizeForTesting(QSize size) { fakeScreen() = size; }

QRect outerRect(const QWidget *window) { return window->frameGeometry(); }

void corner(QWidget *assistant, PlacementRules::Margins margins, bool reshow)
{
    const QPoint place = PlacementRules::cornerPosition(screenSize(), assistant->size(), margins);
    if (!reshow) {
        assistant->move(place);
        return;
    }
    assistant->hide();
    assistant->move(place);
    assistant->show();
}

bool applyRule(PlacementRules::DialogRow row, QWidget *assistant, QSize dialog)
{
    if (!PlacementRules::needsCorner(row, dialog, outerRect(assistant), assistant->size(), screenSize()))
        return false;
    corner(assistant, PlacementRules::cornerMargins(row));
    if (PlacementRules::raisesAfterMove(row))
        assistant->raise();
    return true;
}

void placeDialog(PlacementRules::DialogRow row, QWidget *dialog, const QWidget *assistant)
{
    dialog->move(PlacementRules::dialogPosition(row, outerRect(dialog).size(), outerRect(assistant)));
}

} // namespace Placement
