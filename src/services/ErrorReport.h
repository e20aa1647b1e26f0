#pragma once

#include "core/errors/AppError.h"

#include <QString>
#include <exception>
#include <functional>

class QWidget;

// The one place that reports errors: a message box titled with the
// application title and showing the error's text, which no window of the
// program covers. A handler runs its body through guard(); an error ends
// the body there and is reported.
namespace ErrorReport {

inline const QString kApplicationTitle = QStringLiteral("Toranská věž 2000");

void show(QWidget *parent, const QString &text);

// Tests record reports instead of opening message boxes; an empty function
// restores the message box.
void setSinkForTesting(std::function<void(const QString &)> sink);

template <typename Body>
bool guard(QWidget *parent, Body &&body)
{
    try {
        body();
        return true;
    } catch (const AppError &error) {
        show(parent, error.text());
    } catch (const std::exception &error) {
        show(parent, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace ErrorReport
