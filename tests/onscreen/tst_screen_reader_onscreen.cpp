// The game as a screen reader meets it: on the test's own X server and a
// session bus of its own, a reader (Debian's python3-pyatspi,
// screen_reader.py) starts the game, walks the main window and the new-game
// balloon, then reads the posts after every key of a three-disk game.
#include "support/TestMain.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class ScreenReaderOnScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void aReaderFindsEveryWindowAndFollowsAGamePlayedByKeys();
};

void ScreenReaderOnScreenTest::aReaderFindsEveryWindowAndFollowsAGamePlayedByKeys()
{
    if (!QFile::exists("/usr/libexec/at-spi-bus-launcher") || QStandardPaths::findExecutable("xdotool").isEmpty()
        || QStandardPaths::findExecutable("dbus-run-session").isEmpty())
        QSKIP("at-spi2-core, dbus, python3-pyatspi and xdotool are needed");
    ScratchAppDir app;   // the program's folder, and the buses' runtime folder in it
    const QString exe = app.file("Toran2000");
    QVERIFY(QFile::copy(QStringLiteral(TORAN2000_EXE), exe));
    app.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    app.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    QVERIFY(QDir().mkdir(app.file("run")));
    QFile::setPermissions(app.file("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", app.file("run"));
    env.insert("LANGUAGE", "cs");
    QProcess reader;
    reader.setProcessEnvironment(env);
    const QString moves = QStringLiteral("13123213212313");   // 7 moves, post 1 to post 3
    reader.start("dbus-run-session", {"--", "/usr/bin/python3",
                                      QStringLiteral(TORAN_SOURCE_DIR "/tests/onscreen/screen_reader.py"), exe, moves});
    QVERIFY(reader.waitForFinished(120000));
    if (reader.exitCode() == 77)
        QSKIP("python3-pyatspi is needed");
    const QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(reader.exitCode() == 0, qPrintable(QString::fromUtf8(reader.readAllStandardError())));
    // Lines "tree|WINDOW|ROLE NAME" as "ROLE NAME" of one window.
    const auto treeOf = [&lines](const QString &window) {
        return lines.filter(QRegularExpression("^tree\\|" + window + "\\|"))
            .replaceInStrings(QRegularExpression("^tree\\|\\w+\\|"), QString());
    };

    // Every window, button and link with a name and a role.
    const QStringList main = treeOf("main");
    for (const char *item : {"frame Toranská věž 2000", "menu item Soubor",
                             "push button Zobrazí dialog pro výběr nové hry", "status bar ",
                             "label Počet tahů :", "image Toranská věž 2000"})
        QVERIFY2(std::any_of(main.begin(), main.end(), [item](const QString &s) { return s.startsWith(item); }),
                 item);
    const QStringList balloon = treeOf("balloon");
    QCOMPARE(balloon.value(0), QStringLiteral("dialog Dialog pro výběr hry"));
    QCOMPARE(balloon.filter(QRegularExpression("^push button Spustí hru se? \\d+ disky$")).size(), 8);
    QVERIFY(balloon.contains("push button Zpět"));
    // During the game the board is its three posts, the idle picture gone.
    const QStringList game = treeOf("game");
    QCOMPARE(game.filter("push button Post ").size(), 3);
    QVERIFY(game.contains("panel Hrací pole"));
    QVERIFY(!game.contains("image Toranská věž 2000"));

    // After every key: the three posts, then the one with the focus.
    const QStringList expected = {
        "Post 1: disky 3, 2; zvednutý disk 1|Post 2: bez disků|Post 3: bez disků|1",
        "Post 1: disky 3, 2|Post 2: bez disků|Post 3: disk 1|3",
        "Post 1: disk 3; zvednutý disk 2|Post 2: bez disků|Post 3: disk 1|1",
        "Post 1: disk 3|Post 2: disk 2|Post 3: disk 1|2",
        "Post 1: disk 3|Post 2: disk 2|Post 3: bez disků; zvednutý disk 1|3",
        "Post 1: disk 3|Post 2: disky 2, 1|Post 3: bez disků|2",
        "Post 1: bez disků; zvednutý disk 3|Post 2: disky 2, 1|Post 3: bez disků|1",
        "Post 1: bez disků|Post 2: disky 2, 1|Post 3: disk 3|3",
        "Post 1: bez disků|Post 2: disk 2; zvednutý disk 1|Post 3: disk 3|2",
        "Post 1: disk 1|Post 2: disk 2|Post 3: disk 3|1",
        "Post 1: disk 1|Post 2: bez disků; zvednutý disk 2|Post 3: disk 3|2",
        "Post 1: disk 1|Post 2: bez disků|Post 3: disky 3, 2|3",
        "Post 1: bez disků; zvednutý disk 1|Post 2: bez disků|Post 3: disky 3, 2|1",
        "Post 1: bez disků|Post 2: bez disků|Post 3: disky 3, 2, 1|3",
    };
    QStringList read;
    for (const QString &line : lines) {
        QStringList f = line.split('|');
        if (f.size() != 6 || f[0] != "posts")
            continue;
        // The last key's reading may come after the tick that finds the
        // tower: then it is told solved, and the result balloon has the focus.
        QString focused = f[5].section(':', 0, 0).section(' ', 1);
        if (f[4].endsWith("; vyřešeno") && focused.isEmpty())
            focused = "3";
        read << QStringList{f[2], f[3], f[4].remove("; vyřešeno"), focused}.join('|');
    }
    QCOMPARE(read, expected);
    // Then the solved tower, and the result with its name box.
    QVERIFY(lines.contains("solved|Post 3: disky 3, 2, 1; vyřešeno"));
    QVERIFY(treeOf("result").contains("text Vaše jméno do tabulky nejlepších :"));
}

TORAN_TEST_GUILESS_MAIN(ScreenReaderOnScreenTest)
#include "tst_screen_reader_onscreen.moc"
