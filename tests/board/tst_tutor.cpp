// The hint and the demonstration on the main window: what they tell, what
// they play, what stops them, and that a game with their help stores nothing.
#include "board/HintMarks.h"
#include "core/board/ShortestWay.h"
#include "core/results/ResultsTable.h"
#include "core/system/Language.h"
#include "core/drawing/Fonts.h"
#include "core/settings/IniFile.h"
#include "services/Pacing.h"
#include "services/ProgramEnd.h"
#include "shell/Sef.h"
#include "shell/Tutor.h"
#include "support/ProgramWindows.h"
#include "support/TestMain.h"

#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTranslator>

class TutorTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Fonts::installSubstitutes();
        Pacing::setEnabled(false);
        Startup::installTranslations(Language::kCzech, m_gameTexts, m_qtTexts);   // the plural forms
    }

    void aHintTellsAndMarksTheNextMoveFromWhereThePlayerIs_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("kuly");      // the posts of disks 1..n
        QTest::addColumn<int>("liftFrom");      // a post whose top disk the player lifted first, or 0
        QTest::addColumn<QString>("told");
        QTest::newRow("start") << "cs" << "111" << 0 << "Rada: disk 1 na kůl 3 (zbývá 7 tahů)";
        QTest::newRow("few") << "cs" << "113" << 0 << "Rada: disk 1 na kůl 2 (zbývají 3 tahy)";
        QTest::newRow("one") << "cs" << "133" << 0 << "Rada: disk 1 na kůl 3 (zbývá 1 tah)";
        QTest::newRow("the right disk up") << "cs" << "123" << 2 << "Rada: disk 2 na kůl 3 (zbývá 1 tah)";
        QTest::newRow("another disk up") << "cs" << "123" << 1 << "Rada: vraťte disk 1 zpět na kůl 1";
        QTest::newRow("English") << "en" << "111" << 0 << "Hint: disk 1 to post 3 (7 moves to go)";
        QTest::newRow("English, one") << "en" << "133" << 0 << "Hint: disk 1 to post 3 (1 move to go)";
    }

    // The status line tells the move with its plural, the board marks it
    // until the next move, and the game has had help.
    void aHintTellsAndMarksTheNextMoveFromWhereThePlayerIs()
    {
        QFETCH(QString, language);
        QFETCH(QString, kuly);
        QFETCH(int, liftFrom);
        QFETCH(QString, told);
        QTranslator gameTexts, qtTexts;
        Startup::installTranslations(language, gameTexts, qtTexts);
        const auto czech = qScopeGuard([] { Language::setCurrent(Language::kCzech); });
        Program p;
        p.main->resumeGame(*Board::Game::fromKept(QString::number(kuly.size()), "4", kuly));
        if (liftFrom)
            p.main->postKeyed(liftFrom);
        QVERIFY(!p.main->tutor()->playedWithHelp());
        p.action("PoraditTah")->trigger();
        QCOMPARE(p.main->statusText().trimmed(), told);
        const HintMarks *marks = p.board()->findChild<HintMarks *>();
        QVERIFY(marks->isVisible() && marks->isMarking());
        QVERIFY(p.main->tutor()->playedWithHelp());
        p.main->postKeyed(liftFrom ? liftFrom : 1);
        QVERIFY(!marks->isVisible());
    }

    // Six disks, five moves at random, then D: the demonstration makes the
    // computed number of moves, finishes the tower, and nothing is stored.
    void theDemonstrationPlaysTheShortestWayToTheEnd()
    {
        Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
        QCoreApplication::processEvents();   // the show step
        QApplication::setActiveWindow(p.main);   // for the keys of the menus
        p.main->startGame(6);
        QRandomGenerator random(37);
        for (int made = 0; made < 5;) {
            const int from = random.bounded(1, 4), to = random.bounded(1, 4);
            const Board::Game &game = p.main->game()->game();
            if (from != to && game.topDisk(from) && (!game.topDisk(to) || game.topDisk(to) > game.topDisk(from))) {
                p.move(from, to);
                ++made;
            }
        }
        const std::int64_t toGo = Board::shortestWay(Board::positionOf(p.main->game()->game())).length;
        const int stored = p.windows->DataModule1->Table1().shownRows().size();
        QTest::keyClick(p.main, Qt::Key_D);
        QVERIFY(p.action("UkazkaReseni")->isChecked());
        QTRY_VERIFY(!p.main->tutor()->isDemonstrating());
        QVERIFY(!p.action("UkazkaReseni")->isChecked());
        QCOMPARE(p.main->pocetTahu(), 5 + toGo);
        QCOMPARE(p.main->statusText().trimmed(), QStringLiteral("Ukázka řešení: zbývá 0 tahů"));
        p.main->Timer1Timer();
        TVysledekDialog *result = p.windows->VysledekDialog.get();
        QVERIFY(result->isVisible() && result->helpLine()->isVisible() && !result->nameBox()->isVisible());
        QTest::keyClick(result, Qt::Key_Return);
        p.windows->DataModule1->Table1().setFiltered(false);
        QCOMPARE(p.windows->DataModule1->Table1().shownRows().size(), stored);
    }

    void theDemonstrationStopsAfterTheMoveInProgress_data()
    {
        QTest::addColumn<QString>("by");
        for (const char *by : {"D", "Esc", "1", "click", "F3", "boss"})
            QTest::newRow(by) << by;
    }

    // Whatever stops it, no disk is left in the air, and the player plays on.
    void theDemonstrationStopsAfterTheMoveInProgress()
    {
        QFETCH(QString, by);
        Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(p.main);
        p.main->startGame(5);
        p.main->tutor()->toggleDemonstration();
        QCOMPARE(p.main->pocetTahu(), 1);   // the first move is made at once
        if (by == "click")
            Program::release(p.board()->disk(2));
        else if (by == "F3")
            p.main->endGame();
        else if (by == "boss")
            p.main->toggleBossScreen();
        else
            QTest::keyClick(p.main, by == "Esc" ? Qt::Key_Escape : by == "D" ? Qt::Key_D : Qt::Key_1);
        QVERIFY(!p.main->tutor()->isDemonstrating());
        QTest::qWait(50);
        QCOMPARE(p.main->pocetTahu(), 1);
        QCOMPARE(p.main->game()->game().lifted(), 0);
    }

    // The help mark comes back with a kept game (Pomoc=1) and is kept again at quit.
    void theHelpMarkIsKeptWithAKeptGame()
    {
        Program p;
        p.dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n[Hra]\r\nDisky=3\r\nTahy=1\r\nKuly=311\r\nPomoc=1\r\n");
        p.main->takeUpKeptGame();
        QVERIFY(p.main->isGameOn() && p.main->tutor()->playedWithHelp());
        p.main->close();
        ProgramEnd::resetForTesting();
        QCOMPARE(IniFile(p.dir.file("Toran2000.ini")).read("Hra", "Pomoc"), QStringLiteral("1"));
    }

private:
    QTranslator m_gameTexts, m_qtTexts;
};

TORAN_TEST_MAIN(TutorTest)
#include "tst_tutor.moc"
