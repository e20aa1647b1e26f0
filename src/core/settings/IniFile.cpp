#include "IniFile.h"

#include "core/errors/AppError.h"
#include "core/files/AtomicFile.h"
#include "core/files/Folder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <functional>
#include <utility>

// Only the 8-bit interface is used, so no Unicode converter is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace {
constexpr int kLockWaitMs = 1000;   // a write holds the lock for milliseconds

// Keys and values are plain 8-bit text in the system code page, as the
// classic profile functions store them.
QByteArray bytes(const QString &text) { return text.toLocal8Bit(); }

// The folder and the name of the file at `path`.
std::pair<QString, QString> split(const QString &path)
{
    const QFileInfo info(path);
    return {info.path(), info.fileName()};
}

// The whole read-modify-write of a change, under the lock.
void change(const QString &path, const std::function<void(CSimpleIniA &)> &edit)
{
    const AppError unable(QCoreApplication::translate("IniFile", "Unable to write to %1").arg(path));
    const auto [dir, name] = split(path);
    const Folder folder(dir);
    if (!folder.isOpen() || folder.leadsIntoAnotherUsersFolder())
        throw unable;
    // Two copies writing different keys at once would each read the file,
    // change their key and write it back, losing the other's change: the
    // whole read-modify-write holds a lock beside the file.
    Folder::Lock lock;
    QString why;
    if (folder.lock(name + QStringLiteral(".lock"), kLockWaitMs, &lock, &why) != Folder::Lock::Result::Taken)
        throw unable;
    QByteArray data;
    const Folder::Opened there = folder.readSmallFile(name, IniFile::kMaxBytes, &data, &why);
    CSimpleIniA ini(false, false, false);
    ini.SetSpaces(false);   // key=value, as the profile functions write it
    if ((there != Folder::Opened::File && there != Folder::Opened::Missing)
        || ini.LoadData(data.constData(), size_t(data.size())) < 0)
        throw unable;
    edit(ini);

    std::string out;
    if (ini.Save(out) < 0)
        throw unable;
    // Written beside and then renamed over the old file, so a crash never
    // leaves half a settings file.
    if (!AtomicFile::write(folder, name, QByteArray::fromStdString(out), &why))
        throw unable;
}
} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

QString IniFile::read(const QString &section, const QString &key,
                      const QString &defaultValue) const
{
    const auto [dir, name] = split(m_path);
    QByteArray data;
    QString why;
    if (Folder(dir).readSmallFile(name, kMaxBytes, &data, &why) != Folder::Opened::File)
        return defaultValue;
    CSimpleIniA ini(/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false);
    if (ini.LoadData(data.constData(), size_t(data.size())) < 0)
        return defaultValue;
    const char *value = ini.GetValue(bytes(section).constData(), bytes(key).constData(), nullptr);
    return value ? QString::fromLocal8Bit(value) : defaultValue;
}

void IniFile::write(const QString &section, const QString &key, const QString &value) const
{
    change(m_path, [&](CSimpleIniA &ini) {
        ini.SetValue(bytes(section).constData(), bytes(key).constData(), bytes(value).constData());
    });
}

void IniFile::writeSection(const QString &section, const QList<std::pair<QString, QString>> &values) const
{
    change(m_path, [&](CSimpleIniA &ini) {
        ini.Delete(bytes(section).constData(), nullptr);
        for (const auto &[key, value] : values)
            ini.SetValue(bytes(section).constData(), bytes(key).constData(), bytes(value).constData());
    });
}

