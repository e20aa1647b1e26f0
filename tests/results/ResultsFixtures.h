#pragma once

#include "results/TableFile.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QVector>

// Tables laid down in a scratch application directory and read back
// straight from the file, past the cursor.
namespace ResultsFixtures {

inline const QString kTable = QStringLiteral("Data/Toran.dbf");
inline const QString kTemplate = QStringLiteral("Data/Zaloha/Toran.dbf");

inline ResultRecord rec(const QString &name, int moves, const QString &count,
                        const QDate &date = QDate(2026, 12, 1))
{
    ResultRecord r;
    r.name = name;
    r.moves = moves;
    r.count = count;
    r.date = date;
    return r;
}

inline void writeTable(const ScratchAppDir &app, const QVector<ResultRecord> &records,
                       const QString &relative = kTable)
{
    app.writeFile(relative, TableFile::build(records));
}

inline QVector<ResultRecord> readTable(const ScratchAppDir &app, const QString &relative = kTable)
{
    return TableFile::parse(app.readFile(relative), app.file(relative));
}

} // namespace ResultsFixtures

// Lets QCOMPARE print records.
inline char *toString(const ResultRecord &r)
{
    return qstrdup(QStringLiteral("{%1, %2, %3, %4%5}")
                       .arg(r.name).arg(r.moves).arg(r.count, r.date.toString(Qt::ISODate),
                                                        r.deleted ? QStringLiteral(", deleted") : QString())
                       .toUtf8().constData());
}
