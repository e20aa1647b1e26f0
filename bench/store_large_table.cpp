// How long the result dialog's work takes on a very large results table:
// opening it, deciding whether a result qualifies (the dialog's show step)
// and storing it (its confirm step), for tables of 100,000 rows.
//
//   store_large_table [ROWS] [RUNS] [MAX_MS]
//
// Prints one line per case with the fastest and the slowest of the runs.
// Fails where a result is not stored, and, given MAX_MS, where the fastest
// run of a step takes longer (the fastest, so that a loaded machine's
// pauses do not count).
#include "core/results/Data.h"
#include "core/results/ResultsTable.h"
#include "core/results/TableFile.h"
#include "core/results/Verdict.h"
#include "core/files/AppPath.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Case
{
    const char *name;
    std::function<QString(int row)> countOf;   // the disk count of each row
    QString count;                             // of the result stored
};

QByteArray table(int rows, const Case &c)
{
    QVector<ResultRecord> records;
    records.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        ResultRecord r;
        r.name = QStringLiteral("Hráč číslo %1").arg((i * 7919) % rows);
        r.moves = 100 + (i * 31) % 5000;
        r.count = c.countOf(i);
        r.date = QDate(2026, 1, 1).addDays(i % 300);
        records.append(r);
    }
    return TableFile::build(records);
}

qint64 timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const qint64 maxMs = argc > 3 ? std::atoll(argv[3]) : -1;
    int status = 0;
    const QList<Case> cases{
        {"every row of one count, overwrite the worst", [](int) { return QStringLiteral("5"); }, "5"},
        {"rows over all eight counts, overwrite the worst",
         [](int i) { return QString::number(3 + i % 8); }, "7"},
        {"one row short of the most, append a new count", [](int) { return QStringLiteral("3"); }, "4"},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        AppPath::setDirForTesting(dir.path());
        QDir().mkpath(dir.filePath(QStringLiteral("Data")));
        const int made = c.count == QLatin1String("4") ? rows - 1 : rows;
        const QByteArray bytes = table(made, c);
        qint64 open[2] = {-1, 0}, show[2] = {-1, 0}, store[2] = {-1, 0};
        const auto note = [](qint64 *range, qint64 ms) {
            range[0] = range[0] < 0 ? ms : std::min(range[0], ms);
            range[1] = std::max(range[1], ms);
        };
        bool stored = true;
        for (int run = 0; run < runs; ++run) {
            QFile file(dir.filePath(QStringLiteral("Data/Toran.dbf")));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return 1;
            file.close();
            TDataModule1 data;
            note(open, timed([&] { data.open(); }));
            note(show, timed([&] { stored = Verdict::qualifies(data.Table1(), c.count, QStringLiteral("99")); }));
            note(store, timed([&] {
                stored = stored && Verdict::store(data.Table1(), QStringLiteral("Nový"), QStringLiteral("99"), c.count);
            }));
        }
        std::printf("%d rows, %s: open %lld-%lld ms, show %lld-%lld ms, store %lld-%lld ms%s\n", made, c.name,
                    open[0], open[1], show[0], show[1], store[0], store[1], stored ? "" : " (NOT STORED)");
        const qint64 fastest = std::max({open[0], show[0], store[0]});
        if (!stored || (maxMs >= 0 && fastest > maxMs)) {
            std::fprintf(stderr, "%s: %s\n", c.name, stored ? "slower than the bound" : "the result was not stored");
            status = 1;
        }
        AppPath::setDirForTesting(QString());
    }
    return status;
}
