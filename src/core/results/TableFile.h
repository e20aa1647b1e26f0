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
// replaced whole. A store changes one record and nothing else, so a table of
// another dBASE program keeps its fields, widths and values.
namespace TableFile {

constexpr int kNameWidth = 100;   // JMENO C 100
constexpr int kMovesWidth = 10;   // TAHY N 10.0: every move count exactly
constexpr int kCountWidth = 2;    // HRA C 2
constexpr int kDateWidth = 8;     // DATUM D 8
constexpr int kMaxMoves = 999999999;
constexpr int kMaxRecords = 100000;   // far beyond any real table; bounds memory

// The bytes of a table that its header describes, for a file of fileSize
// bytes: the header and the records, and the end mark after them where the
// file has one; never more than the file holds. The header is read first:
// its first kHeadBytes bytes give its length (headerLength, 0 for fewer
// bytes), and those bytes, or the whole file where it is shorter, describe
// the rest. Throws AppError naming `path` where the header is not one of a
// table the game can hold: more than kMaxRecords records, a record length
// other than its fields' widths, or a file larger than the most records of
// its length or than kMaxTableBytes.
constexpr int kHeadBytes = 32;
constexpr qint64 kMaxTableBytes = qint64(64) << 20;   // a full table of this layout holds 12 MB
int headerLength(const QByteArray &head);
qint64 describedSize(const QByteArray &header, qint64 fileSize, const QString &path);

// Decodes a table written by this program or by another dBASE writer
// (dBASE III/IV, FoxPro, Clipper; TAHY as N or F; with or without a code-page
// mark). Throws AppError naming `path` and what is wrong when the bytes are
// not a readable results table.
QVector<ResultRecord> parse(const QByteArray &bytes, const QString &path);

// One result written into a table as record number `index`; an index equal
// to the record count appends a record. The record's fields JMENO, TAHY, HRA
// and DATUM are written in the table's own widths and code page; its other
// fields, every other record and the header (but for the record count on an
// append) stay byte for byte as they were. `stored` is the result as the
// table now holds it (a name cut to the field or with "?").
struct StoredRecord
{
    QByteArray bytes;
    ResultRecord stored;
};
// Throws AppError naming `path` when the table cannot take the result that
// way (a field too narrow for the value, a field whose empty value is not
// blanks in a new record, a full table); nothing is changed then.
StoredRecord store(const QByteArray &bytes, int index, const ResultRecord &record, const QString &path);

// A complete table in this program's layout with the Central European
// code-page mark, names in Windows-1250. Throws AppError if shapelib fails.
QByteArray build(const QVector<ResultRecord> &records);

// The name as it is stored: its first 100 characters in Windows-1250, a
// character that code page lacks written as "?".
QByteArray encodeName(const QString &name);

} // namespace TableFile
