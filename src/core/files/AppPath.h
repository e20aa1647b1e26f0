#pragma once

#include <QString>

// The directory of the executable, ending with a separator. Every file the
// program only reads (sounds, the empty table, the manual) is found from
// here, never from the build tree.
//
// The files the game writes (the settings files, the results table and its
// lock) live in writableDir(): the program's directory itself when the player
// can write to it (a portable copy), otherwise the player's own data folder
// (an installation for every user, under /usr or /opt). An installation for
// every user (kSharedInstallMarker beside the program) always uses the
// player's data folder, even for a player who could write beside the
// program (root, an administrator).
namespace AppPath {

// The file that the Debian package and the Windows installer lay beside the
// program.
inline const QString kSharedInstallMarker = QStringLiteral("Toran2000.shared");

QString dir();
// The executable's folder as the system names it, whatever the bytes of its
// name (dir() but for tests).
QString programDir();
QString file(const QString &relative);   // dir() + relative
QString templateDir();                   // dir() + "Data/Zaloha/"
QString soundDir();                      // dir() + "Zvuky/"

// The player's own data folder of the game: on Linux under $XDG_DATA_HOME,
// or ~/.local/share where that is not set or not an absolute path (as the
// XDG base directory rule has it), the home being $HOME where that is an
// absolute path and the user's home of the system's user database
// otherwise; on Windows under %APPDATA%.
QString playerDataDir();
// The player's cache folder, by the same rule: $XDG_CACHE_HOME or ~/.cache
// on Linux, the system's on Windows.
QString playerCacheDir();
QString writableDir();
QString writableFile(const QString &relative);   // writableDir() + relative
QString dataDir();                               // writableDir() + "Data/"
bool isPortable();                               // writableDir() == dir()

// At start: creates the player's data folder where the program's own folder
// is not writable (opening the table then makes it from the template).
// Where it cannot be made the game still starts: it reads the installed
// empty table, and each write then fails with its own error.
void prepareWritableDir();

// Why nothing may be written in dataDir() even where the system would
// allow it, or an empty text: the folder, or one on the way to it, leads
// through a symbolic link into another user's folder.
QString writeRefusal();

// A directory path ending with a separator ("" stays "").
QString withSeparator(QString dir);

// Tests run against a scratch directory instead of the test binary's own.
void setDirForTesting(const QString &dir);

} // namespace AppPath
