// A whole game played with real pointer events on a real X server: the
// clicks reach the disks and posts at their places, and a click made while a
// disk is still moving is handled after the animation, in order.
#include "core/board/BoardRules.h"
#include "core/results/ResultsModel.h"
#include "board/Plocha.h"
#include "dialogs/Placement.h"
#include "core/drawing/Fonts.h"
#include "services/Pacing.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/TestSupport.h"
#include "widgets/Shape.h"
#include "support/TestMain.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QProcess>
#include <QtTest>

namespace {
// Both clicks of a move go to the X server at once, so the second one
// arrives while the first one's lift is still animating.
bool clickTwice(const QPoint &first, const QPoint &second)
{
    const QStringList args = {
        "mousemove", QString::number(first.x()), QString::number(first.y()), "click", "1",
        "mousemove", QString::number(second.x()), QString::number(second.y()), "click", "1",
    };
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

QPoint centreOf(const QWidget *w) { return w->mapToGlobal(w->rect().center()); }

// Keeps a picture of a window for whoever looks at the test's output.
void grab(QWidget *w, const char *name)
{
    w->grab().save(QDir::temp().filePath(QStringLiteral("toran-onscreen-%1.png").arg(QLatin1String(name))));
}
} // namespace

class GameOnScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void aThreeDiskGamePlayedByMouseEndsWithTheResultBalloon();
    void aBalloonShownWhileAnotherProgramIsActiveLeavesItTheKeys();
};

void GameOnScreenTest::aThreeDiskGamePlayedByMouseEndsWithTheResultBalloon()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    Fonts::installSubstitutes();
    Pacing::setEnabled(true);   // the real pace: clicks come in while disks move
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\n");
    auto windows = Startup::createWindows([](int) {});
    THlavniDialog *main = windows->HlavniDialog.get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QTRY_VERIFY(windows->PomocnikDialog->isVisible());
    main->startGame(3);
    BoardPanel *board = main->plocha();
    QGuiApplication::sync();   // the X server has the windows where the clicks will go

    const int moves[7][2] = {{1, 3}, {1, 2}, {3, 2}, {1, 3}, {2, 1}, {2, 3}, {1, 3}};
    for (const auto &move : moves) {
        const Board::Disks disks = board->disks();
        int top = 0;
        for (int k = 3; k >= 1; --k)
            if (Board::isOnPost(disks, k, board->baseLeft(move[0])))
                top = k;
        QVERIFY(top);
        Shape *disk = board->disk(top);
        // The pole above every stack: only the pole is there.
        const QPoint pole = board->pole(move[1])->mapToGlobal(QPoint(3, 8));
        QVERIFY(clickTwice(centreOf(disk), pole));
        const int slot = Board::slotLeft(board->baseLeft(move[1]), top);
        QTRY_VERIFY_WITH_TIMEOUT(disk->x() == slot && disk->y() > Board::kLiftedTop, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(disk->y(), Board::landingTop(board->disks(), board->baseLeft(move[1]), top), 5000);
    }
    QCOMPARE(main->tahy()->text(), QStringLiteral("7"));

    // Within about a second the timer announces the tower on post 3.
    TVysledekDialog *result = windows->VysledekDialog.get();
    QTRY_VERIFY_WITH_TIMEOUT(result->isVisible(), 3000);
    grab(result, "result");
    QCOMPARE(board->plate(3)->brushColor(), QColor(Qt::red));
    QCOMPARE(result->diskCountLabel()->text(), QStringLiteral("3"));
    QCOMPARE(result->minimumLabel()->text(), QStringLiteral("7"));
    QCOMPARE(result->movesLabel()->text(), QStringLiteral("7"));
    const QRect assistant = Placement::outerRect(windows->PomocnikDialog.get());
    QCOMPARE(result->pos(), QPoint(assistant.left() + assistant.width() - 252 - 38, assistant.top() - 176 + 30));
    QVERIFY(result->geometry().bottom() > assistant.top());   // the tail reaches down onto the figure

    // The player types a Czech name and confirms: the result is in the
    // table file and on the viewer's page.
    QVERIFY(result->nameBox()->isEnabled());
    const QString name = QStringLiteral("Věra Růžičková");
    QTRY_VERIFY(result->nameBox()->hasFocus());
    // A Czech keyboard, as the player has one: the accented letters are keys of it.
    if (QProcess::execute(QStringLiteral("setxkbmap"), {"cz"}) != 0)
        QSKIP("no Czech keyboard layout on this X server");
    // The program reads the keys by the new layout once it has seen it
    // change: a Czech letter, typed again until it arrives as itself.
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                 result->nameBox()->clear();
                                 QProcess::execute(QStringLiteral("xdotool"), {"key", "uring"});
                                 return QTest::qWaitFor([&] { return !result->nameBox()->text().isEmpty(); }, 2000)
                                        && result->nameBox()->text() == QStringLiteral("ů");
                             }()),
                             10000);
    result->nameBox()->clear();
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"type", "--delay", "40", name}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(result->nameBox()->text(), name, 5000);
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"key", "Return"}), 0);
    QTRY_VERIFY(!result->isVisible());

    main->showBestResults();
    TTabulkaDialog *viewer = windows->TabulkaDialog.get();
    QTRY_VERIFY(viewer->isVisible());
    QTableView *grid = viewer->grid(1);
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, ResultsModel::NameColumn).data().toString(), name);
    QCOMPARE(grid->model()->index(0, ResultsModel::MovesColumn).data().toString(), QStringLiteral("7"));
    grab(viewer, "viewer");
    viewer->close();

    // An independent dBASE reader finds the same record in the file.
    if (QFile::exists(QStringLiteral("/usr/bin/python3"))) {
        const QString out = QString::fromUtf8(outputOf(
            "/usr/bin/python3", {"-c", "import sys, dbfread\n"
                                       "for r in dbfread.DBF(sys.argv[1], encoding='cp1250'):\n"
                                       "    print(r['JMENO'], int(r['TAHY']), r['HRA'], r['DATUM'].isoformat(), sep='|')",
                                 dir.file("Data/Toran.dbf")}, 20000)).trimmed();
        if (!out.contains("No module named"))
            QCOMPARE(out, name + QStringLiteral("|7|3|") + QDate::currentDate().toString(Qt::ISODate));
    }
    windows.reset();
}

// The result balloon that comes up while the player works in another
// program leaves the keys there, and takes them once the player is back.
void GameOnScreenTest::aBalloonShownWhileAnotherProgramIsActiveLeavesItTheKeys()
{
    if (qEnvironmentVariable("TORAN_TEST_WM") != QLatin1String("openbox")
        || QStandardPaths::findExecutable(QStringLiteral("xmessage")).isEmpty())
        QSKIP("who has the keys is the window manager's to say, with xmessage as the other program");
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\n");
    auto windows = Startup::createWindows([](int) {});
    THlavniDialog *main = windows->HlavniDialog.get();
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main));
    QProcess other;
    other.start(QStringLiteral("xmessage"), {QStringLiteral("jiný program")});
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::applicationState() != Qt::ApplicationActive, 5000);
    TVysledekDialog *result = windows->VysledekDialog.get();
    result->setFigures(QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("9"));
    result->show();
    QVERIFY(QTest::qWaitForWindowExposed(result));
    QVERIFY(result->nameBox()->isEnabled());
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"sleep", "0.3", "type", "--delay", "40", "after"}), 0);
    QTest::qWait(300);
    QCOMPARE(result->nameBox()->text(), QString());
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"windowactivate", QString::number(main->winId())}), 0);
    QTRY_VERIFY_WITH_TIMEOUT(result->isActiveWindow() && result->nameBox()->hasFocus(), 5000);
    other.kill();
    other.waitForFinished();
}

TORAN_TEST_MAIN(GameOnScreenTest)
#include "tst_game_onscreen.moc"
