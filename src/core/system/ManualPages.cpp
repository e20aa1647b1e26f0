#include "ManualPages.h"

#include "core/files/FileLookup.h"
#include "core/system/Language.h"

#include <QDir>
#include <QFileInfo>

namespace ManualPages {

QString resolve(const QString &given, const QString &appDir, const QString &language)
{
    const QString page = QDir::fromNativeSeparators(given.isEmpty() ? kStartPage : given);
    const QString found = lookUpFile(page, appDir);
    if (found.isEmpty() || language == Language::kCzech)
        return found;
    const QFileInfo czech(found);
    const QString translated = czech.dir().filePath(language + QLatin1Char('/') + czech.fileName());
    return QFileInfo(translated).isFile() ? QFileInfo(translated).absoluteFilePath() : found;
}

} // namespace ManualPages
