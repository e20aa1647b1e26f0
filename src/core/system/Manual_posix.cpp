#include "Manual.h"

#include <QProcess>

namespace Manual {

QString programName() { return QStringLiteral("ManualKQ2000"); }

void launch(const QString &program, const QString &parameter, WId)
{
    QProcess::startDetached(program, {parameter});
}

} // namespace Manual
