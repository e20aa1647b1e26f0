// Where the written files live: beside the program in a folder the player
// can write to, in the player's own data folder otherwise and always in the
// package build. The second case
// runs in a child process as a player who cannot write to the program's
// folder (as root: the user nobody through setpriv).
#include "core/results/Data.h"
#include "core/results/ResultsTable.h"
#include "core/results/TableFile.h"
#include "core/errors/AppError.h"
#include "core/files/AppPath.h"
#include "core/settings/Settings.h"
#include "core/system/ManualPages.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

#include <cstdio>
#include <functional>

namespace {
const char kChildFlag[] = "--as-player";
const QByteArray kEmptyTable = TableFile::build({});

// The child: the start-up steps that decide the folders and open the table,
// then one setting and one result written. Prints each write that failed and
// where the files went, or the error that stopped the start.
int runAsPlayer(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Toran2000"));
    app.setOrganizationName(QStringLiteral("KQ2000"));
    AppPath::setDirForTesting(QString::fromLocal8Bit(argv[2]));
    AppPath::prepareWritableDir();
    TDataModule1 data;
    if (const QString error = errorOf([&] { data.open(); }); !error.isEmpty()) {
        std::printf("error %s\n", qPrintable(error));
        return 1;
    }
    const auto attempt = [](const std::function<void()> &write) {
        if (const QString error = errorOf(write); !error.isEmpty())
            std::printf("refused %s\n", qPrintable(error));
    };
    attempt([] { Settings::setUvitani(QStringLiteral("0")); });
    attempt([&] { data.Table1().AppendResult("Jana", "7", "3", ResultsTable::dateToText(QDate::currentDate())); });
    std::printf("%s %s\n", AppPath::isPortable() ? "portable" : "shared", qPrintable(AppPath::dataDir()));
    return 0;
}

} // namespace

class AppPathTest : public QObject
{
    Q_OBJECT
private slots:
    void aFolderThePlayerCanWriteKeepsEverythingBesideTheProgram();
    void aFolderThePlayerCannotWriteSendsTheWrittenFilesToTheirDataFolder_data();
    void aFolderThePlayerCannotWriteSendsTheWrittenFilesToTheirDataFolder();
    void aFolderNamedInAnotherCodePageIsStillTheProgramsFolder();
    void theManualOpensTheGivenPageInThePlayersLanguage_data();
    void theManualOpensTheGivenPageInThePlayersLanguage();

private:
    QString runPlayer(const QString &programDir, const QString &dataHome, int *exitCode, const QString &xdgDataHome);
};

void AppPathTest::aFolderThePlayerCanWriteKeepsEverythingBesideTheProgram()
{
    ScratchAppDir dir;
    dir.writeFile("Data/Zaloha/Toran.dbf", kEmptyTable);
    QVERIFY(AppPath::isPortable());
    AppPath::prepareWritableDir();
    Settings::setUvitani(QStringLiteral("0"));
    QCOMPARE(AppPath::dataDir(), dir.file("Data/"));
    QVERIFY(QFile::exists(dir.file("KQ2000.ini")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{"Data", "KQ2000.ini"}));
}

// The program's folder is never written, nor is it by the package build where
// the player could write it; the player's folder is made on the first start
// with the empty table, and a table in use there is kept. Where
// that folder cannot be written, or leads into another user's folder, the
// game still starts on the empty table, each write fails with its error, and
// nothing is written anywhere.
void AppPathTest::aFolderThePlayerCannotWriteSendsTheWrittenFilesToTheirDataFolder_data()
{
    QTest::addColumn<QByteArray>("tableBefore");   // null: no data folder yet
    QTest::addColumn<QString>("dataFolder");       // how the player's data folder is
    QTest::addColumn<int>("resultsAfter");         // -1: nothing written
    QTest::addColumn<bool>("packaged");            // installed for every user, folder writable
    QTest::newRow("first start") << QByteArray() << "new" << 1 << false;
    QTest::newRow("package build") << QByteArray() << "new" << 1 << true;
    ResultRecord used;
    used.name = QStringLiteral("Jana");
    used.moves = 7;
    used.count = QStringLiteral("3");
    used.date = QDate(2026, 12, 1);
    QTest::newRow("a used table") << TableFile::build({used}) << "new" << 2 << false;
    // A relative XDG_DATA_HOME is no value: the default under HOME serves.
    QTest::newRow("relative XDG_DATA_HOME") << QByteArray() << "new, XDG relative" << 1 << false;
    QTest::newRow("data folder not writable") << QByteArray() << "in a closed home" << -1 << false;
    QTest::newRow("data folder with mode 000") << QByteArray() << "mode 000" << -1 << false;
    QTest::newRow("data folder is a file") << QByteArray() << "a file" << -1 << false;
    QTest::newRow("data folder links to another user's folder") << QByteArray() << "a link" << -1 << false;
    QTest::newRow("its Data links to another user's folder") << QByteArray() << "Data a link" << -1 << false;
}

void AppPathTest::aFolderThePlayerCannotWriteSendsTheWrittenFilesToTheirDataFolder()
{
    QFETCH(QByteArray, tableBefore);
    QFETCH(QString, dataFolder);
    QFETCH(int, resultsAfter);
    QFETCH(bool, packaged);
#ifndef Q_OS_UNIX
    QSKIP("folders closed by their modes and owners: the installed game's data folder is tried by the "
          "Windows game's own test");
#endif
    if (runsAsRoot() && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("running as root without setpriv: no player who cannot write the folder");
    if (dataFolder.endsWith("a link") && !runsAsRoot())
        QSKIP("another user's folder is made as root");

    QTemporaryDir top;
    QVERIFY(QFile::setPermissions(top.path(), QFile::permissions(top.path()) | QFile::ExeOther | QFile::ReadOther));
    const QString program = top.filePath(QStringLiteral("program"));
    const QString dataHome = top.filePath(QStringLiteral("home"));
    const QString other = top.filePath(QStringLiteral("other"));   // another user's, open to all
    writeFile(program + "/Data/Zaloha/Toran.dbf", kEmptyTable);
    QStringList programFiles{"Data"};
    if (packaged)
        writeFile(program + '/' + (programFiles << AppPath::kSharedInstallMarker).last(), "");
    const bool xdgRelative = dataFolder.endsWith("XDG relative");
    const QString playerData = dataHome + (xdgRelative ? "/.local/share" : "") + QStringLiteral("/KQ2000/Toran2000/");
    if (!tableBefore.isNull())
        writeFile(playerData + "Data/Toran.dbf", tableBefore);
    QDir().mkpath(dataHome);
    QDir().mkpath(other);
    if (dataFolder == "a file")
        writeFile(dataHome + "/KQ2000/Toran2000", "x");
    if (dataFolder == "a link")
        QVERIFY(QDir().mkpath(dataHome + "/KQ2000") && QFile::link(other, dataHome + "/KQ2000/Toran2000"));
    if (dataFolder == "Data a link")
        QVERIFY(QDir().mkpath(playerData) && QFile::link(other, playerData + "Data"));
    if (dataFolder == "mode 000")
        QDir().mkpath(playerData);
    if (runsAsRoot()) {
        // Owned by nobody (or not, for the closed home), readable by all.
        QVERIFY(QProcess::execute("chmod", {"-R", "a+rX", top.path()}) == 0);
        QVERIFY(QProcess::execute("chmod", {"a+rwx", other}) == 0);
        if (dataFolder != "in a closed home")
            QVERIFY(QProcess::execute("chown", {"-R", "nobody", dataHome}) == 0);
        if (packaged)
            QVERIFY(QProcess::execute("chown", {"-R", "nobody", program}) == 0);
    } else {
        if (!packaged)
            QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        if (dataFolder == "in a closed home")
            QVERIFY(QFile::setPermissions(dataHome, QFile::ReadOwner | QFile::ExeOwner));
    }
    if (dataFolder == "mode 000")
        QVERIFY(QFile::setPermissions(playerData, {}));

    int exitCode = -1;
    const QString said = runPlayer(program, dataHome, &exitCode, xdgRelative ? "relhome" : dataHome);
    for (const QString &dir : {program, dataHome, playerData})
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(exitCode, 0);
    QVERIFY2(said.endsWith(QStringLiteral("shared ") + playerData + QStringLiteral("Data/")), qPrintable(said));
    QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), programFiles);
    QCOMPARE(QDir(other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    if (resultsAfter < 0) {
        // A link further down refuses only what is written there.
        const bool settingsRefused = dataFolder != "Data a link";
        QCOMPARE(said.startsWith(QStringLiteral("refused Unable to write to %1KQ2000.ini\n").arg(playerData)),
                 settingsRefused);
        QVERIFY2(said.contains(QStringLiteral("refused Tabulku výsledků \u201E%1Data/Toran.dbf\u201C nelze zapsat: ")
                                   .arg(playerData)),
                 qPrintable(said));
        QCOMPARE(QFile::exists(playerData + "KQ2000.ini"), !settingsRefused);
        QVERIFY(!QFile::exists(playerData + "Data/Toran.dbf"));
        return;
    }
    QCOMPARE(TableFile::parse(readFile(playerData + "Data/Toran.dbf"), QString()).size(), resultsAfter);
    QVERIFY(readFile(playerData + "KQ2000.ini").contains("Uvitani=0"));
}

QString AppPathTest::runPlayer(const QString &programDir, const QString &dataHome, int *exitCode,
                               const QString &xdgDataHome)
{
    QProcess child;
    child.setWorkingDirectory(programDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), xdgDataHome);
    env.insert(QStringLiteral("HOME"), dataHome);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args{QStringLiteral("AppPathTest"), QString::fromLatin1(kChildFlag), programDir};
    if (runsAsRoot()) {
        // A copy the other user can run wherever the build tree lies.
        const QString exe = QFileInfo(programDir).path() + QStringLiteral("/suite");
        QFile::remove(exe);
        QFile::copy(QCoreApplication::applicationFilePath(), exe);
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        args.prepend(exe);
        args = QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"} + args;
        child.start(QStringLiteral("setpriv"), args);
    } else {
        child.start(QCoreApplication::applicationFilePath(), args);
    }
    if (!child.waitForFinished(20000))
        return QStringLiteral("no answer");
    *exitCode = child.exitCode();
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
}

// A portable copy unpacked into a folder whose name is no UTF-8 ("n\xe9x"
// from an archive of Windows-1250), started from another folder: it still
// finds its own folder and writes its table there, nowhere else.
void AppPathTest::aFolderNamedInAnotherCodePageIsStillTheProgramsFolder()
{
#ifndef Q_OS_LINUX
    QSKIP("folder names are bytes on Linux");
#else
    QTemporaryDir top;
    const std::string odd = QFile::encodeName(top.path()).toStdString() + "/n\xe9x";
    std::filesystem::create_directories(odd + "/Data/Zaloha");
    const std::string suite = QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    std::filesystem::copy_file(suite, odd + "/suite");
    std::ofstream(odd + "/Data/Zaloha/Toran.dbf", std::ios::binary).write(kEmptyTable.constData(), kEmptyTable.size());
    QProcess child;
    child.setWorkingDirectory(top.path());
    child.start("/bin/sh", {"-c", QStringLiteral("exec \"$(printf 'n\\351x')/suite\" AppPathTest %1 ''")
                                      .arg(kChildFlag)});
    QVERIFY(child.waitForFinished(20000));
    QVERIFY2(child.readAllStandardOutput().startsWith("portable "), "not the portable folder");
    QVERIFY(!QFileInfo::exists(top.filePath("Data")));
    std::ifstream table(odd + "/Data/Toran.dbf", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(table)), std::istreambuf_iterator<char>());
    QCOMPARE(TableFile::parse(QByteArray::fromStdString(bytes), QString()).size(), 1);
#endif
}

void AppPathTest::theManualOpensTheGivenPageInThePlayersLanguage_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("opened");   // relative to the program's folder; empty: none
    QTest::newRow("the game's start page") << "Html/Toran2000/Index.htm" << "cs" << "Html/Toran2000/Index.htm";
    QTest::newRow("no page given") << "" << "cs" << "Html/Toran2000/Index.htm";
    // As the game gives it: with the system's separators.
    QTest::newRow("English beside it") << QDir::toNativeSeparators("Html/Toran2000/Index.htm") << "en" << "Html/Toran2000/en/Index.htm";
    QTest::newRow("no English page") << "Html/Toran2000/Sef.htm" << "en" << "Html/Toran2000/Sef.htm";
    QTest::newRow("missing page") << "Html/Toran2000/Nic.htm" << "cs" << "";
}

// The page the game names (or any other) from the program's folder; an
// English player's page from "en" beside it where there is one.
void AppPathTest::theManualOpensTheGivenPageInThePlayersLanguage()
{
    QFETCH(QString, given);
    QFETCH(QString, language);
    QFETCH(QString, opened);
    ScratchAppDir dir;
    for (const char *page : {"Html/Toran2000/Index.htm", "Html/Toran2000/en/Index.htm", "Html/Toran2000/Sef.htm"})
        dir.writeFile(page, "<html></html>");
    QDir::setCurrent(QDir::tempPath());   // found from the program's folder, not the current one
    QCOMPARE(ManualPages::resolve(given, dir.path(), language), opened.isEmpty() ? QString() : dir.file(opened));
}

namespace {
int runAppPathTest(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], kChildFlag) == 0)
        return runAsPlayer(argc, argv);
    return TestMain::runGuiless<AppPathTest>(argc, argv);
}
} // namespace

TORAN_TEST_REGISTER(AppPathTest, &runAppPathTest)
#include "tst_apppath.moc"
