#include "Startup.h"

#include "AppPath.h"
#include "AppWindows.h"
#include "BenchReport.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "Hlavni.h"
#include "InstanceChannel.h"
#include "Platform.h"
#include "QtSoundPlayer.h"
#include "Spusteni.h"
#include "dialogs/DotazKonec.h"
#include "dialogs/Napoveda.h"
#include "dialogs/OProgramu.h"
#include "dialogs/Uvitani.h"
#include "dialogs/Pomocnik.h"
#include "dialogs/SecondCopy.h"
#include "results/Data.h"
#include "results/Tabulka.h"
#include "results/Vymazat.h"
#include "results/Vysledek.h"
#include "setup/Hra.h"
#include "widgets/GradProgress.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {
const QString kMainWindowClass = QStringLiteral("THlavniDialog");
} // namespace

namespace Startup {

bool installQtTranslation(QTranslator &translator)
{
    return translator.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&translator);
}

void createWindows(const std::function<void(int)> &progress)
{
    AppWindows &w = appWindows();
    progress(7);
    w.DataModule1 = new TDataModule1(qApp);
    w.DataModule1->open();
    progress(14);
    w.HlavniDialog = new THlavniDialog;
    progress(21);
    w.UvitaniDialog = new TUvitaniDialog;
    progress(28);
    w.HraDialog = new THraDialog;
    progress(35);
    w.OProgramuDialog = new TOProgramuDialog;
    progress(42);
    w.DotazKonecDialog = new TDotazKonecDialog;
    progress(63);
    w.VysledekDialog = new TVysledekDialog;
    progress(70);
    w.PomocnikDialog = new TPomocnikDialog;
    w.PomocnikDialog->setWelcomeDialog(w.UvitaniDialog);
    QObject::connect(w.PomocnikDialog, &TPomocnikDialog::welcomeRequested, w.HlavniDialog,
                     &THlavniDialog::showWelcome);
    progress(77);
    w.TabulkaDialog = new TTabulkaDialog;
    progress(84);
    w.VymazatDialog = new TVymazatDialog;
    progress(91);
    w.NapovedaDialog = new TNapovedaDialog;
    progress(100);
}

int run(int argc, char *argv[])
{
    Platform::chooseWindowSystem();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Toran2000"));
    app.setOrganizationName(QStringLiteral("KQ2000"));
    Fonts::installSubstitutes();
    QTranslator qtTexts;
    Startup::installQtTranslation(qtTexts);
    if (!ErrorReport::guard(nullptr, [] { AppPath::prepareWritableDir(); }))
        return 1;
    QtSoundPlayer player;
    setSoundPlayer(&player);

    if (findRunningCopy(kMainWindowClass, THlavniDialog::kCaption))
        return SecondCopy::run(app);

    auto splash = std::make_unique<TSpusteniDialog>();
    splash->show();
    splash->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    TGradProgress *metr = splash->metr();
    bool ok = ErrorReport::guard(nullptr, [&] { createWindows([metr](int position) { metr->setPosition(position); }); });
    splash.reset();
    if (!ok)
        return 1;

    THlavniDialog *main = appWindows().HlavniDialog;
    InstanceServer answering([main] {
        return InstanceServer::WindowInfo{kMainWindowClass, main->windowTitle()};
    });

    BenchReport::quitWhenShownIfAsked(main);
    main->show();
    const int code = app.exec();
    setSoundPlayer(nullptr);
    return code;
}

} // namespace Startup
