#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the Central European code page of the names, without help
// from the platform's converters: Qt builds without ICU have none for it.
namespace Cp1250 {

// Undefined bytes decode to U+FFFD.
QString decode(const QByteArray &bytes);
// A character the code page lacks is written as '?'.
QByteArray encode(const QString &text);

} // namespace Cp1250
