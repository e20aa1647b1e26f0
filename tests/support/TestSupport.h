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
