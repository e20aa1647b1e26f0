// The windows of the best results: the result dialog's verdict and storing
// as the player meets them, the viewer's pages, and clearing.
#include "board/Plocha.h"
#include "dialogs/Placement.h"
#include "core/results/ResultsModel.h"
#include "core/results/ResultsTable.h"
#include "results/Tabulka.h"
#include "results/Vymazat.h"
#include "results/Vysledek.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "shell/Hlavni.h"
#include "services/InputLock.h"
#include "services/Pacing.h"
#include "shell/Startup.h"
#include "core/system/Today.h"
#include "support/ProgramWindows.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "widgets/OContrls.h"
#include "widgets/Shape.h"
#include "support/TestMain.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {
struct ResultsProgram : Program {
    ResultsTable &table() { return windows->DataModule1->Table1(); }
    TVysledekDialog *result() { return windows->VysledekDialog.get(); }

    // A solved game of n disks in `moves` moves, announced by the timer.
    void solved(int n, int moves)
    {
        main->resumeGame(*Board::Game::fromKept(QString::number(n), QString::number(moves), QString(n, '3')));
        main->Timer1Timer();
    }
    void store(const QString &name, int moves, int count, const QDate &date)
    {
        table().setFiltered(false);
        table().AppendResult(name, QString::number(moves), QString::number(count), ResultsTable::dateToText(date));
    }
    QStringList gridNames(QTableView *grid)
    {
        QStringList names;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            names << grid->model()->index(row, ResultsModel::NameColumn).data().toString();
        return names;
    }
};
} // namespace

class ResultsWindowsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void nameBoxIsTheWholeVerdict_data();
    void nameBoxIsTheWholeVerdict();
    void aConfirmedResultIsStoredUnderItsCount();
    void aNameOfMoreThanAHundredCharactersIsCut();
    void afterAFailedStoreEscLeavesAndEnterRetries_data();
    void afterAFailedStoreEscLeavesAndEnterRetries();
    void viewerAlwaysOpensOnThreeDisksWithOkFocused();
    void viewerPagesShowTheirCountFewestMovesFirst();
    void viewerKeysCloseItAndNeverHoldTheKeyboard_data();
    void viewerKeysCloseItAndNeverHoldTheKeyboard();
    void aFullPageShowsItsTenRowsFromTheTopOnEveryShow_data();
    void aFullPageShowsItsTenRowsFromTheTopOnEveryShow();
    void viewerTitlesAreLeftAlignedButTheDate();
    void clearingEmptiesEveryPageAndTheNextResultQualifies();
    void noOrEscKeepsTheTable();
};

void ResultsWindowsTest::initTestCase()
{
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
    Today::setForTesting(QDate(2026, 12, 7));
}

void ResultsWindowsTest::cleanup() { ErrorReport::setSinkForTesting({}); }

// The dialog tells the verdict only by the name box and its label.
void ResultsWindowsTest::nameBoxIsTheWholeVerdict_data()
{
    QTest::addColumn<int>("stored");      // results of 3 disks with 40 moves, dated a week ago
    QTest::addColumn<int>("moves");
    QTest::addColumn<bool>("qualifies");
    QTest::newRow("first result") << 0 << 99 << true;
    QTest::newRow("nine stored") << 9 << 99 << true;
    QTest::newRow("ten stored, better") << 10 << 39 << true;
    QTest::newRow("ten stored, worse") << 10 << 41 << false;
    QTest::newRow("ten stored, same moves, later date") << 10 << 40 << true;
}

void ResultsWindowsTest::nameBoxIsTheWholeVerdict()
{
    QFETCH(int, stored);
    QFETCH(int, moves);
    QFETCH(bool, qualifies);
    ResultsProgram p;
    for (int i = 0; i < stored; ++i)
        p.store(QStringLiteral("Hráč %1").arg(i), 40, 3, QDate(2026, 11, 30));
    p.store(QStringLiteral("Jiná hra"), 7, 4, QDate(2026, 11, 30));   // another count never counts
    p.solved(3, moves);
    QVERIFY(p.result()->isVisible());
    QCOMPARE(p.result()->nameBox()->isEnabled(), qualifies);
    QCOMPARE(p.result()->findChild<QLabel *>("Label8")->isEnabled(), qualifies);
    QVERIFY(p.result()->nameBox()->text().isEmpty());
    QVERIFY(p.sounds.names.contains("Dialog.wav"));
}

void ResultsWindowsTest::aConfirmedResultIsStoredUnderItsCount()
{
    ResultsProgram p;
    p.solved(5, 31);
    p.result()->nameBox()->insert(QStringLiteral("Řehoř Žluťoučký"));
    QTest::keyClick(p.result()->nameBox(), Qt::Key_Return);
    QVERIFY(!p.result()->isVisible());
    p.table().setFiltered(true);
    p.table().setFilter(QStringLiteral("HRA = '5'"));
    p.table().First();
    QCOMPARE(p.table().currentName(), QStringLiteral("Řehoř Žluťoučký"));
    QCOMPARE(p.table().MovesAsInteger(), 31);
    QCOMPARE(p.table().currentDate(), QDate(2026, 12, 7));
    // A result that does not qualify is never stored, whatever was typed.
    for (int i = 0; i < 9; ++i)
        p.store(QStringLiteral("Rychlík"), 31, 5, QDate(2026, 12, 1));
    p.solved(5, 32);
    QVERIFY(!p.result()->nameBox()->isEnabled());
    emit p.result()->findChild<TOfficeButton *>("OfficeButton1")->clicked();
    p.table().setFilter(QStringLiteral("HRA = '5'"));
    p.table().setIndexFieldNames(QStringLiteral("TAHY"));
    p.table().Last();
    QCOMPARE(p.table().MovesAsInteger(), 31);
}

void ResultsWindowsTest::aNameOfMoreThanAHundredCharactersIsCut()
{
    ResultsProgram p;
    p.solved(3, 7);
    const QString name = QString(101, QLatin1Char('x'));
    p.result()->nameBox()->setText(name);
    QCOMPARE(p.result()->nameBox()->text().size(), 101);   // the box itself has no limit
    p.result()->OfficeButton1Click();
    p.table().setFilter(QStringLiteral("HRA = '3'"));
    p.table().First();
    QCOMPARE(p.table().currentName(), name.left(100));
}

void ResultsWindowsTest::afterAFailedStoreEscLeavesAndEnterRetries_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("stored");   // once the table can be written again
    QTest::newRow("Esc leaves without storing") << int(Qt::Key_Escape) << 0;
    QTest::newRow("Enter stores") << int(Qt::Key_Return) << 1;
}

void ResultsWindowsTest::afterAFailedStoreEscLeavesAndEnterRetries()
{
    QFETCH(int, key);
    QFETCH(int, stored);
    ResultsProgram p;
    QStringList reports;
    ErrorReport::setSinkForTesting([&reports](const QString &text) { reports << text; });
    p.table().setWriteRefusal(QStringLiteral("plný disk"));
    p.solved(3, 7);
    QTest::keyClick(p.result()->nameBox(), Qt::Key_Escape);   // the first failure, as Enter or Ok
    QCOMPARE(reports.size(), 1);
    QVERIFY(p.result()->isVisible());
    p.table().setWriteRefusal(QString());
    QTest::keyClick(p.result()->nameBox(), Qt::Key(key));
    QCOMPARE(reports.size(), 1);
    QVERIFY(!p.result()->isVisible());
    QVERIFY(InputLock::isInputEnabled(p.main));
    p.table().setFilter(QStringLiteral("HRA = '3'"));
    p.table().Last();
    QCOMPARE(p.table().Bof() && p.table().Eof() ? 0 : 1, stored);
}

void ResultsWindowsTest::viewerAlwaysOpensOnThreeDisksWithOkFocused()
{
    ResultsProgram p;
    TTabulkaDialog *viewer = p.windows->TabulkaDialog.get();
    p.main->findChild<QAction *>("MN5")->trigger();
    QVERIFY(viewer->isVisible());
    QVERIFY(!InputLock::isInputEnabled(p.main));
    QCOMPARE(viewer->pageControl()->currentIndex(), 0);
    QCOMPARE(viewer->pageControl()->tabText(0), QStringLiteral("3 disky"));
    QCOMPARE(viewer->pageControl()->tabText(7), QStringLiteral("10 disků"));
    viewer->pageControl()->setCurrentIndex(5);
    viewer->close();
    QVERIFY(InputLock::isInputEnabled(p.main));
    p.main->showBestResults();
    QCOMPARE(viewer->pageControl()->currentIndex(), 0);
    QCOMPARE(p.table().Filter(), QStringLiteral("HRA = '3'"));
    QCOMPARE(QApplication::focusWidget() == viewer->okButton() || viewer->okButton()->hasFocus()
                 || viewer->focusWidget() == viewer->okButton(),
             true);
}

void ResultsWindowsTest::viewerPagesShowTheirCountFewestMovesFirst()
{
    ResultsProgram p;
    p.store(QStringLiteral("Pomalý"), 20, 4, QDate(2026, 12, 1));
    p.store(QStringLiteral("Rychlý"), 15, 4, QDate(2026, 12, 2));
    p.store(QStringLiteral("Stejný"), 15, 4, QDate(2026, 12, 3));
    p.store(QStringLiteral("Deset"), 1023, 10, QDate(2026, 12, 3));
    TTabulkaDialog *viewer = p.windows->TabulkaDialog.get();
    p.main->showBestResults();
    QVERIFY(p.gridNames(viewer->grid(1)).isEmpty());   // only the title row
    viewer->pageControl()->setCurrentIndex(1);
    QCOMPARE(p.gridNames(viewer->grid(2)), (QStringList{"Rychlý", "Stejný", "Pomalý"}));
    QCOMPARE(viewer->grid(2)->model()->index(0, ResultsModel::MovesColumn).data().toString(), QStringLiteral("15"));
    viewer->pageControl()->setCurrentIndex(7);
    QCOMPARE(p.gridNames(viewer->grid(8)), QStringList{"Deset"});
    QTableView *grid = viewer->grid(8);
    QCOMPARE(grid->columnWidth(0), 240);
    QCOMPARE(grid->columnWidth(1), 30);
    // Every column shows left of the cover panel, which starts 336 pixels into the grid.
    QVERIFY(grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2) <= 336);
    const QRect date = grid->visualRect(grid->model()->index(0, ResultsModel::DateColumn));
    const QString dateText = grid->model()->index(0, ResultsModel::DateColumn).data().toString();
    QVERIFY2(grid->fontMetrics().horizontalAdvance(dateText) < date.width(),
             qPrintable(QStringLiteral("%1 in %2 pixels").arg(dateText).arg(date.width())));
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Jméno"));
}

void ResultsWindowsTest::viewerKeysCloseItAndNeverHoldTheKeyboard_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focusAfter");   // empty: the viewer closes
    QTest::addColumn<int>("page");
    const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    QTest::newRow("Enter on Ok") << "Button1" << int(Qt::Key_Return) << none << "" << 0;
    QTest::newRow("Esc on Ok") << "Button1" << int(Qt::Key_Escape) << none << "" << 0;
    QTest::newRow("Enter in the grid") << "DBGrid1" << int(Qt::Key_Return) << none << "DBGrid1" << 0;
    QTest::newRow("Esc in the grid") << "DBGrid1" << int(Qt::Key_Escape) << none << "" << 0;
    QTest::newRow("Esc on the tabs") << "PageControl1" << int(Qt::Key_Escape) << none << "" << 0;
    QTest::newRow("Tab leaves the grid") << "DBGrid1" << int(Qt::Key_Tab) << none << "Button1" << 0;
    QTest::newRow("Shift+Tab leaves the grid") << "DBGrid1" << int(Qt::Key_Backtab) << shift << "PageControl1" << 0;
    QTest::newRow("Ctrl+Tab on Ok") << "Button1" << int(Qt::Key_Tab) << ctrl << "Button1" << 1;
    QTest::newRow("Ctrl+PgDn in the grid") << "DBGrid1" << int(Qt::Key_PageDown) << ctrl << "DBGrid2" << 1;
    QTest::newRow("Ctrl+PgUp back round") << "DBGrid1" << int(Qt::Key_PageUp) << ctrl << "DBGrid8" << 7;
}

// Esc closes the viewer wherever the keyboard is, as "Ok" does; Enter only
// on "Ok". Tab and Shift+Tab go on from the grid, Ctrl+Tab and Ctrl+PgDn
// turn the pages.
void ResultsWindowsTest::viewerKeysCloseItAndNeverHoldTheKeyboard()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focusAfter);
    QFETCH(int, page);
    ResultsProgram p;
    p.store(QStringLiteral("Hráč"), 7, 3, QDate(2026, 12, 1));   // a grid with cells to move among
    TTabulkaDialog *viewer = p.windows->TabulkaDialog.get();
    p.main->showBestResults();
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    QWidget *start = from == "PageControl1" ? viewer->pageControl()->tabBar() : viewer->findChild<QWidget *>(from);
    start->setFocus(Qt::TabFocusReason);
    QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(viewer->isVisible(), !focusAfter.isEmpty());
    QCOMPARE(viewer->pageControl()->currentIndex(), page);
    if (focusAfter.isEmpty())
        return;
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    if (focused == viewer->pageControl()->tabBar())
        focused = viewer->pageControl();
    QCOMPARE(focused->objectName(), focusAfter);
}

void ResultsWindowsTest::aFullPageShowsItsTenRowsFromTheTopOnEveryShow_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("3 disky") << 1;
    QTest::newRow("10 disků") << 8;
}

// Ten results and the title row fit the grid, whose scroll bar lies under
// the cover panel: none may hide below its edge. Every show and every page
// change starts at the best result.
void ResultsWindowsTest::aFullPageShowsItsTenRowsFromTheTopOnEveryShow()
{
    QFETCH(int, page);
    ResultsProgram p;
    for (int i = 0; i < 10; ++i)
        p.store(QStringLiteral("Hráč %1").arg(i + 1), 100 + i, page + 2, QDate(2026, 12, 1));
    TTabulkaDialog *viewer = p.windows->TabulkaDialog.get();
    QTableView *grid = viewer->grid(page);
    for (int round = 0; round < 2; ++round) {
        p.main->showBestResults();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        viewer->pageControl()->setCurrentIndex(page - 1);
        QCOMPARE(grid->geometry(), QRect(8, 8, 354, 177));
        QCOMPARE(grid->model()->rowCount(), 10);
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
        for (int row = 0; row < 10; ++row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, ResultsModel::NameColumn));
            QVERIFY2(cell.top() >= 0 && cell.bottom() < grid->viewport()->height(),
                     qPrintable(QStringLiteral("row %1 at %2..%3 of %4").arg(row + 1).arg(cell.top())
                                    .arg(cell.bottom()).arg(grid->viewport()->height())));
        }
        QVERIFY(grid->horizontalHeader()->height() + grid->viewport()->height() <= 177);
        // Wherever the player left it, the next show starts at the top.
        grid->scrollToBottom();
        viewer->pageControl()->setCurrentIndex(page == 1 ? 1 : 0);
        viewer->close();
    }
}

// The grid's titles stand at the left of their columns, as the grid draws
// them; only "Datum" is right-aligned.
void ResultsWindowsTest::viewerTitlesAreLeftAlignedButTheDate()
{
    ResultsProgram p;
    TTabulkaDialog *viewer = p.windows->TabulkaDialog.get();
    p.main->showBestResults();
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QHeaderView *titles = viewer->grid(1)->horizontalHeader();
    const QImage image = titles->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() / 2);
    // The first and the last column of ink in [from, to).
    const auto ink = [&](int from, int to) {
        int first = -1, last = -1;
        for (int x = from; x < to; ++x)
            for (int y = 2; y < image.height() - 2; ++y)
                if (qGray(image.pixel(x, y)) < 100 && image.pixel(x, y) != background) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return std::pair{first, last};
    };
    const int slack = 6;
    for (int column : {ResultsModel::NameColumn, ResultsModel::MovesColumn}) {
        const int left = titles->sectionViewportPosition(column);
        const auto [first, last] = ink(left, left + titles->sectionSize(column));
        QVERIFY2(first >= left && first <= left + slack,
                 qPrintable(QStringLiteral("column %1: ink from %2, column from %3").arg(column).arg(first).arg(left)));
    }
    const int dateLeft = titles->sectionViewportPosition(ResultsModel::DateColumn);
    const int dateRight = dateLeft + titles->sectionSize(ResultsModel::DateColumn);
    const auto [first, last] = ink(dateLeft, dateRight);
    QVERIFY2(last >= dateRight - 1 - slack && first > dateLeft + slack,
             qPrintable(QStringLiteral("Datum: ink %1..%2 in %3..%4").arg(first).arg(last).arg(dateLeft).arg(dateRight)));
}

void ResultsWindowsTest::clearingEmptiesEveryPageAndTheNextResultQualifies()
{
    ResultsProgram p;
    for (int i = 0; i < 10; ++i)
        p.store(QStringLiteral("Mistr"), 7, 3, QDate(2026, 12, 1));
    p.store(QStringLiteral("Jiný"), 15, 4, QDate(2026, 12, 1));
    p.main->findChild<QAction *>("Vymazattabulkunejlepch2")->trigger();
    TVymazatDialog *question = p.windows->VymazatDialog.get();
    QVERIFY(question->isVisible());
    QVERIFY(p.sounds.names.contains("Dotaz.wav"));
    QVERIFY(!InputLock::isInputEnabled(p.main));
    QTest::keyClick(question, Qt::Key_Return);
    QVERIFY(!question->isVisible());
    QVERIFY(InputLock::isInputEnabled(p.main));
    for (int count = 3; count <= 10; ++count) {
        p.table().setFiltered(true);
        p.table().setFilter(ResultsTable::filterFor(QString::number(count)));
        p.table().First();
        QVERIFY(p.table().Bof() && p.table().Eof());
    }
    p.solved(3, 100);
    QVERIFY(p.result()->nameBox()->isEnabled());
}

void ResultsWindowsTest::noOrEscKeepsTheTable()
{
    ResultsProgram p;
    p.store(QStringLiteral("Zůstane"), 7, 3, QDate(2026, 12, 1));
    TVymazatDialog *question = p.windows->VymazatDialog.get();
    p.main->clearResults();
    QTest::keyClick(question, Qt::Key_Escape);
    QVERIFY(!question->isVisible());
    p.main->clearResults();
    emit question->noButton()->clicked();
    p.table().setFiltered(true);
    p.table().setFilter(QStringLiteral("HRA = '3'"));
    p.table().First();
    QCOMPARE(p.table().currentName(), QStringLiteral("Zůstane"));
}

TORAN_TEST_MAIN(ResultsWindowsTest)
#include "tst_results_windows.moc"
