#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The language the game speaks, chosen once at start from the player's
// languages. Czech is the program's own language: its texts are the
// sources of every translation, and it is spoken when none of the player's
// languages is one the game has.
namespace Language {

inline const QString kCzech = QStringLiteral("cs");

// The languages the game has, its own first.
QStringList available();

// The first of uiLanguages (BCP 47 or POSIX names, "en-US", "cs_CZ") whose
// language the game has; Czech when there is none. "C" and "POSIX" name no
// language.
QString choose(const QStringList &uiLanguages);

// The choice for the system's languages (QLocale::uiLanguages, which reads
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG).
QString fromSystem();

// What the start-up chose, for the few texts that Qt formats itself (the
// boss screen's calendar); Czech until then. The locale is the player's own
// where it speaks the language chosen.
QString current();
void setCurrent(const QString &language);
QLocale currentLocale();

} // namespace Language
