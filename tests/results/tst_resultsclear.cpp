#include "ResultsTableFixtures.h"

#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace ResultsFixtures;
using namespace ResultsTableFixtures;

// Clearing the results, from the template or from the layout.
class ResultsClearTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder_data();
    void clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder();
    void clearingWithADamagedTemplateChangesNothing();
};

// Clearing empties every count, from the template or from the layout, and
// keeps filter and order; another program's index goes, the template's
// comes in its place.
void ResultsClearTest::clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder_data()
{
    QTest::addColumn<bool>("withTemplate");
    QTest::newRow("template present") << true;
    QTest::newRow("template missing") << false;
}

void ResultsClearTest::clearingLeavesEveryFilterEmptyAndKeepsFilterAndOrder()
{
    QFETCH(bool, withTemplate);
    ScratchAppDir app;
    Records full;
    for (int n = 3; n <= 10; ++n)
        full << rec("A", n, QString::number(n)) << rec("B", n + 1, QString::number(n));
    writeTable(app, full);
    app.writeFile("Data/TORAN.MDX", "index of the old rows");
    if (withTemplate) {
        writeTable(app, {}, kTemplate);
        app.writeFile("Data/Zaloha/Toran.Mdx", "index of no rows");
    }
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
    QCOMPARE(QDir(app.file("Data")).entryList({"*.mdx"}, QDir::Files),
             withTemplate ? QStringList{"Toran.mdx"} : QStringList());
    if (withTemplate) {
        QCOMPARE(app.readFile(kTable), app.readFile(kTemplate));
        QCOMPARE(app.readFile("Data/Toran.mdx"), QByteArray("index of no rows"));
    }
    t.AppendResult("Po", "7", "3", ResultsTable::dateToText(kToday));
    QCOMPARE(readTable(app).size(), 1);
}

// A template that is damaged or holds results stops clearing before anything changes.
void ResultsClearTest::clearingWithADamagedTemplateChangesNothing()
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

TORAN_TEST_GUILESS_MAIN(ResultsClearTest)
#include "tst_resultsclear.moc"
