#pragma once

#include "core/results/TableFile.h"
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

// A table as another dBASE program may have written it, byte by byte: the
// fields in the order given, each record's values as raw texts (numbers
// right-aligned, everything else left-aligned), a leading '*' deleting one.
struct ForeignField
{
    QByteArray name;
    char type;
    int width;
    int decimals = 0;
};

inline QByteArray foreignTable(const QVector<ForeignField> &fields, const QVector<QVector<QByteArray>> &rows,
                               char version = char(0x83))
{
    int recordLength = 1;
    for (const ForeignField &f : fields)
        recordLength += f.width;
    const int headerLength = 32 + 32 * int(fields.size()) + 1;
    QByteArray bytes(32, '\0');
    const auto put16 = [&](int at, int value) {
        bytes[at] = char(value & 0xFF);
        bytes[at + 1] = char(value >> 8);
    };
    bytes[0] = version;
    bytes[1] = char(125);   // last update 2025-11-30
    bytes[2] = char(11);
    bytes[3] = char(30);
    put16(4, int(rows.size()));
    put16(8, headerLength);
    put16(10, recordLength);
    bytes[29] = char(0xC8);
    for (const ForeignField &f : fields) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, int(f.name.size()), f.name);
        descriptor[11] = f.type;
        descriptor[16] = char(f.width);
        descriptor[17] = char(f.decimals);
        bytes += descriptor;
    }
    bytes += char(0x0D);
    for (const QVector<QByteArray> &row : rows) {
        const bool deleted = !row.isEmpty() && row.first() == "*";
        bytes += deleted ? '*' : ' ';
        for (int i = 0; i < fields.size(); ++i) {
            const QByteArray value = row.value(i + (deleted ? 1 : 0));
            const bool numeric = fields[i].type == 'N' || fields[i].type == 'F';
            bytes += numeric ? value.rightJustified(fields[i].width, ' ', true)
                             : value.leftJustified(fields[i].width, ' ', true);
        }
    }
    bytes += char(0x1A);
    return bytes;
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
