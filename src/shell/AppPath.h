#pragma once

#include <QString>

// The directory of the executable, ending with a separator. Every file the
// program reads or writes is found from here, never from the build tree.
namespace AppPath {

QString dir();
QString file(const QString &relative);   // dir() + relative
QString dataDir();                       // dir() + "Data/"
QString templateDir();                   // dir() + "Data/Zaloha/"
QString soundDir();                      // dir() + "Zvuky/"

// A directory path ending with a separator ("" stays "").
QString withSeparator(QString dir);

// Tests run against a scratch directory instead of the test binary's own.
void setDirForTesting(const QString &dir);

} // namespace AppPath
