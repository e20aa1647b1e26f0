#include "ChannelTransport.h"

#include <QDir>

namespace ChannelTransport {

const Transport &platformTransport() { return qtLocalSockets(); }

QString platformBaseName(const QString &prefix, const QString &display)
{
    // Named pipes have one namespace for the machine: keyed on the user too.
    return prefix + shortHash(QDir::homePath() + QLatin1Char('\n') + display);
}

bool platformNamesArePrivate() { return false; }

} // namespace ChannelTransport
