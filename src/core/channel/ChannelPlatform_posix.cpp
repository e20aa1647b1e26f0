#include "ChannelTransport.h"

#include <QDir>
#include <QStandardPaths>

namespace ChannelTransport {

const Transport &platformTransport() { return posixSockets(); }

QString platformBaseName(const QString &prefix, const QString &display)
{
    // Qt checks that the directory is the user's own with mode 0700; when
    // it is not, Qt falls back to one in /tmp that it checks the same way,
    // and gives none when that is someone else's.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return QString();
    return QDir(runtime).filePath(prefix + shortHash(display));
}

bool platformNamesArePrivate() { return true; }

std::unique_ptr<NameClaim> claimName(const QString &) { return std::make_unique<NameClaim>(); }

} // namespace ChannelTransport
