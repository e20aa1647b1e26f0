#include "ResultsFixtures.h"

#include "core/results/Data.h"
#include "core/errors/AppError.h"
#include "support/TestMain.h"

#include <QHostInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace ResultsFixtures;

namespace {
QString writerProgram() { return helperProgram(QStringLiteral(RESULTS_WRITER_NAME)); }

// A writer process, started and waiting for the word to begin.
class Writer
{
public:
    // noRoom: every write past the first byte fails, as on a full disk.
    Writer(const ScratchAppDir &app, const QString &mode, const QString &prefix, int count, bool noRoom = false)
    {
#ifdef Q_OS_UNIX
        if (noRoom)
            m_process.setChildProcessModifier([] {
                const rlimit none{0, 0};
                setrlimit(RLIMIT_FSIZE, &none);
                std::signal(SIGXFSZ, SIG_IGN);
            });
#else
        Q_UNUSED(noRoom);
#endif
        m_process.start(writerProgram(), {mode, app.path(), prefix, QString::number(count)});
    }

    bool waitReady()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(30000))
                return false;
        return m_process.readLine().trimmed() == "ready";
    }
    // Written at once: a QProcess buffers writes until it is waited on.
    bool go()
    {
        m_process.write("go\n");
        return m_process.waitForBytesWritten(10000);
    }
    QProcess &process() { return m_process; }

    // The names whose writes the writer reported finished.
    QStringList reported(const char *word = "stored")
    {
        m_output += m_process.readAllStandardOutput();
        QStringList names;
        const QByteArray prefix = QByteArray(word) + ' ';
        for (const QByteArray &line : m_output.split('\n'))
            if (line.startsWith(prefix))
                names << QString::fromUtf8(line.mid(prefix.size()));
        return names;
    }
    QByteArray output() const { return m_output; }

private:
    QProcess m_process;
    QByteArray m_output;
};

// Used by the Linux-only test of killed writers.
[[maybe_unused]] QStringList namesOnDisk(const ScratchAppDir &app)
{
    QStringList names;
    for (const ResultRecord &r : readTable(app))
        names << r.name;
    return names;
}
} // namespace

class ProcessesTest : public QObject
{
    Q_OBJECT
private slots:
    void aWriterKilledAtAnyMomentLeavesEveryFinishedResult();
    void twoCopiesStoringAtOnceLoseNoResult();
    void copiesStoringTogetherKeepTenResults();
    void aLockFileLeftByAnotherUserStopsNoStore_data();
    void aLockFileLeftByAnotherUserStopsNoStore();
    void aFullDiskFailsTheStoreWithItsReasonUntilThereIsRoom_data();
    void aFullDiskFailsTheStoreWithItsReasonUntilThereIsRoom();
};

// SIGKILL at random moments of a loop of writes: the table always opens and
// holds every result reported written, plus at most the one in flight.
// TORAN_KILL_RUNS sets how many writers are killed.
void ProcessesTest::aWriterKilledAtAnyMomentLeavesEveryFinishedResult()
{
#ifndef Q_OS_LINUX
    QSKIP("killing a writer mid-write is tested on Linux");
#else
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    ScratchAppDir app;
    QStringList finished;
    const int kRuns = qEnvironmentVariableIntValue("TORAN_KILL_RUNS") > 0
        ? qEnvironmentVariableIntValue("TORAN_KILL_RUNS") : 12;
    int torn = 0;
    int lost = 0;
    for (int run = 0; run < kRuns; ++run) {
        Writer writer(app, "append", QStringLiteral("run%1-").arg(run), 1000000);
        QVERIFY(writer.waitReady());
        QVERIFY(writer.go());
        QTest::qWait(int(random.bounded(5, 120)));   // the kill comes at a random moment of the writes
        writer.process().kill();
        QVERIFY(writer.process().waitForFinished(10000));
        QCOMPARE(writer.process().exitStatus(), QProcess::CrashExit);
        const QStringList reported = writer.reported();
        QVERIFY2(!writer.output().contains("error"), writer.output().constData());
        finished += reported;

        TDataModule1 data;
        try {
            data.open();
        } catch (const AppError &e) {
            ++torn;
            qWarning("run %d: %s", run, qPrintable(e.text()));
            continue;
        }
        // Opening cleared the killed writer's unfinished file.
        QCOMPARE(QDir(app.file("Data")).entryList(QDir::Files | QDir::Hidden), QStringList{"Toran.dbf"});
        const QStringList onDisk = namesOnDisk(app);
        const QSet<QString> have(onDisk.begin(), onDisk.end());
        for (const QString &name : std::as_const(finished))
            if (!have.contains(name)) {
                ++lost;
                qWarning("run %d: %s is lost", run, qPrintable(name));
            }
        QCOMPARE(lost, 0);
        // Only this run's next write may have reached the disk unreported.
        QVERIFY(onDisk.size() == finished.size() || onDisk.size() == finished.size() + 1);
        if (onDisk.size() > finished.size())
            QCOMPARE(onDisk.last(), QStringLiteral("run%1-%2").arg(run).arg(reported.size()));
        finished = onDisk;
    }
    qInfo("%d writers killed, %d results on disk: %d torn tables, %d results lost", kRuns,
          int(finished.size()), torn, lost);
    QCOMPARE(torn, 0);
    QVERIFY2(finished.size() > kRuns, "the writers never got to write");
#endif
}

// Two writers take the result dialog's path into one table at once; each
// count gets exactly its ten results and none of the eighty goes missing.
void ProcessesTest::twoCopiesStoringAtOnceLoseNoResult()
{
    ScratchAppDir app;
    Writer a(app, "store", "A", 40);
    Writer b(app, "store", "B", 40);
    QVERIFY(a.waitReady());
    QVERIFY(b.waitReady());
    QVERIFY(a.go());
    QVERIFY(b.go());
    for (Writer *w : {&a, &b}) {
        QVERIFY(w->process().waitForFinished(60000));
        QCOMPARE(w->process().exitCode(), 0);
        QCOMPARE(w->reported().size(), 40);
    }
    const QVector<ResultRecord> records = readTable(app);
    QCOMPARE(records.size(), 80);
    QSet<QString> names;
    QMap<QString, int> perCount;
    for (const ResultRecord &r : records) {
        names.insert(r.name);
        ++perCount[r.count];
    }
    for (int i = 0; i < 40; ++i) {
        QVERIFY(names.contains(QStringLiteral("A%1").arg(i)));
        QVERIFY(names.contains(QStringLiteral("B%1").arg(i)));
    }
    for (int n = 3; n <= 10; ++n)
        QCOMPARE(perCount.value(QString::number(n)), 10);
}

// Several copies finishing a game at one moment: the stores take turns, so
// that the table keeps its ten results of the count, whatever the order.
void ProcessesTest::copiesStoringTogetherKeepTenResults()
{
    for (int trial = 0; trial < 4; ++trial) {
        ScratchAppDir app;
        QVector<ResultRecord> nine;
        for (int i = 0; i < 9; ++i)
            nine << rec(QStringLiteral("S%1").arg(i), 100 + i, "3");
        writeTable(app, nine);
        std::vector<std::unique_ptr<Writer>> writers;
        for (int w = 0; w < 6; ++w)
            writers.push_back(std::make_unique<Writer>(app, "store", QStringLiteral("W%1-").arg(w), 1));
        for (auto &w : writers)
            QVERIFY(w->waitReady());
        for (auto &w : writers)   // all at one moment
            QVERIFY(w->go());
        for (auto &w : writers) {
            QVERIFY(w->process().waitForFinished(30000));
            QCOMPARE(w->reported().size(), 1);
        }
        QCOMPARE(readTable(app).size(), 10);
    }
}

// In an installation shared by two players (a sticky folder open to both),
// a lock file that one player's copy left behind, which the other may not
// remove or even read, holds nothing: the other's copy stores.
void ProcessesTest::aLockFileLeftByAnotherUserStopsNoStore_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("readable") << 0644;
    QTest::newRow("closed to others") << 0600;
}

void ProcessesTest::aLockFileLeftByAnotherUserStopsNoStore()
{
#ifndef Q_OS_LINUX
    QSKIP("two users are tested on Linux");
#else
    QFETCH(int, mode);
    const SecondUser user;
    if (!user.reason.isEmpty())
        QSKIP(qPrintable(user.reason));
    ScratchAppDir app;
    // A copy of this user that is gone: no process has that number.
    app.writeFile("Data/Toran.lock", "2147483646\nresults_writer\n" + QHostInfo::localHostName().toUtf8() + "\n");
    QVERIFY(user.share(app.path()) && user.share(app.file("Data"), true));
    QCOMPARE(::chmod(QFile::encodeName(app.file("Data/Toran.lock")).constData(), mode_t(mode)), 0);
    const QString writer = user.copyProgram(writerProgram());
    QVERIFY(!writer.isEmpty());
    QProcess other;
    other.start(user.command(), user.arguments({writer, "append", app.path(), "X", "1"}));
    other.write("go\n");
    other.closeWriteChannel();
    QVERIFY(other.waitForFinished(30000));
    const QString output = QString::fromUtf8(other.readAllStandardOutput());
    QVERIFY2(output.contains("stored X0"), qPrintable(output));
    QCOMPARE(readTable(app).size(), 1);
#endif
}

void ProcessesTest::aFullDiskFailsTheStoreWithItsReasonUntilThereIsRoom_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("tableThere");
    QTest::newRow("append") << "append" << true;
    QTest::newRow("the result dialog's store") << "store" << true;
    QTest::newRow("the result dialog's store, no table yet") << "store" << false;
}

// A folder with no room for the lock is no other copy at work: the store
// fails with the system's reason, leaves nothing beside the table, and the
// next store, with room again, works.
void ProcessesTest::aFullDiskFailsTheStoreWithItsReasonUntilThereIsRoom()
{
#ifndef Q_OS_UNIX
    QSKIP("a file size limit stands for a full disk on POSIX systems");
#else
    QFETCH(QString, mode);
    QFETCH(bool, tableThere);
    ScratchAppDir app;
    writeTable(app, {}, kTemplate);
    if (tableThere)
        writeTable(app, {rec("A", 7, "4")});
    const QStringList before = QDir(app.file("Data")).entryList(QDir::Files | QDir::Hidden);
    Writer full(app, mode, "X", 1, true);
    QVERIFY(full.waitReady());
    QVERIFY(full.go());
    QVERIFY(full.process().waitForFinished(30000));
    full.reported();
    QVERIFY2(full.output().startsWith("error ") && full.output().contains(std::strerror(EFBIG))
                 && !full.output().contains("jiná kopie"),
             full.output().constData());
    QCOMPARE(QDir(app.file("Data")).entryList(QDir::Files | QDir::Hidden), before);
    Writer roomy(app, mode, "Y", 1);
    QVERIFY(roomy.waitReady());
    QVERIFY(roomy.go());
    QVERIFY(roomy.process().waitForFinished(30000));
    QCOMPARE(roomy.reported(), QStringList{"Y0"});
    QCOMPARE(readTable(app).size(), tableThere ? 2 : 1);
#endif
}

TORAN_TEST_GUILESS_MAIN(ProcessesTest)
#include "tst_processes.moc"
