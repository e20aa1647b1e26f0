// A game as the player plays it: commands, the new-game dialog, lifting and
// placing disks, the end question and the solved puzzle.
#include "core/board/Game.h"
#include "board/Plocha.h"
#include "core/drawing/Colors.h"
#include "dialogs/DotazKonec.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "core/results/Data.h"
#include "results/Vysledek.h"
#include "setup/Hra.h"
#include "core/system/Language.h"
#include "core/drawing/Fonts.h"
#include "shell/Hlavni.h"
#include "shell/Sef.h"
#include "services/InputLock.h"
#include "services/ErrorReport.h"
#include "core/settings/IniFile.h"
#include "services/Pacing.h"
#include "services/ProgramEnd.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/ReaderLog.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "widgets/OContrls.h"
#include "widgets/Shape.h"
#include "widgets/TextLabel.h"
#include "widgets/TransBtn2.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QScopeGuard>
#include <QTranslator>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {
enum class Choose { Button, Digit, PlacedDigit, Arrows };

// The Czech layout's main row, unshifted, from the key marked 1 to the 0.
const QString kCzechDigitRow = QStringLiteral("+ěščřžýáíé");

// A digit alone, as a program sends it; kCzechDigitRow's and the keypad's
// "₀₁₂₃" with their places too (X11 key code, Windows virtual key).
QKeyEvent keyEvent(QEvent::Type type, QChar key, bool autoRepeat)
{
    const int keypad = QStringLiteral("₀₁₂₃").indexOf(key), czech = kCzechDigitRow.indexOf(key);
    if (keypad >= 0)
        return QKeyEvent(type, Qt::Key_0 + keypad, Qt::KeypadModifier, 86 + keypad, 0x60 + keypad, 0,
                         QString::number(keypad), autoRepeat);
    if (czech >= 0)
        return QKeyEvent(type, key.toUpper().unicode(), Qt::NoModifier, 10 + czech, '0' + (czech + 1) % 10, 0,
                         QString(key), autoRepeat);
    return QKeyEvent(type, Qt::Key_0 + key.digitValue(), Qt::NoModifier, QString(key), autoRepeat);
}

// Delivered with its time stamp in milliseconds (0: none), and a digit
// with the physical key that the window system tells (0: none told).
void pressKey(QWidget *target, QChar key, quint64 timestamp = 0, bool autoRepeat = false,
              QEvent::Type type = QEvent::KeyPress, quint32 scanCode = 0)
{
    QKeyEvent press = scanCode ? QKeyEvent(type, Qt::Key_0 + key.digitValue(), Qt::NoModifier, scanCode, 0, 0,
                                           QString(key), autoRepeat)
                               : keyEvent(type, key, autoRepeat);
    press.setTimestamp(timestamp);
    QApplication::sendEvent(target, &press);
}

// By the count's button, by its key (0 for ten; the keys 1 and 2 choose
// nothing), by the key so marked on a Czech keyboard, or by the arrows from
// the first button and Enter.
void startGame(Program &p, int n, Choose how = Choose::Button)
{
    p.main->newGame();
    THraDialog *hra = p.windows->HraDialog.get();
    QVERIFY(hra->isVisible());
    auto press = [hra](Qt::Key key) { QTest::keyClick(hra->focusWidget() ? hra->focusWidget() : hra, key); };
    if (how == Choose::Digit) {
        QTest::keyClicks(hra, QStringLiteral("12"));
        QVERIFY(hra->isVisible());
        QTest::keyClick(hra, char('0' + n % 10));
    } else if (how == Choose::PlacedDigit) {
        pressKey(hra, kCzechDigitRow.at((n + 9) % 10));
    } else if (how == Choose::Arrows) {
        const int target = 11 - n;   // T1 holds ten; the first arrow reaches it, Down the row below
        press(Qt::Key_Right);
        if (target > 4)
            press(Qt::Key_Down);
        for (int at = target > 4 ? 5 : 1; at < target; ++at)
            press(Qt::Key_Right);
        QCOMPARE(hra->focusWidget(), hra->countButton(target));
        press(Qt::Key_Return);
    } else {
        hra->countButtonClick(11 - n);
    }
    QVERIFY(!hra->isVisible());
}
} // namespace

class PlayTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void countButtonsLayOutTheirGameAndSwitchTheCommands_data();
    void countButtonsLayOutTheirGameAndSwitchTheCommands();
    void backingOutOfTheNewGameDialogChangesNothing_data();
    void backingOutOfTheNewGameDialogChangesNothing();
    void liftingCountsEveryAcceptedLiftAndPlaysItsCue();
    void refusedLiftsAreSilentAndUncounted();
    void everyMouseButtonAndEveryPartOfAPostActsAlike_data();
    void everyMouseButtonAndEveryPartOfAPostActsAlike();
    void placingRefusesASmallerDiskOnTheTargetFromEveryPost();
    void slideAndDropMoveOnePixelAStep();
    void solvedTowerOnPostTwoOrThreeIsAnnounced_data();
    void solvedTowerOnPostTwoOrThreeIsAnnounced();
    void nothingIsAnnouncedWhileLiftedOnPostOneOrAfterEndGame();
    void anOpenResultIsLeftAloneByLaterTicks();
    void confirmingTheResultReturnsToIdle();
    void endQuestionYesEndsTheGameAndNoKeepsItWatched_data();
    void endQuestionYesEndsTheGameAndNoKeepsItWatched();
    void commandsReadTheAssistantSettingEachTime_data();
    void commandsReadTheAssistantSettingEachTime();
    void firstShowGreetsAsTheSettingsSay_data();
    void firstShowGreetsAsTheSettingsSay();
    void helpAboutAndTheAssistantsDoubleClickOpenTheirDialogs();
    void aReaderHearsEachDialogByItsWords();
    void everyMenuEntryToolbarButtonAndKeyRunsItsCommand_data();
    void everyMenuEntryToolbarButtonAndKeyRunsItsCommand();
    void keysOneTwoThreeSolveThreeDisksInSevenMovesAsAScreenReaderHearsThem();
    void keysPlayOnlyWhatTheMouseMayAndOnlyWhenFree_data();
    void keysPlayOnlyWhatTheMouseMayAndOnlyWhenFree();
    void aSpeedChosenIsStoredAndPacesTheNextMove_data();
    void aSpeedChosenIsStoredAndPacesTheNextMove();
    void aDiskDraggedDropsWhereItMayStandElseGoesHome_data();
    void aDiskDraggedDropsWhereItMayStandElseGoesHome();
    void aGameLeftByCtrlQComesBackAtTheNextStart();
    void aKeptGameThatMakesNoSenseStartsIdle_data();
    void aKeptGameThatMakesNoSenseStartsIdle();
    void aReaderThatKeepsWhatItHearsFollowsAWholeGame();
};

void PlayTest::initTestCase()
{
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
}

void PlayTest::countButtonsLayOutTheirGameAndSwitchTheCommands_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("how");
    for (int n = 3; n <= 10; ++n) {
        QTest::addRow("%d disks", n) << n << int(Choose::Button);
        QTest::addRow("%d disks by key", n) << n << int(Choose::Digit);
        QTest::addRow("%d disks by the key so marked on a Czech keyboard", n) << n << int(Choose::PlacedDigit);
        QTest::addRow("%d disks by arrows and Enter", n) << n << int(Choose::Arrows);
    }
}

void PlayTest::countButtonsLayOutTheirGameAndSwitchTheCommands()
{
    QFETCH(int, n);
    QFETCH(int, how);
    Program p;
    p.board()->plate(3)->setBrushColor(Qt::red);   // left by a solved game
    startGame(p, n, Choose(how));
    const Board::Game expected = Board::Game::start(n);
    for (int k = 1; k <= Board::kDisks; ++k) {
        QCOMPARE(p.board()->disk(k)->pos(), QPoint(expected.placeOf(k).left, expected.placeOf(k).top));
        QCOMPARE(p.board()->disk(k)->isVisible(), k <= n);
    }
    QCOMPARE(p.kontrola(), QString::number(n));
    QVERIFY(p.board()->isVisible());
    QCOMPARE(p.board()->plate(3)->brushColor(), QColor(Qt::white));
    for (const char *name : {"MS1", "MP1"})
        QVERIFY(!p.action(name)->isEnabled());
    for (const char *name : {"MS3", "MP2"})
        QVERIFY(p.action(name)->isEnabled());
    QVERIFY(!p.tool("TB1")->isEnabled() && p.tool("TB2")->isEnabled());
    QVERIFY(InputLock::isInputEnabled(p.main));
    QCOMPARE(p.sounds.names.first(), QStringLiteral("Dialog.wav"));
}

void PlayTest::backingOutOfTheNewGameDialogChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Zpět") << "back";
}

void PlayTest::backingOutOfTheNewGameDialogChangesNothing()
{
    QFETCH(QString, how);
    Program p;
    p.main->newGame();
    THraDialog *hra = p.windows->HraDialog.get();
    QVERIFY(hra->isVisible());
    QVERIFY(!InputLock::isInputEnabled(p.main));
    QVERIFY(!InputLock::isInputEnabled(p.windows->PomocnikDialog.get()));
    if (how == "esc")
        QTest::keyClick(hra, Qt::Key_Escape);
    else if (how == "enter")
        QTest::keyClick(hra, Qt::Key_Return);
    else
        hra->OfficeButton1Click();
    QVERIFY(!hra->isVisible());
    QVERIFY(!p.board()->isVisible());
    QCOMPARE(p.kontrola(), QStringLiteral("Kontrola"));
    QVERIFY(p.action("MS1")->isEnabled() && !p.action("MS3")->isEnabled());
    QVERIFY(InputLock::isInputEnabled(p.main));
    QVERIFY(InputLock::isInputEnabled(p.windows->PomocnikDialog.get()));
}

// Every accepted lift is a move, also of the disk already in the air.
void PlayTest::liftingCountsEveryAcceptedLiftAndPlaysItsCue()
{
    Program p;
    startGame(p, 3);
    p.sounds.clear();
    Program::release(p.board()->disk(1));
    QCOMPARE(p.board()->disk(1)->y(), 10);
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("1"));
    Program::release(p.board()->disk(1));
    QCOMPARE(p.board()->disk(1)->y(), 10);
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("2"));
    QCOMPARE(p.sounds.names, (QStringList{"Zvednuti.wav", "Zvednuti.wav"}));
    // Put back on its own post: straight down, both cues, the move stays counted.
    p.sounds.clear();
    Program::release(p.board()->pole(1));
    QCOMPARE(p.board()->disk(1)->pos(), QPoint(73, 181));
    QCOMPARE(p.sounds.names, (QStringList{"Polozeni.wav", "Dopad.wav"}));
    QCOMPARE(p.main->pocetTahu(), 2);
}

void PlayTest::refusedLiftsAreSilentAndUncounted()
{
    Program p;
    startGame(p, 3);
    p.sounds.clear();
    Program::release(p.board()->disk(3));   // under D1 and D2
    Program::release(p.board()->disk(2));   // under D1
    QCOMPARE(p.board()->disk(3)->y(), 217);
    QCOMPARE(p.board()->disk(2)->y(), 199);
    Program::release(p.board()->pole(2));   // no disk lifted: nothing
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("0"));
    QVERIFY(p.sounds.names.isEmpty());

    p.move(1, 3);                           // D1 to post 3
    Program::release(p.board()->disk(2));   // lift D2
    Program::release(p.board()->disk(1));   // another disk is lifted: refused
    QCOMPARE(p.board()->disk(1)->y(), 217);
    QCOMPARE(p.main->pocetTahu(), 2);
}

void PlayTest::everyMouseButtonAndEveryPartOfAPostActsAlike_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("button");
    QTest::newRow("pole, left") << "K3" << int(Qt::LeftButton);
    QTest::newRow("base, right") << "P3" << int(Qt::RightButton);
    QTest::newRow("plate, middle") << "Shape3" << int(Qt::MiddleButton);
    QTest::newRow("plate label, left") << "Label4" << int(Qt::LeftButton);
}

void PlayTest::everyMouseButtonAndEveryPartOfAPostActsAlike()
{
    QFETCH(QString, part);
    QFETCH(int, button);
    Program p;
    startGame(p, 3);
    Program::release(p.board()->disk(1), Qt::MouseButton(button));
    QCOMPARE(p.board()->disk(1)->y(), 10);
    Program::release(p.board()->findChild<QWidget *>(part), Qt::MouseButton(button));
    QCOMPARE(p.board()->disk(1)->pos(), QPoint(453, 217));
}

// A disk is refused on any post holding a smaller one, whatever its source;
// the disk stays up and can go elsewhere.
void PlayTest::placingRefusesASmallerDiskOnTheTargetFromEveryPost()
{
    Program p;
    startGame(p, 3);
    p.move(1, 3);   // D1 -> 3
    p.move(1, 2);   // D2 -> 2
    p.sounds.clear();
    Program::release(p.board()->disk(2));
    Program::release(p.board()->pole(3));   // onto D1: refused
    QCOMPARE(p.board()->disk(2)->pos(), QPoint(256, 10));
    QVERIFY(p.sounds.names == QStringList{"Zvednuti.wav"});
    Program::release(p.board()->pole(1));   // onto D3: fine
    QCOMPARE(p.board()->disk(2)->pos(), QPoint(66, 199));
    Program::release(p.board()->disk(3));   // D3 is under D2 now: refused
    QCOMPARE(p.board()->disk(3)->y(), 217);
    Program::release(p.board()->disk(2));
    Program::release(p.board()->pole(2));
    Program::release(p.board()->disk(3));
    for (int target : {2, 3}) {   // D3 from post 1 onto D2 and onto D1
        Program::release(p.board()->pole(target));
        QCOMPARE(p.board()->disk(3)->pos(), QPoint(59, 10));
    }
}

void PlayTest::slideAndDropMoveOnePixelAStep()
{
    Program p;
    startGame(p, 3);
    std::vector<QPoint> steps;
    Pacing::setStepObserver([&](QWidget *w, const QRect &g) {
        if (w->objectName() == QLatin1String("D1"))
            steps.push_back(g.topLeft());
    });
    Program::release(p.board()->disk(1));
    QCOMPARE(int(steps.size()), 181 - 10 + 1);
    steps.clear();
    Program::release(p.board()->pole(3));
    Pacing::setStepObserver({});
    // 381 steps along the top from 73 to 453, then 208 down to the base.
    QCOMPARE(int(steps.size()), 381 + 208);
    for (int i = 0; i < 381; ++i)
        QCOMPARE(steps[size_t(i)], QPoint(73 + i, 10));
    for (int i = 0; i < 208; ++i)
        QCOMPARE(steps[size_t(381 + i)], QPoint(453, 10 + i));
}

void PlayTest::solvedTowerOnPostTwoOrThreeIsAnnounced_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("post");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<bool>("undo");   // the wasted move: carried and taken back (two moves), or put back
    QTest::newRow("3 disks on post 3") << 3 << 3 << "7" << false;
    QTest::newRow("3 disks on post 3, a move taken back") << 3 << 3 << "7" << true;
    QTest::newRow("4 disks on post 2") << 4 << 2 << "15" << false;
    QTest::newRow("6 disks on post 3") << 6 << 3 << "63" << false;
}

void PlayTest::solvedTowerOnPostTwoOrThreeIsAnnounced()
{
    QFETCH(int, n);
    QFETCH(int, post);
    QFETCH(QString, minimum);
    QFETCH(bool, undo);
    Program p;
    startGame(p, n);
    if (undo) {
        p.move(1, 2);
        p.action("Vrtittah1")->trigger();
    } else {
        Program::release(p.board()->disk(1));   // one wasted move: lifted and put back
        Program::release(p.board()->pole(1));
    }
    p.solve(n, 1, post);
    const QString moves = QString::number((1 << n) + (undo ? 1 : 0));
    QCOMPARE(p.main->tahy()->text(), moves);
    p.main->Timer1Timer();
    TVysledekDialog *result = p.windows->VysledekDialog.get();
    QVERIFY(result->isVisible());
    QCOMPARE(result->diskCountLabel()->text(), QString::number(n));
    QCOMPARE(result->minimumLabel()->text(), minimum);
    QCOMPARE(result->movesLabel()->text(), moves);
    QCOMPARE(p.board()->plate(post)->brushColor(), QColor(Qt::red));
    QCOMPARE(p.board()->plate(5 - post)->brushColor(), QColor(Qt::white));
    QVERIFY(!InputLock::isInputEnabled(p.main));
    QVERIFY(!InputLock::isInputEnabled(p.windows->PomocnikDialog.get()));
    // The balloon stands above the assistant, its tail on the figure.
    const QRect assistant = Placement::outerRect(p.windows->PomocnikDialog.get());
    QCOMPARE(result->pos(), QPoint(assistant.left() + assistant.width() - 252 - 38, assistant.top() - 176 + 30));
}

void PlayTest::nothingIsAnnouncedWhileLiftedOnPostOneOrAfterEndGame()
{
    Program p;
    startGame(p, 3);
    TVysledekDialog *result = p.windows->VysledekDialog.get();
    p.solve(3, 1, 2);
    p.solve(3, 2, 1);   // rebuilt on post 1: no solution
    p.main->Timer1Timer();
    QVERIFY(!result->isVisible());

    p.solve(3, 1, 3);
    Program::release(p.board()->disk(1));   // the last disk hangs in the air again
    p.main->Timer1Timer();
    QVERIFY(!result->isVisible());
    Program::release(p.board()->pole(3));

    p.main->endGame();   // the end question stops the watch
    QCOMPARE(p.kontrola(), QStringLiteral("0"));
    p.main->Timer1Timer();
    QVERIFY(!result->isVisible());
    QCOMPARE(p.board()->plate(3)->brushColor(), QColor(Qt::white));
}

void PlayTest::anOpenResultIsLeftAloneByLaterTicks()
{
    Program p;
    startGame(p, 3);
    p.solve(3, 1, 3);
    p.main->Timer1Timer();
    TVysledekDialog *result = p.windows->VysledekDialog.get();
    QVERIFY(result->nameBox()->isEnabled());   // the first result of a count qualifies
    result->nameBox()->insert(QStringLiteral("Věra"));   // typed while the ticks go on
    // The player goes to another window (another program, another copy).
    QLineEdit other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    p.main->Timer1Timer();
    p.main->Timer1Timer();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("heslo"));
    QCOMPARE(other.text(), QStringLiteral("heslo"));
    QCOMPARE(result->nameBox()->text(), QStringLiteral("Věra"));
    QVERIFY(result->isVisible());
}

void PlayTest::confirmingTheResultReturnsToIdle()
{
    Program p;
    startGame(p, 3);
    p.solve(3, 1, 2);
    p.main->Timer1Timer();
    TVysledekDialog *result = p.windows->VysledekDialog.get();
    QTest::keyClick(result->nameBox(), Qt::Key_Escape);   // Esc confirms like the button
    QVERIFY(!result->isVisible());
    QVERIFY(!p.board()->isVisible());
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("0"));
    QVERIFY(p.action("MS1")->isEnabled() && !p.action("MS3")->isEnabled());
    QCOMPARE(p.board()->plate(2)->brushColor(), QColor(Qt::white));
    for (int k = 1; k <= Board::kDisks; ++k) {   // the design's places: D1 at 73, 55, each next 7 left, 18 down
        QVERIFY(p.board()->disk(k)->isVisibleTo(p.board()));
        QCOMPARE(p.board()->disk(k)->pos(), QPoint(73 - 7 * (k - 1), 55 + 18 * (k - 1)));
    }
    QVERIFY(InputLock::isInputEnabled(p.main));
    p.main->Timer1Timer();   // the tower is gone: no second announcement
    QVERIFY(!result->isVisible());
}

void PlayTest::endQuestionYesEndsTheGameAndNoKeepsItWatched_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Ano") << "yes" << true;
    QTest::newRow("Enter") << "enter" << true;
    QTest::newRow("Ne") << "no" << false;
    QTest::newRow("Esc") << "esc" << false;
    QTest::newRow("Tab to Ano, Space") << "tab space" << true;
    QTest::newRow("Tab twice to Ne, Enter: the button reached answers") << "tab tab enter" << false;
}

void PlayTest::endQuestionYesEndsTheGameAndNoKeepsItWatched()
{
    QFETCH(QString, answer);
    QFETCH(bool, ends);
    Program p;
    startGame(p, 3);
    p.move(1, 3);
    p.main->endGame();
    TDotazKonecDialog *question = p.windows->DotazKonecDialog.get();
    QVERIFY(question->isVisible());
    QCOMPARE(p.kontrola(), QStringLiteral("0"));
    QVERIFY(!InputLock::isInputEnabled(p.main));
    if (answer == "yes")
        emit question->yesButton()->clicked();
    else if (answer == "no")
        emit question->noButton()->clicked();
    else if (answer.startsWith("tab"))
        for (const QString &key : answer.split(' '))
            QTest::keyClick(question->focusWidget() ? question->focusWidget() : question,
                            key == "tab" ? Qt::Key_Tab : key == "space" ? Qt::Key_Space : Qt::Key_Return);
    else
        QTest::keyClick(question, answer == "enter" ? Qt::Key_Return : Qt::Key_Escape);
    QVERIFY(!question->isVisible());
    QVERIFY(InputLock::isInputEnabled(p.main));
    QCOMPARE(p.board()->isVisible(), !ends);
    QCOMPARE(p.action("MS1")->isEnabled(), ends);
    QCOMPARE(p.action("MS3")->isEnabled(), !ends);
    if (ends) {
        QCOMPARE(p.main->tahy()->text(), QStringLiteral("0"));
        QCOMPARE(p.kontrola(), QStringLiteral("0"));
        return;
    }
    // The game kept on the board is still recognised when it is solved.
    QCOMPARE(p.kontrola(), QStringLiteral("3"));
    p.move(1, 2);
    p.move(3, 2);
    p.move(1, 3);
    p.move(2, 1);
    p.move(2, 3);
    p.move(1, 3);
    p.main->Timer1Timer();
    QVERIFY(p.windows->VysledekDialog->isVisible());
}

// New game shows the assistant only when it was closed ("0"); end game
// shows it for anything but "1".
void PlayTest::commandsReadTheAssistantSettingEachTime_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("newGameShows");
    QTest::addColumn<bool>("endGameShows");
    QTest::newRow("closed") << QByteArray("[Nastaveni]\r\nPomocnik=0\r\n") << true << true;
    QTest::newRow("missing") << QByteArray() << false << true;
    QTest::newRow("open") << QByteArray("[Nastaveni]\r\nPomocnik=1\r\n") << false << false;
}

void PlayTest::commandsReadTheAssistantSettingEachTime()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, newGameShows);
    QFETCH(bool, endGameShows);
    Program p(settings);
    TPomocnikDialog *assistant = p.windows->PomocnikDialog.get();
    assistant->hide();
    p.dir.writeFile("KQ2000.ini", settings);
    p.main->newGame();
    QCOMPARE(assistant->isVisible(), newGameShows);
    p.windows->HraDialog->countButtonClick(8);
    assistant->hide();
    p.dir.writeFile("KQ2000.ini", settings);
    p.main->endGame();
    QCOMPARE(assistant->isVisible(), endGameShows);
}

void PlayTest::firstShowGreetsAsTheSettingsSay_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("assistant");
    QTest::addColumn<bool>("welcome");
    QTest::newRow("no settings file") << QByteArray() << false << false;
    QTest::newRow("assistant alone") << QByteArray("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n") << true << false;
    QTest::newRow("assistant closed") << QByteArray("[Nastaveni]\r\nPomocnik=0\r\nUvitani=1\r\n") << false << false;
    QTest::newRow("assistant and welcome") << QByteArray("[Nastaveni]\r\nPomocnik=1\r\nUvitani=1\r\n") << true << true;
}

void PlayTest::firstShowGreetsAsTheSettingsSay()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, assistant);
    QFETCH(bool, welcome);
    Program p(settings);   // shows the main window; its show step runs from the loop
    QCoreApplication::processEvents();
    QCOMPARE(p.windows->PomocnikDialog->isVisible(), assistant);
    QCOMPARE(p.windows->UvitaniDialog->isVisible(), welcome);
    if (welcome) {
        QVERIFY(p.windows->UvitaniDialog->checkBox()->isChecked());
        QVERIFY(!InputLock::isInputEnabled(p.main));
    }
}

void PlayTest::helpAboutAndTheAssistantsDoubleClickOpenTheirDialogs()
{
    Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    QCoreApplication::processEvents();   // the show step
    p.action("NpovdaproToranskouv20001")->trigger();
    QVERIFY(p.windows->NapovedaDialog->isVisible());
    QVERIFY(!InputLock::isInputEnabled(p.main));
    QTest::keyClick(p.windows->NapovedaDialog.get(), Qt::Key_Escape);
    QVERIFY(!p.windows->NapovedaDialog->isVisible());
    p.action("OProgramu")->trigger();
    QVERIFY(p.windows->OProgramuDialog->isVisible());
    QTest::keyClick(p.windows->OProgramuDialog.get(), Qt::Key_Escape);
    QVERIFY(!p.windows->OProgramuDialog->isVisible());
    QVERIFY(InputLock::isInputEnabled(p.main));
    QTest::keyClick(p.windows->PomocnikDialog.get(), Qt::Key_Return);   // the keyboard's double click
    QVERIFY(p.windows->UvitaniDialog->isVisible());
    QVERIFY(!InputLock::isInputEnabled(p.windows->PomocnikDialog.get()));
}

// A walk through every entry of the menus and the toolbar and every key:
// each opens what it should (or, where it needs a game, does so once a game
// is on), so no command is left doing nothing.
// Balloons named by their questions, figures labelled by their captions, the
// about box's lettering by its words; a help topic's text is heard first.
void PlayTest::aReaderHearsEachDialogByItsWords()
{
    ReaderLog reader;
    Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    const auto name = [](QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
    QCOMPARE(name(p.windows->DotazKonecDialog.get()), QStringLiteral("Opravdu chcete ukončit tuto hru ?"));
    QCOMPARE(name(p.windows->VymazatDialog.get()), QStringLiteral("Opravdu chcete vymazat tabulku nejlepších ?"));
    const auto captions = QAccessible::queryAccessibleInterface(p.windows->VysledekDialog->findChild<QLabel *>("Label6"))
                              ->relations(QAccessible::Label);
    QCOMPARE(captions.size(), 1);
    QCOMPARE(captions.first().first->object()->objectName(), QStringLiteral("Label3"));
    const TOProgramuDialog *about = p.windows->OProgramuDialog.get();
    QCOMPARE(name(about->findChild<QWidget *>("GradText1")) + ' ' + name(about->findChild<QWidget *>("GradText2")),
             QStringLiteral("Toranská věž 2000 verze 5.0"));
    p.action("NpovdaproToranskouv20001")->trigger();
    TNapovedaDialog *help = p.windows->NapovedaDialog.get();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help, Qt::Key_Down);
    QCOMPARE(help->focusWidget(), help->topicEntry(0));
    QTest::keyClick(help->focusWidget(), Qt::Key_Return);
    QVERIFY(!help->topicList()->isVisible());
    QTRY_VERIFY(reader.last(QAccessible::Focus));
    QCOMPARE(reader.last(QAccessible::Focus)->texts.first(), help->mainText()->text());
}

void PlayTest::everyMenuEntryToolbarButtonAndKeyRunsItsCommand_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("needsGame");
    QTest::addColumn<QString>("opens");
    const QList<std::tuple<const char *, bool, const char *>> rows = {
        {"MS1", false, "HraDialog"}, {"MP1", false, "HraDialog"}, {"TB1", false, "HraDialog"}, {"F2", false, "HraDialog"},
        {"MS3", true, "DotazKonecDialog"}, {"MP2", true, "DotazKonecDialog"}, {"TB2", true, "DotazKonecDialog"},
        {"F3", true, "DotazKonecDialog"},
        {"MN5", false, "TabulkaDialog"}, {"TB3", false, "TabulkaDialog"},
        {"Vymazattabulkunejlepch2", false, "VymazatDialog"},
        {"fovskpojistka1", false, "Sef"}, {"ToolbarButton971", false, "Sef"},
        {"NpovdaproToranskouv20001", false, "NapovedaDialog"}, {"F1", false, "NapovedaDialog"},
        {"OProgramu", false, "OProgramuDialog"},
        {"Ctrl+N", false, "HraDialog"}, {"Ctrl+Q", false, "quit"},
    };
    for (const auto &[entry, needsGame, opens] : rows)
        QTest::newRow(entry) << QString::fromLatin1(entry) << needsGame << QString::fromLatin1(opens);
}

void PlayTest::everyMenuEntryToolbarButtonAndKeyRunsItsCommand()
{
    QFETCH(QString, entry);
    QFETCH(bool, needsGame);
    QFETCH(QString, opens);
    Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    QCoreApplication::processEvents();   // the show step
    QApplication::setActiveWindow(p.main);
    if (needsGame)
        startGame(p, 3);
    auto run = [&] {
        if (entry.startsWith("Ctrl+")) {
            QTest::keyClick(p.main, entry.back().toLatin1(), Qt::ControlModifier);
        } else if (entry.startsWith('F')) {
            const int key = Qt::Key_F1 + entry.mid(1).toInt() - 1;
            QTest::keyClick(p.main, Qt::Key(key));
        } else if (auto *a = p.action(qPrintable(entry))) {
            QVERIFY(a->isEnabled());
            a->trigger();
        } else {
            QToolButton *button = p.tool(qPrintable(entry));
            QVERIFY(button && button->isEnabled());
            button->click();
        }
    };
    run();
    if (opens == "quit") {   // Konec: the main window closes, and the program with it
        QTRY_VERIFY(!p.main->isVisible());
        QTest::qWait(10);
        ProgramEnd::resetForTesting();
        return;
    }
    QWidget *target = p.main->findChild<QWidget *>(opens);   // the boss screen is a panel
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == opens)
            target = w;
    QVERIFY2(target, qPrintable(opens));
    QTRY_VERIFY2(target->isVisible(), qPrintable(entry + " opens nothing"));
}

namespace {
// The minimal solution as keys: from, to for every move.
QString solutionKeys(int n, int from, int to)
{
    if (n == 0)
        return QString();
    const int via = 6 - from - to;
    return solutionKeys(n - 1, from, via) + QString::number(from) + QString::number(to) + solutionKeys(n - 1, via, to);
}
} // namespace

// Two keys a move: the first lifts the post's top disk, the second places
// it. A screen reader hears three posts named by plate and disks, the last
// key's post focused with the moves made; in English here, in Czech key by
// key in ScreenReaderOnScreenTest.
void PlayTest::keysOneTwoThreeSolveThreeDisksInSevenMovesAsAScreenReaderHearsThem()
{
    QTranslator gameTexts, qtTexts;
    Startup::installTranslations(QStringLiteral("en"), gameTexts, qtTexts);
    const auto czech = qScopeGuard([] { Language::setCurrent(Language::kCzech); });
    Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    QVERIFY(QTest::qWaitForWindowExposed(p.main));
    startGame(p, 3);
    p.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.main));
    QAccessibleInterface *board = QAccessible::queryAccessibleInterface(p.board());
    QCOMPARE(board->childCount(), 3);
    const auto names = [board] {
        QStringList names;
        for (int post = 0; post < 3; ++post)
            names << board->child(post)->text(QAccessible::Name);
        return names;
    };
    const QString keys = solutionKeys(3, 1, 3);
    for (const QChar key : keys.left(7))
        QTest::keyClick(p.main, key.toLatin1());
    QCOMPARE(names(), (QStringList{"Post 1: no disks; lifted disk 3", "Post 2: disks 2, 1", "Post 3: no disks"}));
    for (int post = 1; post <= 3; ++post) {
        QCOMPARE(int(board->child(post - 1)->role()), int(QAccessible::Button));
        QTRY_COMPARE(board->child(post - 1)->state().focused, post == 1);
        QVERIFY(p.board()->pole(post)->statusTip().startsWith(p.board()->plateLabel(post)->text()));
    }
    QCOMPARE(board->child(0)->text(QAccessible::Description), QStringLiteral("Moves: 4"));
    // Ctrl+Z puts the lifted disk back, and the reader hears it; lifted again, it counts again.
    QTest::keyClick(p.main, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(names(), (QStringList{"Post 1: disk 3", "Post 2: disks 2, 1", "Post 3: no disks"}));
    QTest::keyClick(p.main, '1');
    for (const QChar key : keys.mid(7))
        QTest::keyClick(p.main, key.toLatin1());
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("8"));
    p.main->Timer1Timer();
    QVERIFY(p.windows->VysledekDialog->isVisible());
    QCOMPARE(names(), (QStringList{"Post 1: no disks", "Post 2: no disks", "Post 3: disks 3, 2, 1; solved"}));
}

// keys: the digits pressed in turn, z for Ctrl+Z, | where a dialog or the
// boss screen comes (else before the first key); posts: where D1, D2, D3 stand afterwards
// (a lifted disk keeps its post's place); gap: milliseconds between the time
// stamps of the keys, 0 for none. A key stamped while the previous key's move
// ran acts after it. A key held down repeats the key before it: "*" as Qt
// tells a repeat, "~" as the window system sends one (a release and a press
// of one time stamp). Keys after "@" go to the assistant, which may hold the
// keyboard when a balloon has closed. "!": the next key went down in a
// balloon and came up here, and Qt, which missed its release, tells
// its next press as a repeat.
void PlayTest::keysPlayOnlyWhatTheMouseMayAndOnlyWhenFree_data()
{
    enum Lock { Free, DialogOpen, BossScreen };
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("lock");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QString>("posts");
    QTest::addColumn<int>("lifted");
    QTest::addColumn<int>("moves");
    QTest::newRow("lift the top disk") << "1" << int(Free) << 0 << "111" << 1 << 1;
    QTest::newRow("place it on another post") << "12" << int(Free) << 0 << "211" << 0 << 1;
    QTest::newRow("put back on its own post") << "11" << int(Free) << 0 << "111" << 0 << 1;
    QTest::newRow("empty post lifts nothing") << "2" << int(Free) << 0 << "111" << 0 << 0;
    QTest::newRow("refused onto a smaller disk") << "1212" << int(Free) << 0 << "211" << 2 << 2;
    QTest::newRow("refused again, still up") << "12122" << int(Free) << 0 << "211" << 2 << 2;
    QTest::newRow("refused, then placed elsewhere") << "12123" << int(Free) << 0 << "231" << 0 << 2;
    QTest::newRow("dialog open") << "12" << int(DialogOpen) << 0 << "111" << 0 << 0;
    QTest::newRow("on the assistant") << "@12" << int(Free) << 0 << "211" << 0 << 1;
    QTest::newRow("on the assistant, dialog open") << "@12" << int(DialogOpen) << 0 << "111" << 0 << 0;
    QTest::newRow("let go after the balloon closed") << "1!3" << int(Free) << 1 << "311" << 0 << 1;
    QTest::newRow("boss screen") << "1" << int(BossScreen) << 0 << "111" << 0 << 0;
    QTest::newRow("pressed while the lift ran") << "12" << int(Free) << 1 << "211" << 0 << 1;
    QTest::newRow("held down, then the next") << "1**2**" << int(Free) << 1 << "211" << 0 << 1;
    QTest::newRow("held down, repeats untold") << "1~~2~" << int(Free) << 1 << "211" << 0 << 1;
    QTest::newRow("pressed after the lift") << "12" << int(Free) << 100000 << "211" << 0 << 1;
    QTest::newRow("Ctrl+Z takes a move back, counted") << "12z" << int(Free) << 0 << "111" << 0 << 2;
    QTest::newRow("Ctrl+Z back to the start, then nothing") << "1213zzz" << int(Free) << 0 << "111" << 0 << 4;
    QTest::newRow("Ctrl+Z puts a lifted disk back, uncounted") << "121z" << int(Free) << 0 << "211" << 0 << 2;
    QTest::newRow("Ctrl+Z during moves acts after them") << "12z" << int(Free) << 1 << "111" << 0 << 2;
    QTest::newRow("Ctrl+Z with a dialog open") << "12|z" << int(DialogOpen) << 0 << "211" << 0 << 1;
    QTest::newRow("Ctrl+Z on the boss screen") << "12|z" << int(BossScreen) << 0 << "211" << 0 << 1;
    QTest::newRow("keys marked 1 2 on a Czech keyboard") << "+ě" << int(Free) << 0 << "211" << 0 << 1;
    QTest::newRow("Czech keys marked 1 3, held down") << "+*š~" << int(Free) << 1 << "311" << 0 << 1;
    QTest::newRow("keypad's 1 3") << "₁₃" << int(Free) << 0 << "311" << 0 << 1;
}

void PlayTest::keysPlayOnlyWhatTheMouseMayAndOnlyWhenFree()
{
    QFETCH(QString, keys);
    QFETCH(int, lock);
    QFETCH(int, gap);
    QFETCH(QString, posts);
    QFETCH(int, lifted);
    QFETCH(int, moves);
    Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    startGame(p, 3);
    QApplication::setActiveWindow(p.main);   // for the shortcut
    // Paced, the lift of D1 takes 172 ms.
    Pacing::setEnabled(gap != 0);
    QWidget *window = p.main;
    if (keys.startsWith(QLatin1Char('@')))
        window = p.windows->PomocnikDialog.get();
    keys.remove(QLatin1Char('@'));
    const quint64 first = 1000;
    if (!keys.contains('|'))
        keys.prepend('|');
    for (int i = 0; i < keys.size(); ++i) {
        if (keys[i] == QLatin1Char('|')) {   // the lock comes here
            if (lock == 1)
                p.main->newGame();
            else if (lock == 2)
                p.main->toggleBossScreen();
            continue;
        }
        const quint64 stamp = gap ? first + quint64(i) * gap : 0;
        if (keys[i] == QLatin1Char('!'))
            continue;
        if (i > 0 && keys[i - 1] == QLatin1Char('!')) {
            const QChar digit = keys[i];
            const quint32 scanCode = quint32(digit.digitValue() + 9);
            QWidget balloon;   // which closed on the key
            pressKey(&balloon, digit, stamp - 2, false, QEvent::KeyPress, scanCode);
            pressKey(window, digit, stamp - 1, false, QEvent::KeyRelease, scanCode);
            pressKey(window, digit, stamp, true, QEvent::KeyRelease, scanCode);
            pressKey(window, digit, stamp, true, QEvent::KeyPress, scanCode);
            continue;
        }
        const bool told = keys[i] == QLatin1Char('*'), untold = keys[i] == QLatin1Char('~');
        if (told || untold)
            keys[i] = keys[i - 1];
        if (untold)
            pressKey(window, keys[i], stamp, false, QEvent::KeyRelease);
        if (keys[i] == QLatin1Char('z'))
            QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
        else
            pressKey(window, keys[i], stamp, told);
    }
    QTRY_VERIFY(!p.main->isMoving());   // the keys that waited have acted
    Pacing::setEnabled(false);
    const Board::Disks disks = p.board()->disks();
    QString standing;
    for (int k = 1; k <= 3; ++k)
        for (int post = 1; post <= 3; ++post)
            if (Board::isOnPost(disks, k, p.board()->baseLeft(post)))
                standing += QString::number(post);
    QCOMPARE(standing, posts);
    QCOMPARE(Board::liftedDisk(disks), lifted);
    QCOMPARE(p.main->pocetTahu(), moves);
}

// The lift of D1 in a 3-disk game is 172 steps: at no speed it is over at
// once, else it lasts at least its steps' time.
void PlayTest::aSpeedChosenIsStoredAndPacesTheNextMove_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("atLeastMs");
    QTest::newRow("Pomalá") << "Pomal1" << "1" << 2 * 172 - 10;
    QTest::newRow("Normální") << "Normln1" << "2" << 172 - 5;
    QTest::newRow("Rychlá") << "Rychl1" << "3" << 172 / 4 - 2;
    QTest::newRow("Bez animace") << "Bezanimace1" << "4" << 0;
}

void PlayTest::aSpeedChosenIsStoredAndPacesTheNextMove()
{
    QFETCH(QString, item);
    QFETCH(QString, stored);
    QFETCH(int, atLeastMs);
    Program p;
    startGame(p, 3);
    p.action(qPrintable(item))->trigger();
    QVERIFY(p.action(qPrintable(item))->isChecked());
    QCOMPARE(IniFile(p.dir.file("Toran2000.ini")).read("Nastaveni", "Rychlost"), stored);
    Pacing::setEnabled(true);
    const auto unpaced = qScopeGuard([] { Pacing::setEnabled(false); });
    p.sounds.clear();
    QElapsedTimer clock;
    clock.start();
    Program::release(p.board()->disk(1));
    QCOMPARE(p.main->isMoving(), atLeastMs > 0);
    QCOMPARE(p.main->tahy()->text(), atLeastMs > 0 ? "0" : "1");   // counted once the disk is up
    QTRY_VERIFY(!p.main->isMoving());
    QCOMPARE(p.main->tahy()->text(), QString("1"));
    QVERIFY2(clock.elapsed() >= atLeastMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(p.board()->disk(1)->pos(), QPoint(73, 10));
    QCOMPARE(p.sounds.names.filter("Zvednuti"), QStringList{"Zvednuti.wav"});
}

// D1 stands on post 3; D2 is pressed and drawn to a place and let go there.
// A drag counts as its lift; a press that stays within the drag distance
// is the click that lifts.
void PlayTest::aDiskDraggedDropsWhereItMayStandElseGoesHome_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QStringList>("cues");
    const QStringList dropped{"Zvednuti.wav", "Polozeni.wav", "Dopad.wav"};
    QTest::newRow("onto an empty post") << QPoint(280, 100) << QPoint(256, 217) << dropped;
    QTest::newRow("onto a smaller disk: home") << QPoint(470, 100) << QPoint(66, 199) << dropped;
    QTest::newRow("between the posts: home") << QPoint(186, 100) << QPoint(66, 199) << dropped;
    QTest::newRow("back over its own post") << QPoint(90, 100) << QPoint(66, 199) << dropped;
    QTest::newRow("within the drag distance: a click") << QPoint(91, 205) << QPoint(66, 10) << QStringList{"Zvednuti.wav"};
    QTest::newRow("the boss screen comes mid-drag: home") << QPoint(0, 0) << QPoint(66, 199) << dropped;
}

void PlayTest::aDiskDraggedDropsWhereItMayStandElseGoesHome()
{
    QFETCH(QPoint, to);
    QFETCH(QPoint, at);
    QFETCH(QStringList, cues);
    Program p;
    startGame(p, 3);
    p.move(1, 3);
    p.sounds.clear();
    Shape *disk = p.board()->disk(2);
    const auto send = [&](QEvent::Type type, QPoint where, Qt::MouseButtons buttons) {
        const QPoint local = disk->mapFrom(p.board(), where);
        QMouseEvent event(type, local, disk->mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(disk, &event);
    };
    const QPoint pressed(90, 205);   // on D2, left of the pole
    send(QEvent::MouseButtonPress, pressed, Qt::LeftButton);
    const bool covered = to.isNull();
    send(QEvent::MouseMove, covered ? QPoint(280, 100) : to, Qt::LeftButton);
    if (covered) {
        p.main->toggleBossScreen();
        p.main->toggleBossScreen();
    } else {
        if (cues.size() > 1)   // up above the posts, following the pointer
            QCOMPARE(disk->pos(), QPoint(66 + to.x() - pressed.x(), 10));
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    QCOMPARE(disk->pos(), at);
    QCOMPARE(p.main->pocetTahu(), 2);
    QCOMPARE(p.sounds.names, cues);
}

// Kept with its count and its disks, a lifted one standing on its post; it
// goes on from there and is gone from the file once it ends.
void PlayTest::aGameLeftByCtrlQComesBackAtTheNextStart()
{
    QByteArray kept;
    {
        Program p;
        startGame(p, 3);
        p.move(1, 3);
        Program::release(p.board()->disk(2));
        QApplication::setActiveWindow(p.main);
        QTest::keyClick(p.main, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!p.main->isVisible());
        ProgramEnd::resetForTesting();
        const IniFile file(p.dir.file("Toran2000.ini"));
        QCOMPARE(file.read("Hra", "Disky"), QStringLiteral("3"));
        QCOMPARE(file.read("Hra", "Tahy"), QStringLiteral("2"));
        QCOMPARE(file.read("Hra", "Kuly"), QStringLiteral("311"));
        QCOMPARE(file.read("Hra", "Pomoc"), QString());   // played without help
        kept = p.dir.readFile("Toran2000.ini");
    }
    Program p;
    p.dir.writeFile("Toran2000.ini", kept);
    p.main->takeUpKeptGame();
    QVERIFY(p.main->isGameOn() && p.board()->isVisible());
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("2"));
    QCOMPARE(p.kontrola(), QStringLiteral("3"));
    QCOMPARE(p.board()->disk(1)->pos(), QPoint(453, 217));
    QCOMPARE(p.board()->disk(2)->pos(), QPoint(66, 199));
    p.move(1, 2);
    p.move(3, 2);
    QCOMPARE(p.main->tahy()->text(), QStringLiteral("4"));
    p.main->endGame();
    emit p.windows->DotazKonecDialog->yesButton()->clicked();
    QCOMPARE(IniFile(p.dir.file("Toran2000.ini")).read("Hra", "Kuly"), QString());
}

void PlayTest::aKeptGameThatMakesNoSenseStartsIdle_data()
{
    QTest::addColumn<QByteArray>("hra");
    QTest::newRow("eleven disks") << QByteArray("Disky=11\r\nTahy=3\r\nKuly=11111111111\r\n");
    QTest::newRow("Kuly too short") << QByteArray("Disky=4\r\nTahy=3\r\nKuly=111\r\n");
    QTest::newRow("Kuly with post 4") << QByteArray("Disky=3\r\nTahy=3\r\nKuly=114\r\n");
    QTest::newRow("Tahy negative") << QByteArray("Disky=3\r\nTahy=-3\r\nKuly=111\r\n");
    QTest::newRow("Tahy not a number") << QByteArray("Disky=3\r\nTahy=tri\r\nKuly=111\r\n");
}

void PlayTest::aKeptGameThatMakesNoSenseStartsIdle()
{
    QFETCH(QByteArray, hra);
    Program p;
    p.dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n[Hra]\r\n" + hra);
    QStringList errors;
    ErrorReport::setSinkForTesting([&errors](const QString &error) { errors << error; });
    const auto reported = qScopeGuard([] { ErrorReport::setSinkForTesting({}); });
    p.main->takeUpKeptGame();
    QVERIFY(!p.main->isGameOn() && !p.board()->isVisible());
    QVERIFY(errors.isEmpty());
    QCOMPARE(IniFile(p.dir.file("Toran2000.ini")).read("Hra", "Disky"), QString());
    QCOMPARE(IniFile(p.dir.file("Toran2000.ini")).read("Nastaveni", "Animace"), QStringLiteral("0"));
}

// A reader that keeps what it is told holds every post as it stands, all game
// long; it alone hears a refusal; the arrows walk the posts, then marked.
void PlayTest::aReaderThatKeepsWhatItHearsFollowsAWholeGame()
{
    ReaderLog reader;
    Program p("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    QVERIFY(QTest::qWaitForWindowExposed(p.main));
    startGame(p, 3);
    p.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.main));
    BoardPanel *board = p.board();
    const auto heardRight = [&] {
        for (int post = 1; post <= 3; ++post)
            if (reader.kept(board, post - 1) != QStringList{board->postName(post), board->postDescription(post)})
                return false;
        return true;
    };
    for (int post = 0; post < 3; ++post)
        reader.meet(board, post);
    const auto play = [&](const QString &keys) {
        for (const QChar key : keys) {
            pressKey(p.main, key);
            QTRY_VERIFY(!p.main->isMoving());
            QTRY_VERIFY(heardRight());
        }
    };
    play(QStringLiteral("1213"));
    startGame(p, 4);
    QTRY_VERIFY(heardRight());
    const QString keys = solutionKeys(4, 1, 3);
    play(keys.left(14));
    p.main->toggleBossScreen();
    p.main->toggleBossScreen();
    QTRY_VERIFY(heardRight());
    const QRect plate = board->plate(2)->geometry().adjusted(-5, -5, 5, 5);
    const auto marked = [&] { return board->grab(plate).toImage().pixel(1, 10) == Colors::Yellow; };
    play(QStringLiteral("12"));   // disk 4 onto disk 1: refused
    QCOMPARE(reader.kept(board, 0).last(), QStringLiteral("nelze položit na menší disk"));
    board->setFocus();
    QVERIFY(!marked());
    QTest::keyClick(board, Qt::Key_Right);
    QCOMPARE(reader.last(QAccessible::Focus)->child, 1);
    QVERIFY(marked());
    QTest::keyClick(board, Qt::Key_End);
    QTest::keyClick(board, Qt::Key_Space);
    QTRY_VERIFY(!p.main->isMoving());
    QCOMPARE(board->shownGame().topDisk(3), 4);
    play(keys.mid(16));
    QTRY_VERIFY(heardRight());
    QCOMPARE(board->postName(3), QStringLiteral("Post 3: disky 4, 3, 2, 1"));
}

TORAN_TEST_MAIN(PlayTest)
#include "tst_play.moc"
