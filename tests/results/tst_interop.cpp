#include "ResultsFixtures.h"

#include "core/results/Data.h"
#include "core/results/ResultsTable.h"
#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace ResultsFixtures;

namespace {
const QString kPython = QStringLiteral("/usr/bin/python3");

// Debian's dbfread: every record of the table as JSON.
const char kReadScript[] = R"(
import json, sys
from dbfread import DBF
rows = [dict(JMENO=r['JMENO'], TAHY=r['TAHY'], HRA=r['HRA'], DATUM=r['DATUM'].isoformat())
        for r in DBF(sys.argv[1], encoding='cp1250')]
print(json.dumps(rows))
)";

// Debian's python3-dbf: a table of another writer with the rows given as JSON.
const char kWriteScript[] = R"(
import datetime, json, sys
import dbf
path, kind, tahy = sys.argv[1], sys.argv[2], sys.argv[3]
t = dbf.Table(path, 'JMENO C(100); TAHY %s; HRA C(2); DATUM D' % tahy, dbf_type=kind, codepage='cp1250')
t.open(dbf.READ_WRITE)
for r in json.loads(sys.argv[4]):
    t.append((r['JMENO'], r['TAHY'], r['HRA'], datetime.date.fromisoformat(r['DATUM'])))
t.close()
)";

struct Row
{
    QString name;
    int moves;
    QString count;
    QDate date;
};

const QVector<Row> kRows{
    {QStringLiteral("Žluťoučký kůň"), 39, QStringLiteral("3"), QDate(2026, 12, 7)},
    {QStringLiteral("Ondřej Čížek"), 1023, QStringLiteral("10"), QDate(2026, 11, 8)},
    {QString(), 7, QStringLiteral("3"), QDate(2025, 1, 31)},
    {QStringLiteral("Ďáblice ó Ů"), 1234567, QStringLiteral("10"), QDate(1999, 12, 31)},
};

QJsonArray rowsAsJson()
{
    QJsonArray rows;
    for (const Row &r : kRows)
        rows.append(QJsonObject{{"JMENO", r.name}, {"TAHY", r.moves}, {"HRA", r.count},
                                {"DATUM", r.date.toString(Qt::ISODate)}});
    return rows;
}

// Runs a script; skips the test when Debian's python3 or the module is missing.
bool runPython(const char *script, const QStringList &args, const QString &module, QByteArray *out)
{
    if (!QFileInfo::exists(kPython)) {
        qWarning("no %s", qPrintable(kPython));
        return false;
    }
    QProcess probe;
    probe.start(kPython, {"-c", "import " + module});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
        qWarning("no python module %s", qPrintable(module));
        return false;
    }
    QProcess python;
    python.start(kPython, QStringList{"-c", QString::fromUtf8(script)} + args);
    [&] {
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    }();
    *out = python.readAllStandardOutput();
    return true;
}
} // namespace

class InteropTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(QDate(2026, 12, 7)); }
    void cleanup() { Today::setForTesting(QDate()); }

    void aTableWrittenHereIsReadByDbfread();
    void tablesOfOtherWritersAreReadHere_data();
    void tablesOfOtherWritersAreReadHere();
};

// Names, moves, counts and dates come out of dbfread as they went in.
void InteropTest::aTableWrittenHereIsReadByDbfread()
{
    ScratchAppDir app;
    TDataModule1 data;
    data.open();
    for (const Row &r : kRows)
        data.Table1().AppendResult(r.name, QString::number(r.moves), r.count,
                                   ResultsTable::dateToText(r.date));
    QByteArray out;
    if (!runPython(kReadScript, {app.file(kTable)}, "dbfread", &out))
        QSKIP("Debian's python3-dbfread is not installed");
    QVERIFY(!QTest::currentTestFailed());
    const QJsonArray rows = QJsonDocument::fromJson(out).array();
    QCOMPARE(rows, rowsAsJson());
}

// python3-dbf's dBASE III, Clipper and Visual FoxPro tables, TAHY as N or F,
// also with a dBASE IV header or no code-page mark.
void InteropTest::tablesOfOtherWritersAreReadHere_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tahy");
    QTest::addColumn<int>("version");        // patched into byte 0 when not 0
    QTest::addColumn<bool>("dropMark");
    QTest::newRow("dBASE III, TAHY N") << "db3" << "N(10,0)" << 0 << false;
    QTest::newRow("dBASE III, TAHY N with decimals") << "db3" << "N(12,2)" << 0 << false;
    QTest::newRow("dBASE III, no code-page mark") << "db3" << "N(10,0)" << 0 << true;
    QTest::newRow("dBASE IV header") << "db3" << "N(10,0)" << 0x8B << false;
    QTest::newRow("Clipper, TAHY F") << "clp" << "F(12,2)" << 0 << false;
    QTest::newRow("Visual FoxPro, TAHY F") << "vfp" << "F(10,0)" << 0 << false;
}

void InteropTest::tablesOfOtherWritersAreReadHere()
{
    QFETCH(QString, kind);
    QFETCH(QString, tahy);
    QFETCH(int, version);
    QFETCH(bool, dropMark);
    ScratchAppDir app;
    QDir().mkpath(app.file("Data"));
    const QString rows = QString::fromUtf8(QJsonDocument(rowsAsJson()).toJson(QJsonDocument::Compact));
    QByteArray out;
    if (!runPython(kWriteScript, {app.file(kTable), kind, tahy, rows}, "dbf", &out))
        QSKIP("Debian's python3-dbf is not installed");
    QVERIFY(!QTest::currentTestFailed());
    QByteArray bytes = app.readFile(kTable);
    QVERIFY(bytes.size() > 32);
    if (version)
        bytes[0] = char(version);
    if (dropMark)
        bytes[29] = 0;
    app.writeFile(kTable, bytes);

    TDataModule1 data;
    data.open();
    ResultsTable &t = data.Table1();
    t.setFiltered(true);
    for (const Row &r : kRows) {
        t.setFilter(ResultsTable::filterFor(r.count));
        t.setIndexFieldNames("TAHY");
        QVERIFY(t.SeekMoves(r.moves));
        QCOMPARE(t.currentName(), r.name);
        QCOMPARE(t.currentDate(), r.date);
        QCOMPARE(t.DateAsText(), ResultsTable::dateToText(r.date));
    }
    // A store rewrites the table in this program's layout, losing nothing.
    t.AppendResult("Nový", "8", "3", ResultsTable::dateToText(QDate(2026, 12, 7)));
    const QVector<ResultRecord> onDisk = readTable(app);
    QCOMPARE(onDisk.size(), kRows.size() + 1);
    for (int i = 0; i < kRows.size(); ++i)
        QCOMPARE(onDisk[i], rec(kRows[i].name, kRows[i].moves, kRows[i].count, kRows[i].date));
}

TORAN_TEST_GUILESS_MAIN(InteropTest)
#include "tst_interop.moc"
