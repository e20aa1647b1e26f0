#include "ResultsTableFixtures.h"

#include "core/results/CodePage.h"
#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace ResultsFixtures;
using namespace ResultsTableFixtures;

// Tables other dBASE programs wrote: their code pages, deleted records and
// fields of their own.
class ForeignTableTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void foreignCodePagesAndDeletedRecordsAreRead();
    void aStoreIntoAForeignTableChangesOnlyTheStoredRecord_data();
    void aStoreIntoAForeignTableChangesOnlyTheStoredRecord();
    void aTableThatCannotHoldTheResultIsRefusedUntouched_data();
    void aTableThatCannotHoldTheResultIsRefusedUntouched();
};

// Tables of other writers: no mark means Windows-1250, LDID 0x64 is code page
// 852; deleted records are hidden, keep their place and survive a write.
void ForeignTableTest::foreignCodePagesAndDeletedRecordsAreRead()
{
    ScratchAppDir app;
    ResultRecord gone = rec("Smazaný", 1, "3");
    gone.deleted = true;
    QByteArray bytes = TableFile::build({rec("Ťuhýk", 9, "3"), gone, rec("Old", 20, "3")});
    bytes[29] = char(0x64);
    const QByteArray in852 = CodePage::encode("IBM852", QStringLiteral("Ťuhýk"));
    QVERIFY(!in852.isEmpty());
    bytes.replace(162, in852.size(), in852);
    app.writeFile(kTable, bytes);
    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setIndexFieldNames("TAHY");
    QCOMPARE(walkNames(t), (QStringList{"Ťuhýk", "Old"}));
    t.Last();
    t.OverwriteCurrent("Nový€", "5", "3", ResultsTable::dateToText(kToday));   // no euro in 852
    const Records onDisk = readTable(app);
    QCOMPARE(onDisk.size(), 3);
    QCOMPARE(onDisk[0].name, QString("Ťuhýk"));
    QVERIFY(onDisk[1].deleted);
    QCOMPARE(onDisk[2].name, QString("Nový?"));
    QVERIFY(app.readFile(kTable).contains(CodePage::encode("IBM852", QStringLiteral("Nový"))));

    bytes = TableFile::build({rec("Žába", 9, "3")});
    bytes[29] = 0;
    app.writeFile(kTable, bytes);
    t.First();
    QCOMPARE(t.currentName(), QString("Žába"));
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
void ForeignTableTest::aStoreIntoAForeignTableChangesOnlyTheStoredRecord_data()
{
    QTest::addColumn<bool>("append");
    QTest::newRow("append") << true;
    QTest::newRow("overwrite the worst") << false;
}

void ForeignTableTest::aStoreIntoAForeignTableChangesOnlyTheStoredRecord()
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
void ForeignTableTest::aTableThatCannotHoldTheResultIsRefusedUntouched_data()
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

void ForeignTableTest::aTableThatCannotHoldTheResultIsRefusedUntouched()
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

TORAN_TEST_GUILESS_MAIN(ForeignTableTest)
#include "tst_resultsforeign.moc"
