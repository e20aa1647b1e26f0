// Two copies of the program on one X server: a second start while a copy
// runs only shows the assistant with its notice and ends at once on Enter;
// while the first copy shows the boss screen's caption, a second start runs
// normally.
#include "core/channel/InstanceChannel.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString xdotool(const QStringList &args) { return QString::fromUtf8(outputOf("xdotool", args)).trimmed(); }

// Windows of the X server with exactly this name.
QStringList windowsNamed(const QString &name)
{
    const QString found = xdotool({"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(name) + "$"});
    return found.isEmpty() ? QStringList() : found.split('\n');
}

bool waitFor(const std::function<bool()> &condition, int ms = 15000) { return QTest::qWaitFor(condition, ms); }

// Whether a copy answers on the running-copy channel as the program's main
// window with that caption: what a second start asks.
bool copyAnswers(const QString &caption) { return findRunningCopy(QStringLiteral("THlavniDialog"), caption); }

// Whether the window with the keyboard focus is one of that process's.
bool hasFocus(const QProcess &process)
{
    return xdotool({"getwindowfocus", "getwindowpid"}) == QString::number(process.processId());
}
} // namespace

class TwoCopiesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void aSecondCopyShowsTheNoticeAndEndsOnEnter_data();
    void aSecondCopyShowsTheNoticeAndEndsOnEnter();
    void aSecondStartUnderTheBossScreenRunsNormally();

private:
    void startFirstCopy();

    QTemporaryDir m_dir;
    QString m_exe;
    QProcess m_first;
    QProcess m_second;
};

void TwoCopiesTest::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    // A copy of its own: the program keeps its files beside itself.
    m_exe = m_dir.filePath(QStringLiteral("Toran2000"));
    QVERIFY(QFile::copy(QStringLiteral(TORAN2000_EXE), m_exe));
    QFile::setPermissions(m_exe, QFile::permissions(m_exe) | QFile::ExeOwner);
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("Toran2000.ini")), "[Nastaveni]\r\nAnimace=0\r\n"));
}

void TwoCopiesTest::cleanup()
{
    // A copy still dying would answer the next test's first copy.
    for (QProcess *p : {&m_second, &m_first}) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            QVERIFY(p->waitForFinished(10000));
        }
    }
}

void TwoCopiesTest::startFirstCopy()
{
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("KQ2000.ini")), "[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n"));
    m_first.start(m_exe, {});
    QVERIFY(m_first.waitForStarted());
    QVERIFY2(waitFor([] { return windowsNamed(QStringLiteral("Toranská věž 2000")).size() == 1; }),
             qPrintable(QStringLiteral("first copy %1, %2 assistant windows; its errors: %3")
                            .arg(m_first.state() == QProcess::Running ? "running" : "ended")
                            .arg(windowsNamed(QStringLiteral("Pomocník")).size())
                            .arg(QString::fromLocal8Bit(m_first.readAllStandardError()))));
    // The second start asks the channel: the first copy answers there.
    waitFor([] { return copyAnswers(QStringLiteral("Toranská věž 2000")); }, 5000);
}

void TwoCopiesTest::aSecondCopyShowsTheNoticeAndEndsOnEnter_data()
{
    QTest::addColumn<bool>("firstShowsAResult");
    QTest::newRow("first copy idle") << false;
    // Its one-second timer must not take the second copy's keys.
    QTest::newRow("first copy shows a result") << true;
}

void TwoCopiesTest::aSecondCopyShowsTheNoticeAndEndsOnEnter()
{
    QFETCH(bool, firstShowsAResult);
    startFirstCopy();
    if (firstShowsAResult) {
        // A game of three disks, played by keys: F2, 3, then the seven moves.
        xdotool({"windowfocus", "--sync", windowsNamed(QStringLiteral("Toranská věž 2000")).value(0)});
        for (const char *key : {"F2", "3", "1", "3", "1", "2", "3", "2", "1", "3", "2", "1", "2", "3", "1", "3"}) {
            xdotool({"key", key});
            QTest::qWait(500);
        }
        // The result balloon beside the main window and the assistant.
        QVERIFY(waitFor([this] {
            return xdotool({"search", "--onlyvisible", "--pid", QString::number(m_first.processId())})
                       .split('\n').size() == 3;
        }, 5000));
    }
    m_second.start(m_exe, {});
    QVERIFY(m_second.waitForStarted());
    // The second copy shows its assistant (a second "Pomocník" window)...
    QVERIFY(waitFor([] { return windowsNamed(QStringLiteral("Pomocník")).size() == 2; }));
    // ...whose notice takes the keys and keeps them...
    waitFor([this] { return hasFocus(m_second); }, 5000);
    QTest::qWait(2500);
    QVERIFY(hasFocus(m_second));
    // ...and no main window of its own.
    QCOMPARE(windowsNamed(QStringLiteral("Toranská věž 2000")).size(), 1);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("Data/Toran.dbf.lock"))));
    // It ends at once once the notice is confirmed.
    QElapsedTimer sinceEnter;
    sinceEnter.start();
    xdotool({"key", "Return"});
    QVERIFY(m_second.waitForFinished(10000));
    QVERIFY2(sinceEnter.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(sinceEnter.elapsed())));
    QCOMPARE(m_second.exitCode(), 0);
    QVERIFY(readFile(m_dir.filePath(QStringLiteral("KQ2000.ini"))).contains("Pomocnik=0"));
    QCOMPARE(m_first.state(), QProcess::Running);
}

void TwoCopiesTest::aSecondStartUnderTheBossScreenRunsNormally()
{
    startFirstCopy();
    const QString mainWindow = windowsNamed(QStringLiteral("Toranská věž 2000")).value(0);
    QVERIFY(!mainWindow.isEmpty());
    // The boss screen's toolbar button, 81 + 2 pixels into the toolbar.
    const QString geometry = xdotool({"getwindowgeometry", "--shell", mainWindow});
    int x = 0, y = 0;
    for (const QString &line : geometry.split('\n')) {
        if (line.startsWith("X="))
            x = line.mid(2).toInt();
        if (line.startsWith("Y="))
            y = line.mid(2).toInt();
    }
    xdotool({"mousemove", QString::number(x + 94), QString::number(y + 35), "click", "1"});
    QVERIFY(waitFor([] { return windowsNamed(QStringLiteral("Plnění plánu v letošním roce")).size() == 1; }));

    m_second.start(m_exe, {});
    QVERIFY(m_second.waitForStarted());
    QVERIFY(waitFor([] { return windowsNamed(QStringLiteral("Toranská věž 2000")).size() == 1; }));
    // It answers as the running copy: past the point where a second copy ends.
    waitFor([] { return copyAnswers(QStringLiteral("Toranská věž 2000")); }, 5000);
    QCOMPARE(m_second.state(), QProcess::Running);
}

TORAN_TEST_GUILESS_MAIN(TwoCopiesTest)
#include "tst_two_copies.moc"
