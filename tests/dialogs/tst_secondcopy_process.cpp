// A second copy in a process of its own on a real X server: the keys reach
// the notice as the player would press them, and the process ends.
#include "dialogs/Kopie.h"
#include "dialogs/Pomocnik.h"
#include "dialogs/SecondCopy.h"
#include "core/files/AppPath.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {
const char kChildFlag[] = "--second-copy";

// The second copy itself: its application directory is the scratch folder
// given on the command line. Says where its windows stand once shown.
int runSecondCopy(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    AppPath::setDirForTesting(dir);
    QDir::setCurrent(dir);
    const SecondCopy::Windows windows = SecondCopy::start(app);
    QTimer::singleShot(300, [&] {
        const QRect a = windows.assistant->frameGeometry();
        const QRect n = windows.notice->frameGeometry();
        std::printf("ready %d %d %d %d\n", a.x(), a.y(), n.x(), n.y());
        std::fflush(stdout);
    });
    return app.exec();
}

QByteArray iniText(const QString &dir) { return readFile(dir + QStringLiteral("/KQ2000.ini")); }
} // namespace

class SecondCopyProcessTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void escOrEnterEndsTheSecondCopyAndRecordsTheAssistantClosed_data();
    void escOrEnterEndsTheSecondCopyAndRecordsTheAssistantClosed();
};

void SecondCopyProcessTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs a real X server");
}

void SecondCopyProcessTest::escOrEnterEndsTheSecondCopyAndRecordsTheAssistantClosed_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("Enter") << "Return";
    QTest::newRow("Esc") << "Escape";
}

void SecondCopyProcessTest::escOrEnterEndsTheSecondCopyAndRecordsTheAssistantClosed()
{
    QFETCH(QString, key);
    QTemporaryDir dir;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("SecondCopyProcessTest"), QString::fromLatin1(kChildFlag), dir.path()});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine(), 10000);
    const QStringList ready = QString::fromLatin1(child.readLine()).trimmed().split(QLatin1Char(' '));
    QCOMPARE(ready.value(0), QStringLiteral("ready"));
    // Xvfb's screen is 1024 x 768: the assistant centred, the notice beside it.
    QCOMPARE(ready.mid(1), (QStringList{"460", "332", "175", "339"}));
    QVERIFY(iniText(dir.path()).contains("Pomocnik=1"));

    // A key the notice ignores, then the one that ends the copy.
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"key", "space"}), 0);
    QTest::qWait(200);   // a key that ends the copy ends it well within this
    QCOMPARE(child.state(), QProcess::Running);
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"key", key}), 0);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY(iniText(dir.path()).contains("Pomocnik=0"));
    // Nothing else was written: no results table was opened.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"KQ2000.ini"});
}

namespace {
// The same class name starts the test or, with the flag, the second copy.
int runSecondCopyProcessTest(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], kChildFlag) == 0)
        return runSecondCopy(argc, argv);
    return TestMain::runWidgets<SecondCopyProcessTest>(argc, argv);
}
} // namespace

TORAN_TEST_REGISTER(SecondCopyProcessTest, &runSecondCopyProcessTest)

#include "tst_secondcopy_process.moc"
