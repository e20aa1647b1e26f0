#pragma once

#include <QString>

class ResultsTable;

// The result dialog's decision and its storing, as functions on the table,
// so that the dialog only enables its name box and calls store(). Today's
// date comes from Today::date(). Both throw AppError on a move count that is
// not a decimal number, on a disk count other than "3" .. "10", and on
// storage errors.
namespace Verdict {

constexpr int kResultsLimit = 10;   // results kept per disk count

// Whether a game of `moves` with `count` disks may enter the table: fewer
// than ten results stored, or better than one of them, or - all ten with
// exactly these moves - one of them made on an earlier date than today.
// Leaves the table filtered on the game's disk count.
bool qualifies(ResultsTable &table, const QString &count, const QString &moves);

// Stores a result for which qualifies() said yes: appended while fewer than
// ten are stored; else it replaces the worst one (the last in TAHY order),
// or, when all ten have these moves, the earliest-dated one (the first such
// in TAHY order). Decides again under the table's lock, so a result that no
// longer qualifies because another copy stored better ones meanwhile is not
// stored. Returns whether a record was written. Leaves the table filtered on
// the disk count and, after a store into a full disk count, ordered by TAHY.
bool store(ResultsTable &table, const QString &name, const QString &moves, const QString &count);

} // namespace Verdict
