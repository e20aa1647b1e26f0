#pragma once

#include "core/errors/AppError.h"

#include <QString>
#include <QTemporaryDir>

// A scratch application directory: AppPath points at it (and the current
// directory is it) for the object's lifetime. withSounds() fills Zvuky with
// empty cue files so that lookups succeed.
class ScratchAppDir
{
public:
    ScratchAppDir();
    ~ScratchAppDir();

    QString path() const;                 // ends with '/'
    QString file(const QString &relative) const;
    void writeFile(const QString &relative, const QByteArray &contents) const;
    QByteArray readFile(const QString &relative) const;
    void withSounds() const;

private:
    QTemporaryDir m_dir;
    QString m_previousCurrent;
};

// A file's whole contents (empty where it cannot be read), and a file
// written whole with the folders it needs.
QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &contents);

// Plants what is no regular file where a file belongs: a "folder", a named
// "pipe", or a symbolic "link" to target (which need not be there).
// canPlant says whether the system has it: Windows has no pipe in a folder,
// and QFile::link makes a shortcut there.
bool canPlant(const QString &what);
bool plant(const QString &what, const QString &path, const QString &target = QString());

// The text of the AppError that f throws, or an empty text when none is.
template<typename F>
QString errorOf(F &&f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.text();
    }
    return QString();
}

// Runs a program (xdotool, xwininfo …) to its end, or for timeoutMs at
// most: what it wrote to its standard output.
QByteArray outputOf(const QString &program, const QStringList &arguments, int timeoutMs = 5000);

// A helper program built beside the suites (instance_peer, results_writer),
// found beside the running suite: under Wine the build tree's paths are
// no paths.
QString helperProgram(const QString &fileName);

// True for root on a Unix system, false everywhere else.
bool runsAsRoot();

// Runs programs as a second user ("nobody") through setpriv, for the tests
// of what one user's files and sockets may do to another's copy. Possible
// only as root; `reason` says why not otherwise.
class SecondUser
{
public:
    SecondUser();

    QString reason;   // empty when the second user is available

    QString command() const { return m_setpriv; }
    QStringList arguments(const QStringList &program) const;
    // Opens a folder of the temporary folder to the second user, with the
    // sticky bit of a shared folder if asked.
    bool share(const QString &dir, bool sticky = false) const;
    // A copy of the program where the second user may run it (the build
    // tree may lie in a folder closed to others); empty on failure.
    QString copyProgram(const QString &path) const;

private:
    QString m_setpriv;
    uint m_uid = 0;
    uint m_gid = 0;
    QTemporaryDir m_programs;
};
