#include "TestSupport.h"

#include "shell/AppPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScratchAppDir::ScratchAppDir()
    : m_previousCurrent(QDir::currentPath())
{
    AppPath::setDirForTesting(m_dir.path());
    QDir::setCurrent(m_dir.path());
}

ScratchAppDir::~ScratchAppDir()
{
    QDir::setCurrent(m_previousCurrent);
    AppPath::setDirForTesting(QString());
}

QString ScratchAppDir::path() const { return m_dir.path() + QLatin1Char('/'); }
QString ScratchAppDir::file(const QString &relative) const { return path() + relative; }

void ScratchAppDir::writeFile(const QString &relative, const QByteArray &contents) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(contents);
}

QByteArray ScratchAppDir::readFile(const QString &relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ScratchAppDir::withSounds() const
{
    for (const char *name : {"Zvednuti.wav", "Polozeni.wav", "Dopad.wav", "Dialog.wav", "Dotaz.wav",
                             "PomocnikStart.wav", "PomocnikKonec.wav", "Lista.wav"})
        writeFile(QStringLiteral("Zvuky/") + QLatin1String(name), "RIFF");
}
