#include "IniFile.h"

#include "core/errors/AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

// Only the 8-bit interface is used, so no Unicode converter is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace {
constexpr int kLockWaitMs = 1000;     // a write holds the lock for milliseconds
constexpr int kStaleLockMs = 10000;   // a dead holder on this machine is noticed at once anyway

// Keys and values are plain 8-bit text in the system code page, as the
// classic profile functions store them.
QByteArray bytes(const QString &text) { return text.toLocal8Bit(); }

SI_Error loadInto(CSimpleIniA &ini, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SI_FILE;
    const QByteArray data = file.readAll();
    return ini.LoadData(data.constData(), size_t(data.size()));
}
} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

QString IniFile::read(const QString &section, const QString &key,
                      const QString &defaultValue) const
{
    CSimpleIniA ini(/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false);
    if (loadInto(ini, m_path) < 0)
        return defaultValue;
    const char *value = ini.GetValue(bytes(section).constData(), bytes(key).constData(), nullptr);
    return value ? QString::fromLocal8Bit(value) : defaultValue;
}

void IniFile::write(const QString &section, const QString &key, const QString &value) const
{
    // Two copies writing different keys at once would each read the file,
    // change their key and write it back, losing the other's change: the
    // whole read-modify-write holds a lock beside the file.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        throw AppError(QCoreApplication::translate("IniFile", "Unable to write to %1").arg(m_path));
    CSimpleIniA ini(false, false, false);
    ini.SetSpaces(false);   // key=value, as the profile functions write it
    if (QFileInfo::exists(m_path) && loadInto(ini, m_path) < 0)
        throw AppError(QCoreApplication::translate("IniFile", "Unable to write to %1").arg(m_path));
    ini.SetValue(bytes(section).constData(), bytes(key).constData(), bytes(value).constData());

    std::string out;
    if (ini.Save(out) < 0)
        throw AppError(QCoreApplication::translate("IniFile", "Unable to write to %1").arg(m_path));
    // Written beside and then renamed over the old file, so a crash never
    // leaves half a settings file.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(out.data(), qint64(out.size())) != qint64(out.size())
        || !file.commit())
        throw AppError(QCoreApplication::translate("IniFile", "Unable to write to %1").arg(m_path));
}
