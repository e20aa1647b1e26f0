#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the current event handler and is shown to the player
// by the one error report (ErrorReport::guard). Carries the text to show.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}

    QString text() const { return m_text; }

private:
    QString m_text;
};
