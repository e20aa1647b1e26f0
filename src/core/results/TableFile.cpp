#include "TableFile.h"

#include "CodePage.h"
#include "Cp1250.h"
#include "core/errors/AppError.h"

#include <QCoreApplication>
#include <QDir>

#include <shapefil.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// --- shapelib on a byte array --------------------------------------------
// shapelib reads and writes through hooks; these make it work on one
// in-memory file, so the disk file is read in one go and written in one go.

struct MemFile
{
    QByteArray data;
    qint64 pos = 0;
};

thread_local MemFile *t_file = nullptr;
thread_local QByteArray t_lastError;
constexpr char kMemName[] = "table.dbf";

MemFile *memOf(SAFile file) { return reinterpret_cast<MemFile *>(file); }

SAFile memOpen(const char *name, const char *access)
{
    // shapelib also looks for a ".cpg" sidecar: there is none.
    const size_t len = std::strlen(name);
    if (!t_file || len < 4 || qstricmp(name + len - 4, ".dbf") != 0)
        return nullptr;
    if (access[0] == 'w')
        t_file->data.clear();
    t_file->pos = 0;
    return reinterpret_cast<SAFile>(t_file);
}

SAOffset memRead(void *p, SAOffset size, SAOffset nmemb, SAFile file)
{
    MemFile *f = memOf(file);
    if (size == 0 || f->pos >= f->data.size())
        return 0;
    const SAOffset available = SAOffset(f->data.size() - f->pos) / size;
    const SAOffset items = std::min(nmemb, available);
    std::memcpy(p, f->data.constData() + f->pos, items * size);
    f->pos += qint64(items * size);
    return items;
}

SAOffset memWrite(void *p, SAOffset size, SAOffset nmemb, SAFile file)
{
    MemFile *f = memOf(file);
    const qint64 bytes = qint64(size * nmemb);
    if (bytes <= 0)
        return 0;
    if (f->pos + bytes > std::numeric_limits<int>::max())
        return 0;
    if (f->data.size() < f->pos + bytes)
        f->data.resize(f->pos + bytes);
    std::memcpy(f->data.data() + f->pos, p, size_t(bytes));
    f->pos += bytes;
    return nmemb;
}

SAOffset memSeek(SAFile file, SAOffset offset, int whence)
{
    MemFile *f = memOf(file);
    qint64 base = 0;
    if (whence == SEEK_CUR)
        base = f->pos;
    else if (whence == SEEK_END)
        base = f->data.size();
    const qint64 target = base + qint64(offset);
    if (offset > SAOffset(std::numeric_limits<int>::max()) || target < 0
        || target > std::numeric_limits<int>::max())
        return SAOffset(-1);
    f->pos = target;
    return 0;
}

SAOffset memTell(SAFile file) { return SAOffset(memOf(file)->pos); }
int memFlush(SAFile) { return 0; }
int memClose(SAFile) { return 0; }
int memRemove(const char *) { return 0; }
void memError(const char *message) { t_lastError = message; }

double memAtof(const char *text)
{
    bool ok = false;
    const double value = QByteArray(text).trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

SAHooks memoryHooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = memOpen;
    hooks.FRead = memRead;
    hooks.FWrite = memWrite;
    hooks.FSeek = memSeek;
    hooks.FTell = memTell;
    hooks.FFlush = memFlush;
    hooks.FClose = memClose;
    hooks.Remove = memRemove;
    hooks.Error = memError;
    hooks.Atof = memAtof;
    return hooks;
}

// Points shapelib's hooks at one memory file for the scope of a call.
class MemScope
{
public:
    explicit MemScope(MemFile *file) : m_previous(t_file)
    {
        t_file = file;
        t_lastError.clear();
    }
    ~MemScope() { t_file = m_previous; }
    MemScope(const MemScope &) = delete;
    MemScope &operator=(const MemScope &) = delete;

private:
    MemFile *m_previous;
};

struct DbfCloser
{
    DBFHandle handle = nullptr;
    ~DbfCloser()
    {
        if (handle)
            DBFClose(handle);
    }
};

// --- the header, checked before shapelib sees it -------------------------

constexpr int kFileHeaderSize = 32;
constexpr int kFieldDescriptorSize = 32;
constexpr char kHeaderTerminator = 0x0D;
constexpr char kDeletedFlag = '*';
constexpr int kMaxNumericWidth = 32;

[[noreturn]] void fail(const QString &path, const QString &what)
{
    throw AppError(QCoreApplication::translate("ResultsTable", "Tabulku výsledků „%1“ nelze přečíst: %2.")
                       .arg(QDir::toNativeSeparators(path), what));
}

quint16 u16(const QByteArray &b, int at)
{
    return quint16(uchar(b[at]) | (uchar(b[at + 1]) << 8));
}

quint32 u32(const QByteArray &b, int at)
{
    return quint32(uchar(b[at])) | (quint32(uchar(b[at + 1])) << 8)
        | (quint32(uchar(b[at + 2])) << 16) | (quint32(uchar(b[at + 3])) << 24);
}

bool knownVersion(uchar version)
{
    // dBASE III/IV (with or without memo, SQL tables), FoxBase, FoxPro, Visual FoxPro.
    switch (version) {
    case 0x02: case 0x03: case 0x04: case 0x05: case 0x30: case 0x31: case 0x32:
    case 0x43: case 0x63: case 0x83: case 0x8B: case 0xCB: case 0xE5: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

struct Field
{
    QByteArray name;
    char type = 0;
    int width = 0;
    int decimals = 0;
    int offset = 0;   // within a record, after the deletion flag
};

struct Layout
{
    int headerLength = 0;
    int recordLength = 0;
    int records = 0;
    uchar languageDriver = 0;
    QVector<Field> fields;
};

// Mirrors how shapelib walks the header (descriptors of 32 bytes up to the
// terminator, widths from byte 16, offsets summed up), so that every value
// shapelib will use has been checked. `header` holds at least the header's
// bytes; the records after it are not looked at.
Layout checkHeader(const QByteArray &header, const QString &path)
{
    if (header.size() < kFileHeaderSize + 1)
        fail(path, QCoreApplication::translate("ResultsTable", "soubor je příliš krátký na tabulku dBASE"));
    const uchar version = uchar(header[0]);
    if (!knownVersion(version))
        fail(path, QCoreApplication::translate("ResultsTable", "soubor není tabulka dBASE (typ souboru 0x%1)")
                       .arg(version, 2, 16, QLatin1Char('0')));
    Layout layout;
    layout.headerLength = u16(header, 8);
    layout.recordLength = u16(header, 10);
    layout.languageDriver = uchar(header[29]);
    const quint32 records = u32(header, 4);
    if (layout.headerLength < kFileHeaderSize + kFieldDescriptorSize
        || layout.headerLength > header.size())
        fail(path, QCoreApplication::translate("ResultsTable", "hlavička tabulky je poškozená"));

    int offset = 1;
    for (int at = kFileHeaderSize; at + kFieldDescriptorSize <= layout.headerLength;
         at += kFieldDescriptorSize) {
        if (header[at] == kHeaderTerminator)
            break;
        Field field;
        field.name = QByteArray(header.constData() + at, 11);
        field.name.truncate(int(qstrnlen(field.name.constData(), 11)));
        field.name = field.name.trimmed().toUpper();
        field.type = header[at + 11];
        field.width = uchar(header[at + 16]);
        field.decimals = uchar(header[at + 17]);
        field.offset = offset;
        const bool numeric = field.type == 'N' || field.type == 'F';
        if (field.width == 0 || (numeric && field.width > kMaxNumericWidth)
            || (field.type == 'D' && field.width != TableFile::kDateWidth))
            fail(path, QCoreApplication::translate("ResultsTable", "pole %1 má neplatnou šířku %2")
                           .arg(QString::fromLatin1(field.name)).arg(field.width));
        offset += field.width;
        layout.fields.append(field);
    }
    if (layout.fields.isEmpty())
        fail(path, QCoreApplication::translate("ResultsTable", "tabulka nemá žádná pole"));
    // Every dBASE writer makes a record exactly as long as its fields: a
    // header claiming more would have every record read ever so long.
    if (offset > layout.recordLength)
        fail(path, QCoreApplication::translate("ResultsTable", "délka záznamu v hlavičce (%1) nestačí polím (%2)")
                       .arg(layout.recordLength).arg(offset));
    if (offset < layout.recordLength)
        fail(path, QCoreApplication::translate("ResultsTable", "délka záznamu v hlavičce (%1) neodpovídá polím (%2)")
                       .arg(layout.recordLength).arg(offset));
    if (records > quint32(TableFile::kMaxRecords))
        fail(path, QCoreApplication::translate("ResultsTable", "hlavička uvádí nesmyslný počet záznamů (%1)")
                       .arg(records));
    layout.records = int(records);
    return layout;
}

// The header and the records that it claims, all in `bytes`.
Layout checkLayout(const QByteArray &bytes, const QString &path)
{
    const Layout layout = checkHeader(bytes, path);
    const qint64 available = (bytes.size() - layout.headerLength) / layout.recordLength;
    if (available < layout.records)
        fail(path, QCoreApplication::translate("ResultsTable", "soubor je zkrácený: hlavička uvádí %1 záznamů, "
                                  "soubor jich obsahuje jen %2")
                       .arg(layout.records).arg(available));
    return layout;
}

QString typeList(const char *types)
{
    if (!*types)
        return QString();
    QString names = QString(QLatin1Char(*types));
    for (const char *t = types + 1; *t; ++t)
        names = QCoreApplication::translate("ResultsTable", "%1 nebo %2").arg(names, QString(QLatin1Char(*t)));
    return names;
}

const Field &requireField(const Layout &layout, const char *name, const char *types,
                          const QString &path)
{
    for (const Field &field : layout.fields) {
        if (field.name != name)
            continue;
        if (field.type == 0 || !std::strchr(types, field.type))
            fail(path, QCoreApplication::translate("ResultsTable", "pole %1 má typ %2 místo %3")
                           .arg(QLatin1String(name), QString(QLatin1Char(field.type)),
                                typeList(types)));
        return field;
    }
    fail(path, QCoreApplication::translate("ResultsTable", "chybí pole %1").arg(QLatin1String(name)));
}

// The code page of the names from the table's language-driver mark. A table
// without a mark is taken to be the program's own Central European one.
const char *codePageOf(uchar languageDriver)
{
    switch (languageDriver) {
    case 0x01: return "IBM437";
    case 0x02: return "IBM850";
    case 0x03: case 0x57: return "windows-1252";
    case 0x64: return "IBM852";
    default: return "windows-1250";
    }
}

bool isOwnCodePage(uchar languageDriver) { return qstrcmp(codePageOf(languageDriver), "windows-1250") == 0; }

class NameDecoder
{
public:
    // The program's own code page goes through its table: the system's
    // converters serve only a table from elsewhere.
    explicit NameDecoder(uchar languageDriver)
        : m_codePage(isOwnCodePage(languageDriver) || !CodePage::isAvailable(codePageOf(languageDriver))
                         ? nullptr
                         : codePageOf(languageDriver))
    {
    }

    QString operator()(const QByteArray &raw)
    {
        return m_codePage ? CodePage::decode(m_codePage, raw) : Cp1250::decode(raw);
    }

private:
    const char *m_codePage;   // none for the program's own code page
};

// Text as a character field of that code page holds it: at most 100
// characters, cut to the field's width, a character the code page lacks as "?".
QByteArray encodeText(const QString &text, uchar languageDriver, int width)
{
    QString cut = text;
    if (cut.size() > TableFile::kNameWidth) {
        cut.truncate(TableFile::kNameWidth);
        if (cut.back().isHighSurrogate())
            cut.chop(1);
    }
    // The system's converter writes a character outside the code page as
    // SUB (0x1A); NUL would end the string for shapelib. Both become '?'.
    const char *codePage = codePageOf(languageDriver);
    QByteArray bytes = isOwnCodePage(languageDriver) || !CodePage::isAvailable(codePage)
                           ? Cp1250::encode(cut)
                           : CodePage::encode(codePage, cut);
    for (char &c : bytes)
        if (c == 0x1A || c == '\0')
            c = '?';
    return bytes.left(width);
}

QByteArray fieldBytes(const QByteArray &record, const Field &field)
{
    QByteArray raw = record.mid(field.offset, field.width);
    // dBASE pads with spaces; some writers pad with NULs.
    int end = raw.size();
    while (end > 0 && (raw[end - 1] == ' ' || raw[end - 1] == '\0'))
        --end;
    raw.truncate(end);
    return raw;
}

int movesFrom(const QByteArray &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;   // blank or a null marker
    const double rounded = std::round(value);
    if (rounded <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (rounded >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return int(rounded);
}

QDate dateFrom(const QByteArray &text)
{
    if (text.size() != TableFile::kDateWidth)
        return QDate();
    for (char c : text)
        if (c < '0' || c > '9')
            return QDate();
    return QDate(text.left(4).toInt(), text.mid(4, 2).toInt(), text.right(2).toInt());
}

// what is a source text of the context "ResultsTable" (QT_TRANSLATE_NOOP).
[[noreturn]] void writeFailed(const char *what)
{
    const QString reason = QCoreApplication::translate("ResultsTable", what);
    if (t_lastError.isEmpty())
        throw AppError(
            QCoreApplication::translate("ResultsTable", "Tabulku výsledků nelze sestavit: %1.").arg(reason));
    throw AppError(QCoreApplication::translate("ResultsTable", "Tabulku výsledků nelze sestavit: %1 (%2).")
                       .arg(reason, QString::fromLatin1(t_lastError)));
}

[[noreturn]] void refuse(const QString &path, const QString &why)
{
    throw AppError(
        QCoreApplication::translate("ResultsTable", "Do tabulky výsledků „%1“ nelze výsledek zapsat: %2.")
            .arg(QDir::toNativeSeparators(path), why));
}

// The four fields this program uses, wherever the table has them.
struct ResultFields
{
    explicit ResultFields(const Layout &layout, const QString &path)
        : name(requireField(layout, "JMENO", "C", path)),
          moves(requireField(layout, "TAHY", "NF", path)),
          count(requireField(layout, "HRA", "C", path)),
          date(requireField(layout, "DATUM", "D", path))
    {
    }

    const Field &name;
    const Field &moves;
    const Field &count;
    const Field &date;
};

ResultRecord decodeRecord(const QByteArray &record, const ResultFields &fields, NameDecoder &decode)
{
    ResultRecord r;
    r.deleted = record[0] == kDeletedFlag;
    r.name = decode(fieldBytes(record, fields.name));
    r.moves = movesFrom(fieldBytes(record, fields.moves));
    r.count = decode(fieldBytes(record, fields.count)).trimmed();
    r.date = dateFrom(fieldBytes(record, fields.date));
    return r;
}

// Whether a record of blanks, as a new record starts, leaves the field empty
// in its type's own terms. Memo fields of dBASE and FoxPro 2 hold a block
// number in ten characters (blanks: no memo); binary fields of Visual FoxPro
// (integers, currency, date-times, memo numbers of four bytes) would read
// blanks as a value.
bool blankIsEmpty(const Field &field)
{
    constexpr int kTextBlockNumberWidth = 10;
    switch (field.type) {
    case 'C': case 'N': case 'F': case 'D': case 'L':
        return true;
    case 'M': case 'G': case 'B': case 'P':
        return field.width == kTextBlockNumberWidth;
    default:
        return false;
    }
}

QString fieldName(const Field &field) { return QString::fromLatin1(field.name); }

// The moves as a numeric field of that width and decimals holds them.
QByteArray movesText(const ResultRecord &record, const Field &field, const QString &path)
{
    QByteArray text = QByteArray::number(record.moves);
    if (field.decimals > 0)
        text += '.' + QByteArray(field.decimals, '0');
    if (text.size() > field.width)
        refuse(path, QCoreApplication::translate("ResultsTable", "pole %1 (šířka %2) nepojme %3 tahů")
                         .arg(fieldName(field)).arg(field.width).arg(record.moves));
    return QByteArray(field.width - text.size(), ' ') + text;
}

QByteArray dateText(const QDate &date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return QByteArray();
    return QByteArray::number(date.year() * 10000 + date.month() * 100 + date.day()).rightJustified(8, '0');
}

// The memory file in scope as a table (shapelib keeps its own copy of the
// hooks).
DBFHandle openTable(const char *access, const QString &path)
{
    SAHooks hooks = memoryHooks();
    DBFHandle handle = DBFOpenLL(kMemName, access, &hooks);
    if (!handle)
        fail(path, QCoreApplication::translate("ResultsTable", "knihovna shapelib ji odmítla (%1)")
                       .arg(QString::fromLatin1(t_lastError)));
    return handle;
}

} // namespace

namespace TableFile {

int headerLength(const QByteArray &head)
{
    return head.size() < kFileHeaderSize ? 0 : u16(head, 8);
}

qint64 describedSize(const QByteArray &header, qint64 fileSize, const QString &path)
{
    if (header.size() < kFileHeaderSize || header.size() < headerLength(header))
        return fileSize;   // too short: parse says so
    const Layout layout = checkHeader(header, path);
    constexpr qint64 kEndMark = 1;
    const qint64 largest = qMin(qint64(layout.headerLength) + kMaxRecords * qint64(layout.recordLength) + kEndMark,
                                kMaxTableBytes);
    const qint64 described = qint64(layout.headerLength) + qint64(layout.records) * layout.recordLength + kEndMark;
    if (fileSize > largest || qMin(fileSize, described) > kMaxTableBytes)
        fail(path, QCoreApplication::translate("ResultsTable", "soubor je větší než jakákoli tabulka výsledků (%1 bajtů)")
                       .arg(fileSize));
    return qMin(fileSize, described);
}

QVector<ResultRecord> parse(const QByteArray &bytes, const QString &path)
{
    const Layout layout = checkLayout(bytes, path);
    const ResultFields fields(layout, path);

    MemFile file{bytes, 0};
    MemScope scope(&file);
    DbfCloser dbf{openTable("rb", path)};
    if (DBFGetFieldCount(dbf.handle) != layout.fields.size()
        || DBFGetRecordCount(dbf.handle) != layout.records)
        fail(path, QCoreApplication::translate("ResultsTable", "hlavička tabulky je poškozená"));

    NameDecoder decode(layout.languageDriver);
    QVector<ResultRecord> records;
    records.reserve(layout.records);
    for (int i = 0; i < layout.records; ++i) {
        const char *tuple = DBFReadTuple(dbf.handle, i);
        if (!tuple)
            fail(path, QCoreApplication::translate("ResultsTable", "záznam %1 nelze přečíst").arg(i + 1));
        // shapelib reuses the buffer on the next read: copy it now.
        records.append(decodeRecord(QByteArray(tuple, layout.recordLength), fields, decode));
    }
    return records;
}

StoredRecord store(const QByteArray &bytes, int index, const ResultRecord &record, const QString &path)
{
    const Layout layout = checkLayout(bytes, path);
    const ResultFields fields(layout, path);
    const bool append = index == layout.records;
    if (index < 0 || index > layout.records)
        refuse(path, QCoreApplication::translate("ResultsTable", "záznam %1 v tabulce není").arg(index + 1));
    if (append && layout.records >= kMaxRecords)
        refuse(path, QCoreApplication::translate("ResultsTable", "tabulka je plná (%1 záznamů)")
                         .arg(layout.records));
    if (append) {
        for (const Field &field : layout.fields)
            if (!blankIsEmpty(field))
                refuse(path, QCoreApplication::translate("ResultsTable",
                                                         "pole %1 typu %2 nelze v novém záznamu nechat prázdné")
                                 .arg(fieldName(field), QString(QLatin1Char(field.type))));
    }
    const QByteArray name = encodeText(record.name, layout.languageDriver, fields.name.width);
    const QByteArray moves = movesText(record, fields.moves, path);
    const QByteArray count = encodeText(record.count, layout.languageDriver, kCountWidth);
    if (count.size() > fields.count.width)
        refuse(path, QCoreApplication::translate("ResultsTable", "pole %1 (šířka %2) nepojme počet disků %3")
                         .arg(fieldName(fields.count)).arg(fields.count.width).arg(record.count));
    const QByteArray date = dateText(record.date);

    MemFile file{bytes, 0};
    {
        MemScope scope(&file);
        DbfCloser dbf{openTable("rb+", path)};
        // Whatever follows the records (the end-of-file mark or nothing)
        // stays as it was unless a record is added.
        DBFSetWriteEndOfFileChar(dbf.handle, append);
        // The values have the field's width already: written as they are,
        // in the C locale's digits and without shapelib's rounding.
        const auto put = [&](const Field &field, const QByteArray &value) {
            const int at = int(&field - layout.fields.constData());
            return DBFWriteAttributeDirectly(dbf.handle, index, at,
                                             const_cast<char *>(value.constData()));
        };
        if (!put(fields.name, name) || !put(fields.moves, moves) || !put(fields.count, count)
            || !put(fields.date, date) || !DBFMarkRecordDeleted(dbf.handle, index, 0))
            refuse(path, QCoreApplication::translate("ResultsTable", "knihovna shapelib záznam nezapsala (%1)")
                             .arg(QString::fromLatin1(t_lastError)));
        DBFClose(dbf.handle);
        dbf.handle = nullptr;
        if (!t_lastError.isEmpty())
            refuse(path, QString::fromLatin1(t_lastError));
    }
    const qint64 at = layout.headerLength + qint64(index) * layout.recordLength;
    NameDecoder decode(layout.languageDriver);
    const ResultRecord stored = decodeRecord(file.data.mid(at, layout.recordLength), fields, decode);
    return {file.data, stored};
}

QByteArray encodeName(const QString &name)
{
    return encodeText(name, 0, kNameWidth);
}

QByteArray build(const QVector<ResultRecord> &records)
{
    MemFile file;
    MemScope scope(&file);
    SAHooks hooks = memoryHooks();
    DbfCloser dbf{DBFCreateLL(kMemName, "LDID/200", &hooks)};
    if (!dbf.handle)
        writeFailed(QT_TRANSLATE_NOOP("ResultsTable", "tabulku nelze vytvořit"));
    if (DBFAddNativeFieldType(dbf.handle, "JMENO", 'C', kNameWidth, 0) < 0
        || DBFAddNativeFieldType(dbf.handle, "TAHY", 'N', kMovesWidth, 0) < 0
        || DBFAddNativeFieldType(dbf.handle, "HRA", 'C', kCountWidth, 0) < 0
        || DBFAddNativeFieldType(dbf.handle, "DATUM", 'D', kDateWidth, 0) < 0)
        writeFailed(QT_TRANSLATE_NOOP("ResultsTable", "pole nelze založit"));
    const QDate today = QDate::currentDate();
    DBFSetLastModifiedDate(dbf.handle, today.year() - 1900, today.month(), today.day());

    for (int i = 0; i < records.size(); ++i) {
        const ResultRecord &r = records[i];
        const QByteArray name = encodeName(r.name);
        const QByteArray count = Cp1250::encode(r.count).left(kCountWidth);
        const int moves = qBound(-99999999, r.moves, kMaxMoves);
        bool ok = DBFWriteStringAttribute(dbf.handle, i, 0, name.constData())
            && DBFWriteIntegerAttribute(dbf.handle, i, 1, moves)
            && DBFWriteStringAttribute(dbf.handle, i, 2, count.constData());
        // A date goes in as YYYYMMDD; shapelib stores 0 for a string there.
        if (ok && r.date.isValid() && r.date.year() >= 1 && r.date.year() <= 9999)
            ok = DBFWriteIntegerAttribute(dbf.handle, i, 3,
                                          r.date.year() * 10000 + r.date.month() * 100 + r.date.day());
        else if (ok)
            ok = DBFWriteNULLAttribute(dbf.handle, i, 3);
        if (ok && r.deleted)
            ok = DBFMarkRecordDeleted(dbf.handle, i, 1);
        if (!ok)
            writeFailed(QT_TRANSLATE_NOOP("ResultsTable", "záznam nelze zapsat"));
    }
    DBFClose(dbf.handle);
    dbf.handle = nullptr;
    return file.data;
}

} // namespace TableFile
