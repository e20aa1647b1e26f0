#pragma once

// The program's windows, each created once at start-up and kept until the
// process ends. Commands and dialogs reach each other through these
// references; one that is null has not been created (in tests, or in a second
// copy) and is skipped by its callers.
class THlavniDialog;
class TUvitaniDialog;
class THraDialog;
class TOProgramuDialog;
class TDotazKonecDialog;
class TVysledekDialog;
class TPomocnikDialog;
class TTabulkaDialog;
class TVymazatDialog;
class TNapovedaDialog;
class TDataModule1;

struct AppWindows
{
    THlavniDialog *HlavniDialog = nullptr;
    TUvitaniDialog *UvitaniDialog = nullptr;
    THraDialog *HraDialog = nullptr;
    TOProgramuDialog *OProgramuDialog = nullptr;
    TDotazKonecDialog *DotazKonecDialog = nullptr;
    TVysledekDialog *VysledekDialog = nullptr;
    TPomocnikDialog *PomocnikDialog = nullptr;
    TTabulkaDialog *TabulkaDialog = nullptr;
    TVymazatDialog *VymazatDialog = nullptr;
    TNapovedaDialog *NapovedaDialog = nullptr;
    TDataModule1 *DataModule1 = nullptr;
};

AppWindows &appWindows();
