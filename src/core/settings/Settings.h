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

// Rychlost: how fast a disk moves, 1 slow, 2 normal, 3 fast, 4 at once.
// A missing key or any other value reads as normal.
enum class Speed { Slow = 1, Normal = 2, Fast = 3, Instant = 4 };
Speed rychlost();
void setRychlost(Speed speed);

// The game on the board when the program was left, section Hra: Disky
// (3..10), Tahy (the moves) and Kuly (the post of disk 1, 2, ... as digits),
// and Pomoc "1" for a game played with help (written only then), read as
// texts; all empty when none is kept.
struct KeptGame {
    QString disky, tahy, kuly, pomoc;
};
KeptGame keptGame();
// Keeps the game in one write; an empty one removes the section.
void setKeptGame(const KeptGame &game);

QString pomocnik();
void setPomocnik(const QString &value);

QString uvitani();
void setUvitani(const QString &value);

} // namespace Settings
