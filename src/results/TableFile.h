#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVector>

// One record of the results table, decoded. `deleted` marks a record that
// another dBASE tool flagged as deleted: it stays in the file (so record
// numbers never shift) but is never shown.
struct ResultRecord
{
    QString name;       // JMENO
    int moves = 0;      // TAHY
    QString count;      // HRA, "3" .. "10"
    QDate date;         // DATUM; invalid when the field is blank
    bool deleted = false;

    bool operator==(const ResultRecord &other) const
    {
        return name == other.name && moves == other.moves && count == other.count
            && date == other.date && deleted == other.deleted;
    }
};

// The bytes of the dBASE file "Toran.dbf", read and written through shapelib
// entirely in memory, so that the file on disk is only ever read whole and
// replaced whole.
namespace TableFile {

constexpr int kNameWidth = 100;   // JMENO C 100
constexpr int kMovesWidth = 10;   // TAHY N 10.0: every move count exactly
constexpr int kCountWidth = 2;    // HRA C 2
constexpr int kDateWidth = 8;     // DATUM D 8
constexpr int kMaxMoves = 999999999;
constexpr int kMaxRecords = 100000;   // far beyond any real table; bounds memory

// Decodes a table written by this program or by another dBASE writer
// (dBASE III/IV, FoxPro, Clipper; TAHY as N or F; with or without a code-page
// mark). Throws AppError naming `path` and what is wrong when the bytes are
// not a readable results table.
QVector<ResultRecord> parse(const QByteArray &bytes, const QString &path);

// A complete table in this program's layout with the Central European
// code-page mark, names in Windows-1250. Throws AppError if shapelib fails.
QByteArray build(const QVector<ResultRecord> &records);

// The name as it is stored: its first 100 characters in Windows-1250, a
// character that code page lacks written as "?".
QByteArray encodeName(const QString &name);

} // namespace TableFile
