#include "Startup.h"

#include "core/shell/AppPath.h"
#include "AppStyle.h"
#include "BenchReport.h"
#include "services/ErrorReport.h"
#include "core/widgets/Fonts.h"
#include "Hlavni.h"
#include "core/shell/InstanceChannel.h"
#include "Platform.h"
#include "core/shell/OpenAlSoundPlayer.h"
#include "Spusteni.h"
#include "dialogs/DotazKonec.h"
#include "dialogs/Napoveda.h"
#include "dialogs/OProgramu.h"
#include "dialogs/Uvitani.h"
#include "dialogs/Pomocnik.h"
#include "dialogs/SecondCopy.h"
#include "core/results/Data.h"
#include "results/Tabulka.h"
#include "results/Vymazat.h"
#include "results/Vysledek.h"
#include "setup/Hra.h"
#include "widgets/GradProgress.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QMutex>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <memory>
#include <optional>

namespace {
const QString kMainWindowClass = QStringLiteral("THlavniDialog");

// About what the splash and the windows take from the heap as they are built
// and first painted.
constexpr std::size_t kStartHeap = 1536 * 1024;

// Calls done once, after the first paint of window.
void whenFirstPainted(QWidget *window, std::function<void()> done)
{
    class Watcher : public QObject
    {
    public:
        Watcher(QWidget *window, std::function<void()> done) : QObject(window), m_done(std::move(done)) {}
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, this, [this] {
                    m_done();
                    deleteLater();
                });
            }
            return false;
        }

    private:
        std::function<void()> m_done;
    };
    window->installEventFilter(new Watcher(window, std::move(done)));
}
} // namespace

namespace Startup {

bool installQtTranslation(QTranslator &translator)
{
    return translator.load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&translator);
}

Windows::Windows() = default;

Windows::~Windows()
{
    // Members go in the reverse order of their declaration: the order of
    // creation backwards.
}

std::unique_ptr<Windows> createWindows(const std::function<void(int)> &progress,
                                       const std::function<void(THlavniDialog *)> &mainWindowCreated)
{
    auto w = std::make_unique<Windows>();
    progress(7);
    w->DataModule1 = std::make_unique<TDataModule1>();
    w->DataModule1->open();
    progress(14);
    w->HlavniDialog = std::make_unique<THlavniDialog>();
    if (mainWindowCreated)
        mainWindowCreated(w->HlavniDialog.get());
    progress(21);
    w->UvitaniDialog = std::make_unique<TUvitaniDialog>();
    progress(28);
    w->HraDialog = std::make_unique<THraDialog>();
    progress(35);
    w->OProgramuDialog = std::make_unique<TOProgramuDialog>();
    progress(42);
    w->DotazKonecDialog = std::make_unique<TDotazKonecDialog>();
    progress(63);
    w->VysledekDialog = std::make_unique<TVysledekDialog>(w->DataModule1.get());
    progress(70);
    w->PomocnikDialog = std::make_unique<TPomocnikDialog>();
    w->PomocnikDialog->setWelcomeDialog(w->UvitaniDialog.get());
    progress(77);
    w->TabulkaDialog = std::make_unique<TTabulkaDialog>(w->DataModule1.get());
    progress(84);
    w->VymazatDialog = std::make_unique<TVymazatDialog>(w->DataModule1.get());
    progress(91);
    w->NapovedaDialog = std::make_unique<TNapovedaDialog>();
    w->NapovedaDialog->setAssistant(w->PomocnikDialog.get());
    w->UvitaniDialog->setHelpDialog(w->NapovedaDialog.get());
    w->HlavniDialog->setDialogs({w->UvitaniDialog.get(), w->HraDialog.get(), w->OProgramuDialog.get(),
                                 w->DotazKonecDialog.get(), w->VysledekDialog.get(), w->PomocnikDialog.get(),
                                 w->TabulkaDialog.get(), w->VymazatDialog.get(), w->NapovedaDialog.get()});
    progress(100);
    return w;
}

int run(int argc, char *argv[])
{
    Platform::ignoreFileSizeLimitSignal();
    Platform::chooseWindowSystem();
    Platform::FontConfigReader fonts;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Toran2000"));
    app.setOrganizationName(QStringLiteral("KQ2000"));
    // The menu bar belongs to the window's look: it is never handed to a
    // desktop's global menu, so the desktop is not asked whether it has one.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication::setStyle(new AppStyle(QApplication::style()->name()));
    Fonts::installSubstitutes();
    QTranslator qtTexts;
    Startup::installQtTranslation(qtTexts);
    AppPath::prepareWritableDir();
    OpenAlSoundPlayer player;
    setSoundPlayer(&player);

    if (findRunningCopy(kMainWindowClass, THlavniDialog::kCaption))
        return SecondCopy::run(app);

    // The heap that building the windows takes is mapped in one go, but
    // only after Qt's accessibility bridge is set up (asking whether
    // accessibility is on sets it up). The bridge connects to the session
    // bus, and in a session without one the bus library forks to start one;
    // every page a fork shares faults once more when it is next written.
    QAccessible::isActive();
    Platform::HeapAhead heapAhead(kStartHeap);

    fonts.wait();
    auto splash = std::make_unique<TSpusteniDialog>();
    BenchReport::reportSplashPaintIfAsked(splash.get());
    splash->show();
    splash->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // A copy answers as one from the moment its main window exists, with
    // that window's caption as it changes; the channel answers on a thread
    // of its own and reads the caption from here.
    QMutex captionMutex;
    std::optional<QString> caption;
    InstanceServer answering([&] {
        QMutexLocker lock(&captionMutex);
        return caption ? InstanceServer::WindowInfo{kMainWindowClass, *caption} : InstanceServer::WindowInfo{};
    });
    const auto publishCaption = [&](const QString &text) {
        QMutexLocker lock(&captionMutex);
        caption = text;
    };

    TGradProgress *metr = splash->metr();
    std::unique_ptr<Windows> windows;
    bool ok = ErrorReport::guard(nullptr, [&] {
        windows = createWindows([metr](int position) { metr->setPosition(position); },
                                [&](THlavniDialog *main) {
                                    publishCaption(main->windowTitle());
                                    QObject::connect(main, &QWidget::windowTitleChanged, main, publishCaption);
                                });
    });
    splash.reset();
    if (!ok)
        return 1;

    THlavniDialog *main = windows->HlavniDialog.get();

    BenchReport::quitWhenShownIfAsked(main);
    // The sound device takes tens of milliseconds to open: it is opened
    // beside the running game once the main window has been painted, long
    // before the player's first click.
    whenFirstPainted(main, [&player, &heapAhead] {
        heapAhead.release();
        player.start();
    });
    main->show();
    const int code = app.exec();
    windows.reset();
    setSoundPlayer(nullptr);
    return code;
}

} // namespace Startup
