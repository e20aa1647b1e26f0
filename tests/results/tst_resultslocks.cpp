#include "ResultsTableFixtures.h"

#include "core/system/Today.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QtTest>

using namespace ResultsFixtures;
using namespace ResultsTableFixtures;

// The lock file beside the results table.
class ResultsLockTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Today::setForTesting(kToday); }
    void cleanup() { Today::setForTesting(QDate()); }

    void aLockLeftHalfWrittenByACrashedCopyIsCleared();
    void noWriteHappensWhileAnotherCopyHoldsTheLock();
    void aLockThatIsNoRegularFileIsNamedInTheError_data();
    void aLockThatIsNoRegularFileIsNamedInTheError();
};

// A copy killed between creating its lock file and filling it leaves an
// empty one: it does not keep the table locked.
void ResultsLockTest::aLockLeftHalfWrittenByACrashedCopyIsCleared()
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
void ResultsLockTest::noWriteHappensWhileAnotherCopyHoldsTheLock()
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
void ResultsLockTest::aLockThatIsNoRegularFileIsNamedInTheError_data()
{
    QTest::addColumn<QString>("standing");
    QTest::newRow("dangling symbolic link") << "link";
    QTest::newRow("folder") << "folder";
}

void ResultsLockTest::aLockThatIsNoRegularFileIsNamedInTheError()
{
    QFETCH(QString, standing);
    if (!canPlant(standing))
        QSKIP("no symbolic link here");
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    const QString lock = app.file("Data/Toran.lock");
    QVERIFY(plant(standing, lock, app.file("Data/nikde")));
    TDataModule1 data;
    QElapsedTimer clock;
    clock.start();
    const QString error = errorOf([&] { data.open(); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(lock)), qPrintable(error));
    QVERIFY2(!error.contains("jiná kopie"), qPrintable(error));
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY(!data.Table1().isOpen());
}

TORAN_TEST_GUILESS_MAIN(ResultsLockTest)
#include "tst_resultslocks.moc"
