#pragma once

#include <QMainWindow>

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

// The main window: the idle picture, the board, the boss screen, menus, toolbar and status line, and every
// command of the program. Game state lives in its controls; nothing here
// keeps a copy of it.
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
    int pocetTahu() const { return m_pocetTahu; }
    QTimer *timer1() const { return m_timer1; }
    QWidget *client() const { return m_client; }
    QString statusText() const;

    IdlePicture *idlePicture() const { return m_idle; }

    // The command entries of a state: new game (MS1, MP1, TB1) and end game
    // (MS3, MP2, TB2) are always switched together, in opposite states.
    void setGameOn(bool on);
    bool isGameOn() const;

    // Starts a game of n disks on post 1 (the count buttons' steps 1 to 8).
    void startGame(int n);
    // Back to the idle state between games, as a confirmed result leaves it.
    void resetBoardToIdle();

public slots:
    // Commands.
    void newGame();
    void endGame();
    void quit();
    void toggleAnimation();
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
    void Timer1Timer();

signals:
    void moveCountChanged(int moves);

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
    void endGameSteps();   // the end question's "Ano"
    void keepGame();       // the end question's "Ne"
    void announceResult(int post, const QString &minimum, const QString &pomocnik);
    void updateManualEntries();

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
    Dialogs m_dialogs;
    // The end-game command stops the solution check before asking; "Ne"
    // puts this disk count back so that the game kept is still recognised.
    QString m_restore;
    int m_pocetTahu = 0;
    bool m_shownOnce = false;
    bool m_backgroundSet = false;   // the native window shows the picture of the first show
    bool m_activeAfterPaint = false;   // activated before the window system let it paint
    bool m_closing = false;

    QAction *MS1 = nullptr, *MS3 = nullptr, *MS8 = nullptr;
    QAction *A1 = nullptr, *MN5 = nullptr, *Vymazattabulkunejlepch2 = nullptr, *fovskpojistka1 = nullptr;
    QAction *NpovdaproToranskouv20001 = nullptr, *EM = nullptr, *OProgramu = nullptr;
    QAction *MP1 = nullptr, *MP2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QToolButton *TB1 = nullptr, *TB2 = nullptr, *TB3 = nullptr, *ToolbarButton971 = nullptr, *EM1 = nullptr;
};
