#pragma once

#include "core/board/BoardRules.h"
#include "board/Plocha.h"
#include "dialogs/DotazKonec.h"
#include "dialogs/Napoveda.h"
#include "dialogs/OProgramu.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "dialogs/Uvitani.h"
#include "core/results/Data.h"
#include "results/Tabulka.h"
#include "results/Vymazat.h"
#include "results/Vysledek.h"
#include "setup/Hra.h"
#include "shell/Hlavni.h"
#include "shell/Startup.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "widgets/Shape.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

#include <memory>

// Every window of the program, created as start-up creates them, in a
// scratch application directory with the sounds, the animation off and the
// given assistant settings; the main window shown.
struct Program {
    explicit Program(const QByteArray &assistantSettings = "[Nastaveni]\r\nPomocnik=1\r\n");
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    BoardPanel *board() const { return main->plocha(); }
    QAction *action(const char *name) const { return main->findChild<QAction *>(name); }
    QToolButton *tool(const char *name) const { return main->findChild<QToolButton *>(name); }
    QString kontrola() const { return main->kontrola()->text(); }

    // The player's two clicks of a move, on the post's pole.
    void move(int from, int to);
    static void release(QWidget *w, Qt::MouseButton button = Qt::LeftButton);
    // The minimal solution of n disks from post `from` to post `to`.
    void solve(int n, int from, int to);

    ScratchAppDir dir;
    RecordingSoundPlayer sounds;
    std::unique_ptr<Startup::Windows> windows;
    THlavniDialog *main = nullptr;
};
