// The program's windows as a window system treats them, with real pointer
// events and real close requests on an X server, with or without a window
// manager (TORAN_TEST_WM names it): the assistant's double clicks, the
// balloons beside it, and the close requests while a dialog is open.
#include "core/board/Game.h"
#include "board/Plocha.h"
#include "core/drawing/Fonts.h"
#include "services/Pacing.h"
#include "core/settings/Settings.h"
#include "shell/Startup.h"
#include "support/ProgramWindows.h"
#include "support/TestSupport.h"
#include "widgets/Shape.h"
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStyleHints>
#include <QtTest>

namespace {
const QPoint kBelly(78, 62);   // on the assistant's figure

bool runXdotool(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// The window the X server sends the keys to, which is where xdotool's keys
// go; Qt's focus window can name the dialog a moment before it is.
WId xFocus()
{
    return WId(outputOf("xdotool", {"getwindowfocus"}).trimmed().toULongLong());
}

QString windowManager() { return qEnvironmentVariable("TORAN_TEST_WM"); }

// The window's place and size as the X server has them.
QRect xGeometry(const QWidget *w)
{
    int x = 0, y = 0, width = 0, height = 0;
    for (const QString &line : QString::fromUtf8(outputOf("xwininfo", {"-id", QString::number(w->winId())})).split('\n')) {
        const QString value = line.section(':', 1).trimmed();
        if (line.contains(QLatin1String("Absolute upper-left X")))
            x = value.toInt();
        else if (line.contains(QLatin1String("Absolute upper-left Y")))
            y = value.toInt();
        else if (line.trimmed().startsWith(QLatin1String("Width")))
            width = value.toInt();
        else if (line.trimmed().startsWith(QLatin1String("Height")))
            height = value.toInt();
    }
    return QRect(x, y, width, height);
}

// What a window manager sends when the player clicks a window's close
// button or presses Alt+F4: a WM_DELETE_WINDOW client message.
bool sendCloseRequest(const QWidget *w)
{
    static const char script[] =
        "import ctypes, sys\n"
        "x = ctypes.cdll.LoadLibrary('libX11.so.6')\n"
        "x.XOpenDisplay.restype = ctypes.c_void_p\n"
        "x.XOpenDisplay.argtypes = [ctypes.c_char_p]\n"
        "x.XInternAtom.restype = ctypes.c_ulong\n"
        "x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]\n"
        "x.XFlush.argtypes = [ctypes.c_void_p]\n"
        "x.XCloseDisplay.argtypes = [ctypes.c_void_p]\n"
        "class ClientMessage(ctypes.Structure):\n"
        "    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),\n"
        "                ('display', ctypes.c_void_p), ('window', ctypes.c_ulong), ('message_type', ctypes.c_ulong),\n"
        "                ('format', ctypes.c_int), ('data', ctypes.c_long * 5)]\n"
        "class XEvent(ctypes.Union):\n"
        "    _fields_ = [('xclient', ClientMessage), ('pad', ctypes.c_long * 24)]\n"
        "x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,\n"
        "                         ctypes.POINTER(XEvent)]\n"
        "d = x.XOpenDisplay(None)\n"
        "if not d: sys.exit(1)\n"
        "e = XEvent()\n"
        "e.xclient.type = 33\n"   // ClientMessage
        "e.xclient.display = d\n"
        "e.xclient.window = int(sys.argv[1])\n"
        "e.xclient.message_type = x.XInternAtom(d, b'WM_PROTOCOLS', 0)\n"
        "e.xclient.format = 32\n"
        "e.xclient.data[0] = x.XInternAtom(d, b'WM_DELETE_WINDOW', 0)\n"
        "x.XSendEvent(d, int(sys.argv[1]), 0, 0, ctypes.byref(e))\n"
        "x.XFlush(d)\n"
        "x.XCloseDisplay(d)\n";
    return QProcess::execute(QStringLiteral("python3"),
                             {"-c", QString::fromLatin1(script), QString::number(w->winId())})
        == 0;
}

// Whether the window manager, where there is one, has taken the window on:
// it sets the window's WM_STATE once it has.
bool managed(const QWidget *w)
{
    if (windowManager().isEmpty())
        return true;
    return outputOf("xprop", {"-id", QString::number(w->winId()), "WM_STATE"}).contains("window state: Normal");
}

// Counts the events of one type that reach a window.
class EventCounter : public QObject
{
public:
    EventCounter(QWidget *w, QEvent::Type type) : m_window(w->windowHandle()), m_type(type)
    {
        m_window->installEventFilter(this);
    }
    ~EventCounter() override { m_window->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == m_type)
            ++count;
        return false;
    }

private:
    QWindow *m_window;
    QEvent::Type m_type;
};

void screenshot(const QString &name)
{
    const QString suffix = windowManager().isEmpty() ? QString() : QLatin1Char('-') + windowManager();
    QProcess::execute(QStringLiteral("import"),
                      {"-window", "root", QDir::temp().filePath(QStringLiteral("toran-onscreen-%1%2.png")
                                                                     .arg(name, suffix))});
}

// The whole program, started as the player starts it, with the assistant
// shown and no welcome.
struct RunningProgram
{
    RunningProgram()
    {
        dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
        dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
        windows = Startup::createWindows([](int) {});
        main = windows->HlavniDialog.get();
        assistant = windows->PomocnikDialog.get();
        main->show();
    }

    bool ready()
    {
        return QTest::qWaitForWindowExposed(main) && QTest::qWaitForWindowExposed(assistant);
    }
    // Waits until the window manager has taken both windows on.
    void settle()
    {
        (void)QTest::qWaitFor([this] { return managed(main) && managed(assistant); });
    }
    // A three-disk tower on post 3, announced at the timer's tick.
    void solveThreeDisks()
    {
        main->resumeGame(*Board::Game::fromKept("3", "7", "333"));
        main->Timer1Timer();
    }

    ScratchAppDir dir;
    std::unique_ptr<Startup::Windows> windows;
    THlavniDialog *main = nullptr;
    TPomocnikDialog *assistant = nullptr;
};
} // namespace

class WindowSystemOnScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyDoubleClickOnTheAssistantOpensTheWelcome();
    void balloonsStandWhereTheProgramPutsThemBesideTheAssistant_data();
    void balloonsStandWhereTheProgramPutsThemBesideTheAssistant();
    void whileADialogIsOpenCloseRequestsAreRefusedAndClicksGiveItTheKeys_data();
    void whileADialogIsOpenCloseRequestsAreRefusedAndClicksGiveItTheKeys();
};

void WindowSystemOnScreenTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs a real X server");
    QVERIFY2(runXdotool({"getmouselocation"}), "needs xdotool");
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
}

// A window manager must not take the first press of a double click for
// the start of a move: ten double clicks, ten welcome dialogs.
void WindowSystemOnScreenTest::everyDoubleClickOnTheAssistantOpensTheWelcome()
{
    RunningProgram p;
    QVERIFY(p.ready());
    p.settle();
    TUvitaniDialog *welcome = p.windows->UvitaniDialog.get();
    const QPoint place = p.assistant->pos();
    const int doubleClick = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    int opened = 0;
    for (int i = 0; i < 10; ++i) {
        const QPoint at = p.assistant->mapToGlobal(kBelly);
        QVERIFY(runXdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "--repeat", "2",
                         "--delay", "80", "1"}));
        QElapsedTimer sinceClicks;
        sinceClicks.start();
        if (QTest::qWaitFor([&] { return welcome->isVisible(); }, 2000))
            ++opened;
        welcome->close();
        QTRY_VERIFY(!welcome->isVisible());
        // No third click of this pair.
        (void)QTest::qWaitFor([&] { return sinceClicks.elapsed() > doubleClick; });
    }
    QCOMPARE(opened, 10);
    QCOMPARE(p.assistant->pos(), place);
}

void WindowSystemOnScreenTest::balloonsStandWhereTheProgramPutsThemBesideTheAssistant_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("welcome") << "welcome";
    QTest::newRow("new game") << "new game";
    QTest::newRow("end question") << "end question";
    QTest::newRow("help") << "help";
    QTest::newRow("clear question") << "clear question";
    QTest::newRow("result") << "result";
}

// The assistant stands near the top left corner, so every command first
// moves it to the lower right corner (hidden, moved, shown again) and then
// puts the balloon beside it: on the X server both stand where the program
// put them, and the balloon's tail reaches the figure.
void WindowSystemOnScreenTest::balloonsStandWhereTheProgramPutsThemBesideTheAssistant()
{
    QFETCH(QString, dialog);
    RunningProgram p;
    QVERIFY(p.ready());
    p.settle();
    p.assistant->move(20, 20);
    (void)QTest::qWaitFor([&] { return xGeometry(p.assistant).topLeft() == QPoint(20, 20); }, 2000);
    const Startup::Windows &w = *p.windows;
    QWidget *balloon = nullptr;
    if (dialog == QLatin1String("welcome")) {
        p.assistant->CoolForm1DblClick();
        balloon = w.UvitaniDialog.get();
    } else if (dialog == QLatin1String("new game")) {
        p.main->newGame();
        balloon = w.HraDialog.get();
    } else if (dialog == QLatin1String("end question")) {
        p.main->startGame(3);
        p.main->endGame();
        balloon = w.DotazKonecDialog.get();
    } else if (dialog == QLatin1String("help")) {
        p.main->showHelp();
        balloon = w.NapovedaDialog.get();
    } else if (dialog == QLatin1String("clear question")) {
        p.main->clearResults();
        balloon = w.VymazatDialog.get();
    } else {
        p.solveThreeDisks();
        balloon = w.VysledekDialog.get();
    }
    QVERIFY(balloon->isVisible());
    const QPoint balloonPlace = balloon->pos();
    const QPoint assistantPlace = p.assistant->pos();
    QVERIFY(QTest::qWaitForWindowExposed(balloon));
    // The window manager has taken both on and done whatever it does.
    (void)QTest::qWaitFor([&] {
        return managed(balloon) && managed(p.assistant) && xGeometry(p.assistant).topLeft() == assistantPlace
            && xGeometry(balloon).topLeft() == balloonPlace;
    });
    screenshot(QStringLiteral("balloon-") + QString(dialog).replace(' ', '-'));

    const QRect onScreenAssistant = xGeometry(p.assistant);
    const QRect onScreenBalloon = xGeometry(balloon);
    QCOMPARE(onScreenAssistant.topLeft(), assistantPlace);
    QVERIFY2(onScreenAssistant.left() > 500 && onScreenAssistant.top() > 400, "moved to the corner");
    QCOMPARE(onScreenBalloon.topLeft(), balloonPlace);
    QCOMPARE(onScreenBalloon.size(), balloon->size());
    QVERIFY(onScreenBalloon.adjusted(-1, -1, 1, 1).intersects(onScreenAssistant));
    QVERIFY(QRect(0, 0, 1024, 768).contains(onScreenBalloon));
    balloon->close();
}

void WindowSystemOnScreenTest::whileADialogIsOpenCloseRequestsAreRefusedAndClicksGiveItTheKeys_data()
{
    QTest::addColumn<bool>("result");   // else the new-game dialog
    QTest::newRow("new-game dialog") << false;
    QTest::newRow("result dialog after a solved game") << true;
}

// While a dialog is open, the main window and the assistant refuse the
// window system's close requests (a solved game is not lost, the assistant
// stays), and a click on either hands the keyboard back to the dialog, whose
// Esc then works. Once the dialog is closed, the main window closes again.
void WindowSystemOnScreenTest::whileADialogIsOpenCloseRequestsAreRefusedAndClicksGiveItTheKeys()
{
    QFETCH(bool, result);
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("python3 sends the close requests");
    RunningProgram p;
    QVERIFY(p.ready());
    p.settle();
    QWidget *dialog = nullptr;
    if (result) {
        p.solveThreeDisks();
        dialog = p.windows->VysledekDialog.get();
    } else {
        p.main->newGame();
        dialog = p.windows->HraDialog.get();
    }
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTRY_COMPARE(QGuiApplication::focusWindow(), dialog->windowHandle());

    for (QWidget *locked : {static_cast<QWidget *>(p.main), static_cast<QWidget *>(p.assistant)}) {
        EventCounter closeRequests(locked, QEvent::Close);
        QVERIFY(sendCloseRequest(locked));
        (void)QTest::qWaitFor([&] { return closeRequests.count > 0; });
        QCoreApplication::processEvents();
        QVERIFY2(locked->isVisible(), qPrintable(locked->objectName()));
        QVERIFY(dialog->isVisible());
    }
    QCOMPARE(Settings::pomocnik(), QStringLiteral("1"));
    if (result)
        QVERIFY(p.main->plocha()->isVisible());   // the solved game is still there

    const std::pair<QWidget *, QPoint> clicks[] = {{p.assistant, kBelly}, {p.main, QPoint(280, 200)}};
    for (const auto &[window, place] : clicks) {
        EventCounter releases(window, QEvent::MouseButtonRelease);
        const QPoint at = window->mapToGlobal(place);
        QVERIFY(runXdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"}));
        (void)QTest::qWaitFor([&] { return releases.count > 0; });
        QTRY_COMPARE(QGuiApplication::focusWindow(), dialog->windowHandle());
    }
    QTRY_COMPARE(xFocus(), dialog->winId());
    QVERIFY(runXdotool({"key", "Escape"}));
    QTRY_VERIFY(!dialog->isVisible());

    QVERIFY(sendCloseRequest(p.main));
    QTRY_VERIFY(!p.main->isVisible());
}

TORAN_TEST_MAIN(WindowSystemOnScreenTest)
#include "tst_window_system_onscreen.moc"
