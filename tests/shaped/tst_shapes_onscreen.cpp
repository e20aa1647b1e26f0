// Needs a real X server: the offscreen platform does not cut windows.
#include "dialogs/Pomocnik.h"
#include "services/InputLock.h"
#include "support/TestSupport.h"
#include "widgets/CoolForm.h"
#include "widgets/formshape.h"
#include "support/TestMain.h"

#include <QProcess>
#include <QtTest>

namespace {

// Counts the mouse presses that reach a window and any of its controls.
class PressCounter : public QObject
{
public:
    explicit PressCounter(QWidget *window)
    {
        window->installEventFilter(this);
        for (QWidget *w : window->findChildren<QWidget *>())
            w->installEventFilter(this);
    }
    int presses = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

// Drives the real pointer through the X server, whose input events keep
// their order.
bool xdotool(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

bool clickAt(QPoint global, int button = 1)
{
    return xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())})
        && xdotool({"click", QString::number(button)});
}

// Presses at from, moves in small steps by "by" and releases.
bool dragFrom(QPoint from, QPoint by, int button)
{
    if (!xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())})
        || !xdotool({"mousedown", QString::number(button)}))
        return false;
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = from + by * i / steps;
        // A hand's pace: the window manager takes the drag over from the
        // press, and moves that come before it would be lost.
        QTest::qWait(20);
        if (!xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())}))
            return false;
        QTest::qWait(20);
    }
    return xdotool({"mouseup", QString::number(button)});
}

QWidget *backdrop()
{
    auto *below = new QWidget;
    below->setWindowFlag(Qt::FramelessWindowHint);
    below->setGeometry(0, 0, 1024, 768);
    below->show();
    return below;
}

} // namespace

class ShapesOnscreenTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void aClickOutsideABalloonsRegionReachesTheWindowBelow_data();
    void aClickOutsideABalloonsRegionReachesTheWindowBelow();
    void aClickBesideTheAssistantsFigureReachesTheWindowBelow_data();
    void aClickBesideTheAssistantsFigureReachesTheWindowBelow();
    void draggingTheAssistantByItsBodyMovesIt_data();
    void draggingTheAssistantByItsBodyMovesIt();
    void aDisabledAssistantCannotBeDragged();
};

void ShapesOnscreenTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs a real X server");
    QVERIFY2(xdotool({"getmouselocation"}), "needs xdotool");
}

void ShapesOnscreenTest::aClickOutsideABalloonsRegionReachesTheWindowBelow_data()
{
    QTest::addColumn<QPoint>("at");   // in the balloon window
    QTest::addColumn<bool>("balloon");
    QTest::newRow("body") << QPoint(150, 50) << true;
    QTest::newRow("tail") << QPoint(310, 22) << true;
    QTest::newRow("rounded corner") << QPoint(1, 1) << false;
    QTest::newRow("beside the tail, above it") << QPoint(315, 10) << false;
    QTest::newRow("beside the tail, below it") << QPoint(315, 60) << false;
}

void ShapesOnscreenTest::aClickOutsideABalloonsRegionReachesTheWindowBelow()
{
    QFETCH(QPoint, at);
    QFETCH(bool, balloon);
    std::unique_ptr<QWidget> below(backdrop());
    PressCounter belowPresses(below.get());
    QWidget form;
    form.setGeometry(200, 200, 320, 97);
    auto *shaper = new tformshape(&form);
    shaper->setReshape(true);
    shaper->setBalloonPosition(bpRightTop);
    shaper->apply();
    PressCounter formPresses(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.raise();
    QGuiApplication::sync();   // the X server has the window raised before the click

    QVERIFY(clickAt(form.mapToGlobal(at)));
    QTRY_COMPARE(formPresses.presses + belowPresses.presses, 1);
    QCOMPARE(formPresses.presses, balloon ? 1 : 0);
}

void ShapesOnscreenTest::aClickBesideTheAssistantsFigureReachesTheWindowBelow_data()
{
    QTest::addColumn<QPoint>("at");   // in the assistant's client area
    QTest::addColumn<bool>("assistant");
    QTest::newRow("belly") << QPoint(78, 62) << true;
    QTest::newRow("hat") << QPoint(76, 10) << true;
    QTest::newRow("a disk of the tower") << QPoint(31, 91) << true;
    QTest::newRow("white above the tower") << QPoint(10, 10) << false;
    QTest::newRow("white between hat and arm") << QPoint(40, 30) << false;
}

void ShapesOnscreenTest::aClickBesideTheAssistantsFigureReachesTheWindowBelow()
{
    QFETCH(QPoint, at);
    QFETCH(bool, assistant);
    ScratchAppDir dir;
    std::unique_ptr<QWidget> below(backdrop());
    PressCounter belowPresses(below.get());
    TPomocnikDialog pomocnik;
    pomocnik.move(300, 300);
    PressCounter pomocnikPresses(&pomocnik);
    pomocnik.showAssistant();
    QVERIFY(QTest::qWaitForWindowExposed(&pomocnik));
    QGuiApplication::sync();   // the X server has the window's shape before the pointer comes
    // A click on the figure starts a drag that ends at once.
    QVERIFY(clickAt(pomocnik.mapToGlobal(at)));
    QTRY_COMPARE(pomocnikPresses.presses + belowPresses.presses, 1);
    QCOMPARE(pomocnikPresses.presses, assistant ? 1 : 0);
}

void ShapesOnscreenTest::draggingTheAssistantByItsBodyMovesIt_data()
{
    QTest::addColumn<QPoint>("grip");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("belly, left button") << QPoint(78, 62) << 1 << true;
    QTest::newRow("hat, left button") << QPoint(76, 10) << 1 << true;
    QTest::newRow("tower, left button") << QPoint(31, 91) << 1 << true;
    QTest::newRow("belly, right button") << QPoint(78, 62) << 3 << false;
}

void ShapesOnscreenTest::draggingTheAssistantByItsBodyMovesIt()
{
    QFETCH(QPoint, grip);
    QFETCH(int, button);
    QFETCH(bool, moves);
    ScratchAppDir dir;
    TPomocnikDialog pomocnik;
    pomocnik.move(300, 300);
    pomocnik.showAssistant();
    QVERIFY(QTest::qWaitForWindowExposed(&pomocnik));
    QGuiApplication::sync();   // the X server has the window's shape before the pointer comes
    const QPoint start = pomocnik.pos();
    const QPoint by(60, -40);
    QVERIFY(dragFrom(pomocnik.mapToGlobal(grip), by, button));
    if (moves) {
        QTRY_COMPARE(pomocnik.pos(), start + by);
        // The X server has the window there too: a click at the grip's new
        // place hits the figure.
        PressCounter presses(&pomocnik);
        QVERIFY(clickAt(start + by + grip));
        QTRY_COMPARE(presses.presses, 1);
    } else {
        QTest::qWait(300);   // the rows that move see the move well within this
        QCOMPARE(pomocnik.pos(), start);
    }
}

void ShapesOnscreenTest::aDisabledAssistantCannotBeDragged()
{
    ScratchAppDir dir;
    TPomocnikDialog pomocnik;
    pomocnik.move(300, 300);
    pomocnik.showAssistant();
    QVERIFY(QTest::qWaitForWindowExposed(&pomocnik));
    QGuiApplication::sync();   // the X server has the window's shape before the pointer comes
    InputLock::setInputEnabled(&pomocnik, false);
    QVERIFY(dragFrom(pomocnik.mapToGlobal(QPoint(78, 62)), QPoint(60, -40), 1));
    QTest::qWait(300);   // an enabled assistant's drag is seen well within this
    QCOMPARE(pomocnik.pos(), QPoint(300, 300));
}

TORAN_TEST_MAIN(ShapesOnscreenTest)
#include "tst_shapes_onscreen.moc"
