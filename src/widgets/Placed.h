#pragma once

#include <QRect>
#include <QString>

// A control just made, named, at its designed box and with its hint; the
// settings of its own kind follow at the caller.
template <typename Control>
Control *placed(Control *control, const QString &name, const QRect &geometry, const QString &hint = QString())
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    control->setStatusTip(hint);
    return control;
}
