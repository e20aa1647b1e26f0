// Writes an empty results table (the record layout with no records) to the
// path given: the template "Data/Zaloha/Toran.dbf" and the first live table.
#include "core/files/AtomicFile.h"
#include "core/results/TableFile.h"
#include "core/errors/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: toran_mktable OUTPUT.dbf\n");
        return 2;
    }
    const QString path = args[1];
    try {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw AppError(QStringLiteral("cannot create the folder of %1").arg(path));
        AtomicFile::replace(path, TableFile::build({}));
    } catch (const AppError &error) {
        std::fprintf(stderr, "toran_mktable: %s\n", qPrintable(error.text()));
        return 1;
    }
    return 0;
}
