#include "Hlavni.h"

#include "dialogs/AssistantStart.h"
#include "dialogs/DotazKonec.h"
#include "dialogs/Napoveda.h"
#include "dialogs/OProgramu.h"
#include "dialogs/Uvitani.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "results/Tabulka.h"
#include "results/Vymazat.h"
#include "results/Vysledek.h"
#include "setup/Hra.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "HintTracker.h"
#include "IdlePicture.h"
#include "services/InputLock.h"
#include "KeyPlay.h"
#include "Tutor.h"
#include "Platform.h"
#include "core/system/Manual.h"
#include "services/Pacing.h"
#include "services/ProgramEnd.h"
#include "Sef.h"
#include "core/settings/Settings.h"
#include "core/errors/AppError.h"
#include "StatusBar.h"
#include "core/board/Game.h"
#include "board/Moves.h"
#include "board/Plocha.h"
#include "core/drawing/Colors.h"
#include "widgets/Panel.h"
#include "widgets/Placed.h"
#include "core/drawing/Pictures.h"
#include "widgets/Shape.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QExposeEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

// The game's name, in every language: it is also what a new copy looks for
// in the running-copy test, so copies started in different languages still
// find each other.
const QString THlavniDialog::kCaption = QStringLiteral("Toranská věž 2000");

namespace {
QString windowHint() { return THlavniDialog::tr("Stiskněte klávesu F1 pro nápovědu"); }
const QString kHintIndent = QStringLiteral("      ");   // keeps the text clear of the status picture
constexpr int kTimerInterval = 1000;


QIcon picture(int index) { return Pictures::icon(QStringLiteral(":/art/toolbar-%1.png").arg(index)); }

// Puts the whole window on screen again from its painted picture, as an
// expose from the window system would. A menu that has just closed (Konec)
// leaves its picture on the window until the expose is handled, and the
// closing animation holds the loop; repainting alone only puts on screen
// what it paints, and the toolbar under the menu needs no painting.
void showWholeWindow(QWidget *window)
{
    if (QWindow *handle = window->windowHandle()) {
        QExposeEvent expose(QRegion(window->rect()));
        QCoreApplication::sendEvent(handle, &expose);
    }
}

} // namespace

// A single fixed border: the frame's buttons are exactly those named (no
// maximise box), and on Windows the thin dialog frame, which the window
// system offers neither to resize nor to maximise.
THlavniDialog::THlavniDialog(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                             | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                             | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("HlavniDialog"));
    setWindowTitle(kCaption);
    setWindowIcon(Pictures::icon(QStringLiteral(":/art/icon.png")));
    setStatusTip(windowHint());
    setAttribute(Qt::WA_QuitOnClose, true);
    ProgramEnd::watch();

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("HlavniDialogClient"));
    m_client->setFixedSize(kClientWidth, kClientHeight);
    m_client->setAutoFillBackground(true);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, QColor(Colors::Gray));
    m_client->setPalette(palette);
    m_client->setContextMenuPolicy(Qt::PreventContextMenu);
    setCentralWidget(m_client);

    buildActions();
    buildMenus();
    m_idle = new IdlePicture(m_client, kCaption);   // lowest: every panel covers it

    m_game = new Board::GameModel(this);
    m_plocha = new BoardPanel(m_client);
    m_plocha->setGeometry(3, 29, 563, 282);
    m_plocha->setContextMenuPolicy(Qt::PreventContextMenu);
    m_plocha->hide();
    m_tutor = new Tutor(m_game, m_plocha, [this](int post) { postKeyed(post); }, this);
    // The player's clicks and keys on the board play, or stop a
    // demonstration (after its move in progress) and do nothing more.
    const auto unlessDemonstrating = [this](void (THlavniDialog::*play)(int)) {
        return [this, play](int value) {
            if (m_tutor->isDemonstrating())
                m_tutor->stopDemonstration();
            else
                (this->*play)(value);
        };
    };
    connect(m_plocha, &BoardPanel::diskReleased, this, unlessDemonstrating(&THlavniDialog::diskMouseUp));
    connect(m_plocha, &BoardPanel::postReleased, this, unlessDemonstrating(&THlavniDialog::postMouseUp));
    connect(m_plocha->mover(), &DiskMover::finished, this, &THlavniDialog::moveEnded);
    connect(m_plocha, &BoardPanel::diskDragStarted, this, unlessDemonstrating(&THlavniDialog::diskDragged));
    connect(m_plocha, &BoardPanel::diskDropped, this, &THlavniDialog::diskDropped);
    m_plocha->mover()->setPace([] {
        switch (Settings::rychlost()) {
        case Settings::Speed::Slow: return 2 * Pacing::kBoardStepMicros;
        case Settings::Speed::Fast: return Pacing::kBoardStepMicros / 4;
        case Settings::Speed::Instant: return 0;
        case Settings::Speed::Normal: break;
        }
        return Pacing::kBoardStepMicros;
    });
    connect(m_tutor, &Tutor::told, this, [this](const QString &text) { m_status->setText(kHintIndent + text); });
    for (QAction *a : {PoraditTah, MPPoraditTah})
        connect(a, &QAction::triggered, m_tutor, &Tutor::hint);
    for (QAction *a : {UkazkaReseni, MPUkazkaReseni})
        connect(a, &QAction::triggered, m_tutor, &Tutor::toggleDemonstration);
    connect(m_stopDemonstration, &QAction::triggered, m_tutor, &Tutor::stopDemonstration);
    connect(m_tutor, &Tutor::demonstrationChanged, this, [this](bool running) {
        UkazkaReseni->setChecked(running);
        MPUkazkaReseni->setChecked(running);
        m_stopDemonstration->setEnabled(running);
    });
    connect(m_game, &Board::GameModel::moveCountChanged, this, &THlavniDialog::setMoveCount);
    connect(m_game, &Board::GameModel::onChanged, this, &THlavniDialog::setGameOn);
    const auto playable = [this] { return isBoardPlayable(); };
    auto *keys = new KeyPlay(this, playable);
    connect(keys, &KeyPlay::postKeyed, this, unlessDemonstrating(&THlavniDialog::postKeyed));
    // A screen reader's press on a post, as its key while the board may be played.
    connect(m_plocha, &BoardPanel::postChosen, this, [this, playable](int post) {
        if (playable() && InputLock::isInputEnabled(this))
            m_tutor->isDemonstrating() ? m_tutor->stopDemonstration() : postKeyed(post);
    });

    m_sef = new Sef(m_client);
    m_sef->setGeometry(3, 29, 563, 282);
    m_sef->hide();

    placed(new Panel(m_client, Panel::NoBevel, QColor(Colors::Gray)),
           QStringLiteral("PanelHorni"), QRect(0, 26, kClientWidth, 3));
    placed(new Panel(m_client, Panel::NoBevel, QColor(Colors::Gray)),
           QStringLiteral("PanelLevy"), QRect(0, 29, 3, 282));
    placed(new Panel(m_client, Panel::NoBevel, QColor(Colors::Gray)),
           QStringLiteral("PanelPravy"), QRect(566, 29, 3, 282));
    placed(new Panel(m_client, Panel::NoBevel, QColor(Colors::Gray)),
           QStringLiteral("PanelDolni"), QRect(0, 311, kClientWidth, 3));
    buildToolbar();
    buildStatusBar();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kTimerInterval);
    connect(m_timer1, &QTimer::timeout, this, &THlavniDialog::Timer1Timer);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    qApp->installEventFilter(this);
    creationStep();
    m_timer1->start();
}

THlavniDialog::~THlavniDialog() = default;

void THlavniDialog::setDialogs(const Dialogs &dialogs)
{
    m_dialogs = dialogs;
    if (dialogs.newGame)
        connect(dialogs.newGame, &THraDialog::countChosen, this, &THlavniDialog::startGame);
    if (dialogs.endQuestion) {
        connect(dialogs.endQuestion, &TDotazKonecDialog::answeredYes, this, &THlavniDialog::endGameSteps);
        connect(dialogs.endQuestion, &TDotazKonecDialog::answeredNo, this, &THlavniDialog::keepGame);
    }
    if (dialogs.result)
        connect(dialogs.result, &TVysledekDialog::confirmed, this, &THlavniDialog::resetBoardToIdle);
    if (dialogs.assistant) {
        connect(dialogs.assistant, &TPomocnikDialog::welcomeRequested, this, &THlavniDialog::showWelcome);
        // The window system may hand the keyboard to the assistant when a
        // balloon closes (Windows activates the topmost window left): the
        // keys 1, 2 and 3 pressed there play the board as well. Locked
        // with the main window, it swallows them while a dialog is open.
        auto *assistantKeys = new KeyPlay(dialogs.assistant, [this] { return isBoardPlayable(); });
        connect(assistantKeys, &KeyPlay::postKeyed, this, [this](int post) {
            m_tutor->isDemonstrating() ? m_tutor->stopDemonstration() : postKeyed(post);
        });
    }
}

bool THlavniDialog::isBoardPlayable() const { return isGameOn() && m_plocha->isVisible(); }

QLabel *THlavniDialog::kontrola() const { return m_plocha->kontrola(); }
QString THlavniDialog::statusText() const { return m_status->text(); }

void THlavniDialog::buildActions()
{
    auto action = [this](const char *name, const QString &caption, const QString &hint) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        a->setStatusTip(hint);
        return a;
    };
    const QString newGameHint = tr("Zobrazí dialog pro výběr nové hry");
    const QString endGameHint = tr("Ukončí aktuální hru");

    MS1 = action("MS1", tr("&Nová hra..."), newGameHint);
    MS1->setShortcut(Qt::Key_F2);
    MS1->setIcon(picture(0));
    MS3 = action("MS3", tr("&Ukončit hru"), endGameHint);
    MS3->setShortcut(Qt::Key_F3);
    MS3->setIcon(picture(7));
    MS8 = action("MS8", tr("Konec"), tr("Ukončí program"));
    const QString undoHint = tr("Vrátí poslední tah zpět");
    Vrtittah1 = action("Vrtittah1", tr("&Vrátit tah"), undoHint);
    Vrtittah1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    MP3 = action("MP3", tr("&Vrátit tah"), undoHint);
    MP3->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    A1 = action("A1", tr("Úvoddní a závěrečná &animace"),
                tr("Povolení nebo zakázání úvodní a konečné animace"));
    A1->setCheckable(true);
    MN5 = action("MN5", tr("&Zobrazit tabulku nejlepších..."), tr("Zobrazí tabulku nejlepších hráčů"));
    MN5->setIcon(picture(1));
    Vymazattabulkunejlepch2 = action("Vymazattabulkunejlepch2", tr("&Vymazat tabulku nejlepších"),
                                     tr("Vynuluje tabulku nejlepších hráčů"));
    fovskpojistka1 = action("fovskpojistka1", tr("Šéfovská &pojistka"),
                            tr("Pojistka proti neodbytnému šéfovi"));
    fovskpojistka1->setIcon(picture(8));
    NpovdaproToranskouv20001 = action("NpovdaproToranskouv20001", tr("Nápo&věda pro Toranskou věž 2000"),
                                      tr("Zobrazí nápovědu"));
    NpovdaproToranskouv20001->setShortcut(Qt::Key_F1);
    NpovdaproToranskouv20001->setIcon(picture(2));
    EM = action("EM", tr("&Elektronický manuál"),
                tr("Spustí elektronický manuál programu Toranská věž 2000"));
    EM->setIcon(picture(4));
    OProgramu = action("OProgramu", tr("&O programu Toranská věž 2000..."),
                       tr("Zobrazí dialog s informacemi o programu"));
    MP1 = action("MP1", tr("&Nová hra..."), newGameHint);
    MP1->setShortcut(Qt::Key_F2);
    MP1->setIcon(picture(0));
    MP2 = action("MP2", tr("&Ukončit hru"), endGameHint);
    MP2->setShortcut(Qt::Key_F3);
    MP2->setIcon(picture(7));
    const QString hintHint = tr("Ukáže další tah nejkratší cesty k cíli");
    const QString demonstrationHint = tr("Dohraje hru tah za tahem; znovu ji zastaví");
    PoraditTah = action("PoraditTah", tr("&Poradit tah"), hintHint);
    PoraditTah->setShortcut(Qt::Key_H);
    MPPoraditTah = action("MPPoraditTah", tr("&Poradit tah"), hintHint);
    MPPoraditTah->setShortcut(Qt::Key_H);
    UkazkaReseni = action("UkazkaReseni", tr("Ukázka ř&ešení"), demonstrationHint);
    UkazkaReseni->setShortcut(Qt::Key_D);
    MPUkazkaReseni = action("MPUkazkaReseni", tr("Ukázka ř&ešení"), demonstrationHint);
    MPUkazkaReseni->setShortcut(Qt::Key_D);
    for (QAction *a : {UkazkaReseni, MPUkazkaReseni})
        a->setCheckable(true);
    m_stopDemonstration = new QAction(this);
    m_stopDemonstration->setShortcut(Qt::Key_Escape);
    m_stopDemonstration->setEnabled(false);
    addAction(m_stopDemonstration);
    // The context menu's entries repeat their keys only as labels; the main
    // menu's entries own the keys.
    for (QAction *a : {MP1, MP2, MP3, MPPoraditTah, MPUkazkaReseni})
        a->setShortcutContext(Qt::WidgetShortcut);

    for (QAction *a : {MS1, MS3, MS8, A1, MN5, Vymazattabulkunejlepch2, fovskpojistka1, NpovdaproToranskouv20001,
                       EM, OProgramu, MP1, MP2, PoraditTah, UkazkaReseni, MPPoraditTah, MPUkazkaReseni})
        a->setIconVisibleInMenu(true);

    for (QAction *a : {MS1, MP1})
        connect(a, &QAction::triggered, this, &THlavniDialog::newGame);
    for (QAction *a : {MS3, MP2})
        connect(a, &QAction::triggered, this, &THlavniDialog::endGame);
    connect(MS8, &QAction::triggered, this, &THlavniDialog::quit);
    for (QAction *a : {Vrtittah1, MP3})
        connect(a, &QAction::triggered, this, &THlavniDialog::undoMove);
    connect(MN5, &QAction::triggered, this, &THlavniDialog::showBestResults);
    connect(Vymazattabulkunejlepch2, &QAction::triggered, this, &THlavniDialog::clearResults);
    connect(A1, &QAction::triggered, this, &THlavniDialog::toggleAnimation);
    connect(fovskpojistka1, &QAction::triggered, this, &THlavniDialog::toggleBossScreen);
    connect(EM, &QAction::triggered, this, &THlavniDialog::startManual);
    connect(NpovdaproToranskouv20001, &QAction::triggered, this, &THlavniDialog::showHelp);
    connect(OProgramu, &QAction::triggered, this, &THlavniDialog::showAbout);

    // The keys players bring from other games, beside the program's own. They
    // belong to no menu entry, so the menus show only the program's keys.
    const std::pair<QKeySequence, QAction *> conventional[] = {{QKeySequence(Qt::CTRL | Qt::Key_N), MS1},
                                                               {QKeySequence(Qt::CTRL | Qt::Key_Q), MS8}};
    for (const auto &entry : conventional) {
        // Not a structured binding: C++17 lets no lambda capture one.
        QAction *command = entry.second;
        auto *a = new QAction(this);
        a->setShortcut(entry.first);
        addAction(a);
        connect(a, &QAction::triggered, command, [command] {
            if (command->isEnabled())
                command->trigger();
        });
    }
}

void THlavniDialog::buildMenus()
{
    QMenuBar *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);
    setMenuBar(bar);
    m_hints = new HintTracker(this);
    connect(bar, &QMenuBar::hovered, m_hints, [this](QAction *a) { m_hints->hintChanged(a->statusTip()); });

    auto menu = [this, bar](const char *name, const QString &caption, const QString &hint) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        m->menuAction()->setStatusTip(hint);
        m_hints->watchMenu(m);
        return m;
    };
    QMenu *soubor = menu("Soubor1", tr("&Soubor"), tr("Obsahuje příkazy pro spuštění a ukončení hry"));
    soubor->addAction(MS1);
    soubor->addAction(MS3);
    soubor->addAction(Vrtittah1);
    soubor->addAction(PoraditTah);
    soubor->addAction(UkazkaReseni);
    soubor->addSeparator()->setObjectName(QStringLiteral("N1"));
    soubor->addAction(MS8);
    QMenu *nastroje = menu("Nstroje1", tr("&Nástroje"), tr("Obsahuje příkazy pro práci s tabulkou nejlepších"));
    nastroje->addAction(A1);
    m_speedMenu = nastroje->addMenu(tr("&Rychlost pohybu disků"));
    m_speedMenu->setObjectName(QStringLiteral("Rychlostpohybudisk1"));
    m_speedMenu->menuAction()->setObjectName(QStringLiteral("Rychlostpohybudisk1"));
    m_speedMenu->menuAction()->setStatusTip(tr("Nastaví, jak rychle se disky pohybují"));
    m_hints->watchMenu(m_speedMenu);
    auto *speeds = new QActionGroup(this);
    const std::pair<const char *, QString> speedItems[] = {
        {"Pomal1", tr("&Pomalá")}, {"Normln1", tr("&Normální")}, {"Rychl1", tr("&Rychlá")},
        {"Bezanimace1", tr("&Bez animace")}};
    for (int i = 0; i < 4; ++i) {
        QAction *speed = m_speedMenu->addAction(speedItems[i].second);
        speed->setObjectName(QLatin1String(speedItems[i].first));
        speed->setStatusTip(m_speedMenu->menuAction()->statusTip());
        speed->setCheckable(true);
        speed->setData(i + 1);
        speeds->addAction(speed);
        m_speeds << speed;
    }
    connect(speeds, &QActionGroup::triggered, this, &THlavniDialog::chooseSpeed);
    // Read as the menu opens: another copy may have chosen meanwhile.
    connect(m_speedMenu, &QMenu::aboutToShow, this, &THlavniDialog::showSpeed);
    showSpeed();
    nastroje->addSeparator()->setObjectName(QStringLiteral("N4"));
    nastroje->addAction(MN5);
    nastroje->addAction(Vymazattabulkunejlepch2);
    nastroje->addSeparator()->setObjectName(QStringLiteral("N2"));
    nastroje->addAction(fovskpojistka1);
    QMenu *napoveda = menu("Napoveda1", tr("Nápo&věda"), tr("Obsahuje příkazy pro získání nápovědy"));
    napoveda->addAction(NpovdaproToranskouv20001);
    napoveda->addAction(EM);
    napoveda->addSeparator()->setObjectName(QStringLiteral("N3"));
    napoveda->addAction(OProgramu);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(MP1);
    PopupMenu1->addAction(MP2);
    PopupMenu1->addAction(MP3);
    PopupMenu1->addAction(MPPoraditTah);
    PopupMenu1->addAction(MPUkazkaReseni);
    m_hints->watchMenu(PopupMenu1);

    connect(m_hints, &HintTracker::hintChanged, this, [this](const QString &hint) {
        m_status->setText(kHintIndent + hint);
    });
}

void THlavniDialog::buildToolbar()
{
    m_dock = new Panel(m_client, Panel::NoBevel, QColor(Colors::BtnFace));
    m_dock->setObjectName(QStringLiteral("Dock971"));
    m_dock->setGeometry(0, 0, kClientWidth, 26);
    auto *toolbar = new Panel(m_dock, Panel::Raised, QColor(Colors::BtnFace));
    toolbar->setObjectName(QStringLiteral("Toolbar971"));
    toolbar->setGeometry(0, 0, kClientWidth, 26);

    // Button lefts are relative to the toolbar's inside, two pixels in.
    constexpr int kInset = 2;
    auto button = [toolbar](const char *name, int left, int pictureIndex, const QString &hint) {
        auto *b = new QToolButton(toolbar);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(kInset + left, kInset, 23, 22);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(picture(pictureIndex));
        b->setIconSize(QSize(16, 16));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        return b;
    };
    auto separator = [toolbar](const char *name, int left) {
        auto *line = new QWidget(toolbar);
        line->setObjectName(QLatin1String(name));
        line->setGeometry(kInset + left + 2, kInset + 1, 2, 20);
        line->setStyleSheet(QStringLiteral("border-left: 1px solid #808080; border-right: 1px solid #ffffff;"));
    };
    TB1 = button("TB1", 0, 0, MS1->statusTip());
    TB2 = button("TB2", 23, 7, MS3->statusTip());
    separator("ToolbarSep971", 46);
    TB3 = button("TB3", 52, 1, MN5->statusTip());
    separator("ToolbarSep972", 75);
    ToolbarButton971 = button("ToolbarButton971", 81, 8, fovskpojistka1->statusTip());
    auto *panel5 = new QWidget(toolbar);
    panel5->setObjectName(QStringLiteral("Panel5"));
    panel5->setGeometry(kInset + 104, kInset, 438, 22);
    EM1 = button("EM1", 542, 4, tr("Elektronický manuál"));

    connect(TB1, &QToolButton::clicked, this, &THlavniDialog::newGame);
    connect(TB2, &QToolButton::clicked, this, &THlavniDialog::endGame);
    connect(TB3, &QToolButton::clicked, this, &THlavniDialog::showBestResults);
    connect(ToolbarButton971, &QToolButton::clicked, this, &THlavniDialog::toggleBossScreen);
    connect(EM1, &QToolButton::clicked, this, &THlavniDialog::startManual);
    setGameOn(false);
}

void THlavniDialog::buildStatusBar()
{
    m_status = new StatusBar(m_client);
    m_status->setGeometry(0, 314, kClientWidth, 22);
    auto *image = new QLabel(m_status);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(1, 2, 18, 18);
    image->setScaledContents(true);
    image->setPixmap(Pictures::pixmap(QStringLiteral(":/art/status.png")));
    image->setStatusTip(windowHint());
    m_label1 = new QLabel(tr("Počet tahů :"), m_status);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->move(455, 4);
    m_label1->setFont(Fonts::times(13));
    m_label1->adjustSize();
    m_tahy = new QLabel(QStringLiteral("0"), m_status);
    m_tahy->setObjectName(QStringLiteral("Tahy"));
    m_tahy->move(521, 4);
    m_tahy->setFont(Fonts::times(13, true));
    m_tahy->adjustSize();
}

// Creation step: calendar, the animation switch and the start position of
// the opening animation.
void THlavniDialog::creationStep()
{
    m_sef->setCalendarDate(QDate::currentDate());
    A1->setChecked(Settings::animace() == 1);
    if (A1->isChecked())
        m_idle->moveToStart();
    m_status->setText(kHintIndent + windowHint());
}

void THlavniDialog::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->geometry();
    QRect frame = frameGeometry();
    frame.moveCenter(screen.center());
    move(frame.topLeft());
    // The window appears before the loop paints it; until then the window
    // system shows the window's own picture, not an empty frame.
    if (Platform::showsWindowBackground()) {
        Platform::setWindowBackground(windowHandle(), grab().toImage());
        m_backgroundSet = true;
    }
    activateWindow();   // the program starts in its main window
    // The show step runs once the loop has the window on screen.
    QTimer::singleShot(0, this, &THlavniDialog::showStep);
}

void THlavniDialog::showStep()
{
    ErrorReport::guard(this, [this] {
        updateManualEntries();
        TUvitaniDialog *welcome = m_dialogs.welcome;
        if (TPomocnikDialog *assistant = m_dialogs.assistant)
            AssistantStart::run(assistant, this, welcome, [welcome] {
                welcome->checkBox()->setChecked(true);
                welcome->show();
                welcome->raise();
            });
    });
}

void THlavniDialog::updateManualEntries()
{
    const bool available = Manual::isAvailable();
    EM->setEnabled(available);
    EM1->setEnabled(available);
    if (m_dialogs.welcome)
        m_dialogs.welcome->setManualLinkEnabled(available);
}

bool THlavniDialog::event(QEvent *event)
{
    if (event->type() == QEvent::Paint && m_backgroundSet) {
        // From now on the loop keeps the window painted.
        m_backgroundSet = false;
        Platform::setWindowBackground(windowHandle(), QImage());
    }
    if (event->type() == QEvent::Paint && m_activeAfterPaint) {
        // The first picture is painted now and put on screen when this
        // paint ends; the animation runs after it.
        m_activeAfterPaint = false;
        QTimer::singleShot(0, this, &THlavniDialog::activeStep);
    }
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // Windows activates a window as it shows it, before it lets the
        // window paint: an animation run at once would hold the loop with
        // nothing of the window on screen but an empty frame.
        if (windowHandle() && !windowHandle()->isExposed())
            m_activeAfterPaint = true;
        else
            activeStep();
    }
    return result;
}

void THlavniDialog::activeStep()
{
    if (A1->isChecked())
        m_idle->openingAnimation();
    // The game left at the last quit comes back once the picture has opened.
    if (!m_keptGameTakenUp) {
        m_keptGameTakenUp = true;
        takeUpKeptGame();
    }
}

void THlavniDialog::takeUpKeptGame()
{
    const Settings::KeptGame kept = Settings::keptGame();
    if (kept.disky.isEmpty() && kept.tahy.isEmpty() && kept.kuly.isEmpty())
        return;
    if (const std::optional<Board::Game> game = Board::Game::fromKept(kept.disky, kept.tahy, kept.kuly)) {
        if (!isGameOn()) {
            resumeGame(*game);
            m_tutor->setPlayedWithHelp(kept.pomoc == QLatin1String("1"));
        }
        return;
    }
    try {
        Settings::setKeptGame({});
    } catch (const AppError &) {
        // Dropped all the same: it is read again and dropped again next time.
    }
}

void THlavniDialog::keepGameForNextStart()
{
    if (!isGameOn())
        return;
    const Board::Game &game = m_game->game();
    const QString pomoc = m_tutor->playedWithHelp() ? QStringLiteral("1") : QString();
    ErrorReport::guard(this, [&game, &pomoc] {
        Settings::setKeptGame(
            {QString::number(game.diskCount()), QString::number(game.moves()), game.kuly(), pomoc});
    });
}

void THlavniDialog::dropKeptGame()
{
    ErrorReport::guard(this, [] {
        const Settings::KeptGame kept = Settings::keptGame();
        if (!kept.disky.isEmpty() || !kept.tahy.isEmpty() || !kept.kuly.isEmpty())
            Settings::setKeptGame({});
    });
}

void THlavniDialog::closeEvent(QCloseEvent *event)
{
    m_tutor->stopDemonstration();
    keepGameForNextStart();
    if (!m_closing) {
        m_closing = true;
        if (A1->isChecked()) {
            showWholeWindow(this);
            m_idle->closingAnimation();
        }
    }
    event->accept();
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, whatever else is shown.
    QTimer::singleShot(0, qApp, &QApplication::quit);
}

bool THlavniDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The idle picture is there while neither the board nor the boss screen
    // covers it; hidden under them, it is not read out or pointed at either.
    if ((watched == m_plocha || watched == m_sef) && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        m_idle->setVisible(!m_plocha->isVisibleTo(m_client) && !m_sef->isVisibleTo(m_client));
    // The context menu opens on a right-button release over the window or
    // the board, after the control under the pointer has had its release.
    if (event->type() == QEvent::MouseButtonRelease && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        const auto inside = [w](const QWidget *area) { return w == area || area->isAncestorOf(w); };
        if (mouse->button() == Qt::RightButton && w->window() == this && inside(m_client) && !inside(m_dock)
            && !inside(m_status) && !inside(m_sef) && InputLock::isInputEnabled(this)) {
            const QPoint at = mouse->globalPosition().toPoint();
            QMetaObject::invokeMethod(this, [this, at] { PopupMenu1->popup(at); }, Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void THlavniDialog::setGameOn(bool on)
{
    MS1->setEnabled(!on);
    MP1->setEnabled(!on);
    TB1->setEnabled(!on);
    MS3->setEnabled(on);
    MP2->setEnabled(on);
    Vrtittah1->setEnabled(on);
    MP3->setEnabled(on);
    TB2->setEnabled(on);
    for (QAction *a : {PoraditTah, UkazkaReseni, MPPoraditTah, MPUkazkaReseni})
        a->setEnabled(on);
}

bool THlavniDialog::isGameOn() const { return m_game->isOn(); }
int THlavniDialog::pocetTahu() const { return m_game->game().moves(); }
bool THlavniDialog::isMoving() const { return m_plocha->mover()->isMoving() || m_plocha->isDragging(); }

void THlavniDialog::setMoveCount(int moves)
{
    if (m_countWhenUp)
        return;
    m_tahy->setText(QString::number(moves));
    m_tahy->adjustSize();
    m_plocha->setMoveCount(moves);
}

void THlavniDialog::startGame(int n)
{
    dropKeptGame();
    resumeGame(Board::Game::start(n));
}

void THlavniDialog::resumeGame(const Board::Game &game)
{
    m_plocha->mover()->finish();
    m_waiting.clear();
    m_plocha->hide();
    m_tutor->stopDemonstration();
    m_tutor->setPlayedWithHelp(false);
    m_game->begin(game);
    m_plocha->showGame(m_game->game());
    m_plocha->show();   // under the boss screen it stays covered until that is left
    m_plocha->setFocus();   // where a screen reader follows the game
    kontrola()->setText(QString::number(game.diskCount()));
    m_plocha->plate(2)->setBrushColor(QColor(Colors::White));
    m_plocha->plate(3)->setBrushColor(QColor(Colors::White));
}

void THlavniDialog::resetBoardToIdle()
{
    dropKeptGame();
    m_plocha->mover()->finish();
    m_waiting.clear();
    m_game->end(Board::Game::start(Board::kDisks));   // all ten back on post 1, as designed
    m_plocha->showGame(m_game->game());
    m_plocha->hide();
    m_plocha->plate(2)->setBrushColor(QColor(Colors::White));
    m_plocha->plate(3)->setBrushColor(QColor(Colors::White));
}

void THlavniDialog::endGameSteps()
{
    dropKeptGame();
    m_restore.clear();
    m_plocha->mover()->finish();
    m_waiting.clear();
    m_plocha->hide();
    m_game->end(Board::Game());
    m_plocha->plate(2)->setBrushColor(QColor(Colors::White));
    m_plocha->plate(3)->setBrushColor(QColor(Colors::White));
}

void THlavniDialog::keepGame()
{
    if (!m_restore.isEmpty() && isGameOn()) {
        kontrola()->setText(m_restore);
        m_game->setWatched(true);
    }
    m_restore.clear();
}

void THlavniDialog::whenFree(std::function<void()> action)
{
    if (isMoving())
        m_waiting.push_back(std::move(action));
    else
        action();
}

void THlavniDialog::moveEnded()
{
    m_plocha->showGame(m_game->game(), m_movedDisk);
    setMoveCount(m_game->game().moves());
    while (!isMoving() && !m_waiting.empty()) {
        const std::function<void()> next = std::move(m_waiting.front());
        m_waiting.pop_front();
        next();
    }
    m_tutor->moveEnded();
}

void THlavniDialog::diskMouseUp(int k)
{
    whenFree([this, k] {
        ErrorReport::guard(this, [this, k] {
            {
                // The lift counts once the disk is up, when the move ends.
                const QScopedValueRollback<bool> later(m_countWhenUp, true);
                if (!m_game->lift(k))
                    return;
            }
            m_movedDisk = k;
            m_plocha->mover()->lift(m_plocha->disk(k));
        });
    });
}

void THlavniDialog::postMouseUp(int post)
{
    whenFree([this, post] {
        ErrorReport::guard(this, [this, post] {
            const int k = m_game->game().lifted();
            if (!m_game->place(post)) {
                if (k)
                    m_plocha->tellRefusal();
                return;
            }
            m_movedDisk = k;
            m_plocha->mover()->drop(m_plocha->disk(k), m_game->game().placeOf(k));
        });
    });
}

// A drag is a lift that the pointer carries: counted as the lift is.
void THlavniDialog::diskDragged(int k)
{
    if (isMoving() || !isGameOn() || !InputLock::isInputEnabled(this))
        return;
    ErrorReport::guard(this, [this, k] {
        if (m_game->lift(k))
            m_plocha->beginDrag(k);
    });
}

// Down where it may stand, else back onto its own post.
void THlavniDialog::diskDropped(int k, int post)
{
    ErrorReport::guard(this, [this, k, post] {
        if (m_game->game().lifted() != k)
            return;
        m_game->place(post && m_game->game().mayPlace(post) ? post : m_game->game().postOf(k));
        m_movedDisk = k;
        m_plocha->mover()->drop(m_plocha->disk(k), m_game->game().placeOf(k));
    });
}

void THlavniDialog::undoMove()
{
    m_tutor->stopDemonstration();
    whenFree([this] {
        if (!isGameOn() || m_sef->isVisible() || !InputLock::isInputEnabled(this))
            return;
        ErrorReport::guard(this, [this] {
            const std::optional<Board::Move> move = m_game->undo();
            if (!move)
                return;
            m_movedDisk = move->disk;
            Shape *disk = m_plocha->disk(move->disk);
            const Board::Disk to = m_game->game().placeOf(move->disk);
            if (move->from == move->to)   // a lifted disk, back down onto its post
                m_plocha->mover()->drop(disk, to);
            else
                m_plocha->mover()->carry(disk, to);
        });
    });
}

void THlavniDialog::postKeyed(int post)
{
    whenFree([this, post] {
        if (m_game->game().lifted() != 0)
            postMouseUp(post);
        else if (const int k = m_game->game().topDisk(post))
            diskMouseUp(k);
    });
}

void THlavniDialog::Timer1Timer()
{
    // Read on every tick, game or no game: another copy may have closed the
    // assistant meanwhile.
    const QString pomocnik = Settings::pomocnik();
    if (isMoving() || !m_game->isWatched())
        return;
    if (const int post = m_game->game().solvedPost())
        announceResult(post, QString::number((1 << m_game->game().diskCount()) - 1), pomocnik);
}

void THlavniDialog::announceResult(int post, const QString &minimum, const QString &pomocnik)
{
    m_plocha->plate(post)->setBrushColor(QColor(Colors::Red));
    TVysledekDialog *result = m_dialogs.result;
    TPomocnikDialog *assistant = m_dialogs.assistant;
    // A result already shown is left as it is: raising or activating it
    // again would take the keys from whatever window the player went to,
    // and showing it again would empty a name being typed.
    if (!result || result->isVisible())
        return;
    if (assistant) {
        if (pomocnik == QLatin1String("0"))
            assistant->showAssistant();
        Placement::applyRule(PlacementRules::DialogRow::Result, assistant, Placement::outerRect(result).size());
    }
    result->setFigures(QString::number(m_game->game().diskCount()), minimum,
                       QString::number(m_game->game().moves()));
    result->setPlayedWithHelp(m_tutor->playedWithHelp());
    result->show();
    result->raise();
}

// Unlike endGame and clearResults on purpose: the assistant is shown only when closed ("0"), not unless "1".
void THlavniDialog::newGame()
{
    ErrorReport::guard(this, [this] {
        THraDialog *dialog = m_dialogs.newGame;
        TPomocnikDialog *assistant = m_dialogs.assistant;
        if (!dialog)
            return;
        if (assistant) {
            if (Settings::pomocnik() == QLatin1String("0"))
                assistant->showAssistant();
            Placement::applyRule(PlacementRules::DialogRow::NewGame, assistant, Placement::outerRect(dialog).size());
        }
        dialog->show();
        dialog->raise();
    });
}

void THlavniDialog::endGame()
{
    ErrorReport::guard(this, [this] {
        TDotazKonecDialog *question = m_dialogs.endQuestion;
        TPomocnikDialog *assistant = m_dialogs.assistant;
        m_tutor->stopDemonstration();
        // The solution check stops at once; "Ne" puts the count back.
        if (question)
            m_restore = kontrola()->text();
        kontrola()->setText(QStringLiteral("0"));
        m_game->setWatched(false);
        const QString pomocnik = Settings::pomocnik();
        if (!question)
            return;
        if (assistant) {
            Placement::applyRule(PlacementRules::DialogRow::EndQuestion, assistant,
                                 Placement::outerRect(question).size());
            if (pomocnik != QLatin1String("1"))
                assistant->showAssistant();
            Placement::placeDialog(PlacementRules::DialogRow::EndQuestion, question, assistant);
        }
        question->show();
        question->raise();
    });
}

void THlavniDialog::quit() { close(); }

void THlavniDialog::showBestResults()
{
    if (TTabulkaDialog *viewer = m_dialogs.bestResults) {
        viewer->show();
        viewer->raise();
    }
}

void THlavniDialog::clearResults()
{
    ErrorReport::guard(this, [this] {
        TVymazatDialog *question = m_dialogs.clearQuestion;
        TPomocnikDialog *assistant = m_dialogs.assistant;
        const QString pomocnik = Settings::pomocnik();
        if (!question)
            return;
        if (assistant) {
            Placement::applyRule(PlacementRules::DialogRow::ClearQuestion, assistant,
                                 Placement::outerRect(question).size());
            if (pomocnik != QLatin1String("1"))
                assistant->showAssistant();
            Placement::placeDialog(PlacementRules::DialogRow::ClearQuestion, question, assistant);
        }
        question->show();
        question->raise();
    });
}

void THlavniDialog::toggleAnimation()
{
    // The check mark has already changed; a refused write leaves it so.
    ErrorReport::guard(this, [this] { Settings::setAnimace(A1->isChecked() ? 1 : 0); });
}

void THlavniDialog::showSpeed() { m_speeds[int(Settings::rychlost()) - 1]->setChecked(true); }

void THlavniDialog::chooseSpeed(QAction *speed)
{
    ErrorReport::guard(this, [speed] { Settings::setRychlost(Settings::Speed(speed->data().toInt())); });
    showSpeed();
}

void THlavniDialog::toggleBossScreen()
{
    if (!m_sef->isVisible()) {
        m_tutor->stopDemonstration();
        m_plocha->hide();
        m_sef->show();
        m_label1->hide();
        m_tahy->hide();
        setWindowTitle(Sef::caption());
    } else {
        m_sef->hide();
        m_label1->show();
        m_tahy->show();
        setWindowTitle(kCaption);
        m_plocha->setVisible(isGameOn());
    }
}

void THlavniDialog::startManual() { Manual::start(winId()); }

void THlavniDialog::showHelp()
{
    ErrorReport::guard(this, [this] {
        if (m_dialogs.help)
            m_dialogs.help->openBesideAssistant();
    });
}

void THlavniDialog::showAbout()
{
    if (TOProgramuDialog *about = m_dialogs.about) {
        about->show();
        about->raise();
    }
}

void THlavniDialog::showWelcome()
{
    ErrorReport::guard(this, [this] {
        TUvitaniDialog *welcome = m_dialogs.welcome;
        if (!welcome)
            return;
        welcome->show();
        welcome->raise();
    });
}
