#include "ResultsTableFixtures.h"

#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QtTest>

using namespace ResultsFixtures;
using namespace ResultsTableFixtures;

// The results table's cursor: the visible rows of a filter in their order,
// moving and seeking along them, storing through the cursor, the grid model.
class ResultsCursorTest : public QObject
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
    void unknownFilterOrOrderIsAnError_data();
    void unknownFilterOrOrderIsAnError();
    void everyReadSeesWhatAnotherCopyWrote();
    void theGridModelShowsTheVisibleRowsLive();
};

// First on no visible row: Bof and Eof, no moves, no date; Next and Last too.
void ResultsCursorTest::withNoVisibleRowTheCursorStandsNowhere_data()
{
    QTest::addColumn<Records>("records");
    QTest::newRow("empty table") << Records{};
    QTest::newRow("only other disk counts") << Records{rec("A", 20, "4"), rec("B", 9, "10")};
}

void ResultsCursorTest::withNoVisibleRowTheCursorStandsNowhere()
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
void ResultsCursorTest::withOneRowNextSetsEofAndStaysOnIt()
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
void ResultsCursorTest::visibleRowsFollowFilterAndOrder_data()
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

void ResultsCursorTest::visibleRowsFollowFilterAndOrder()
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
void ResultsCursorTest::seekMovesFindsTheFirstRowWithThoseMoves()
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
void ResultsCursorTest::anOverwrittenRecordKeepsItsPlaceInTheFile()
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
void ResultsCursorTest::otherDiskCountsStayInTheFileAndReappearUnderTheirFilter()
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

void ResultsCursorTest::unknownFilterOrOrderIsAnError_data()
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

void ResultsCursorTest::unknownFilterOrOrderIsAnError()
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

// Two copies on one table: each read sees the other's writes, the cursor
// staying on its record.
void ResultsCursorTest::everyReadSeesWhatAnotherCopyWrote()
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

// DataSource1: the cursor's visible rows in its order, columns JMENO, TAHY, DATUM.
void ResultsCursorTest::theGridModelShowsTheVisibleRowsLive()
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

TORAN_TEST_GUILESS_MAIN(ResultsCursorTest)
#include "tst_resultscursor.moc"
