#include "Startup.h"

#include "core/files/AppPath.h"
#include "AppStyle.h"
#include "BenchReport.h"
#include "services/DialogLock.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "Hlavni.h"
#include "core/channel/InstanceChannel.h"
#include "core/system/Language.h"
#include "Platform.h"
#include "core/sound/SystemSoundPlayer.h"
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

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QMutex>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {
const QString kMainWindowClass = QStringLiteral("THlavniDialog");

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

bool installTranslations(const QString &language, QTranslator &game, QTranslator &qt)
{
    Language::setCurrent(language);
    if (language == Language::kCzech) {
        // The game's own Czech texts need only their plural forms.
        if (game.load(QStringLiteral(":/i18n/toran_cs.qm")))
            QCoreApplication::installTranslator(&game);
        return installQtTranslation(qt);
    }
    return game.load(QStringLiteral(":/i18n/toran_%1.qm").arg(language)) && QCoreApplication::installTranslator(&game);
}

Windows::Windows() = default;

Windows::~Windows()
{
    // Members go in the reverse order of their declaration: the order of
    // creation backwards.
}

namespace {
// Every window is handed the windows it works with.
void handOver(Windows &w)
{
    TPomocnikDialog *assistant = w.PomocnikDialog.get();
    w.HraDialog->setAssistant(assistant);
    w.VysledekDialog->setAssistant(assistant);
    w.UvitaniDialog->setAssistant(assistant);
    w.NapovedaDialog->setAssistant(assistant);
    w.UvitaniDialog->setHelpDialog(w.NapovedaDialog.get());
    w.HlavniDialog->setDialogs({w.UvitaniDialog.get(), w.HraDialog.get(), w.OProgramuDialog.get(),
                                w.DotazKonecDialog.get(), w.VysledekDialog.get(), assistant,
                                w.TabulkaDialog.get(), w.VymazatDialog.get(), w.NapovedaDialog.get()});
    w.dialogLock->setLockedWindows(w.HlavniDialog.get(), assistant);
    for (QWidget *dialog : std::initializer_list<QWidget *>{
             w.UvitaniDialog.get(), w.HraDialog.get(), w.OProgramuDialog.get(), w.DotazKonecDialog.get(),
             w.VysledekDialog.get(), w.TabulkaDialog.get(), w.VymazatDialog.get(), w.NapovedaDialog.get()})
        w.dialogLock->watch(dialog);
}
} // namespace

std::unique_ptr<Windows> createWindows(const std::function<void(int)> &progress,
                                       const std::function<void(THlavniDialog *)> &mainWindowCreated)
{
    auto w = std::make_unique<Windows>();
    w->dialogLock = std::make_unique<DialogLock>();
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
    handOver(*w);
    progress(100);
    return w;
}

namespace {
// The application's names, look and fonts.
void setUpApplication(QApplication &app)
{
    app.setApplicationName(QStringLiteral("Toran2000"));
    app.setOrganizationName(QStringLiteral("KQ2000"));
    // The menu bar belongs to the window's look: it is never handed to a
    // desktop's global menu, so the desktop is not asked whether it has one.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication::setStyle(new AppStyle(QApplication::style()->name()));
    Fonts::installSubstitutes();
}

std::unique_ptr<TSpusteniDialog> showSplash()
{
    auto splash = std::make_unique<TSpusteniDialog>();
    BenchReport::reportSplashPaintIfAsked(splash.get());
    splash->show();
    splash->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return splash;
}

// A copy answers as one from the moment its main window exists, with that
// window's caption as it changes; the channel answers on a thread of its
// own and reads the caption from here.
class RunningCopyAnswer
{
public:
    RunningCopyAnswer()
        : m_server([this] {
            QMutexLocker lock(&m_mutex);
            return m_caption ? InstanceServer::WindowInfo{kMainWindowClass, *m_caption}
                             : InstanceServer::WindowInfo{};
        })
    {
    }

    void follow(THlavniDialog *main)
    {
        publish(main->windowTitle());
        QObject::connect(main, &QWidget::windowTitleChanged, main, [this](const QString &text) { publish(text); });
    }

private:
    void publish(const QString &text)
    {
        QMutexLocker lock(&m_mutex);
        m_caption = text;
    }

    QMutex m_mutex;
    std::optional<QString> m_caption;
    InstanceServer m_server;
};

// Every window, made with its progress on the splash's bar; null where
// making them failed (the error has been reported).
std::unique_ptr<Windows> createWindowsShowingProgress(TGradProgress *metr, RunningCopyAnswer &answer)
{
    std::unique_ptr<Windows> windows;
    ErrorReport::guard(nullptr, [&] {
        windows = createWindows([metr](int position) { metr->setPosition(position); },
                                [&answer](THlavniDialog *main) { answer.follow(main); });
    });
    return windows;
}

// Shows the main window and runs the loop until the program ends.
int play(QApplication &app, THlavniDialog *main, SoundPlayer &player)
{
    BenchReport::quitWhenShownIfAsked(main);
    // The sound device takes tens of milliseconds to open: it is opened
    // beside the running game once the main window has been painted, long
    // before the player's first click.
    whenFirstPainted(main, [&player] { player.start(); });
    main->show();
    return app.exec();
}

// Says in one line, in the player's language, why the game cannot show
// itself (sourceText, of the context "Startup"); Qt's own message would end
// the program with an abort.
int refuseInOneLine(int argc, char *argv[], const char *sourceText)
{
    QCoreApplication app(argc, argv);
    QTranslator gameTexts;
    QTranslator qtTexts;
    Startup::installTranslations(Language::fromSystem(), gameTexts, qtTexts);
    std::fprintf(stderr, "%s\n", QCoreApplication::translate("Startup", sourceText).toLocal8Bit().constData());
    return EXIT_FAILURE;
}
} // namespace

int run(int argc, char *argv[])
{
    Platform::ignoreFileSizeLimitSignal();
    if (!Platform::chooseWindowSystem())
        return refuseInOneLine(argc, argv,
                               QT_TRANSLATE_NOOP("Startup", "Toranská věž 2000 potřebuje X11 (v relaci Wayland "
                                                            "XWayland): spusťte ji bez proměnné QT_QPA_PLATFORM, "
                                                            "nebo s QT_QPA_PLATFORM=xcb."));
    if (!Platform::displayReachable())
        return refuseInOneLine(argc, argv,
                               QT_TRANSLATE_NOOP("Startup", "Toranská věž 2000 potřebuje X11, ale žádný displej X "
                                                            "není k dispozici (proměnná DISPLAY)."));
    QApplication app(argc, argv);
    setUpApplication(app);
    QTranslator gameTexts;
    QTranslator qtTexts;
    Startup::installTranslations(Language::fromSystem(), gameTexts, qtTexts);
    AppPath::prepareWritableDir();
    const std::unique_ptr<SoundPlayer> player = createSystemSoundPlayer();
    setSoundPlayer(player.get());
    if (findRunningCopy(kMainWindowClass, THlavniDialog::kCaption))
        return SecondCopy::run(app);

    std::unique_ptr<TSpusteniDialog> splash = showSplash();
    RunningCopyAnswer answer;
    std::unique_ptr<Windows> windows = createWindowsShowingProgress(splash->metr(), answer);
    splash.reset();
    if (!windows)
        return 1;
    const int code = play(app, windows->HlavniDialog.get(), *player);
    windows.reset();
    setSoundPlayer(nullptr);
    return code;
}

} // namespace Startup
