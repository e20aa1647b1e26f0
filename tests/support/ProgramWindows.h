#pragma once

#include "dialogs/DotazKonec.h"
#include "dialogs/Napoveda.h"
#include "dialogs/OProgramu.h"
#include "dialogs/Uvitani.h"
#include "dialogs/Pomocnik.h"
#include "results/Data.h"
#include "results/Tabulka.h"
#include "results/Vymazat.h"
#include "results/Vysledek.h"
#include "setup/Hra.h"
#include "shell/AppWindows.h"
#include "shell/Hlavni.h"

// Destroys the windows that Startup::createWindows() made, so that the next
// test starts from none.
inline void destroyProgramWindows()
{
    AppWindows &w = appWindows();
    delete w.UvitaniDialog;
    delete w.OProgramuDialog;
    delete w.NapovedaDialog;
    delete w.HraDialog;
    delete w.DotazKonecDialog;
    delete w.VysledekDialog;
    delete w.TabulkaDialog;
    delete w.VymazatDialog;
    delete w.PomocnikDialog;
    delete w.HlavniDialog;
    delete w.DataModule1;
    w = AppWindows{};
}
