#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage {

bool isAvailable(const char *name) { return QStringDecoder(name).isValid(); }
QString decode(const char *name, const QByteArray &bytes) { return QStringDecoder(name)(bytes); }
QByteArray encode(const char *name, const QString &text) { return QStringEncoder(name)(text); }

} // namespace CodePage
