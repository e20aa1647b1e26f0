// Seeds for the table reader's fuzz test: valid tables of this program's
// layout and truncated or altered copies of them.
#include "core/results/TableFile.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {
void write(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

ResultRecord record(const QString &name, int moves, const QString &count, const QDate &date)
{
    ResultRecord r;
    r.name = name;
    r.moves = moves;
    r.count = count;
    r.date = date;
    return r;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: results_fuzz_seeds SEEDDIR CORPUSDIR\n");
        return 2;
    }
    const QString seeds = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(seeds);
    QDir().mkpath(QString::fromLocal8Bit(argv[2]));

    const QByteArray empty = TableFile::build({});
    ResultRecord deleted = record(QStringLiteral("Smazaný"), 3, QStringLiteral("4"), QDate(2026, 1, 1));
    deleted.deleted = true;
    const QByteArray full = TableFile::build({
        record(QStringLiteral("Žluťoučký kůň"), 39, QStringLiteral("5"), QDate(2026, 12, 7)),
        record(QString(), 1023, QStringLiteral("10"), QDate(2026, 11, 8)),
        deleted,
        record(QStringLiteral("Eva"), 7, QStringLiteral("3"), QDate()),
    });
    write(seeds, QStringLiteral("empty.dbf"), empty);
    write(seeds, QStringLiteral("four.dbf"), full);
    write(seeds, QStringLiteral("header-only.dbf"), full.left(161));
    write(seeds, QStringLiteral("half-header.dbf"), full.left(80));
    write(seeds, QStringLiteral("half-records.dbf"), full.left(161 + 2 * 121 + 60));
    QByteArray floating = full;
    floating[32 * 2 + 11] = 'F';
    floating[32 * 2 + 17] = 2;
    write(seeds, QStringLiteral("tahy-f.dbf"), floating);
    QByteArray foxpro = full;
    foxpro[0] = char(0x30);
    write(seeds, QStringLiteral("foxpro.dbf"), foxpro);
    QByteArray inflated = empty;   // 32,000 records of 65,535 bytes claimed
    inflated.replace(4, 4, QByteArray::fromHex("007d0000")).replace(10, 2, "\xff\xff");
    write(seeds, QStringLiteral("inflated-record.dbf"), inflated);
    return 0;
}
