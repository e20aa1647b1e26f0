#include "core/system/Language.h"
#include "core/results/TableFile.h"
#include "core/files/AppPath.h"
#include "core/drawing/Fonts.h"
#include "shell/Hlavni.h"
#include "services/ErrorReport.h"
#include "services/Pacing.h"
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
    void gameSpeaksThePlayersFirstLanguageItHas_data();
    void gameSpeaksThePlayersFirstLanguageItHas();
    void qtsOwnTextsSpeakTheGamesLanguage_data();
    void qtsOwnTextsSpeakTheGamesLanguage();
    void aFileSizeLimitStillLetsTheGameStart();
    void waylandChosenByHandIsRefusedInOneLine_data();
    void waylandChosenByHandIsRefusedInOneLine();
    void aStartUpErrorIsNotHiddenUnderTheSplash();
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

// The environment names the player's languages as a desktop does; the game
// speaks the first that it has, and Czech when it has none of them.
void StartupTest::gameSpeaksThePlayersFirstLanguageItHas_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("language");
    QTest::newRow("nothing set") << QStringList() << "cs";
    QTest::newRow("C.UTF-8") << QStringList{"LANG=C.UTF-8"} << "cs";
    QTest::newRow("POSIX") << QStringList{"LANG=POSIX"} << "cs";
    QTest::newRow("Czech") << QStringList{"LANG=cs_CZ.UTF-8"} << "cs";
    QTest::newRow("English") << QStringList{"LANG=en_US.UTF-8"} << "en";
    QTest::newRow("LANGUAGE=en on C") << QStringList{"LANG=C.UTF-8", "LANGUAGE=en"} << "en";
    QTest::newRow("German only") << QStringList{"LANG=de_DE.UTF-8"} << "cs";
    QTest::newRow("German, then English") << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=de:en"} << "en";
    QTest::newRow("Czech before English") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=cs:en"} << "cs";
    QTest::newRow("English before Czech") << QStringList{"LANG=cs_CZ.UTF-8", "LANGUAGE=en:cs"} << "en";
    QTest::newRow("LC_ALL over LANG") << QStringList{"LANG=cs_CZ.UTF-8", "LC_ALL=en_GB.UTF-8"} << "en";
    QTest::newRow("LC_MESSAGES over LANG") << QStringList{"LANG=cs_CZ.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << "en";
}

void StartupTest::gameSpeaksThePlayersFirstLanguageItHas()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, language);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QLatin1String(name));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(LANGUAGE_PROBE_PATH), QStringList());
    QVERIFY(probe.waitForFinished(10000));
    QCOMPARE(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(), language);
}

// The name box's context menu comes from Qt: in Czech with Qt's Czech
// translation, like the rest of the game, and in English Qt's own texts.
void StartupTest::qtsOwnTextsSpeakTheGamesLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("cs") << "cs" << QStringList{"&Vložit", "Vybrat vše"};
    QTest::newRow("en") << "en" << QStringList{"&Paste", "Select All"};
}

void StartupTest::qtsOwnTextsSpeakTheGamesLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, entries);
    if (language == QLatin1String("cs")
        && !QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_cs.qm")))
        QSKIP("Qt's Czech translation (qt6-translations-l10n) is not installed");
    QTranslator game, qt;
    QVERIFY(Startup::installTranslations(language, game, qt));
    QLineEdit name;
    std::unique_ptr<QMenu> menu(name.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QCoreApplication::removeTranslator(&game);
    QCoreApplication::removeTranslator(&qt);
    Language::setCurrent(Language::kCzech);
    for (const QString &entry : entries)
        QVERIFY2(texts.contains(entry), qPrintable(texts.join(QStringLiteral(", "))));
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

// Qt would abort with its own message; the game says in one line what it
// needs: X11 chosen, or an X display.
void StartupTest::waylandChosenByHandIsRefusedInOneLine_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("hint");
    QTest::newRow("wayland chosen") << "wayland" << qEnvironmentVariable("DISPLAY") << "QT_QPA_PLATFORM=xcb";
#ifdef Q_OS_LINUX
    QTest::newRow("no display") << "" << "" << "DISPLAY";
#endif
}

void StartupTest::waylandChosenByHandIsRefusedInOneLine()
{
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, hint);
    ScratchAppDir dir;
    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    game.setProcessEnvironment(env);
    game.start(QCoreApplication::applicationFilePath(), {"StartupTest", kGameFlag, dir.path()});
    QVERIFY(game.waitForFinished(30000));
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 1);
    const QByteArray text = game.readAllStandardError().trimmed();
    QVERIFY2(!text.contains('\n') && text.contains("X11") && text.contains(hint.toUtf8()), text);
}

// A table that cannot be opened is reported while the splash still
// stands: the splash steps back, so that the always-on-top picture does
// not cover the box.
void StartupTest::aStartUpErrorIsNotHiddenUnderTheSplash()
{
    ScratchAppDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Data/Toran.dbf")));   // a folder where the table belongs
    TSpusteniDialog splash;
    splash.show();
    QStringList reports;
    bool splashShown = true;
    ErrorReport::setSinkForTesting([&](const QString &text) {
        reports << text;
        splashShown = splash.isVisible();
    });
    const bool made = ErrorReport::guard(nullptr, [] { Startup::createWindows([](int) {}); });
    ErrorReport::setSinkForTesting({});
    QVERIFY(!made);
    QCOMPARE(reports.size(), 1);
    QVERIFY(!splashShown);
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
