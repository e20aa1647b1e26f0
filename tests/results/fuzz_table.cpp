// libFuzzer target for the results table reader and the store: any bytes
// either parse (and are read from the disk whole) or give an AppError, never a crash, a hang or a sanitizer
// report; whatever parses also survives being written back in this
// program's layout, and a result stored into it changes that one record
// (and the record count) and nothing else.
#include "core/results/TableFile.h"
#include "core/errors/AppError.h"

#include <cstddef>
#include <cstdint>

namespace {
void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void storeInto(const QByteArray &bytes, const QVector<ResultRecord> &records, int index, const QString &path)
{
    ResultRecord result;
    result.name = QStringLiteral("Nový hráč");
    result.moves = 31;
    result.count = QStringLiteral("5");
    result.date = QDate(2026, 12, 7);
    try {
        const TableFile::StoredRecord stored = TableFile::store(bytes, index, result, path);
        const QVector<ResultRecord> after = TableFile::parse(stored.bytes, path);
        const bool append = index == records.size();
        check(after.size() == records.size() + (append ? 1 : 0));
        check(after[index] == stored.stored);
        check(stored.stored.moves == 31 && stored.stored.count == result.count && stored.stored.date == result.date);
        for (int i = 0; i < records.size(); ++i)
            check(i == index || after[i] == records[i]);
        // Bytes: the header's first four and everything up to the record
        // stay, and after an overwritten record everything else too.
        const int header = uchar(bytes[8]) | (uchar(bytes[9]) << 8);
        const int length = uchar(bytes[10]) | (uchar(bytes[11]) << 8);
        const qint64 at = header + qint64(index) * length;
        check(stored.bytes.left(4) == bytes.left(4));
        check(stored.bytes.mid(8, at - 8) == bytes.mid(8, at - 8));
        if (!append)
            check(stored.bytes.size() == bytes.size() && stored.bytes.mid(at + length) == bytes.mid(at + length));
    } catch (const AppError &) {
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = QStringLiteral("fuzz/Toran.dbf");
    try {
        const QVector<ResultRecord> records = TableFile::parse(bytes, path);
        const QVector<ResultRecord> again = TableFile::parse(TableFile::build(records), path);
        check(again.size() == records.size());
        // What the reader takes from the disk holds the whole table.
        const qint64 described = TableFile::describedSize(bytes, bytes.size(), path);
        check(described <= bytes.size() && TableFile::parse(bytes.left(described), path).size() == records.size());
        storeInto(bytes, records, int(records.size()), path);
        if (!records.isEmpty())
            storeInto(bytes, records, int(records.size()) / 2, path);
    } catch (const AppError &) {
    }
    return 0;
}
