// On a real X server: the opening animation's steps reach the screen one by
// one, not only its end, and it takes the time its pacing sets.
#include "core/drawing/Fonts.h"
#include "shell/Hlavni.h"
#include "shell/IdlePicture.h"
#include "services/Pacing.h"
#include "support/TestSupport.h"
#include "widgets/Panel.h"
#include "widgets/Shape.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <atomic>

namespace {
// Grabs the whole screen from another process, as a person's eye would.
QImage screenshot()
{
    return QImage::fromData(outputOf("import", {"-window", "root", "png:-"}), "PNG");
}

class Grabber : public QThread
{
public:
    std::atomic<bool> stop{false};
    std::atomic<int> taken{0};
    QList<QImage> frames;

protected:
    void run() override
    {
        while (!stop) {
            const QImage frame = screenshot();
            if (!frame.isNull())
                frames << frame;
            ++taken;
        }
    }
};

// Pixels whose colours differ; all of them where the sizes differ.
int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += (a.pixel(x, y) & RGB_MASK) != (b.pixel(x, y) & RGB_MASK);
    return count;
}

// Waits, without running the loop, until the X server shows the window.
bool waitUntilViewable(const QWidget *w)
{
    for (int i = 0; i < 100; ++i) {
        if (outputOf("xwininfo", {"-id", QString::number(w->winId())}).contains("IsViewable"))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool clickAt(const QWidget *w, const QRect &r)
{
    const QPoint at = w->mapToGlobal(r.center());
    return QProcess::execute(QStringLiteral("xdotool"), {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                                         "click", "1"}) == 0;
}

// Whether some idle disk shows between its start and its resting place: the
// topmost non-background pixel over a pole is not a resting disk's top edge.
bool diskShownInMidFall(const QImage &frame, const QPoint &client)
{
    const int poleCentres[3] = {100, 284, 468};
    const int firstRest[3] = {87, 123, 87};
    const int count[3] = {10, 8, 10};
    for (int post = 0; post < 3; ++post) {
        const int x = client.x() + poleCentres[post];
        for (int y = 30; y < 266; ++y) {
            const QColor c(frame.pixel(x, client.y() + y));
            if (c == QColor(128, 128, 128) || c == QColor(128, 0, 0))
                continue;
            const int level = (y - firstRest[post]) / 18;
            const bool resting = (y - firstRest[post]) % 18 == 0 && level >= 0 && level < count[post];
            if (!resting)
                return true;
            break;
        }
    }
    return false;
}
} // namespace

class AnimationOnScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void theWindowAppearsWithItsPicture_data();
    void theWindowAppearsWithItsPicture();
    void openingAnimationStepsReachTheScreen();
    void closingFromTheMenuLeavesNoPictureOfTheMenu();
};

void AnimationOnScreenTest::theWindowAppearsWithItsPicture_data()
{
    QTest::addColumn<QByteArray>("animace");
    QTest::newRow("animation on") << QByteArray("1");
    QTest::newRow("animation off") << QByteArray("0");
}

// Before the loop has painted anything, the window on screen already shows
// its picture, not an empty (black) frame.
void AnimationOnScreenTest::theWindowAppearsWithItsPicture()
{
    QFETCH(QByteArray, animace);
    Fonts::installSubstitutes();
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=" + animace + "\r\n");
    THlavniDialog w;
    w.show();
    QVERIFY(waitUntilViewable(&w));
    const QImage onScreen = screenshot().copy(w.geometry());
    QCOMPARE(differingPixels(onScreen, w.grab().toImage()), 0);
}

void AnimationOnScreenTest::openingAnimationStepsReachTheScreen()
{
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        QSKIP("ImageMagick's import is not installed");
    Fonts::installSubstitutes();
    Pacing::setEnabled(true);
    ScratchAppDir dir;
    THlavniDialog w;
    QElapsedTimer clock;
    qint64 first = -1, last = -1;
    Pacing::setStepObserver([&](QWidget *, const QRect &) {
        if (first < 0)
            first = clock.elapsed();
        last = clock.elapsed();
    });

    // The frames are taken from the moment the window appears: it runs the
    // animation as soon as it becomes active.
    Grabber grabber;
    grabber.start();
    QTRY_VERIFY(grabber.taken > 0);
    clock.start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY_WITH_TIMEOUT(last >= 0 && w.idlePicture()->titlePanel()->y() == 50, 8000);
    const QPoint origin = w.client()->mapToGlobal(QPoint(0, 0));
    grabber.stop = true;
    grabber.wait();
    Pacing::setStepObserver({});
    const qint64 took = last - first;

    QVERIFY2(took >= 1500 && took <= 4000, qPrintable(QStringLiteral("took %1 ms").arg(took)));
    // Frames taken while the loop ran must show disks on their way down, not
    // just the finished picture.
    int midFall = 0;
    for (const QImage &frame : std::as_const(grabber.frames))
        midFall += diskShownInMidFall(frame, origin);
    QVERIFY2(midFall >= 2, qPrintable(QStringLiteral("%1 frames, %2 with a disk in mid-fall")
                                          .arg(grabber.frames.size()).arg(midFall)));
    QCOMPARE(w.idlePicture()->disks(1).back()->y(), 249);
}

// Soubor > Konec: while the closing animation runs, the toolbar that the
// dropped-down menu covered shows on screen as the window paints it.
void AnimationOnScreenTest::closingFromTheMenuLeavesNoPictureOfTheMenu()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed");
    Fonts::installSubstitutes();
    Pacing::setEnabled(false);
    ScratchAppDir dir;
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=1\r\n");
    THlavniDialog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(w.idlePicture()->titlePanel()->y(), 50);
    auto *soubor = w.findChild<QMenu *>(QStringLiteral("Soubor1"));
    // A click made as the window first takes input may go astray: a few tries.
    for (int i = 0; i < 3; ++i) {
        QVERIFY(clickAt(w.menuBar(), w.menuBar()->actionGeometry(soubor->menuAction())));
        if (QTest::qWaitFor([soubor] { return soubor->isVisible(); }, 2000))
            break;
    }
    QVERIFY(QTest::qWaitForWindowExposed(soubor));

    QWidget *dock = w.findChild<QWidget *>(QStringLiteral("Dock971"));
    QImage onScreen, painted;
    int steps = 0;
    Pacing::setStepObserver([&](QWidget *, const QRect &) {
        if (++steps != 300)   // the disks are rising
            return;
        onScreen = screenshot().copy(QRect(dock->mapToGlobal(QPoint()), dock->size()));
        painted = dock->grab().toImage();
    });
    QVERIFY(clickAt(soubor, soubor->actionGeometry(w.findChild<QAction *>(QStringLiteral("MS8")))));
    QTRY_VERIFY(!w.isVisible());
    Pacing::setStepObserver({});
    QVERIFY(!onScreen.isNull());
    QCOMPARE(differingPixels(onScreen, painted), 0);
}

TORAN_TEST_MAIN(AnimationOnScreenTest)
#include "tst_animation_onscreen.moc"
