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
    void aLockThatIsNoRegularFileStopsNoStore_data();
    void aLockThatIsNoRegularFileStopsNoStore();
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

// Whatever stands at the lock's name, a symbolic link (even to nowhere), a
// folder or a pipe, holds no lock: the game opens and stores at once, and
// leaves it alone. Two copies still exclude each other then.
void ResultsLockTest::aLockThatIsNoRegularFileStopsNoStore_data()
{
    QTest::addColumn<QString>("standing");
    QTest::newRow("dangling symbolic link") << "link";
    QTest::newRow("folder") << "folder";
    QTest::newRow("pipe") << "pipe";
}

void ResultsLockTest::aLockThatIsNoRegularFileStopsNoStore()
{
    QFETCH(QString, standing);
    if (!canPlant(standing))
        QSKIP("no symbolic link or named pipe here");
#ifdef Q_OS_WIN
    QSKIP("Windows locks no folder: the store says it cannot be made");
#endif
    ScratchAppDir app;
    writeTable(app, {rec("A", 7, "3")});
    const QString lock = app.file("Data/Toran.lock");
    QVERIFY(plant(standing, lock, app.file("Data/nikde")));
    TDataModule1 data;
    QElapsedTimer clock;
    clock.start();
    data.open();
    data.Table1().AppendResult("B", "8", "3", ResultsTable::dateToText(kToday));
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(readTable(app).size(), 2);
    const QFileInfo left(lock);
    QVERIFY(left.isSymLink() || (left.exists() && !left.isFile()));
    if (standing != "pipe")
        return;
    TDataModule1 other;
    other.open();
    ResultsTable::Locker held(data.Table1());
    const QString today = ResultsTable::dateToText(kToday);
    const QString error = errorOf([&] { other.Table1().AppendResult("C", "9", "3", today); });
    QVERIFY2(error.contains("jiná kopie"), qPrintable(error));
    QCOMPARE(readTable(app).size(), 2);
}

TORAN_TEST_GUILESS_MAIN(ResultsLockTest)
#include "tst_resultslocks.moc"
