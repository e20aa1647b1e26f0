#pragma once

#include "TableFile.h"
#include "core/files/Folder.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

// The cursor `Table1` over the results table "Data/Toran.dbf". Every read
// takes the file's current content from disk (another copy of the program
// may have written it) and keeps standing on the same record by its record
// number; every write holds the table's lock and replaces the file whole.
// All operations throw AppError on failure.
class ResultsTable : public QObject
{
    Q_OBJECT
public:
    enum class Order { ByName, ByMoves };   // "JMENO", "TAHY"

    explicit ResultsTable(QObject *parent = nullptr);
    ~ResultsTable() override;

    // Where the live table and its empty template are; set before Open.
    void setDatabaseDir(const QString &dir);
    QString databaseDir() const { return m_dir; }
    void setTemplateDir(const QString &dir);
    QString templateDir() const { return m_templateDir; }
    QString filePath() const;       // the live table, in whatever letter case it exists
    QString templatePath() const;
    // Why nothing may be written in the table's folder even where the system
    // would allow it ("" for none): reads go ahead, every write fails with it.
    void setWriteRefusal(const QString &why) { m_writeRefusal = why; }

    // A missing table is created empty (from the template, or from the
    // layout when the template is missing too); the cursor goes to the first
    // visible row. A table that cannot be read is left untouched. Where the
    // folder cannot be written (full, read-only, missing) the empty table is
    // read instead, and each write then says why it failed.
    void Open();
    void Close();
    bool isOpen() const { return m_open; }

    // Filter: "" or one of "HRA = '3'" .. "HRA = '10'"; order: "JMENO" or
    // "TAHY". Both survive Close/Open and clearing. Setting the filter moves
    // to the first visible row; setting the order keeps the current record.
    void setFiltered(bool filtered);
    bool Filtered() const { return m_filtered; }
    void setFilter(const QString &expression);
    QString Filter() const { return m_filterExpression; }
    void setIndexFieldNames(const QString &fields);
    QString IndexFieldNames() const;
    static QString filterFor(const QString &count);   // "5" -> "HRA = '5'"; "" when not 3..10

    // First: Bof, and Eof only when no row is visible. Next: Eof turns true
    // only on the Next that fails, which stays on the row. Last: on the last
    // visible row, Bof and Eof true only when no row is visible.
    void First();
    void Next();
    void Last();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }

    // The current row; 0, an empty text and an invalid date with no row.
    int MovesAsInteger();
    QString DateAsText();
    QDate currentDate();
    QString currentName();
    int recordNumber() const { return m_current; }   // position in the file, -1 for none

    // Texts as the result dialog has them: the name is cut to 100
    // characters, the moves are decimal text, the date a short date text.
    void AppendResult(const QString &name, const QString &moves, const QString &count,
                      const QString &dateText);
    void OverwriteCurrent(const QString &name, const QString &moves, const QString &count,
                          const QString &dateText);
    // With the TAHY order: the first visible row with these moves. Returns
    // false and stays put when there is none.
    bool SeekMoves(int moves);

    // Replaces the table by an empty one: the empty table is built first, and
    // the live one replaced in one step; the table is open afterwards. A
    // production index beside it (another dBASE program's "Toran.mdx") is
    // deleted, and the template's, where there is one, copied in its place.
    void replaceWithEmpty();

    // Reads the disk again now (the grids show what the last read found).
    void refresh();
    // The visible rows in order, as last read from disk: what the grids show.
    QVector<ResultRecord> shownRows() const { return m_shown; }

    // Holds the table's lock across several operations, so that what they
    // read stays true until what they write is on disk.
    class Locker
    {
    public:
        explicit Locker(ResultsTable &table);
        ~Locker();
        Locker(const Locker &) = delete;
        Locker &operator=(const Locker &) = delete;

    private:
        ResultsTable &m_table;
    };

    static QString dateToText(const QDate &date);    // the locale's short date format
    static QDate dateFromText(const QString &text);   // invalid when it is no date

signals:
    // The visible rows differ from what was shown before (content, filter,
    // order, a write, another copy's write, clearing).
    void rowsChanged();

private:
    void lock();
    void takeLock();
    void unlock();
    void requireOpen() const;
    std::shared_ptr<const Folder> folder() const;
    void ensureExists(const Folder &folder);
    void writeTable(const QByteArray &bytes);
    void replaceIndexWithTemplate();
    void reload();
    void readAfresh();
    void commit(int index, const ResultRecord &record);
    ResultRecord recordFrom(const QString &name, const QString &moves, const QString &count,
                            const QString &dateText) const;
    QByteArray emptyTableBytes() const;
    // What the order of the visible rows depends on.
    struct OrderKey
    {
        quint64 generation = 0;   // of m_records
        QString count;            // the filter in force, "" for none
        Order order = Order::ByName;
        bool operator==(const OrderKey &other) const
        {
            return generation == other.generation && count == other.count && order == other.order;
        }
    };
    OrderKey orderKey() const;
    const QVector<int> &visible() const;
    int positionOf(int record) const;   // in visible(), -1 when not visible
    bool before(int a, int b) const;
    void settle();
    void publish();

    QString m_dir;
    QString m_templateDir;
    bool m_open = false;
    bool m_filtered = false;
    QString m_filterExpression;
    QString m_filterCount;
    Order m_order = Order::ByName;

    QVector<ResultRecord> m_records;
    quint64 m_generation = 0;   // counts every change of m_records
    QByteArray m_loadedBytes;
    QByteArray m_loadedStamp;   // of the file m_loadedBytes was read from
    mutable QVector<int> m_visible;
    mutable QVector<int> m_positionOf;   // record number -> place in m_visible
    mutable std::optional<OrderKey> m_visibleKey;
    std::optional<OrderKey> m_publishedKey;
    bool m_publishedOpen = false;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    QVector<ResultRecord> m_shown;

    // While the lock is held, the folder it was taken in: what is read under
    // it and what is written stand in that one folder, whatever becomes of
    // its path meanwhile.
    std::shared_ptr<const Folder> m_folder;
    Folder::Lock m_lock;
    int m_lockDepth = 0;
    QString m_writeRefusal;
    QString m_unwritable;   // under the lock: why the folder cannot be written now
    bool m_freshUnderLock = false;
};
