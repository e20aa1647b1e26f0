#pragma once

#include <QString>

// A settings file of [sections] and key=value lines. Every call opens the
// file, reads or writes, and closes it again: nothing is cached, so another
// copy of the program sees a change at once.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }

    // A missing or unreadable file reads as empty.
    QString read(const QString &section, const QString &key,
                 const QString &defaultValue = QString()) const;

    // Creates the file when missing. Holds the lock "<path>.lock" from the
    // read to the write, so that writes of other copies are not lost. Throws
    // AppError "Unable to write to <path>" when the file cannot be written or
    // the lock is not had within a second.
    void write(const QString &section, const QString &key, const QString &value) const;

private:
    QString m_path;
};
