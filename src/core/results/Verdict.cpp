#include "Verdict.h"

#include "ResultsTable.h"
#include "core/errors/AppError.h"
#include "core/system/Today.h"

#include <QCoreApplication>
#include <QDate>
#include <QVector>

#include <algorithm>

namespace {

struct Stored
{
    int moves = 0;
    QDate date;
};

int movesFrom(const QString &text)
{
    bool ok = false;
    const int moves = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw AppError(QCoreApplication::translate("ResultsTable", "„%1“ není platný počet tahů.").arg(text));
    return moves;
}

void filterOn(ResultsTable &table, const QString &count)
{
    const QString filter = ResultsTable::filterFor(count);
    if (filter.isEmpty())
        throw AppError(QCoreApplication::translate("ResultsTable", "„%1“ není platný počet disků.").arg(count));
    table.setFiltered(true);
    table.setFilter(filter);
}

// The stored results of the filtered disk count in the cursor's order, each
// row read once, walking with First and Next until Eof.
QVector<Stored> walk(ResultsTable &table)
{
    QVector<Stored> rows;
    table.First();
    while (!table.Eof()) {
        rows.append({table.MovesAsInteger(), table.currentDate()});
        table.Next();
    }
    return rows;
}

// An invalid (blank) stored date counts as earlier than any day.
bool earlier(const QDate &stored, const QDate &than)
{
    return !stored.isValid() || stored < than;
}

bool olderThan(const QDate &a, const QDate &b)
{
    if (!a.isValid())
        return b.isValid();
    return b.isValid() && a < b;
}

bool decide(const QVector<Stored> &rows, int moves, const QDate &today)
{
    if (rows.size() < Verdict::kResultsLimit)
        return true;
    if (std::any_of(rows.begin(), rows.end(), [&](const Stored &s) { return moves < s.moves; }))
        return true;
    if (std::any_of(rows.begin(), rows.end(), [&](const Stored &s) { return moves > s.moves; }))
        return false;
    return std::any_of(rows.begin(), rows.end(),
                       [&](const Stored &s) { return earlier(s.date, today); });
}

} // namespace

namespace Verdict {

bool qualifies(ResultsTable &table, const QString &count, const QString &moves)
{
    const int m = movesFrom(moves);
    ResultsTable::Locker lock(table);
    filterOn(table, count);
    return decide(walk(table), m, Today::date());
}

bool store(ResultsTable &table, const QString &name, const QString &moves, const QString &count)
{
    const int m = movesFrom(moves);
    const QDate today = Today::date();
    const QString todayText = ResultsTable::dateToText(today);
    ResultsTable::Locker lock(table);
    filterOn(table, count);
    const QVector<Stored> rows = walk(table);
    if (!decide(rows, m, today))
        return false;
    if (rows.size() < kResultsLimit) {
        table.AppendResult(name, moves, count, todayText);
        return true;
    }

    table.setIndexFieldNames(QStringLiteral("TAHY"));
    table.Last();
    const int worst = table.MovesAsInteger();
    if (m < worst) {
        // Among several worst results the last one in TAHY order goes.
        table.OverwriteCurrent(name, moves, count, todayText);
        return true;
    }

    // All stored results have these moves: the earliest-dated one goes, the
    // first of equally early ones in TAHY order.
    const QVector<Stored> ordered = walk(table);
    int oldest = 0;
    for (int i = 1; i < ordered.size(); ++i)
        if (olderThan(ordered[i].date, ordered[oldest].date))
            oldest = i;
    table.First();
    for (int i = 0; i < oldest; ++i)
        table.Next();
    table.OverwriteCurrent(name, moves, count, todayText);
    return true;
}

} // namespace Verdict
