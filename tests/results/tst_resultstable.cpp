#include "ResultsFixtures.h"

#include "core/results/Cp1250.h"
#include "core/results/Data.h"
#include "core/shell/AppError.h"
#include "core/shell/Today.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

using namespace ResultsFixtures;

using Records = QVector<ResultRecord>;
Q_DECLARE_METATYPE(Records)
using ForeignFields = QVector<ForeignField>;
Q_DECLARE_METATYPE(ForeignFields)

namespace {
const QDate kToday(2026, 12, 7);

QStringList walkNames(ResultsTable &table)
{
    QStringList names;
    table.First();
    while (!table.Eof()) {
        names << table.currentName();
        table.Next();
    }
    return names;
}

// The reason an AppError gives, or an empty text when none was thrown.
template<typename F>
QString errorOf(F &&f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.text();
    }
    return QString();
}
} // namespace

class ResultsTableTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void withNoVisibleRowTheCursorStandsNowhere_data();
    void withNoVisibleRowTheCursorStandsNowhere();
    void withOneRowNextSetsEofAndStaysOnIt();
    void visibleRowsFollowFilterAndOrder_data();
    void visibleRowsFollowFilterAndOrder();
    void seekMovesFindsTheFirstRowWithThoseMoves();
    void anOverwrittenRecordKeepsItsPlaceInTheFile();
    void otherDiskCountsStayInTheFileAndReappearUnderTheirFilter();
    void namesAreStoredInWindows1250CutTo100Characters_data();
    void namesAreStoredInWindows1250CutTo100Characters();
    void theBuiltInWindows1250AgreesWithThePlatformConverter();
    void dateTextsUseTheLocaleShortDateFormat_data();
    void dateTextsUseTheLocaleShortDateFormat();
    void badTextsAreRefusedAndLeaveTheFileUntouched_data();
    void badTextsAreRefusedAndLeaveTheFileUntouched();
    void unknownFilterOrOrderIsAnError_data();
    void unknownFilterOrOrderIsAnError();
    void aMissingTableIsCreatedEmptyAtOpen_data();
    void aMissingTableIsCreatedEmptyAtOpen();
    void openingATableThatIsThereWritesNothingBesideIt();
    void anUnreadableTableIsReportedByNameAndLeftUntouched_data();
    void anUnreadableTableIsReportedByNameAndLeftUntouched();
    void foreignCodePagesAndDeletedRecordsAreRead();
    void everyReadSeesWhatAnotherCopyWrote();
    void clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder_data();
    void clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder();
    void clearingWithADamagedTemplateChangesNothing();
    void theGridModelShowsTheVisibleRowsLive();
    void aLockLeftHalfWrittenByACrashedCopyIsCleared();
    void noWriteHappensWhileAnotherCopyHoldsTheLock();
    void aLockThatIsNoRegularFileIsNamedInTheError_data();
    void aLockThatIsNoRegularFileIsNamedInTheError();
    void onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen_data();
    void onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen();
    void aStoreIntoAForeignTableChangesOnlyTheStoredRecord_data();
    void aStoreIntoAForeignTableChangesOnlyTheStoredRecord();
    void aTableThatCannotHoldTheResultIsRefusedUntouched_data();
    void aTableThatCannotHoldTheResultIsRefusedUntouched();
};

// First on no visible row: Bof and Eof, no moves, no date; Next and Last too.
void ResultsTableTest::withNoVisibleRowTheCursorStandsNowhere_data()
{
    QTest::addColumn<Records>("records");
    QTest::newRow("empty table") << Records{};
    QTest::newRow("only other disk counts") << Records{rec("A", 20, "4"), rec("B", 9, "10")};
}

void ResultsTableTest::withNoVisibleRowTheCursorStandsNowhere()
{
    QFETCH(Records, records);
    ScratchAppDir app;
    writeTable(app, records);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '3'");
    t.First();
    QVERIFY(t.Bof());
    QVERIFY(t.Eof());
    QCOMPARE(t.MovesAsInteger(), 0);
    QCOMPARE(t.DateAsText(), QString());
    t.Next();
    QVERIFY(t.Bof() && t.Eof());
    t.Last();
    QVERIFY(t.Bof() && t.Eof());
    QCOMPARE(t.MovesAsInteger(), 0);
    QCOMPARE(t.recordNumber(), -1);
}

// One row: First gives Bof only; Next clears Bof, sets Eof, stays on the row.
void ResultsTableTest::withOneRowNextSetsEofAndStaysOnIt()
{
    ScratchAppDir app;
    writeTable(app, {rec("A", 20, "4"), rec("B", 9, "3", QDate(2026, 11, 8))});
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '3'");
    t.First();
    QVERIFY(t.Bof());
    QVERIFY(!t.Eof());
    QCOMPARE(t.MovesAsInteger(), 9);
    t.Next();
    QVERIFY(!t.Bof());
    QVERIFY(t.Eof());
    QCOMPARE(t.MovesAsInteger(), 9);
    QCOMPARE(t.currentDate(), QDate(2026, 11, 8));
    QCOMPARE(t.recordNumber(), 1);
    t.Last();
    QCOMPARE(t.MovesAsInteger(), 9);
}

// Visible rows: those of the filter, ascending by the key, equal keys in file order.
void ResultsTableTest::visibleRowsFollowFilterAndOrder_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("names");
    const Records mixed{rec("Dana", 40, "5"), rec("Adam", 31, "5"), rec("Cyril", 40, "5"),
                        rec("Bára", 35, "5"), rec("Eva", 40, "5"), rec("Jiný", 1, "6")};
    QTest::newRow("TAHY, equal moves in file order") << mixed << "HRA = '5'" << "TAHY"
                                                     << QStringList{"Adam", "Bára", "Dana", "Cyril", "Eva"};
    QTest::newRow("JMENO") << mixed << "HRA = '5'" << "JMENO"
                           << QStringList{"Adam", "Bára", "Cyril", "Dana", "Eva"};
    QTest::newRow("no filter shows every count") << mixed << "" << "TAHY"
                                                 << QStringList{"Jiný", "Adam", "Bára", "Dana", "Cyril", "Eva"};
    QTest::newRow("Czech order: Č after C, Ch after H")
        << Records{rec("Hana", 1, "3"), rec("Čeněk", 2, "3"), rec("Chrudoš", 3, "3"), rec("Cecílie", 4, "3"),
                   rec("Dan", 5, "3")}
        << "HRA = '3'" << "JMENO" << QStringList{"Cecílie", "Čeněk", "Dan", "Hana", "Chrudoš"};
    QTest::newRow("HRA = '10' lets 10 through, not 1")
        << Records{rec("Deset", 5, "10"), rec("Jedna", 5, "1"), rec("Sto", 5, "10")}
        << "HRA = '10'" << "TAHY" << QStringList{"Deset", "Sto"};
}

void ResultsTableTest::visibleRowsFollowFilterAndOrder()
{
    QFETCH(Records, records);
    QFETCH(QString, filter);
    QFETCH(QString, order);
    QFETCH(QStringList, names);
    ScratchAppDir app;
    writeTable(app, records);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    QCOMPARE(t.IndexFieldNames(), QString("JMENO"));
    t.setFiltered(true);
    t.setFilter(filter);
    t.setIndexFieldNames(order);
    QCOMPARE(walkNames(t), names);
    QStringList shown;
    for (const ResultRecord &r : t.shownRows())
        shown << r.name;
    QCOMPARE(shown, names);
}

// SeekMoves lands on the first row with the moves in TAHY order; a miss stays put.
void ResultsTableTest::seekMovesFindsTheFirstRowWithThoseMoves()
{
    ScratchAppDir app;
    writeTable(app, {rec("A", 40, "5"), rec("B", 30, "5"), rec("C", 30, "5"), rec("D", 30, "6")});
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '5'");
    t.setIndexFieldNames("TAHY");
    t.Last();
    QVERIFY(t.SeekMoves(30));
    QCOMPARE(t.currentName(), QString("B"));
    QVERIFY(!t.Bof() && !t.Eof());
    QVERIFY(!t.SeekMoves(31));
    QCOMPARE(t.currentName(), QString("B"));
    t.Next();
    QCOMPARE(t.currentName(), QString("C"));
}

// OverwriteCurrent replaces the fields in place: same record number, same
// place among equal moves.
void ResultsTableTest::anOverwrittenRecordKeepsItsPlaceInTheFile()
{
    ScratchAppDir app;
    writeTable(app, {rec("A", 20, "5"), rec("B", 40, "5"), rec("C", 20, "5")});
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '5'");
    t.setIndexFieldNames("TAHY");
    t.Last();
    QCOMPARE(t.recordNumber(), 1);
    t.OverwriteCurrent("Nový", "20", "5", ResultsTable::dateToText(kToday));
    QCOMPARE(t.recordNumber(), 1);
    QCOMPARE(t.currentName(), QString("Nový"));
    QCOMPARE(walkNames(t), (QStringList{"A", "Nový", "C"}));
    const Records onDisk = readTable(app);
    QCOMPARE(onDisk.size(), 3);
    QCOMPARE(onDisk[1], rec("Nový", 20, "5", kToday));
    QCOMPARE(onDisk[0], rec("A", 20, "5"));
    QCOMPARE(onDisk[2], rec("C", 20, "5"));
}

// Appending to one count leaves the others in the file, each under its filter.
void ResultsTableTest::otherDiskCountsStayInTheFileAndReappearUnderTheirFilter()
{
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    const QString today = ResultsTable::dateToText(kToday);
    for (int n = 3; n <= 10; ++n) {
        t.setFilter(ResultsTable::filterFor(QString::number(n)));
        t.AppendResult(QStringLiteral("Hráč %1").arg(n), QString::number(n * 10), QString::number(n), today);
        QCOMPARE(walkNames(t), QStringList{QStringLiteral("Hráč %1").arg(n)});
    }
    for (int n = 3; n <= 10; ++n) {
        t.setFilter(ResultsTable::filterFor(QString::number(n)));
        t.First();
        QCOMPARE(t.currentName(), QStringLiteral("Hráč %1").arg(n));
        QCOMPARE(t.MovesAsInteger(), n * 10);
        QCOMPARE(t.DateAsText(), today);
        t.Next();
        QVERIFY(t.Eof());
    }
    QCOMPARE(readTable(app).size(), 8);
}

// A name is cut to its first 100 characters and stored in Windows-1250, a
// character that code page lacks as "?".
void ResultsTableTest::namesAreStoredInWindows1250CutTo100Characters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("bytes");
    const QString hundred = QString("Příliš žluťoučký kůň úpěl ďábelské ódy ").repeated(3).left(100);
    QTest::newRow("101 characters") << hundred + "X" << hundred << TableFile::encodeName(hundred);
    QTest::newRow("exactly 100") << hundred << hundred << TableFile::encodeName(hundred);
    QTest::newRow("empty") << QString() << QString() << QByteArray();
    QTest::newRow("Czech letters") << "Jiří Ťuhýk" << "Jiří Ťuhýk" << QByteArray("Ji\xF8\xED \x8Duh\xFDk");
    QTest::newRow("letters Windows-1250 lacks") << "Søren 日本" << "S?ren ??" << QByteArray("S?ren ??");
    QTest::newRow("leading spaces kept") << "  Eva" << "  Eva" << QByteArray("  Eva");
}

void ResultsTableTest::namesAreStoredInWindows1250CutTo100Characters()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QByteArray, bytes);
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.AppendResult(typed, "7", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(t.currentName(), stored);
    QCOMPARE(readTable(app).value(0).name, stored);
    // JMENO is the first field: right after the 161-byte header and the deletion flag.
    const QByteArray file = app.readFile(kTable);
    QCOMPARE(file.mid(162, 100), bytes + QByteArray(100 - bytes.size(), ' '));
    QCOMPARE(uchar(file[29]), uchar(0xC8));   // Central European code-page mark
}

// The code page used where Qt has no converter for it gives the same bytes
// and characters as the converter does here.
void ResultsTableTest::theBuiltInWindows1250AgreesWithThePlatformConverter()
{
    QStringDecoder decoder("windows-1250");
    QVERIFY(decoder.isValid());
    int defined = 0;
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        const QString mine = Cp1250::decode(byte);
        if (mine == QString(QChar(0xFFFD)))
            continue;
        ++defined;
        QCOMPARE(mine, QString(decoder(byte)));
        QCOMPARE(Cp1250::encode(mine), byte);
    }
    QCOMPARE(defined, 256 - 5);   // 0x81, 0x83, 0x88, 0x90 and 0x98 are undefined
    for (const QString &text : {QStringLiteral("Příliš žluťoučký kůň „úpěl“ — ďábelské ódy €"),
                                QStringLiteral("Søren 日本 \U0001F600 ñ")}) {
        QByteArray viaQt = QStringEncoder("windows-1250")(text);
        viaQt.replace('\x1A', '?');
        QCOMPARE(Cp1250::encode(text), viaQt);
    }
}

// DateAsText is the locale's short date (day.month.year where the system has
// no regional setting); a date text goes back to the same date.
void ResultsTableTest::dateTextsUseTheLocaleShortDateFormat_data()
{
    QTest::addColumn<QDate>("date");
    QTest::newRow("today") << kToday;
    QTest::newRow("early in the century") << QDate(2001, 1, 2);
    QTest::newRow("late last century") << QDate(1999, 8, 30);
}

void ResultsTableTest::dateTextsUseTheLocaleShortDateFormat()
{
    QFETCH(QDate, date);
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    const QLocale locale = QLocale::system();
    const QString text = locale.language() == QLocale::C ? date.toString(QStringLiteral("d.M.yyyy"))
                                                         : locale.toString(date, QLocale::ShortFormat);
    QCOMPARE(ResultsTable::dateToText(date), text);
    t.AppendResult("A", "7", "3", text);
    QCOMPARE(t.DateAsText(), text);
    QCOMPARE(t.currentDate(), date);
    QCOMPARE(readTable(app).value(0).date, date);
}

// Moves that are no whole number, counts outside 3..10 and non-dates are errors.
void ResultsTableTest::badTextsAreRefusedAndLeaveTheFileUntouched_data()
{
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("date");
    const QString today = ResultsTable::dateToText(kToday);
    QTest::newRow("moves not a number") << "abc" << "3" << today;
    QTest::newRow("moves empty") << "" << "3" << today;
    QTest::newRow("moves fractional") << "7.5" << "3" << today;
    QTest::newRow("moves negative") << "-7" << "3" << today;
    QTest::newRow("moves too long for TAHY") << "12345678901" << "3" << today;
    QTest::newRow("count 11") << "7" << "11" << today;
    QTest::newRow("count with a leading zero") << "7" << "03" << today;
    QTest::newRow("date not a date") << "7" << "3" << "včera";
}

void ResultsTableTest::badTextsAreRefusedAndLeaveTheFileUntouched()
{
    QFETCH(QString, moves);
    QFETCH(QString, count);
    QFETCH(QString, date);
    ScratchAppDir app;
    writeTable(app, {rec("A", 9, "3")});
    const QByteArray before = app.readFile(kTable);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    QVERIFY(!errorOf([&] { t.AppendResult("B", moves, count, date); }).isEmpty());
    t.First();
    QVERIFY(!errorOf([&] { t.OverwriteCurrent("B", moves, count, date); }).isEmpty());
    QCOMPARE(app.readFile(kTable), before);
}

void ResultsTableTest::unknownFilterOrOrderIsAnError_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("order");
    QTest::newRow("count 2") << "HRA = '2'" << "";
    QTest::newRow("count 11") << "HRA = '11'" << "";
    QTest::newRow("other field") << "JMENO = 'A'" << "";
    QTest::newRow("spacing differs") << "HRA='3'" << "";
    QTest::newRow("order by date") << "" << "DATUM";
    QTest::newRow("order in lower case") << "" << "tahy";
}

void ResultsTableTest::unknownFilterOrOrderIsAnError()
{
    QFETCH(QString, filter);
    QFETCH(QString, order);
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '4'");
    if (!filter.isEmpty())
        QVERIFY(errorOf([&] { t.setFilter(filter); }).contains(filter));
    if (!order.isEmpty())
        QVERIFY(errorOf([&] { t.setIndexFieldNames(order); }).contains(order));
    QCOMPARE(t.Filter(), QString("HRA = '4'"));
    QCOMPARE(t.IndexFieldNames(), QString("JMENO"));
}

// Open creates a missing table: a copy of the template, or from the layout.
void ResultsTableTest::aMissingTableIsCreatedEmptyAtOpen_data()
{
    QTest::addColumn<bool>("withTemplate");
    QTest::addColumn<bool>("withDataDir");
    QTest::newRow("template present") << true << true;
    QTest::newRow("template missing") << false << true;
    QTest::newRow("data directory missing") << false << false;
}

// Every start opens the table: with nothing to clear there it is only read,
// without a lock file written, synced and removed beside it.
void ResultsTableTest::openingATableThatIsThereWritesNothingBesideIt()
{
#ifdef Q_OS_WIN
    QSKIP("reads take the lock where an open reader blocks the writer's replace");
#endif
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    QFileSystemWatcher watcher({app.file("Data")});
    QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
    TDataModule1 data;
    data.open();
    QCOMPARE(data.Table1().currentName(), QStringLiteral("A"));
    QTest::qWait(100);
    QCOMPARE(changed.count(), 0);
}

void ResultsTableTest::aMissingTableIsCreatedEmptyAtOpen()
{
    QFETCH(bool, withTemplate);
    QFETCH(bool, withDataDir);
    ScratchAppDir app;
    QByteArray templateBytes = TableFile::build({});
    templateBytes[1] = 99;   // a date of last change that only the template has
    if (withTemplate)
        app.writeFile(kTemplate, templateBytes);
    else if (withDataDir)
        QDir().mkpath(app.file("Data"));
    TDataModule1 data;
    data.open();
    QVERIFY(data.Table1().isOpen());
    QVERIFY(QFileInfo::exists(app.file(kTable)));
    QVERIFY(readTable(app).isEmpty());
    if (withTemplate)
        QCOMPARE(app.readFile(kTable), templateBytes);
    data.Table1().AppendResult("A", "7", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(readTable(app).size(), 1);
}

// A table that cannot be read: an error naming the file and the fault; the
// file keeps every byte.
void ResultsTableTest::anUnreadableTableIsReportedByNameAndLeftUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good = TableFile::build({rec("A", 7, "3"), rec("B", 8, "3")});
    QTest::newRow("empty file") << QByteArray() << "krátký";
    QTest::newRow("not dBASE") << QByteArray("Toto je obyčejný text, ne tabulka dBASE.\n").repeated(4)
                               << "není tabulka dBASE";
    QTest::newRow("truncated in the records") << good.left(good.size() - 50) << "zkrácený";
    QTest::newRow("truncated in the header") << good.left(100) << "poškozená";
    QByteArray wrongType = good;
    wrongType[32 * 2 + 11] = 'C';   // TAHY as text
    QTest::newRow("TAHY as text") << wrongType << "pole TAHY má typ C";
    const QByteArray missing = TableFile::build({}).replace("DATUM", "DATUX");
    QTest::newRow("DATUM missing") << missing << "chybí pole DATUM";
    QByteArray shortRecord = good;
    shortRecord[10] = 50;   // record length below the fields' widths
    QTest::newRow("record length too small") << shortRecord << "délka záznamu";
}

void ResultsTableTest::anUnreadableTableIsReportedByNameAndLeftUntouched()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    ScratchAppDir app;
    app.writeFile(kTable, bytes);
    TDataModule1 data;
    const QString error = errorOf([&] { data.open(); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(app.file(kTable))), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!data.Table1().isOpen());
    QCOMPARE(app.readFile(kTable), bytes);
    QVERIFY(!errorOf([&] { data.Table1().First(); }).isEmpty());
}

// Tables of other writers: no mark means Windows-1250, LDID 0x64 is code page
// 852; deleted records are hidden, keep their place and survive a write.
void ResultsTableTest::foreignCodePagesAndDeletedRecordsAreRead()
{
    ScratchAppDir app;
    ResultRecord gone = rec("Smazaný", 1, "3");
    gone.deleted = true;
    QByteArray bytes = TableFile::build({rec("Ťuhýk", 9, "3"), gone, rec("Old", 20, "3")});
    bytes[29] = char(0x64);
    const QByteArray in852 = QStringEncoder("IBM852")(QStringLiteral("Ťuhýk"));
    QVERIFY(!in852.isEmpty());
    bytes.replace(162, in852.size(), in852);
    app.writeFile(kTable, bytes);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setIndexFieldNames("TAHY");
    QCOMPARE(walkNames(t), (QStringList{"Ťuhýk", "Old"}));
    t.Last();
    t.OverwriteCurrent("Nový", "5", "3", ResultsTable::dateToText(kToday));
    const Records onDisk = readTable(app);
    QCOMPARE(onDisk.size(), 3);
    QCOMPARE(onDisk[0].name, QString("Ťuhýk"));
    QVERIFY(onDisk[1].deleted);
    QCOMPARE(onDisk[2].name, QString("Nový"));

    bytes = TableFile::build({rec("Žába", 9, "3")});
    bytes[29] = 0;
    app.writeFile(kTable, bytes);
    t.First();
    QCOMPARE(t.currentName(), QString("Žába"));
}

// Two copies on one table: each read sees the other's writes, the cursor
// staying on its record.
void ResultsTableTest::everyReadSeesWhatAnotherCopyWrote()
{
    ScratchAppDir app;
    writeTable(app, {rec("A", 30, "5"), rec("B", 40, "5")});
    TDataModule1 first;
    TDataModule1 second;
    first.open();
    second.open();
    ResultsTable &a = first.Table1();
    ResultsTable &b = second.Table1();
    for (ResultsTable *t : {&a, &b}) {
        t->setFiltered(true);
        t->setFilter("HRA = '5'");
        t->setIndexFieldNames("TAHY");
    }
    a.First();
    QCOMPARE(a.currentName(), QString("A"));
    b.AppendResult("C", "35", "5", ResultsTable::dateToText(kToday));
    QCOMPARE(a.currentName(), QString("A"));
    a.Next();
    QCOMPARE(a.currentName(), QString("C"));
    b.Last();
    b.OverwriteCurrent("D", "50", "5", ResultsTable::dateToText(kToday));
    QCOMPARE(a.recordNumber(), 2);
    a.Next();
    QCOMPARE(a.currentName(), QString("D"));
    QCOMPARE(a.MovesAsInteger(), 50);
    QCOMPARE(walkNames(a), (QStringList{"A", "C", "D"}));
    second.clearResults();
    a.First();
    QVERIFY(a.Bof() && a.Eof());
}

// Clearing empties every count, from the template or from the layout, and
// keeps filter and order.
void ResultsTableTest::clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder_data()
{
    QTest::addColumn<bool>("withTemplate");
    QTest::newRow("template present") << true;
    QTest::newRow("template missing") << false;
}

void ResultsTableTest::clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder()
{
    QFETCH(bool, withTemplate);
    ScratchAppDir app;
    Records full;
    for (int n = 3; n <= 10; ++n)
        full << rec("A", n, QString::number(n)) << rec("B", n + 1, QString::number(n));
    writeTable(app, full);
    if (withTemplate)
        writeTable(app, {}, kTemplate);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '7'");
    t.setIndexFieldNames("TAHY");
    data.clearResults();
    QVERIFY(t.isOpen());
    QCOMPARE(t.Filter(), QString("HRA = '7'"));
    QVERIFY(t.Filtered());
    QCOMPARE(t.IndexFieldNames(), QString("TAHY"));
    QVERIFY(t.Bof() && t.Eof());
    for (int n = 3; n <= 10; ++n) {
        t.setFilter(ResultsTable::filterFor(QString::number(n)));
        t.First();
        QVERIFY(t.Bof() && t.Eof());
    }
    QVERIFY(readTable(app).isEmpty());
    if (withTemplate)
        QCOMPARE(app.readFile(kTable), app.readFile(kTemplate));
    t.AppendResult("Po", "7", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(readTable(app).size(), 1);
}

// A template that is damaged or holds results stops clearing before anything changes.
void ResultsTableTest::clearingWithADamagedTemplateChangesNothing()
{
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    TDataModule1 data;
    data.open();
    const QByteArray live = app.readFile(kTable);
    for (const QByteArray &bad : {QByteArray("garbage"), TableFile::build({rec("X", 1, "3")})}) {
        app.writeFile(kTemplate, bad);
        const QString error = errorOf([&] { data.clearResults(); });
        QVERIFY2(error.contains(QDir::toNativeSeparators(app.file(kTemplate))), qPrintable(error));
        QCOMPARE(app.readFile(kTable), live);
        QVERIFY(data.Table1().isOpen());
        data.Table1().First();
        QCOMPARE(data.Table1().currentName(), QString("A"));
    }
}

// DataSource1: the cursor's visible rows in its order, columns JMENO, TAHY, DATUM.
void ResultsTableTest::theGridModelShowsTheVisibleRowsLive()
{
    ScratchAppDir app;
    writeTable(app, {rec("Bob", 40, "3"), rec("Al", 12, "3"), rec("Cid", 5, "4")});
    TDataModule1 data;
    ResultsModel &model = data.DataSource1();
    QCOMPARE(model.objectName(), QString("DataSource1"));
    QCOMPARE(data.Table1().objectName(), QString("Table1"));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QCOMPARE(model.rowCount(), 0);
    data.open();
    QCOMPARE(model.rowCount(), 3);
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '3'");
    t.setIndexFieldNames("TAHY");
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.index(0, 0).data().toString(), QString("Al"));
    QCOMPARE(model.index(0, 1).data().toString(), QString("12"));
    QCOMPARE(model.index(0, 2).data().toString(), ResultsTable::dateToText(QDate(2026, 12, 1)));
    QCOMPARE(model.index(1, 0).data().toString(), QString("Bob"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Jméno"));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    const int before = int(resets.count());
    t.setIndexFieldNames("JMENO");   // same rows, same order: no reset
    QCOMPARE(int(resets.count()), before);
    t.AppendResult("Aaron", "50", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(0, 0).data().toString(), QString("Aaron"));
    // Another copy's write shows at the next read.
    writeTable(app, {rec("Zed", 1, "3")});
    t.refresh();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, 0).data().toString(), QString("Zed"));
    t.Close();
    QCOMPARE(model.rowCount(), 0);
}

// A copy killed between creating its lock file and filling it leaves an
// empty one: it does not keep the table locked.
void ResultsTableTest::aLockLeftHalfWrittenByACrashedCopyIsCleared()
{
    ScratchAppDir app;
    writeTable(app, {});
    app.writeFile("Data/Toran.lock", QByteArray());
    QFile lock(app.file("Data/Toran.lock"));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    lock.close();
    TDataModule1 data;
    QElapsedTimer clock;
    clock.start();
    data.open();
    data.Table1().AppendResult("A", "7", "3", ResultsTable::dateToText(kToday));
    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(readTable(app).size(), 1);
    QVERIFY(!QFileInfo::exists(app.file("Data/Toran.lock")));
}

// A lock held by a live copy is waited for, then reported; nothing is written.
void ResultsTableTest::noWriteHappensWhileAnotherCopyHoldsTheLock()
{
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    TDataModule1 data;
    data.open();
    const QByteArray before = app.readFile(kTable);
    QLockFile other(app.file("Data/Toran.lock"));
    QVERIFY(other.tryLock(0));
    const QString error = errorOf([&] { data.Table1().AppendResult("B", "8", "3", ResultsTable::dateToText(kToday)); });
    QVERIFY2(error.contains("zamknout"), qPrintable(error));
    QCOMPARE(app.readFile(kTable), before);
    other.unlock();
    data.Table1().AppendResult("B", "8", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(readTable(app).size(), 2);
}

// A lock that is a symbolic link (even to nowhere) or a folder is not
// another copy at work: the error says so at once and names the lock.
void ResultsTableTest::aLockThatIsNoRegularFileIsNamedInTheError_data()
{
    QTest::addColumn<bool>("symbolicLink");
    QTest::newRow("dangling symbolic link") << true;
    QTest::newRow("folder") << false;
}

void ResultsTableTest::aLockThatIsNoRegularFileIsNamedInTheError()
{
    QFETCH(bool, symbolicLink);
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    const QString lock = app.file("Data/Toran.lock");
    if (symbolicLink)
        QVERIFY(QFile::link(app.file("Data/nikde"), lock));
    else
        QVERIFY(QDir().mkdir(lock));
    TDataModule1 data;
    QElapsedTimer clock;
    clock.start();
    const QString error = errorOf([&] { data.open(); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(lock)), qPrintable(error));
    QVERIFY2(!error.contains("jiná kopie"), qPrintable(error));
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(!data.Table1().isOpen());
}

// Opening clears what a killed writer left, and nothing else: files beside
// the table that the player made stay, whatever their name's case.
void ResultsTableTest::onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("kept");
    QTest::newRow("backup") << "Toran.dbf.backup" << true;
    QTest::newRow("backup in capitals") << "TORAN.DBF.ZALOHA" << true;
    QTest::newRow("dated copy") << "Toran.dbf.2026-1" << true;
    QTest::newRow("look-alike in another case") << ".toran.dbf.toran-novy-0123456789abcdef" << true;
    QTest::newRow("look-alike with a longer tail") << ".Toran.dbf.toran-novy-0123456789abcdef0" << true;
    QTest::newRow("unfinished table") << ".Toran.dbf.toran-novy-0123456789abcdef" << false;
}

void ResultsTableTest::onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen()
{
    QFETCH(QString, name);
    QFETCH(bool, kept);
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    app.writeFile("Data/" + name, "stará tabulka");
    TDataModule1 data;
    data.open();
    QCOMPARE(QFileInfo::exists(app.file("Data/" + name)), kept);
    QCOMPARE(readTable(app).size(), 1);
}

namespace {
// A table of another dBASE program: a memo, a wider name, TAHY with a
// decimal, values this program would never write, a deleted record.
const QVector<ForeignField> kForeignFields{
    {"JMENO", 'C', 120}, {"POZN", 'M', 10}, {"TAHY", 'N', 12, 1}, {"BODY", 'N', 5, 2},
    {"HRA", 'C', 2}, {"DATUM", 'D', 8}, {"ZNAK", 'L', 1}};
const QVector<QVector<QByteArray>> kForeignRows{
    {QByteArray(110, 'n'), "1", "12.7", "1.50", "5", "20261301", "T"},
    {"Eva", "", "-999999999.0", "", "5", "", "?"},
    {"Bez tahů", "2", "", "0.25", "5", "20261201", "F"},
    {"*", "Text", "", "abc", "", "5", "20261202", ""},
    {"Jan", "", "15.0", "", "6", "20261203", "T"}};

// Where record `index` of a table lies.
QPair<int, int> recordSpan(const QByteArray &table, int index)
{
    const int header = uchar(table[8]) | (uchar(table[9]) << 8);
    const int length = uchar(table[10]) | (uchar(table[11]) << 8);
    return {header + index * length, length};
}
} // namespace

// Storing into another program's table changes the stored record's four
// fields (and the record count on an append); every other byte stays.
void ResultsTableTest::aStoreIntoAForeignTableChangesOnlyTheStoredRecord_data()
{
    QTest::addColumn<bool>("append");
    QTest::newRow("append") << true;
    QTest::newRow("overwrite the worst") << false;
}

void ResultsTableTest::aStoreIntoAForeignTableChangesOnlyTheStoredRecord()
{
    QFETCH(bool, append);
    ScratchAppDir app;
    const QByteArray before = foreignTable(kForeignFields, kForeignRows);
    app.writeFile(kTable, before);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    t.setFilter("HRA = '5'");
    t.setIndexFieldNames("TAHY");
    const QString today = ResultsTable::dateToText(kToday);
    int index = int(kForeignRows.size());
    if (append) {
        t.AppendResult("Nový hráč", "31", "5", today);
    } else {
        t.Last();
        index = t.recordNumber();
        QCOMPARE(index, 0);   // 12.7 reads as 13 moves, the most of count 5
        t.OverwriteCurrent("Nový hráč", "31", "5", today);
    }
    const QByteArray after = app.readFile(kTable);
    const auto [at, length] = recordSpan(before, index);
    QCOMPARE(after.size(), before.size() + (append ? length : 0));
    QCOMPARE(after.left(4), before.left(4));
    QCOMPARE(quint32(uchar(after[4])), quint32(kForeignRows.size() + (append ? 1 : 0)));
    QCOMPARE(after.mid(8, at - 8), before.mid(8, at - 8));
    QCOMPARE(after.mid(at + length), before.mid(append ? at : at + length));

    const QByteArray record = after.mid(at, length);
    QCOMPARE(record.mid(1, 9), QByteArray("Nov\xFD hr\xE1\xE8"));
    QCOMPARE(record.mid(131, 12), QByteArray("        31.0"));
    QCOMPARE(record.mid(148, 10), QByteArray("5 20261207"));
    // The fields this program does not use: blank in a new record, kept in
    // an overwritten one.
    const QByteArray untouched = append ? QByteArray(10, ' ') + QByteArray(5, ' ') + ' '
                                        : before.mid(at + 121, 10) + before.mid(at + 143, 5) + before.mid(at + 158, 1);
    QCOMPARE(record.mid(121, 10) + record.mid(143, 5) + record.mid(158, 1), untouched);
    t.setFilter("HRA = '5'");
    QVERIFY(t.SeekMoves(31));
    QCOMPARE(t.currentName(), QString("Nový hráč"));
    QCOMPARE(t.recordNumber(), index);
}

// A table whose own definition cannot hold the result is refused when
// storing, with the reason; the file stays as it was.
void ResultsTableTest::aTableThatCannotHoldTheResultIsRefusedUntouched_data()
{
    QTest::addColumn<ForeignFields>("fields");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("reason");
    QTest::newRow("TAHY too narrow")
        << ForeignFields{{"JMENO", 'C', 20}, {"TAHY", 'N', 3}, {"HRA", 'C', 2}, {"DATUM", 'D', 8}}
        << "1023" << "10" << "pole TAHY (šířka 3)";
    QTest::newRow("HRA one character wide")
        << ForeignFields{{"JMENO", 'C', 20}, {"TAHY", 'N', 10}, {"HRA", 'C', 1}, {"DATUM", 'D', 8}}
        << "1023" << "10" << "pole HRA (šířka 1)";
    QTest::newRow("binary integer in a new record")
        << ForeignFields{{"JMENO", 'C', 20}, {"TAHY", 'N', 10}, {"HRA", 'C', 2}, {"DATUM", 'D', 8},
                                 {"CISLO", 'I', 4}}
        << "7" << "3" << "pole CISLO typu I";
}

void ResultsTableTest::aTableThatCannotHoldTheResultIsRefusedUntouched()
{
    QFETCH(ForeignFields, fields);
    QFETCH(QString, moves);
    QFETCH(QString, count);
    QFETCH(QString, reason);
    ScratchAppDir app;
    const QByteArray before = foreignTable(fields, {{"Eva", "7", "3", "20261201", "\x01\0\0\0"}}, char(0x30));
    app.writeFile(kTable, before);
    TDataModule1 data;
    data.open();
    const QString error = errorOf([&] { data.Table1().AppendResult("Jan", moves, count, ResultsTable::dateToText(kToday)); });
    QVERIFY2(error.contains(reason) && error.contains(QDir::toNativeSeparators(app.file(kTable))), qPrintable(error));
    QCOMPARE(app.readFile(kTable), before);
    QCOMPARE(QDir(app.file("Data")).entryList(QDir::Files | QDir::Hidden), QStringList{"Toran.dbf"});
}

TORAN_TEST_GUILESS_MAIN(ResultsTableTest)
#include "tst_resultstable.moc"
