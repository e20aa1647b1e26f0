#include "ResultsFixtures.h"

#include "core/results/Data.h"
#include "core/results/ResultsTable.h"
#include "core/results/Verdict.h"
#include "core/errors/AppError.h"
#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace ResultsFixtures;

using Records = QVector<ResultRecord>;
Q_DECLARE_METATYPE(Records)

namespace {
const QDate kToday(2026, 12, 7);
const QString kCount = QStringLiteral("5");
const QString kName = QStringLiteral("Nový hráč");

// Ten results of five disks, all with `moves`, dated today unless `dates`
// gives another date for a position.
Records ten(int moves, const QMap<int, QDate> &dates = {})
{
    Records records;
    for (int i = 0; i < 10; ++i)
        records << rec(QStringLiteral("R%1").arg(i), moves, kCount, dates.value(i, kToday));
    return records;
}

Records replaced(Records records, int at, int moves)
{
    records[at] = rec(kName, moves, kCount, kToday);
    return records;
}

Records appended(Records records, int moves, const QString &name = kName)
{
    records << rec(name, moves, kCount, kToday);
    return records;
}
} // namespace

class VerdictTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void theVerdictDecidesAndTheStoreFollowsIt_data();
    void theVerdictDecidesAndTheStoreFollowsIt();
    void aResultOvertakenByAnotherCopyIsNotForcedIn();
    void movesOrCountThatAreNoNumberAreErrors_data();
    void movesOrCountThatAreNoNumberAreErrors();
};

// Each case: what qualifies() says, what store() then writes (and that a
// result that did not qualify is never stored), and the cursor left behind.
void VerdictTest::theVerdictDecidesAndTheStoreFollowsIt_data()
{
    QTest::addColumn<Records>("stored");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("moves");
    QTest::addColumn<bool>("qualifies");
    QTest::addColumn<Records>("after");
    QTest::addColumn<QString>("order");

    QTest::newRow("first result, empty name") << Records{} << "" << 31 << true
                                              << appended({}, 31, "") << "JMENO";

    Records nine;
    for (int i = 0; i < 9; ++i)
        nine << rec(QStringLiteral("R%1").arg(i), 31 + i, kCount);
    QTest::newRow("nine stored: any result is appended")
        << nine << kName << 500 << true << appended(nine, 500) << "JMENO";

    const Records otherCount = [] {
        Records r;
        for (int i = 0; i < 10; ++i)
            r << rec(QStringLiteral("S%1").arg(i), 1, "6");
        return r;
    }();
    QTest::newRow("ten of another count do not count")
        << otherCount << kName << 99 << true << appended(otherCount, 99) << "JMENO";

    // Worst 40 twice: at the front of the file and at the end.
    Records worst40{rec("A", 40, kCount)};
    for (int i = 0; i < 8; ++i)
        worst40 << rec(QStringLiteral("R%1").arg(i), 31 + i, kCount);
    worst40 << rec("J", 40, kCount);
    QTest::newRow("worst 40, game of 39 replaces the last 40 in TAHY order")
        << worst40 << kName << 39 << true << replaced(worst40, 9, 39) << "TAHY";
    QTest::newRow("worst 40, game of 41 does not qualify")
        << worst40 << kName << 41 << false << worst40 << "JMENO";
    QTest::newRow("worst equal, some better: does not qualify")
        << worst40 << kName << 40 << false << worst40 << "JMENO";

    QTest::newRow("all ten equal, dated today: does not qualify")
        << ten(40) << kName << 40 << false << ten(40) << "JMENO";
    QTest::newRow("all ten equal, dated after today: does not qualify")
        << ten(40, {{0, QDate(2027, 1, 1)}}) << kName << 40 << false
        << ten(40, {{0, QDate(2027, 1, 1)}}) << "JMENO";
    const Records twoEarlier = ten(40, {{3, QDate(2026, 11, 25)}, {6, QDate(2026, 11, 20)}});
    QTest::newRow("all ten equal, some earlier: the earliest-dated is replaced")
        << twoEarlier << kName << 40 << true << replaced(twoEarlier, 6, 40) << "TAHY";
    const Records textHigher = ten(40, {{2, QDate(2026, 11, 8)}});
    QTest::newRow("8.11.2026 is earlier than 7.12.2026 though its text sorts higher")
        << textHigher << kName << 40 << true << replaced(textHigher, 2, 40) << "TAHY";
    const Records tie = ten(40, {{4, QDate(2026, 12, 1)}, {7, QDate(2026, 12, 1)}});
    QTest::newRow("equally early: the first in TAHY order is replaced")
        << tie << kName << 40 << true << replaced(tie, 4, 40) << "TAHY";
    const Records lastYear = ten(40, {{9, QDate(2025, 12, 31)}});
    QTest::newRow("an earlier year with a higher day and month")
        << lastYear << kName << 40 << true << replaced(lastYear, 9, 40) << "TAHY";
    QTest::newRow("all ten better: does not qualify")
        << ten(30, {{1, QDate(2020, 1, 1)}}) << kName << 40 << false
        << ten(30, {{1, QDate(2020, 1, 1)}}) << "JMENO";
}

void VerdictTest::theVerdictDecidesAndTheStoreFollowsIt()
{
    QFETCH(Records, stored);
    QFETCH(QString, name);
    QFETCH(int, moves);
    QFETCH(bool, qualifies);
    QFETCH(Records, after);
    QFETCH(QString, order);
    ScratchAppDir app;
    writeTable(app, stored);
    TDataModule1 data;
    data.open();
    ResultsTable &table = data.Table1();

    QCOMPARE(Verdict::qualifies(table, kCount, QString::number(moves)), qualifies);
    QCOMPARE(table.Filter(), QStringLiteral("HRA = '5'"));
    QVERIFY(table.Filtered());

    // The dialog stores only what qualified; store() itself agrees either way.
    QCOMPARE(Verdict::store(table, name, QString::number(moves), kCount), qualifies);
    QCOMPARE(readTable(app), after);
    QCOMPARE(table.Filter(), QStringLiteral("HRA = '5'"));
    QCOMPARE(table.IndexFieldNames(), order);
}

// Shown as qualifying, then another copy fills the count with better results:
// store() writes nothing rather than overwrite one of them.
void VerdictTest::aResultOvertakenByAnotherCopyIsNotForcedIn()
{
    ScratchAppDir app;
    Records nine;
    for (int i = 0; i < 9; ++i)
        nine << rec(QStringLiteral("R%1").arg(i), 20, kCount);
    writeTable(app, nine);
    TDataModule1 mine;
    TDataModule1 other;
    mine.open();
    other.open();
    QVERIFY(Verdict::qualifies(mine.Table1(), kCount, "50"));
    QVERIFY(Verdict::store(other.Table1(), "Druhá kopie", "20", kCount));
    QVERIFY(!Verdict::store(mine.Table1(), kName, "50", kCount));
    QCOMPARE(readTable(app), appended(nine, 20, "Druhá kopie"));
}

void VerdictTest::movesOrCountThatAreNoNumberAreErrors_data()
{
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("count");
    QTest::newRow("moves not a number") << "sedm" << "5";
    QTest::newRow("moves empty") << "" << "5";
    QTest::newRow("count outside 3..10") << "7" << "11";
    QTest::newRow("count empty") << "7" << "";
}

void VerdictTest::movesOrCountThatAreNoNumberAreErrors()
{
    QFETCH(QString, moves);
    QFETCH(QString, count);
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "5")});
    const QByteArray before = app.readFile(kTable);
    TDataModule1 data;
    data.open();
    QVERIFY_THROWS_EXCEPTION(AppError, Verdict::qualifies(data.Table1(), count, moves));
    QVERIFY_THROWS_EXCEPTION(AppError, Verdict::store(data.Table1(), kName, moves, count));
    QCOMPARE(app.readFile(kTable), before);
}

TORAN_TEST_GUILESS_MAIN(VerdictTest)
#include "tst_verdict.moc"
