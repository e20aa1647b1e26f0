#pragma once

#include <QMainWindow>

#include <deque>
#include <functional>

namespace Board {
class Game;
class GameModel;
}
class BoardPanel;
class HintTracker;
class IdlePicture;
class Panel;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class Sef;
class StatusBar;
class TDotazKonecDialog;
class THraDialog;
class TNapovedaDialog;
class TOProgramuDialog;
class TPomocnikDialog;
class TTabulkaDialog;
class TUvitaniDialog;
class TVymazatDialog;
class TVysledekDialog;
class TextLabel;
class Tutor;

// The main window: the idle picture, the board, the boss screen, menus, toolbar and status line, and every
// command of the program. The game is its model (Board::GameModel); the
// board, Kontrola, Tahy and the commands' states show it.
class THlavniDialog : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 569;
    static constexpr int kClientHeight = 336;
    static const QString kCaption;

    // The windows its commands open; any of them may be missing (null).
    struct Dialogs {
        TUvitaniDialog *welcome = nullptr;
        THraDialog *newGame = nullptr;
        TOProgramuDialog *about = nullptr;
        TDotazKonecDialog *endQuestion = nullptr;
        TVysledekDialog *result = nullptr;
        TPomocnikDialog *assistant = nullptr;
        TTabulkaDialog *bestResults = nullptr;
        TVymazatDialog *clearQuestion = nullptr;
        TNapovedaDialog *help = nullptr;
    };

    explicit THlavniDialog(QWidget *parent = nullptr);
    ~THlavniDialog() override;

    // Hands in the dialogs and acts on what they tell.
    void setDialogs(const Dialogs &dialogs);

    BoardPanel *plocha() const { return m_plocha; }
    Sef *sef() const { return m_sef; }
    QLabel *kontrola() const;
    QLabel *tahy() const { return m_tahy; }
    int pocetTahu() const;
    Board::GameModel *game() const { return m_game; }
    // A disk is on its way: clicks and keys wait until it stands.
    bool isMoving() const;
    QTimer *timer1() const { return m_timer1; }
    QWidget *client() const { return m_client; }
    QString statusText() const;
    // The hint and the demonstration, and whether the game had their help.
    Tutor *tutor() const { return m_tutor; }

    IdlePicture *idlePicture() const { return m_idle; }

    // The command entries of a state: new game (MS1, MP1, TB1) and end game
    // (MS3, MP2, TB2) are always switched together, in opposite states.
    void setGameOn(bool on);
    bool isGameOn() const;

    // Starts a game of n disks on post 1 (the count buttons' steps 1 to 8).
    void startGame(int n);
    // Puts a game on the board as it stands, in the game-on state.
    void resumeGame(const Board::Game &game);
    // The game kept at the last quit, back on the board; a kept game that
    // makes no sense is dropped silently.
    void takeUpKeptGame();
    // Back to the idle state between games, as a confirmed result leaves it.
    void resetBoardToIdle();

public slots:
    // Commands.
    void newGame();
    void endGame();
    void quit();
    // Takes back the last move of the game, or puts a lifted disk back.
    void undoMove();
    void toggleAnimation();
    void chooseSpeed(QAction *speed);
    void showBestResults();
    void clearResults();
    void toggleBossScreen();
    void showHelp();
    void startManual();
    void showAbout();
    // The welcome dialog beside the assistant: at start and on the
    // assistant's double click.
    void showWelcome();

    // Board handlers: one rule for the ten disks and one for the three posts.
    void diskMouseUp(int k);
    void postMouseUp(int post);
    // A post's key: the release of its top disk with no disk lifted, of the
    // post with one lifted.
    void postKeyed(int post);
    void diskDragged(int k);
    void diskDropped(int k, int post);
    void Timer1Timer();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void creationStep();
    void showStep();
    void activeStep();
    bool isBoardPlayable() const;
    void closeStep();
    void setMoveCount(int moves);
    // Runs what the player asked for now, or after the disk on its way stands.
    void whenFree(std::function<void()> action);
    void moveEnded();
    void endGameSteps();   // the end question's "Ano"
    void keepGame();       // the end question's "Ne"
    void announceResult(int post, const QString &minimum, const QString &pomocnik);
    void updateManualEntries();
    void showSpeed();
    void keepGameForNextStart();
    void dropKeptGame();

    QWidget *m_client = nullptr;
    BoardPanel *m_plocha = nullptr;
    Sef *m_sef = nullptr;
    IdlePicture *m_idle = nullptr;
    Panel *m_dock = nullptr;
    StatusBar *m_status = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_tahy = nullptr;
    QTimer *m_timer1 = nullptr;
    HintTracker *m_hints = nullptr;
    Tutor *m_tutor = nullptr;
    Dialogs m_dialogs;
    // The end-game command stops the solution check before asking; "Ne"
    // puts this disk count back so that the game kept is still recognised.
    QString m_restore;
    Board::GameModel *m_game = nullptr;
    std::deque<std::function<void()>> m_waiting;
    int m_movedDisk = 0;
    bool m_countWhenUp = false;   // a click's lift: the count shows as the disk arrives
    bool m_shownOnce = false;
    bool m_backgroundSet = false;   // the native window shows the picture of the first show
    bool m_activeAfterPaint = false;   // activated before the window system let it paint
    bool m_closing = false;
    bool m_keptGameTakenUp = false;

    QAction *MS1 = nullptr, *MS3 = nullptr, *MS8 = nullptr;
    QAction *A1 = nullptr, *MN5 = nullptr, *Vymazattabulkunejlepch2 = nullptr, *fovskpojistka1 = nullptr;
    QAction *NpovdaproToranskouv20001 = nullptr, *EM = nullptr, *OProgramu = nullptr;
    QAction *MP1 = nullptr, *MP2 = nullptr, *MP3 = nullptr, *Vrtittah1 = nullptr;
    QMenu *m_speedMenu = nullptr;
    QList<QAction *> m_speeds;   // slow, normal, fast, at once
    // Hint (H) and demonstration (D), in Soubor and in the context menu; Esc
    // stops the demonstration.
    QAction *PoraditTah = nullptr, *UkazkaReseni = nullptr, *MPPoraditTah = nullptr, *MPUkazkaReseni = nullptr;
    QAction *m_stopDemonstration = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QToolButton *TB1 = nullptr, *TB2 = nullptr, *TB3 = nullptr, *ToolbarButton971 = nullptr, *EM1 = nullptr;
};
