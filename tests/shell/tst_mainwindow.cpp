#include "board/Plocha.h"
#include "services/ErrorReport.h"
#include "core/system/Language.h"
#include "core/drawing/Fonts.h"
#include "shell/Hlavni.h"
#include "shell/IdlePicture.h"
#include "services/Pacing.h"
#include "shell/Sef.h"
#include "core/settings/Settings.h"
#include "services/ProgramEnd.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "results/Tabulka.h"
#include "results/Vysledek.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"
#include "widgets/Shape.h"
#include "widgets/TransBtn2.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>
#include <QScopeGuard>
#include <QTranslator>
#include <QTableView>
#include <QtTest>

namespace {
struct Step {
    QString name;
    int top;
};

// Records every animation step while it lives.
class StepRecorder
{
public:
    StepRecorder()
    {
        Pacing::setStepObserver([this](QWidget *w, const QRect &g) { steps.push_back({w->objectName(), g.top()}); });
    }
    ~StepRecorder() { Pacing::setStepObserver({}); }

    // The controls in the order they first moved, with their step counts.
    QStringList order() const
    {
        QStringList names;
        for (const Step &s : steps)
            if (names.isEmpty() || names.last() != s.name)
                names << s.name;
        return names;
    }
    int count(const QString &name) const
    {
        return int(std::count_if(steps.begin(), steps.end(), [&](const Step &s) { return s.name == name; }));
    }
    std::vector<Step> steps;
};

QStringList idleOrder(bool opening)
{
    QStringList names;
    const std::pair<const char *, int> posts[] = {{"DI", 10}, {"DA", 8}, {"DB", 10}};
    for (const auto &[prefix, count] : posts)
        for (int i = 0; i < count; ++i)
            names << QLatin1String(prefix) + QString::number(opening ? count - i : i + 1);
    return names;
}

void activate(QWidget *w)
{
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
}
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void clientAreaIsTheDesignSizeBelowTheMenuBar();
    void idlePictureStandsWhereDesigned_data();
    void idlePictureStandsWhereDesigned();
    void openingAnimationDropsLargestFirstPostByPostThenTheTitle();
    void closingAnimationLiftsTheTitleFirstThenSmallestFirst();
    void animationSwitchedOffLeavesEverythingInPlace();
    void animationSwitchWritesZeroThenOne();
    void refusedAnimationWriteKeepsTheNewCheckMark();
    void hintShowsSixSpacesAndTheNearestHint_data();
    void hintShowsSixSpacesAndTheNearestHint();
    void bossScreenHidesAndRestoresTheGame();
    void bossScreenCalendarIsAPlainMonthThatFitsItsBox_data();
    void bossScreenCalendarIsAPlainMonthThatFitsItsBox();
    void everyMenuEntryHasAnAccessKeyOfItsOwnAndShowsTheProgramsKeys_data();
    void everyMenuEntryHasAnAccessKeyOfItsOwnAndShowsTheProgramsKeys();
    void endingTheProgramLeavesTheAssistantToComeBack_data();
    void endingTheProgramLeavesTheAssistantToComeBack();
    void aScreenReaderFindsEveryControlNamedAndEveryWindowWithARole();
};

void MainWindowTest::initTestCase()
{
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
}

void MainWindowTest::clientAreaIsTheDesignSizeBelowTheMenuBar()
{
    ScratchAppDir dir;
    THlavniDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.client()->size(), QSize(569, 336));
    QCOMPARE(w.windowTitle(), QStringLiteral("Toranská věž 2000"));
    QCOMPARE(w.size().width(), 569);
    QCOMPARE(w.size().height(), 336 + w.menuWidget()->height());
    QCOMPARE(w.client()->y(), w.menuWidget()->height());
    // The board fills the frame of the four border panels, without a gap or
    // an overlap, and the boss screen covers exactly the board.
    const auto panel = [&](const char *name) {
        const auto *p = w.client()->findChild<QWidget *>(QLatin1String(name));
        return p ? p->geometry() : QRect();
    };
    const QRect frame(QPoint(panel("PanelLevy").right() + 1, panel("PanelHorni").bottom() + 1),
                      QPoint(panel("PanelPravy").left() - 1, panel("PanelDolni").top() - 1));
    QVERIFY(frame.isValid() && w.client()->rect().contains(frame));
    QCOMPARE(w.plocha()->geometry(), frame);
    // A single fixed border: neither resized nor maximised, on any platform.
    QCOMPARE(w.windowHandle()->minimumSize(), w.windowHandle()->maximumSize());
    QCOMPARE(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::MSWindowsFixedSizeDialogHint),
             Qt::MSWindowsFixedSizeDialogHint);
    QVERIFY(!w.plocha()->isVisible());
    QCOMPARE(w.sef()->geometry(), w.plocha()->geometry());
    QVERIFY(!w.sef()->isVisible());
}

void MainWindowTest::idlePictureStandsWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("hint");
    QTest::newRow("post 1 bar") << "Shape16" << QRect(97, 74, 7, 193) << QStringLiteral("Kůl 1");
    QTest::newRow("post 2 base") << "Shape19" << QRect(199, 266, 171, 9) << QStringLiteral("Podstavec 2");
    QTest::newRow("post 3 box") << "Shape46" << QRect(435, 284, 65, 17) << QString();
    QTest::newRow("post 2 label") << "Label13" << QRect(252, 286, 63, 13) << QStringLiteral("Post 2");
    QTest::newRow("DI1") << "DI1" << QRect(83, 87, 35, 17) << QStringLiteral("Disk 1");
    QTest::newRow("DI10") << "DI10" << QRect(20, 249, 161, 17) << QStringLiteral("Disk 10");
    QTest::newRow("DA1") << "DA1" << QRect(267, 123, 35, 17) << QStringLiteral("Disk 1");
    QTest::newRow("DA8") << "DA8" << QRect(218, 249, 133, 17) << QStringLiteral("Disk 8");
    QTest::newRow("DB3") << "DB3" << QRect(437, 123, 63, 17) << QStringLiteral("Disk 3");
    QTest::newRow("title panel") << "Panel1" << QRect(152, 50, 265, 55) << QString();
}

void MainWindowTest::idlePictureStandsWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, hint);
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    THlavniDialog w;
    auto *control = w.client()->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->statusTip(), hint);
}

// The disks fall from behind the toolbar (top 12) one pixel a step, largest
// first on post 1, then post 2, then post 3; the title panel comes last.
void MainWindowTest::openingAnimationDropsLargestFirstPostByPostThenTheTitle()
{
    ScratchAppDir dir;   // no settings: the animation is on
    THlavniDialog w;
    QCOMPARE(w.idlePicture()->disks(1).front()->y(), 12);
    QCOMPARE(w.idlePicture()->titlePanel()->y(), -26);
    StepRecorder recorder;
    activate(&w);
    QCOMPARE(recorder.order(), idleOrder(true) << "Panel1");
    QCOMPARE(recorder.count("DI1"), 76);    // 12..87
    QCOMPARE(recorder.count("DI10"), 238);  // 12..249
    QCOMPARE(recorder.count("DA1"), 112);   // 12..123
    QCOMPARE(recorder.count("DA8"), 238);
    QCOMPARE(recorder.count("Panel1"), 77); // -26..50
    QCOMPARE(int(recorder.steps.size()), 4540 + 77);
    for (size_t i = 1; i < recorder.steps.size(); ++i)
        if (recorder.steps[i].name == recorder.steps[i - 1].name)
            QCOMPARE(recorder.steps[i].top, recorder.steps[i - 1].top + 1);
    for (int post = 1; post <= 3; ++post)
        for (size_t k = 1; k <= w.idlePicture()->disks(post).size(); ++k)
            QCOMPARE(w.idlePicture()->disks(post)[k - 1]->y(), IdlePicture::restingTop(post, int(k)));
    QCOMPARE(w.idlePicture()->titlePanel()->y(), 50);

    // Once in place, a later activation moves nothing visibly.
    recorder.steps.clear();
    activate(&w);
    QCOMPARE(int(recorder.steps.size()), 28 + 1);
}

void MainWindowTest::closingAnimationLiftsTheTitleFirstThenSmallestFirst()
{
    ScratchAppDir dir;
    THlavniDialog w;
    activate(&w);
    w.show();
    StepRecorder recorder;
    w.close();
    QCOMPARE(recorder.order(), QStringList{"Panel1"} + idleOrder(false));
    QCOMPARE(recorder.count("Panel1"), 77);
    QCOMPARE(recorder.count("DB1"), 76);
    QCOMPARE(w.idlePicture()->titlePanel()->y(), -26);
    QCOMPARE(w.idlePicture()->disks(3).back()->y(), 12);
}

void MainWindowTest::animationSwitchedOffLeavesEverythingInPlace()
{
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    THlavniDialog w;
    QVERIFY(!w.findChild<QAction *>("A1")->isChecked());
    QCOMPARE(w.idlePicture()->titlePanel()->y(), 50);
    StepRecorder recorder;
    activate(&w);
    w.show();
    w.close();
    QVERIFY(recorder.steps.empty());
}

void MainWindowTest::animationSwitchWritesZeroThenOne()
{
    ScratchAppDir dir;
    THlavniDialog w;
    auto *a1 = w.findChild<QAction *>("A1");
    QVERIFY(a1->isChecked());
    a1->trigger();
    QVERIFY(!a1->isChecked());
    QCOMPARE(Settings::animace(), 0);
    QVERIFY(dir.readFile("Toran2000.ini").contains("Animace=0"));
    a1->trigger();
    QVERIFY(a1->isChecked());
    QVERIFY(dir.readFile("Toran2000.ini").contains("Animace=1"));
    // Nothing moves now: the change acts at the next close and start.
    QCOMPARE(w.idlePicture()->titlePanel()->y(), -26);
}

void MainWindowTest::refusedAnimationWriteKeepsTheNewCheckMark()
{
    ScratchAppDir dir;
    THlavniDialog w;
    QVERIFY(QDir(dir.path()).mkdir("Toran2000.ini"));   // the write will be refused
    QStringList reports;
    ErrorReport::setSinkForTesting([&](const QString &text) { reports << text; });
    w.findChild<QAction *>("A1")->trigger();
    ErrorReport::setSinkForTesting({});
    QCOMPARE(reports, QStringList{QStringLiteral("Unable to write to %1").arg(dir.file("Toran2000.ini"))});
    QVERIFY(!w.findChild<QAction *>("A1")->isChecked());
}

void MainWindowTest::hintShowsSixSpacesAndTheNearestHint_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("window background") << "HlavniDialogClient" << QStringLiteral("      Stiskněte klávesu F1 pro nápovědu");
    QTest::newRow("idle disk") << "DI3" << QStringLiteral("      Disk 3");
    QTest::newRow("idle post") << "Shape18" << QStringLiteral("      Kůl 2");
    QTest::newRow("label box without hint") << "Shape28" << QStringLiteral("      Stiskněte klávesu F1 pro nápovědu");
    QTest::newRow("toolbar button") << "TB3" << QStringLiteral("      Zobrazí tabulku nejlepších hráčů");
    QTest::newRow("board disk") << "D7" << QStringLiteral("      Disk 7");
    QTest::newRow("board plate label, with its key") << "Label3" << QStringLiteral("      Post 2 (2)");
    QTest::newRow("board pole, with its key") << "K1" << QStringLiteral("      Kůl 1 (1)");
    QTest::newRow("board background") << "Plocha" << QStringLiteral("      Hrací pole");
    QTest::newRow("hidden count label") << "Kontrola" << QStringLiteral("      Hrací pole");
    QTest::newRow("Tab to the board") << "Plocha" << QStringLiteral("      Hrací pole");
    QTest::newRow("menu entry highlighted") << "fovskpojistka1"
                                            << QStringLiteral("      Pojistka proti neodbytnému šéfovi");
}

void MainWindowTest::hintShowsSixSpacesAndTheNearestHint()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    ScratchAppDir dir;
    THlavniDialog w;
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(w.findChild<QWidget *>("D1"), &enter);   // start from some other hint
    QFocusEvent tabbed(QEvent::FocusIn, Qt::TabFocusReason);   // the keyboard, not the pointer, comes
    const QString how = QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, 0);
    if (how == "menu")
        emit w.findChild<QMenu *>("Nstroje1")->hovered(w.findChild<QAction *>(control));
    else if (QWidget *target = w.findChild<QWidget *>(control))
        QApplication::sendEvent(target, how == "Tab" ? static_cast<QEvent *>(&tabbed) : &enter);
    QCOMPARE(w.statusText(), text);
}

void MainWindowTest::bossScreenHidesAndRestoresTheGame()
{
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    THlavniDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *boss = w.findChild<QAction *>("fovskpojistka1");
    auto *label1 = w.findChild<QLabel *>("Label1");

    // With no game: back to the idle picture.
    boss->trigger();
    QVERIFY(w.sef()->isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Plnění plánu v letošním roce"));
    QVERIFY(!label1->isVisible() && !w.tahy()->isVisible());
    QCOMPARE(w.sef()->monthCalendar()->selectedDate(), QDate::currentDate());
    boss->trigger();
    QVERIFY(!w.sef()->isVisible() && !w.plocha()->isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Toranská věž 2000"));

    // During a game: the same board, the same count, the lifted disk still up.
    w.startGame(3);
    w.diskMouseUp(1);
    QCOMPARE(w.tahy()->text(), QStringLiteral("1"));
    boss->trigger();
    QVERIFY(!w.plocha()->isVisible());
    boss->trigger();
    QVERIFY(w.plocha()->isVisible() && label1->isVisible());
    QCOMPARE(w.tahy()->text(), QStringLiteral("1"));
    QCOMPARE(w.plocha()->disk(1)->y(), 10);

    // A game started under the boss screen stays covered until it is left.
    w.resetBoardToIdle();
    boss->trigger();
    w.startGame(4);
    QVERIFY(w.sef()->isVisible());
    boss->trigger();
    QVERIFY(w.plocha()->isVisible());
    QVERIFY(w.plocha()->disk(4)->isVisible() && !w.plocha()->disk(5)->isVisible());
}

void MainWindowTest::bossScreenCalendarIsAPlainMonthThatFitsItsBox_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<QString>("style");
    const QStringList czech{"po", "út", "st", "čt", "pá", "so", "ne"};
    QTest::newRow("cs") << "cs" << czech << int(Qt::Monday) << "Fusion";
    QTest::newRow("en, the United States' week") << "en" << QStringList{"S", "M", "T", "W", "T", "F", "S"}
                                                 << int(Qt::Sunday) << "Fusion";
    QTest::newRow("cs, in the Windows look") << "cs" << czech << int(Qt::Monday) << "Windows";
}

// Whatever the system's language, the calendar names the days in the
// game's language and starts its weeks as that language's locale does
// (Monday in Czech); the month, the day names and six weeks fit its
// 183 x 153 box in the look of Linux and of Windows, and it is drawn in
// greys only, like the rest of the boss screen.
void MainWindowTest::bossScreenCalendarIsAPlainMonthThatFitsItsBox()
{
    QFETCH(QString, language);
    QFETCH(QStringList, names);
    QFETCH(int, firstDay);
    QFETCH(QString, style);
    const QString previousStyle = QApplication::style()->name();
    QApplication::setStyle(style);
    const auto restoreStyle = qScopeGuard([&] { QApplication::setStyle(previousStyle); });
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    const QLocale systemLocale;
    if (language != Language::kCzech && QLocale::system().language() == QLocale::English)
        QSKIP("the player's own English locale decides here");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Language::setCurrent(language);
    const auto czech = qScopeGuard([] { Language::setCurrent(Language::kCzech); });
    THlavniDialog w;
    QLocale::setDefault(systemLocale);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.findChild<QAction *>("fovskpojistka1")->trigger();
    QCalendarWidget *calendar = w.sef()->monthCalendar();
    QVERIFY(calendar->isVisible());
    QCOMPARE(int(calendar->firstDayOfWeek()), firstDay);
    QCOMPARE(calendar->size(), QSize(183, 153));
    const QSize needed = calendar->minimumSizeHint();
    QVERIFY2(needed.width() <= 183 && needed.height() <= 153,
             qPrintable(QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));

    auto *days = calendar->findChild<QTableView *>();
    QVERIFY(days);
    int rowsHeight = 0;
    for (int row = 0; row < days->model()->rowCount(); ++row)
        rowsHeight += days->rowHeight(row);
    QVERIFY2(rowsHeight <= days->viewport()->height(), "the last week is cut off");
    QVERIFY(days->geometry().bottom() < calendar->height());
    for (int column = 0; column < 7; ++column) {
        const QModelIndex title = days->model()->index(0, column);
        QCOMPARE(title.data().toString(), names[column]);
        const QFont font = title.data(Qt::FontRole).value<QFont>();
        QCOMPARE(font.capitalization(), QFont::Capitalize);   // shown as "Po", "Út", ...
        QVERIFY2(QFontMetrics(font).horizontalAdvance(title.data().toString().toUpper()) + 2
                     <= days->columnWidth(column),
                 qPrintable(names[column]));
        const QModelIndex day = days->model()->index(4, column);   // two-digit days
        QVERIFY(QFontMetrics(day.data(Qt::FontRole).value<QFont>()).horizontalAdvance(day.data().toString()) + 2
                <= days->columnWidth(column));
    }

    const QImage image = calendar->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    QCOMPARE(coloured, 0);
}

void MainWindowTest::endingTheProgramLeavesTheAssistantToComeBack_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Konec") << "Konec";
    QTest::newRow("the main window closed") << "close";
    QTest::newRow("the session ends while a dialog is open") << "session end";
}

// Ending the program closes every window, the assistant too; that is not
// the player closing the assistant: "Pomocnik" keeps "1", no goodbye is
// played, and the assistant is back at the next start.
void MainWindowTest::endingTheProgramLeavesTheAssistantToComeBack()
{
    QFETCH(QString, how);
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    dir.withSounds();
    RecordingSoundPlayer sounds;
    auto windows = Startup::createWindows([](int) {});
    THlavniDialog *main = windows->HlavniDialog.get();
    TPomocnikDialog *assistant = windows->PomocnikDialog.get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QTRY_VERIFY(assistant->isVisible());
    if (how == QLatin1String("session end")) {
        main->newGame();
        QTRY_VERIFY(windows->HraDialog->isVisible());
    }

    QTimer::singleShot(0, main, [main, how] {
        if (how == QLatin1String("Konec"))
            main->findChild<QAction *>("MS8")->trigger();
        else if (how == QLatin1String("close"))
            main->close();
        else
            QCoreApplication::quit();   // what the session manager asks for
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    guard.start(10000);
    const int code = QCoreApplication::exec();
    guard.stop();

    QCOMPARE(code, 0);
    QVERIFY(!main->isVisible());
    QVERIFY(!windows->HraDialog->isVisible());
    QCOMPARE(Settings::pomocnik(), QStringLiteral("1"));
    QVERIFY(!sounds.names.contains(QStringLiteral("PomocnikKonec.wav")));
    ProgramEnd::resetForTesting();
    windows.reset();
}

void MainWindowTest::everyMenuEntryHasAnAccessKeyOfItsOwnAndShowsTheProgramsKeys_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("cs") << "cs";
    QTest::newRow("en") << "en";
}

// Within each menu (the menu bar too) no two entries share an access key,
// and only the Czech "Konec", the program's own caption, has none; the
// entries show F1, F2, F3, Undo Move's Ctrl+Z, H (hint) and D
// (demonstration) as their keys and no others, although Ctrl+N and Ctrl+Q
// work beside them.
void MainWindowTest::everyMenuEntryHasAnAccessKeyOfItsOwnAndShowsTheProgramsKeys()
{
    QFETCH(QString, language);
    ScratchAppDir dir;
    QTranslator gameTexts, qtTexts;
    Startup::installTranslations(language, gameTexts, qtTexts);
    const auto czech = qScopeGuard([] { Language::setCurrent(Language::kCzech); });
    THlavniDialog w;
    QStringList missing, shown;
    QList<QWidget *> menus{w.menuBar()};
    for (QMenu *menu : w.findChildren<QMenu *>())
        menus << menu;
    for (QWidget *menu : menus) {
        QSet<QKeySequence> keys;
        for (QAction *a : menu->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            if (!a->isSeparator() && key.isEmpty())
                missing << a->text();
            QVERIFY2(key.isEmpty() || !keys.contains(key), qPrintable(a->text() + " repeats a key"));
            keys.insert(key);
            if (!a->shortcut().isEmpty())
                shown << a->shortcut().toString();
        }
    }
    QCOMPARE(missing, language == Language::kCzech ? QStringList{"Konec"} : QStringList());
    shown.sort();
    QCOMPARE(shown, (QStringList{"Ctrl+Z", "Ctrl+Z", "D", "D", "F1", "F2", "F2", "F3", "F3", "H", "H"}));
}

// A screen reader finds every window named, as a window or a dialog; flat
// buttons and links by caption (hint as description), controls that draw no
// text by hint, Qt's controls by text. A later hint is followed on hover.
void MainWindowTest::aScreenReaderFindsEveryControlNamedAndEveryWindowWithARole()
{
    ScratchAppDir dir;
    dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    auto windows = Startup::createWindows([](int) {});
    windows->TabulkaDialog->grid(1);
    auto reader = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w); };
    auto name = [&](QWidget *w) { return reader(w)->text(QAccessible::Name); };
    QSet<QString> kinds;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        window->ensurePolished();
        if (window->windowType() == Qt::Popup)   // the menus, read through the menu bar
            continue;
        const QAccessible::Role role = reader(window)->role();
        QVERIFY2(!name(window).isEmpty() && (role == QAccessible::Dialog || role == QAccessible::Window),
                 qPrintable(window->objectName()));
        for (QWidget *w : window->findChildren<QWidget *>()) {
            QString expected;
            if (auto *control = qobject_cast<PointerControl *>(w); control && !control->caption().isEmpty()) {
                expected = control->caption();
                QCOMPARE(reader(w)->text(QAccessible::Description), w->statusTip());
                QCOMPARE(reader(w)->role(), control->isLink() ? QAccessible::Link : QAccessible::Button);
            } else if (qobject_cast<Shape *>(w) || qobject_cast<PointerControl *>(w)) {
                expected = w->statusTip();
            } else if ((qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)) && !w->isHidden()) {
                QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));   // Qt's own, by its text
                kinds.insert(QLatin1String(w->metaObject()->className()));
            }
            if (expected.isEmpty())
                continue;
            QCOMPARE(name(w), expected);
            kinds.insert(QLatin1String(w->metaObject()->className()));
        }
    }
    for (const char *kind : {"Shape", "TOfficeButton", "TOfficeLabel", "TTransparentButton2", "QLineEdit",
                             "QPushButton", "QCheckBox", "QToolButton"})
        QVERIFY2(kinds.contains(QLatin1String(kind)), kind);
    QCOMPARE(name(windows->VysledekDialog->nameBox()), QStringLiteral("Vaše jméno do tabulky nejlepších :"));

    Shape *disk = windows->HlavniDialog->plocha()->disk(3);
    disk->setStatusTip(QStringLiteral("Disk tři"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(disk, &enter);
    QCOMPARE(name(disk), QStringLiteral("Disk tři"));
    windows.reset();
}

TORAN_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
