#include "core/results/TableFile.h"
#include "core/shell/AppPath.h"
#include "core/widgets/Fonts.h"
#include "shell/Hlavni.h"
#include "services/Pacing.h"
#include "shell/Platform.h"
#include "shell/Spusteni.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/TestSupport.h"
#include "widgets/GradProgress.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
const char kGameFlag[] = "--the-game";

// The child: the whole program in a scratch folder, quitting once its main
// window is painted.
int runTheGame(int argc, char *argv[])
{
    AppPath::setDirForTesting(QString::fromLocal8Bit(argv[2]));
    qputenv("TORAN2000_QUIT_WHEN_SHOWN", "1");
    return Startup::run(argc, argv);
}

QWidget *topLevel(const char *name)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name))
            return top;
    return nullptr;
}
} // namespace

class StartupTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void progressRunsThroughItsTwelvePositionsWithTheMainWindowFirst();
    void splashBarShowsEveryPositionBeforeTheLoopRuns();
    void splashNamesTheUserOrUnknown();
    void qtsOwnTextsSpeakCzech();
    void heapMappedAheadServesAllocationsWithoutFaults();
    void aFileSizeLimitStillLetsTheGameStart();
};

void StartupTest::initTestCase()
{
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
}

void StartupTest::progressRunsThroughItsTwelvePositionsWithTheMainWindowFirst()
{
    ScratchAppDir dir;
    QList<int> positions;
    bool mainFirst = false;
    auto windows = Startup::createWindows([&](int position) {
        positions << position;
        if (position == 21)
            mainFirst = topLevel("HlavniDialog") != nullptr;
    });
    QCOMPARE(positions, (QList<int>{7, 14, 21, 28, 35, 42, 63, 70, 77, 84, 91, 100}));
    QVERIFY(mainFirst);
}

// The bar paints each position at once: start-up runs before the loop.
void StartupTest::splashBarShowsEveryPositionBeforeTheLoopRuns()
{
    ScratchAppDir dir;
    TSpusteniDialog splash;
    splash.show();
    TGradProgress *metr = splash.metr();
    QCOMPARE(metr->size(), QSize(231, 17));
    auto windows = Startup::createWindows([&](int position) {
        metr->setPosition(position);
        QCOMPARE(metr->position(), position);
        // Right after the call, with no event processed, the bar's pixels show it.
        const QImage shown = metr->grab().toImage();
        const int filled = (position * 231 + 50) / 100;
        const QColor tip(shown.pixel(qMin(filled - 1, 229), 8));   // the outermost column is never painted
        QCOMPARE(tip.red(), 255);
        QVERIFY2(tip.green() < 40, qPrintable(tip.name()));   // nearly the end colour at the tip
        if (filled + 1 < 230)
            QCOMPARE(QColor(shown.pixel(filled + 1, 8)), QColor(Qt::black));
    });
    QCOMPARE(metr->position(), 100);
}

void StartupTest::splashNamesTheUserOrUnknown()
{
    TSpusteniDialog splash;
    QVERIFY(!splash.ownerLabel()->text().isEmpty());
    QCOMPARE(splash.organizationLabel()->text(), QStringLiteral("unknown"));
    QCOMPARE(splash.size(), QSize(339, 288));
}

// The name box's context menu comes from Qt; with Qt's Czech translation it
// speaks Czech like the rest of the game.
void StartupTest::qtsOwnTextsSpeakCzech()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_cs.qm")))
        QSKIP("Qt's Czech translation (qt6-translations-l10n) is not installed");
    QTranslator translator;
    QVERIFY(Startup::installQtTranslation(translator));
    QLineEdit name;
    std::unique_ptr<QMenu> menu(name.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY2(texts.contains(QStringLiteral("&Vložit")) && texts.contains(QStringLiteral("Vybrat vše")),
             qPrintable(texts.join(QStringLiteral(", "))));
}

void StartupTest::heapMappedAheadServesAllocationsWithoutFaults()
{
#if !defined(__GLIBC__)
    QSKIP("The heap is mapped ahead only with the GNU C library");
#else
    if (!Platform::HeapAhead::available())
        QSKIP("This build or kernel does not map the heap ahead (sanitizer allocator, or before Linux 5.14)");
    // More than the heap is likely to hold free already, in blocks of the
    // size widgets ask for; fresh, 3 MiB of heap is 768 faults.
    constexpr std::size_t kAhead = 4 << 20, kUsed = 3 << 20, kBlock = 256;
    const auto faults = [] {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return usage.ru_minflt;
    };
    std::vector<char *> blocks;
    blocks.reserve(kUsed / kBlock);
    Platform::HeapAhead ahead(kAhead);
    const long before = faults();
    for (std::size_t i = 0; i < kUsed / kBlock; ++i) {
        auto *block = static_cast<char *>(std::malloc(kBlock));
        QVERIFY(block);
        std::memset(block, 1, kBlock);
        blocks.push_back(block);
    }
    const long taken = faults() - before;
    for (char *block : blocks)
        std::free(block);
    QVERIFY2(taken < 768 / 8, qPrintable(QStringLiteral("%1 page faults").arg(taken)));
#endif
}

// Under "ulimit -f 0" the first write of the start-up (the table's lock) is
// past the limit: it fails as on a full disk, and the game starts on the
// empty table, leaving nothing behind.
void StartupTest::aFileSizeLimitStillLetsTheGameStart()
{
#if !defined(Q_OS_UNIX)
    QSKIP("file size limits are POSIX");
#else
    ScratchAppDir dir;
    dir.writeFile("Data/Zaloha/Toran.dbf", TableFile::build({}));
    QTemporaryDir runtime;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    game.setProcessEnvironment(env);
    game.setChildProcessModifier([] {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        std::signal(SIGXFSZ, SIG_DFL);
    });
    game.start(QCoreApplication::applicationFilePath(), {"StartupTest", kGameFlag, dir.path()});
    QVERIFY(game.waitForFinished(60000));
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 0);
    QVERIFY(game.readAllStandardOutput().contains("shown"));
    QCOMPARE(QDir(dir.file("Data")).entryList(QDir::Files | QDir::Hidden), QStringList());
#endif
}

namespace {
int runStartupTest(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], kGameFlag) == 0)
        return runTheGame(argc, argv);
    return TestMain::runWidgets<StartupTest>(argc, argv);
}
} // namespace

TORAN_TEST_REGISTER(StartupTest, &runStartupTest)
#include "tst_startup.moc"
