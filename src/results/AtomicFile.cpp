#include "AtomicFile.h"

#include "shell/AppError.h"

#include <QDir>
#include <QSaveFile>

namespace AtomicFile {

void replace(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes a temporary file in the same directory, flushes it to
    // disk and renames it over the target (MoveFileEx with replace on
    // Windows, rename(2) elsewhere). It never falls back to writing in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    const auto failed = [&](const QString &why) {
        return AppError(QStringLiteral("Tabulku výsledků \u201E%1\u201C nelze zapsat: %2.")
                            .arg(QDir::toNativeSeparators(path), why));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw failed(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw failed(why);
    }
    if (!file.commit())
        throw failed(file.errorString());
}

QString leftoverPattern(const QString &fileName)
{
    return fileName + QStringLiteral(".??????");
}

} // namespace AtomicFile
