#pragma once

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
