#include "AtomicFile.h"

#include "core/errors/AppError.h"
#include "core/files/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

namespace {

constexpr int kRandomDigits = 16;   // hexadecimal digits of the random part
constexpr int kNameAttempts = 8;

// ".Toran.dbf.toran-novy-<16 hex digits>"
QString leftoverPrefix(const QString &fileName)
{
    return QLatin1Char('.') + fileName + QStringLiteral(".toran-novy-");
}

QString randomPart()
{
    const quint64 value = QRandomGenerator::global()->generate64();
    return QStringLiteral("%1").arg(value, kRandomDigits, 16, QLatin1Char('0'));
}

// QSaveFile keeps a replaced file's permissions and writes through a
// symbolic link to the file it names; so does this.
QString realTarget(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.exists() ? info.symLinkTarget() : path;
}

} // namespace

namespace AtomicFile {

void replace(const QString &path, const QByteArray &bytes)
{
    const QString target = realTarget(path);
    const QFileInfo info(target);
    const QString dir = info.absolutePath();
    const auto failed = [&](const QString &why) {
        return AppError(QCoreApplication::translate("ResultsTable", "Tabulku výsledků „%1“ nelze zapsat: %2.")
                            .arg(QDir::toNativeSeparators(path), why));
    };

    QFile file;
    for (int attempt = 0; !file.isOpen(); ++attempt) {
        file.setFileName(dir + QLatin1Char('/') + leftoverPrefix(info.fileName()) + randomPart());
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)
            && (attempt + 1 == kNameAttempts || !file.exists()))
            throw failed(file.errorString());
    }
    QString why;
    const auto abandon = [&] {
        file.close();
        file.remove();
        return failed(why);
    };
    if (file.write(bytes) != bytes.size()) {
        why = file.errorString();
        throw abandon();
    }
    if (info.exists())
        file.setPermissions(info.permissions());
    if (!FileSystem::syncFile(file, &why))
        throw abandon();
    file.close();
    if (file.error() != QFileDevice::NoError) {
        why = file.errorString();
        throw abandon();
    }
    if (!FileSystem::renameOver(file.fileName(), target, &why))
        throw abandon();
    if (!FileSystem::syncDirectory(dir, &why))
        throw failed(why);
}

bool isLeftoverName(const QString &name, const QString &fileName)
{
    const QString prefix = leftoverPrefix(fileName);
    if (!name.startsWith(prefix, Qt::CaseSensitive) || name.size() != prefix.size() + kRandomDigits)
        return false;
    const auto isDigit = [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); };
    return std::all_of(name.cbegin() + prefix.size(), name.cend(), isDigit);
}

namespace {
// Every name is looked at: a name filter would be a wildcard matched through
// a regular expression, for a plain prefix.
QStringList leftovers(const QDir &folder, const QString &fileName)
{
    QStringList found = folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    found.removeIf([&](const QString &name) { return !isLeftoverName(name, fileName); });
    return found;
}
} // namespace

void removeLeftovers(const QString &dir, const QString &fileName)
{
    QDir folder(dir);
    for (const QString &name : leftovers(folder, fileName))
        folder.remove(name);
}

bool hasLeftovers(const QString &dir, const QString &fileName)
{
    return !leftovers(QDir(dir), fileName).isEmpty();
}

} // namespace AtomicFile
