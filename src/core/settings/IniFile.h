#pragma once

#include <QList>
#include <QString>

#include <utility>

// A settings file of [sections] and key=value lines. Every call opens the
// file, reads or writes, and closes it again: nothing is cached, so another
// copy of the program sees a change at once.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }

    // No settings file of the game comes near this; a larger one is no
    // settings file.
    static constexpr qint64 kMaxBytes = 64 * 1024;

    // A missing or unreadable file reads as empty, and so does anything but
    // a regular file (a link, a pipe, a folder) and a file of more than
    // kMaxBytes.
    QString read(const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const;

    // Creates the file when missing. Holds the lock "<path>.lock" from the
    // read to the write, so that writes of other copies are not lost. Throws
    // AppError "Unable to write to <path>" when the file cannot be written,
    // the lock is not had within a second, the file that is there cannot be
    // read (it is kept then), or the folder leads into another user's.
    void write(const QString &section, const QString &key, const QString &value) const;
    // Puts the section as given in one write, every key of it at once; no
    // values remove it. Fails as write does.
    void writeSection(const QString &section, const QList<std::pair<QString, QString>> &values) const;

private:
    QString m_path;
};
