#pragma once

#include <QString>

class IniFile;

// The program's two settings files in the application directory, read and
// written on every access. Values are compared as exact texts by callers.
namespace Settings {

inline const QString kSection = QStringLiteral("Nastaveni");

IniFile gameFile();        // Toran2000.ini
IniFile assistantFile();   // KQ2000.ini

// Animace: 1 = opening and closing animation on. A missing key counts as on.
int animace();
void setAnimace(int value);

QString pomocnik();
void setPomocnik(const QString &value);

QString uvitani();
void setUvitani(const QString &value);

} // namespace Settings
