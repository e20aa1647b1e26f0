// libFuzzer target for the results table reader: any bytes either parse or
// give an AppError, never a crash, a hang or a sanitizer report; whatever
// parses also survives being written back in this program's layout.
#include "results/TableFile.h"
#include "shell/AppError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = QStringLiteral("fuzz/Toran.dbf");
    try {
        const QVector<ResultRecord> records = TableFile::parse(bytes, path);
        const QVector<ResultRecord> again = TableFile::parse(TableFile::build(records), path);
        if (again.size() != records.size())
            __builtin_trap();
    } catch (const AppError &) {
    }
    return 0;
}
