#include "ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

namespace {
std::function<void(const QString &)> &sink()
{
    static std::function<void(const QString &)> s;
    return s;
}

// No window of the program may cover a box the player has to answer: the
// start-up's splash steps back (start-up ends after its box), and the box
// stands with the program's other always-on-top windows, above them.
void clearTheWayFor()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::SplashScreen)
            w->hide();
}
} // namespace

namespace ErrorReport {

void show(QWidget *parent, const QString &text)
{
    clearTheWayFor();
    if (sink()) {
        sink()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void setSinkForTesting(std::function<void(const QString &)> s) { sink() = std::move(s); }

} // namespace ErrorReport
