#pragma once

#include <QString>

// Which page the manual opens: the path it was given (relative to the
// current directory, else to the manual's own folder, where the game's
// pages are), or the game's start page when it was given none. The pages
// are Czech; English ones stand beside them in a folder "en" with the same
// names, and are taken for an English player.
namespace ManualPages {

inline const QString kStartPage = QStringLiteral("Html/Toran2000/Index.htm");

// An absolute path, or empty when no such page exists.
QString resolve(const QString &given, const QString &appDir, const QString &language);

} // namespace ManualPages
