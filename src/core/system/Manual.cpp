#include "Manual.h"

#include "core/files/AppPath.h"
#include "core/files/FileLookup.h"

#include <QDir>

namespace {
const QString kIndex = QStringLiteral("Index.htm");
const QString kPages = QStringLiteral("Html/Toran2000/");
} // namespace

namespace Manual {

bool isAvailable()
{
    return !lookUpFile(programName(), AppPath::dir()).isEmpty()
        && !lookUpFile(kIndex, AppPath::file(kPages)).isEmpty();
}

void start(WId owner)
{
    if (!isAvailable())
        return;
    // The page is given relative to the working directory the program
    // inherits, which is the application directory.
    launch(AppPath::file(programName()), QDir::toNativeSeparators(kPages + kIndex), owner);
}

} // namespace Manual
