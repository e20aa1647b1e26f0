#include "AtomicFile.h"

#include "Folder.h"
#include "core/errors/AppError.h"

#include <QCoreApplication>
#include <QDir>
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

} // namespace

namespace AtomicFile {

bool write(const Folder &folder, const QString &name, const QByteArray &bytes, QString *why)
{
    Folder::File file;
    QString unfinished;
    for (int attempt = 0; !file.isOpen(); ++attempt) {
        unfinished = leftoverPrefix(name) + randomPart();
        if (!folder.createNew(unfinished, &file, why)
            && (attempt + 1 == kNameAttempts || folder.entry(unfinished) == Folder::Entry::Missing))
            return false;
    }
    folder.copyPermissions(name, file);
    const QByteArray written = file.identity();
    if (!file.write(bytes, why) || !file.sync(why) || !file.close(why)
        || !folder.renameOver(unfinished, name, why)) {
        file.close(nullptr);
        folder.remove(unfinished);
        return false;
    }
    // In a folder others may write, the unfinished file may have been
    // swapped for theirs before the rename: what now stands at the name
    // must be what was written.
    if (folder.identity(name) != written) {
        if (why)
            *why = QCoreApplication::translate("ResultsTable", "zapsaný soubor byl mezitím nahrazen cizím");
        return false;
    }
    return folder.sync(why);
}

void replace(const Folder &folder, const QString &name, const QByteArray &bytes)
{
    QString why;
    if (!write(folder, name, bytes, &why))
        throw AppError(QCoreApplication::translate("ResultsTable", "Tabulku výsledků „%1“ nelze zapsat: %2.")
                           .arg(QDir::toNativeSeparators(folder.filePath(name)), why));
}

void replace(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    replace(Folder(info.path()), info.fileName(), bytes);
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
QStringList leftovers(const Folder &folder, const QString &fileName)
{
    QStringList found = folder.names();
    found.removeIf([&](const QString &name) {
        return !isLeftoverName(name, fileName) || folder.entry(name) != Folder::Entry::File;
    });
    return found;
}
} // namespace

void removeLeftovers(const Folder &folder, const QString &fileName)
{
    for (const QString &name : leftovers(folder, fileName))
        folder.remove(name);
}

bool hasLeftovers(const Folder &folder, const QString &fileName)
{
    return !leftovers(folder, fileName).isEmpty();
}

} // namespace AtomicFile
