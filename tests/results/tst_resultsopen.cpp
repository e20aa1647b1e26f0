#include "ResultsTableFixtures.h"

#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QFileSystemWatcher>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace ResultsFixtures;
using namespace ResultsTableFixtures;

// Opening the results table: a missing one is created, an unreadable one
// reported, what a killed writer left cleared.
class ResultsOpenTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void aMissingTableIsCreatedEmptyAtOpen_data();
    void aMissingTableIsCreatedEmptyAtOpen();
    void openingATableThatIsThereWritesNothingBesideIt();
    void anUnreadableTableIsReportedByNameAndLeftUntouched_data();
    void anUnreadableTableIsReportedByNameAndLeftUntouched();
    void whatIsNoTableFileIsNeitherReadNorWrittenThrough_data();
    void whatIsNoTableFileIsNeitherReadNorWrittenThrough();
    void onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen_data();
    void onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen();
    void aStoreKeepsThePermissionsButNoSpecialBits();
};

// Open creates a missing table: a copy of the template, or from the layout.
void ResultsOpenTest::aMissingTableIsCreatedEmptyAtOpen_data()
{
    QTest::addColumn<bool>("withTemplate");
    QTest::addColumn<bool>("withDataDir");
    QTest::newRow("template present") << true << true;
    QTest::newRow("template missing") << false << true;
    QTest::newRow("data directory missing") << false << false;
}

void ResultsOpenTest::aMissingTableIsCreatedEmptyAtOpen()
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

// Every start opens the table: with nothing to clear there it is only read,
// without a lock file written, synced and removed beside it.
void ResultsOpenTest::openingATableThatIsThereWritesNothingBesideIt()
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
    // The kernel notes a change at once: a short turn of the loop would
    // deliver it.
    QTest::qWait(10);
    QCOMPARE(changed.count(), 0);
}

// A table that cannot be read: an error naming the file and the fault; the
// file keeps every byte.
void ResultsOpenTest::anUnreadableTableIsReportedByNameAndLeftUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("grownTo");   // the file's size in MiB, grown with zeros; 0: as it is
    const QByteArray good = TableFile::build({rec("A", 7, "3"), rec("B", 8, "3")});
    // Larger than any table of a hundred thousand records of this length;
    // nothing of it is read.
    QTest::newRow("far larger than any table") << TableFile::build({}) << "větší než jakákoli tabulka" << 64;
    QTest::newRow("empty file") << QByteArray() << "krátký" << 0;
    QTest::newRow("not dBASE") << QByteArray("Toto je obyčejný text, ne tabulka dBASE.\n").repeated(4)
                               << "není tabulka dBASE" << 0;
    QTest::newRow("truncated in the records") << good.left(good.size() - 50) << "zkrácený" << 0;
    QTest::newRow("truncated in the header") << good.left(100) << "poškozená" << 0;
    QByteArray wrongType = good;
    wrongType[32 * 2 + 11] = 'C';   // TAHY as text
    QTest::newRow("TAHY as text") << wrongType << "pole TAHY má typ C" << 0;
    const QByteArray missing = TableFile::build({}).replace("DATUM", "DATUX");
    QTest::newRow("DATUM missing") << missing << "chybí pole DATUM" << 0;
    QByteArray shortRecord = good;
    shortRecord[10] = 50;   // record length below the fields' widths
    QTest::newRow("record length too small") << shortRecord << "délka záznamu" << 0;
    // 32,000 records of 65,535 bytes claimed: refused by the header alone.
    QByteArray inflated = TableFile::build({});
    inflated.replace(4, 4, QByteArray::fromHex("007d0000")).replace(10, 2, "\xff\xff");
    QTest::newRow("record length beyond the fields") << inflated << "neodpovídá polím" << 16;
}

void ResultsOpenTest::anUnreadableTableIsReportedByNameAndLeftUntouched()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QFETCH(int, grownTo);
    ScratchAppDir app;
    app.writeFile(kTable, bytes);
    if (grownTo) {
        QVERIFY(QFile::resize(app.file(kTable), qint64(grownTo) << 20));
        bytes = bytes.leftJustified(grownTo << 20, '\0');
    }
    TDataModule1 data;
    const QString error = errorOf([&] { data.open(); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(app.file(kTable))), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!data.Table1().isOpen());
    QCOMPARE(app.readFile(kTable), bytes);
    QVERIFY(!errorOf([&] { data.Table1().First(); }).isEmpty());
}

// A pipe or a symbolic link where the table should be, found at the start
// or planted while the game runs, is refused by name: the game neither
// waits on the pipe nor reads or writes through the link.
void ResultsOpenTest::whatIsNoTableFileIsNeitherReadNorWrittenThrough_data()
{
    QTest::addColumn<QString>("standing");
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<QString>("reason");
    QTest::newRow("pipe at the start") << "pipe" << true << "není obyčejný soubor";
    QTest::newRow("pipe planted later") << "pipe" << false << "není obyčejný soubor";
    QTest::newRow("link at the start") << "link" << true << "symbolický odkaz";
    QTest::newRow("link planted later") << "link" << false << "symbolický odkaz";
}

void ResultsOpenTest::whatIsNoTableFileIsNeitherReadNorWrittenThrough()
{
    QFETCH(QString, standing);
    QFETCH(bool, atStart);
    QFETCH(QString, reason);
    if (!canPlant(standing))
        QSKIP("no symbolic link or named pipe here");
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath("Toran.dbf");
    const QByteArray victimBytes = TableFile::build({rec("Cizí", 5, "3")});
    QVERIFY(writeFile(victim, victimBytes));
    TDataModule1 data;
    if (!atStart)
        data.open();
    QVERIFY(QFile::remove(app.file(kTable)) && plant(standing, app.file(kTable), victim));
    const QString error = errorOf([&] {
        if (atStart)
            data.open();
        data.Table1().AppendResult("B", "8", "3", ResultsTable::dateToText(kToday));
    });
    QVERIFY2(error.contains(QDir::toNativeSeparators(app.file(kTable))) && error.contains(reason), qPrintable(error));
    QCOMPARE(readFile(victim), victimBytes);
}

// Opening clears what a killed writer left, and nothing else: files beside
// the table that the player made stay, whatever their name's case.
void ResultsOpenTest::onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen_data()
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

void ResultsOpenTest::onlyTheProgramsOwnUnfinishedFilesAreClearedAtOpen()
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

// A planted setuid, setgid and sticky table: the stored one keeps only
// the permissions proper.
void ResultsOpenTest::aStoreKeepsThePermissionsButNoSpecialBits()
{
#ifndef Q_OS_UNIX
    QSKIP("no such bits on this system");
#else
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    const QByteArray table = QFile::encodeName(app.file(kTable));
    QCOMPARE(::chmod(table.constData(), 07640), 0);
    TDataModule1 data;
    data.open();
    data.Table1().AppendResult("B", "8", "3", ResultsTable::dateToText(kToday));
    struct stat st;
    QCOMPARE(::stat(table.constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
#endif
}

TORAN_TEST_GUILESS_MAIN(ResultsOpenTest)
#include "tst_resultsopen.moc"
