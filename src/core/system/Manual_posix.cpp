#include "Manual.h"

#include <QProcess>

namespace Manual {

void launch(const QString &program, const QString &parameter, WId)
{
    QProcess::startDetached(program, {parameter});
}

} // namespace Manual
