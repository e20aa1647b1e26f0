#include "Folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

// What every platform does alike; the rest is in Folder_posix.cpp and
// Folder_win.cpp.

QString Folder::withSeparator(QString path)
{
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool Folder::isOpen() const { return m_handle != nullptr; }

QString Folder::writeRefusal() const
{
    if (!m_intoOthers)
        return QString();
    return QCoreApplication::translate("Folder", "složka „%1“ vede odkazem do složky jiného uživatele")
        .arg(QDir::toNativeSeparators(m_path));
}

QString Folder::findName(const QString &name) const
{
    if (entry(name) != Entry::Missing)
        return name;
    for (const QString &other : names())
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            return other;
    return name;
}

Folder::Opened Folder::readSmallFile(const QString &name, qint64 maxBytes, QByteArray *bytes, QString *why) const
{
    File file;
    const Opened opened = openForReading(name, &file, why);
    if (opened != Opened::File)
        return opened;
    if (file.size() > maxBytes) {
        *why = QCoreApplication::translate("Folder", "soubor je větší než %1 bajtů").arg(maxBytes);
        return Opened::NotAFile;
    }
    // One byte more than the size: a file that grew meanwhile shows.
    bytes->clear();
    if (!file.read(file.size() + 1, bytes, why))
        return Opened::Failed;
    if (bytes->size() > maxBytes) {
        bytes->clear();
        *why = QCoreApplication::translate("Folder", "soubor je větší než %1 bajtů").arg(maxBytes);
        return Opened::NotAFile;
    }
    return Opened::File;
}

QString Folder::whyNoFileCanBeWritten() const
{
    constexpr int kTrialBytes = 64;   // about what a lock file holds
    if (!isOpen())
        return m_error;
    const QString name =
        QStringLiteral(".toran-zkouska-%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    File trial;
    QString why;
    if (!createNew(name, &trial, &why))
        return why;
    // Written through to the system: a full disk or a size limit shows at
    // the write, not in a buffer.
    const bool written = trial.write(QByteArray(kTrialBytes, '\n'), &why);
    trial.close(nullptr);
    remove(name);
    return written ? QString() : why;
}

QByteArray Folder::lockFileContent()
{
    const QString program =
        QCoreApplication::instance() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : QString();
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + program.toUtf8() + '\n'
        + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n'
        + QSysInfo::bootUniqueId() + '\n';
}

bool Folder::File::isOpen() const { return m_handle != nullptr; }
bool Folder::Lock::isHeld() const { return m_state != nullptr; }
