#include "ResultsTable.h"

#include "core/errors/AppError.h"
#include "core/files/AppPath.h"
#include "core/files/AtomicFile.h"
#include "core/system/Today.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

const QString kTableName = QStringLiteral("Toran.dbf");
const QString kLockName = QStringLiteral("Toran.lock");
const QString kIndexName = QStringLiteral("Toran.mdx");
constexpr qint64 kMaxIndexBytes = 1 << 20;   // an index of 80 rows holds a few KiB
constexpr int kLockWaitMs = 5000;         // writers hold the lock for milliseconds
constexpr int kFirstCount = 3;

constexpr int kLastCount = 10;

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

// The table's file in the folder; its name is matched without regard to
// letter case ("TORAN.DBF" copied over from another system is the same
// table).
QString tableName(const Folder &folder) { return folder.findName(kTableName); }

// The table as its header describes it, nothing beyond; a null array where
// there is none. Only a regular file is read. Where `stamp` is given it
// gets the file's stamp, and a file whose stamp is `known` is not read
// again (a null array too).
QByteArray readTable(const Folder &folder, const QString &name, QByteArray *stamp = nullptr,
                     const QByteArray &known = QByteArray())
{
    const QString path = folder.filePath(name);
    Folder::File file;
    QString why;
    switch (folder.openForReading(name, &file, &why)) {
    case Folder::Opened::File:
        break;
    case Folder::Opened::Missing:
        return QByteArray();
    default:
        throw AppError(QCoreApplication::translate("ResultsTable", "Tabulku výsledků „%1“ nelze otevřít: %2.")
                           .arg(native(path), why));
    }
    if (stamp) {
        *stamp = file.stamp();
        if (!known.isEmpty() && *stamp == known)
            return QByteArray();
    }
    // The header first, then what it describes, into one buffer: a header
    // claiming far more than any table holds is refused before more is read.
    QByteArray bytes;
    const auto readUpTo = [&](qint64 size) { return file.read(size - bytes.size(), &bytes, &why); };
    if (!readUpTo(TableFile::kHeadBytes) || !readUpTo(qMax<qint64>(TableFile::headerLength(bytes), bytes.size()))
        || !readUpTo(qMax(TableFile::describedSize(bytes, file.size(), path), qint64(bytes.size()))))
        throw AppError(QCoreApplication::translate("ResultsTable", "Tabulku výsledků „%1“ nelze přečíst: %2.")
                           .arg(native(path), why));
    return bytes;
}

bool isCountText(const QString &count)
{
    for (int n = kFirstCount; n <= kLastCount; ++n)
        if (count == QString::number(n))
            return true;
    return false;
}

const QCollator &nameCollator()
{
    // The names are Czech; "Č" sorts after "C", not after "Z".
    static const QCollator collator(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    return collator;
}

} // namespace

ResultsTable::ResultsTable(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("Table1"));
}

ResultsTable::~ResultsTable() = default;

void ResultsTable::setDatabaseDir(const QString &dir) { m_dir = AppPath::withSeparator(dir); }
void ResultsTable::setTemplateDir(const QString &dir) { m_templateDir = AppPath::withSeparator(dir); }
QString ResultsTable::filePath() const { return m_dir + tableName(Folder(m_dir)); }
QString ResultsTable::templatePath() const { return m_templateDir + tableName(Folder(m_templateDir)); }

QString ResultsTable::filterFor(const QString &count)
{
    return isCountText(count) ? QStringLiteral("HRA = '%1'").arg(count) : QString();
}

QString ResultsTable::IndexFieldNames() const
{
    return m_order == Order::ByMoves ? QStringLiteral("TAHY") : QStringLiteral("JMENO");
}

namespace {
// The user's short date format; where the system has no regional setting
// (the "C" locale) a short numeric one, so that a date fits the viewer's
// narrow date column.
QString shortDateFormat(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QStringLiteral("d.M.yyyy");
    return locale.dateFormat(QLocale::ShortFormat);
}
} // namespace

QString ResultsTable::dateToText(const QDate &date)
{
    const QLocale locale = QLocale::system();
    return date.isValid() ? locale.toString(date, shortDateFormat(locale)) : QString();
}

QDate ResultsTable::dateFromText(const QString &text)
{
    const QLocale locale = QLocale::system();
    const QString format = shortDateFormat(locale);
    QDate date = locale.toDate(text.trimmed(), format);
    if (date.isValid() && !format.contains(QLatin1String("yyyy"))) {
        // A two-digit year is read as 19xx; take the century nearest today.
        const QDate today = Today::date();
        while (date.addYears(100).isValid()
               && qAbs(date.addYears(100).daysTo(today)) < qAbs(date.daysTo(today)))
            date = date.addYears(100);
    }
    if (!date.isValid())
        date = QDate::fromString(text.trimmed(), Qt::ISODate);
    return date;
}

void ResultsTable::Open()
{
    if (m_dir.isEmpty())
        throw AppError(tr("Tabulka výsledků nemá nastavenou složku."));
    // Opening a table that is there, with nothing beside it, neither a lock
    // nor a writer's unfinished file, only reads it; reads need no lock
    // where a rename is atomic for them. The lock file would otherwise be
    // written and synced to the disk at every start.
    const Folder before(m_dir);
    const QString name = tableName(before);
    std::optional<Locker> guard;
    if (Folder::readersBlockReplace() || before.entry(name) == Folder::Entry::Missing
        || before.entry(kLockName) != Folder::Entry::Missing || AtomicFile::hasLeftovers(before, name))
        guard.emplace(*this);
    ensureExists(*folder());
    // Unfinished files of a writer that was killed; with the lock held no
    // writer is at work now.
    if (m_lock.isHeld())
        AtomicFile::removeLeftovers(*m_folder, tableName(*m_folder));
    readAfresh();
}

void ResultsTable::Close()
{
    m_open = false;
    m_records.clear();
    ++m_generation;
    m_loadedBytes.clear();
    m_loadedStamp.clear();
    m_current = -1;
    m_bof = m_eof = true;
    publish();
}

void ResultsTable::setFiltered(bool filtered)
{
    m_filtered = filtered;
    if (m_open)
        First();
}

void ResultsTable::setFilter(const QString &expression)
{
    QString count;
    if (!expression.isEmpty()) {
        for (int n = kFirstCount; n <= kLastCount && count.isEmpty(); ++n)
            if (expression == filterFor(QString::number(n)))
                count = QString::number(n);
        if (count.isEmpty())
            throw AppError(tr("Neplatný filtr tabulky výsledků: „%1“.").arg(expression));
    }
    m_filterExpression = expression;
    m_filterCount = count;
    if (m_open)
        First();
}

void ResultsTable::setIndexFieldNames(const QString &fields)
{
    if (fields == QLatin1String("JMENO"))
        m_order = Order::ByName;
    else if (fields == QLatin1String("TAHY"))
        m_order = Order::ByMoves;
    else
        throw AppError(tr("Neplatné pořadí tabulky výsledků: „%1“.").arg(fields));
    if (m_open) {
        reload();
        publish();
    }
}

void ResultsTable::First()
{
    requireOpen();
    reload();
    const QVector<int> rows = visible();
    m_current = rows.isEmpty() ? -1 : rows.first();
    m_bof = true;
    m_eof = rows.isEmpty();
}

void ResultsTable::Next()
{
    requireOpen();
    reload();
    const QVector<int> &rows = visible();
    const int at = positionOf(m_current);
    m_bof = false;
    if (at >= 0 && at + 1 < rows.size()) {
        m_current = rows[at + 1];
        m_eof = false;
    } else {
        m_eof = true;
        m_bof = rows.isEmpty();
    }
}

void ResultsTable::Last()
{
    requireOpen();
    reload();
    const QVector<int> rows = visible();
    m_current = rows.isEmpty() ? -1 : rows.last();
    m_bof = m_eof = rows.isEmpty();
}

int ResultsTable::MovesAsInteger()
{
    requireOpen();
    reload();
    return m_current >= 0 ? m_records[m_current].moves : 0;
}

QString ResultsTable::DateAsText() { return dateToText(currentDate()); }

QDate ResultsTable::currentDate()
{
    requireOpen();
    reload();
    return m_current >= 0 ? m_records[m_current].date : QDate();
}

QString ResultsTable::currentName()
{
    requireOpen();
    reload();
    return m_current >= 0 ? m_records[m_current].name : QString();
}

void ResultsTable::AppendResult(const QString &name, const QString &moves, const QString &count,
                                const QString &dateText)
{
    requireOpen();
    const ResultRecord record = recordFrom(name, moves, count, dateText);
    Locker guard(*this);
    reload();
    commit(int(m_records.size()), record);
    m_current = int(m_records.size()) - 1;
    m_bof = m_eof = false;
    settle();
    publish();
}

void ResultsTable::OverwriteCurrent(const QString &name, const QString &moves,
                                    const QString &count, const QString &dateText)
{
    requireOpen();
    const ResultRecord record = recordFrom(name, moves, count, dateText);
    Locker guard(*this);
    reload();
    if (m_current < 0)
        throw AppError(tr("V tabulce výsledků není žádný záznam k přepsání."));
    commit(m_current, record);
    settle();
    publish();
}

bool ResultsTable::SeekMoves(int moves)
{
    requireOpen();
    reload();
    for (int row : visible()) {
        if (m_records[row].moves == moves) {
            m_current = row;
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

void ResultsTable::replaceWithEmpty()
{
    // Everything that can fail before the live table is touched happens first.
    const QByteArray empty = emptyTableBytes();
    Locker guard(*this);
    writeTable(empty);
    replaceIndexWithTemplate();
    readAfresh();
}

// The program keeps no index, but an index of the old records would tell
// another dBASE program of rows that are gone. Failures are ignored.
void ResultsTable::replaceIndexWithTemplate()
{
    const Folder &data = *m_folder;   // the table was just written there
    const QString stale = data.findName(kIndexName);
    if (data.entry(stale) == Folder::Entry::File)
        data.remove(stale);
    const Folder templates(m_templateDir);
    QByteArray index;
    QString why;
    if (templates.readSmallFile(templates.findName(kIndexName), kMaxIndexBytes, &index, &why) != Folder::Opened::File)
        return;
    try {
        AtomicFile::replace(data, kIndexName, index);
    } catch (const AppError &) {
    }
}

// The table read anew from the disk, the cursor on its first visible row;
// a table that cannot be read leaves the cursor closed.
void ResultsTable::readAfresh()
{
    m_loadedBytes.clear();
    m_loadedStamp.clear();
    m_freshUnderLock = false;
    m_records.clear();
    m_current = -1;
    m_open = true;
    try {
        reload();
    } catch (...) {
        Close();
        throw;
    }
    First();
}

void ResultsTable::refresh()
{
    if (m_open)
        reload();
}

ResultsTable::Locker::Locker(ResultsTable &table)
    : m_table(table)
{
    m_table.lock();
}

ResultsTable::Locker::~Locker() { m_table.unlock(); }

void ResultsTable::lock()
{
    if (m_lockDepth++ > 0)
        return;
    m_freshUnderLock = false;
    try {
        takeLock();
    } catch (...) {
        --m_lockDepth;
        m_folder.reset();
        throw;
    }
}

// A folder that cannot hold a lock file (read-only, full, over quota, past a
// file size limit, missing) cannot hold the table either: reading goes ahead
// without a lock, and a write says why the table cannot be written. Only a
// lock file that is there is another copy's.
void ResultsTable::takeLock()
{
    m_unwritable = m_writeRefusal;
    if (!m_unwritable.isEmpty())
        return;   // not even a lock file is written there
    // Made at the first write; a folder that could not be made before may
    // have room now.
    auto folder = std::make_shared<const Folder>(m_dir, Folder::Missing::Create);
    m_unwritable = folder->writeRefusal();
    if (!folder->isOpen() || !m_unwritable.isEmpty()) {
        if (m_unwritable.isEmpty())
            m_unwritable = tr("složku „%1“ nelze vytvořit").arg(native(m_dir));
        return;
    }
    m_folder = folder;
    const QString lockPath = m_dir + kLockName;
    const auto lockError = [&](const QString &why) {
        return AppError(tr("Tabulku výsledků „%1“ nelze zamknout: zámek „%2“ %3.")
                            .arg(native(filePath()), native(lockPath), why));
    };
    QString why;
    const Folder::Lock::Result result = folder->lock(kLockName, kLockWaitMs, &m_lock, &why);
    if (result == Folder::Lock::Result::Taken)
        return;
    if (result == Folder::Lock::Result::Held)
        throw AppError(tr("Tabulku výsledků „%1“ nelze zamknout: "
                          "používá ji jiná kopie programu.")
                           .arg(native(filePath())));
    // In an installation shared by several players a lock that another
    // player's copy holds cannot be cleared by this one.
    if (result == Folder::Lock::Result::HeldByAnother)
        throw lockError(tr("patří jinému uživateli a tato kopie jej nemůže uvolnit"));
    // A lock that cannot be taken at all (a folder where no file can be
    // written, something that is no file at the lock's name where the system
    // locks no folder) is no other copy at work: the game plays on and each
    // store says why it cannot be made, as in a read-only folder.
    m_unwritable = folder->whyNoFileCanBeWritten();
    if (m_unwritable.isEmpty())
        m_unwritable = tr("zámek „%1“ nelze vytvořit").arg(native(lockPath))
            + (why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why));
}

void ResultsTable::unlock()
{
    if (--m_lockDepth > 0)
        return;
    m_lock = Folder::Lock();
    m_folder.reset();
    m_freshUnderLock = false;
}

// While the lock is held, the folder it was taken in; otherwise the table's
// folder as it is now.
std::shared_ptr<const Folder> ResultsTable::folder() const
{
    return m_folder ? m_folder : std::make_shared<const Folder>(m_dir);
}

void ResultsTable::requireOpen() const
{
    if (!m_open)
        throw AppError(tr("Tabulka výsledků „%1“ není otevřená.")
                           .arg(native(m_dir + kTableName)));
}

// Where the new table cannot be written (no lock, no room), reads take the
// empty template in its place and the first store says why.
void ResultsTable::ensureExists(const Folder &folder)
{
    if (folder.entry(tableName(folder)) != Folder::Entry::Missing)
        return;
    const QByteArray empty = emptyTableBytes();
    if (!m_lock.isHeld() || !m_unwritable.isEmpty())
        return;
    try {
        AtomicFile::replace(*m_folder, kTableName, empty);
    } catch (const AppError &) {
        // Nothing is left behind; the store that fails the same way reports it.
    }
}

// Called under the lock: a folder the lock could not be taken in is not
// written either.
void ResultsTable::writeTable(const QByteArray &bytes)
{
    if (!m_unwritable.isEmpty() || !m_folder)
        throw AppError(tr("Tabulku výsledků „%1“ nelze zapsat: %2.")
                           .arg(native(filePath()), m_unwritable));
    AtomicFile::replace(*m_folder, tableName(*m_folder), bytes);
}

void ResultsTable::reload()
{
    // Under a held lock nobody else can write: one read serves all.
    if (m_lockDepth == 0 || !m_freshUnderLock) {
        std::shared_ptr<const Folder> here = folder();
        std::optional<Locker> guard;
        if (Folder::readersBlockReplace() || m_lockDepth > 0
            || here->entry(tableName(*here)) == Folder::Entry::Missing) {
            guard.emplace(*this);
            here = folder();
        }
        ensureExists(*here);
        const QString name = tableName(*here);
        // A file not written since the last read is not read again: a
        // large table would cost its whole size at every step of a walk.
        QByteArray stamp;
        QByteArray bytes = readTable(*here, name, &stamp, m_loadedBytes.isNull() ? QByteArray() : m_loadedStamp);
        if (stamp.isEmpty() || stamp != m_loadedStamp || m_loadedBytes.isNull()) {
            if (bytes.isNull())
                bytes = emptyTableBytes();
            if (m_loadedBytes.isNull() || bytes != m_loadedBytes) {
                m_records = TableFile::parse(bytes, here->filePath(name));
                m_loadedBytes = bytes;
                ++m_generation;
            }
            m_loadedStamp = stamp;
        }
        m_freshUnderLock = m_lockDepth > 0;
    }
    settle();
    publish();
}

// Writes one record into the content read under the lock; every other
// byte of the file stays as it was.
void ResultsTable::commit(int index, const ResultRecord &record)
{
    const TableFile::StoredRecord result = TableFile::store(m_loadedBytes, index, record, filePath());
    writeTable(result.bytes);
    // What the disk holds now (a name cut or with "?"), not what was asked.
    if (index == m_records.size())
        m_records.append(result.stored);
    else
        m_records[index] = result.stored;
    m_loadedBytes = result.bytes;
    m_loadedStamp.clear();   // the new file is read once more, to learn its stamp
    ++m_generation;
}

ResultRecord ResultsTable::recordFrom(const QString &name, const QString &moves,
                                      const QString &count, const QString &dateText) const
{
    ResultRecord record;
    record.name = name;
    bool ok = false;
    record.moves = moves.trimmed().toInt(&ok, 10);
    if (!ok || record.moves < 0 || record.moves > TableFile::kMaxMoves)
        throw AppError(tr("„%1“ není platný počet tahů.").arg(moves));
    if (!isCountText(count))
        throw AppError(tr("„%1“ není platný počet disků.").arg(count));
    record.count = count;
    record.date = dateFromText(dateText);
    if (!record.date.isValid())
        throw AppError(tr("„%1“ není platné datum.").arg(dateText));
    return record;
}

QByteArray ResultsTable::emptyTableBytes() const
{
    const Folder templates(m_templateDir);
    const QString name = tableName(templates);
    const QByteArray bytes = readTable(templates, name);
    if (bytes.isNull())
        return TableFile::build({});
    const QVector<ResultRecord> records = TableFile::parse(bytes, templates.filePath(name));
    if (std::any_of(records.begin(), records.end(), [](const ResultRecord &r) { return !r.deleted; }))
        throw AppError(tr("Šablona tabulky výsledků „%1“ není prázdná.")
                           .arg(native(templates.filePath(name))));
    return bytes;
}

ResultsTable::OrderKey ResultsTable::orderKey() const
{
    const bool filtering = m_filtered && !m_filterCount.isEmpty();
    return {m_generation, filtering ? m_filterCount : QString(), m_order};
}

// The visible rows in order, sorted once for each content of the file,
// filter and order: a walk over many rows must not sort them at every step.
const QVector<int> &ResultsTable::visible() const
{
    const OrderKey key = orderKey();
    if (m_visibleKey && *m_visibleKey == key)
        return m_visible;
    m_visible.clear();
    for (int i = 0; i < m_records.size(); ++i)
        if (!m_records[i].deleted && (key.count.isEmpty() || m_records[i].count == key.count))
            m_visible.append(i);
    if (m_order == Order::ByMoves) {
        std::stable_sort(m_visible.begin(), m_visible.end(),
                         [this](int a, int b) { return m_records[a].moves < m_records[b].moves; });
    } else {
        // A collation key per row, made once, compares much faster than
        // collating the two names at every comparison.
        std::vector<QCollatorSortKey> keys;
        keys.reserve(size_t(m_visible.size()));
        for (int row : std::as_const(m_visible))
            keys.push_back(nameCollator().sortKey(m_records[row].name));
        QVector<int> order(m_visible.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
        QVector<int> sorted;
        sorted.reserve(order.size());
        for (int at : std::as_const(order))
            sorted.append(m_visible[at]);
        m_visible = sorted;
    }
    m_positionOf.fill(-1, m_records.size());
    for (int at = 0; at < m_visible.size(); ++at)
        m_positionOf[m_visible[at]] = at;
    m_visibleKey = key;
    return m_visible;
}

int ResultsTable::positionOf(int record) const
{
    visible();
    return record >= 0 && record < m_positionOf.size() ? m_positionOf[record] : -1;
}

// The order of the cursor: by the key, equal keys in file order.
bool ResultsTable::before(int a, int b) const
{
    const ResultRecord &ra = m_records[a];
    const ResultRecord &rb = m_records[b];
    if (m_order == Order::ByMoves) {
        if (ra.moves != rb.moves)
            return ra.moves < rb.moves;
    } else {
        const int byName = nameCollator().compare(ra.name, rb.name);
        if (byName != 0)
            return byName < 0;
    }
    return a < b;
}

// After the content changed under the cursor: stay on the same record if it
// is still visible, else on the row that now takes its place.
void ResultsTable::settle()
{
    const QVector<int> &rows = visible();
    if (rows.isEmpty()) {
        m_current = -1;
        m_bof = m_eof = true;
        return;
    }
    if (positionOf(m_current) >= 0)
        return;
    if (m_current >= 0 && m_current < m_records.size()) {
        const auto next = std::find_if(rows.begin(), rows.end(),
                                       [this](int row) { return before(m_current, row); });
        m_current = next != rows.end() ? *next : rows.last();
        m_bof = m_eof = false;
        return;
    }
    m_current = rows.first();
    m_bof = true;
    m_eof = false;
}

void ResultsTable::publish()
{
    // The rows shown change only with the content, the filter or the order.
    const OrderKey key = m_open ? orderKey() : OrderKey{m_generation, QString(), m_order};
    if (m_publishedKey && *m_publishedKey == key && m_publishedOpen == m_open)
        return;
    m_publishedKey = key;
    m_publishedOpen = m_open;
    QVector<ResultRecord> shown;
    if (m_open) {
        const QVector<int> &rows = visible();
        shown.reserve(rows.size());
        for (int row : rows)
            shown.append(m_records[row]);
    }
    if (shown == m_shown)
        return;
    m_shown = shown;
    emit rowsChanged();
}
