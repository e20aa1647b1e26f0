#include "ErrorReport.h"

#include <QMessageBox>

namespace {
std::function<void(const QString &)> &sink()
{
    static std::function<void(const QString &)> s;
    return s;
}
} // namespace

namespace ErrorReport {

void show(QWidget *parent, const QString &text)
{
    if (sink()) {
        sink()(text);
        return;
    }
    QMessageBox::critical(parent, kApplicationTitle, text);
}

void setSinkForTesting(std::function<void(const QString &)> s) { sink() = std::move(s); }

} // namespace ErrorReport
