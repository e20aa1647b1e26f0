#include "WidgetShots.h"
#include "core/errors/AppError.h"
#include "core/drawing/Fonts.h"
#include "core/drawing/GradientMath.h"
#include "core/drawing/Pictures.h"
#include "widgets/TransBtn2.h"
#include "support/TestMain.h"

#include <QDirIterator>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace WidgetShots;
using Btn = TTransparentButton2;

namespace {

const QRgb kShadow = qRgb(128, 128, 128);
const QRgb kHighlight = qRgb(255, 255, 255);
const QRgb kFace = qRgb(192, 192, 192);
const QRgb kDark = qRgb(64, 64, 64);

// A 32 x 32 picture: a filled square from (2, 2) to (29, 29) on white.
QImage square(QRgb colour)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(2, 2, 28, 28, QColor(colour));
    return image;
}

// A count button of the new-game dialog: only the active and down pictures.
struct CountButton
{
    ImageList active{QSize(32, 32)};
    ImageList down{QSize(32, 32)};
    QWidget window;
    Btn *button = new Btn(&window);
    CountButton()
    {
        active.addMasked(square(qRgb(255, 0, 0)), qRgb(255, 255, 255));
        down.addMasked(square(qRgb(0, 0, 255)), qRgb(255, 255, 255));
        window.resize(100, 100);
        button->setObjectName("T1");
        button->move(10, 10);
        button->setActiveImage(&active);
        button->setActiveIndex(0);
        button->setDownImage(&down);
        button->setDownIndex(0);
    }
};

} // namespace

class TransparentButtonTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void newButtonHasTheDocumentedDefaults();
    void greyPictureIsTheWeightedLevelWithTheBottomLeftColourTransparent();
    void greyPictureLosesPixelsWhoseLevelEqualsTheBackground();
    void disabledPictureIsEmbossedInHighlightAndShadow();
    void pictureChoiceFollowsTheState_data();
    void pictureChoiceFollowsTheState();
    void picturePlacementStandsOppositeTheCaption_data();
    void picturePlacementStandsOppositeTheCaption();
    void framesOfTheOneWidthStylesSwapWhenPressed_data();
    void framesOfTheOneWidthStylesSwapWhenPressed();
    void clickFiresOnLeftReleaseInsideBeforeTheReleaseHandling();
    void draggingOutRemovesThePressedLookAndReleasingOutsideDoesNotClick();
    void downStaysPressedAfterTheRelease();
    void disabledButtonClearsItsStateAndIgnoresTheMouse();
    void aButtonWhoseWindowHidesUnderThePointerComesBackUnlit();
    void negativeActiveIndexGivesAnEmptyButtonThatStillFramesAndClicks();
    void changedOrDestroyedImageListRebuildsThePictures();
    void failingClickHandlerLeavesNoStuckState();
    void popUpMenuDropsAtTheLowerLeftAndEndsThePress();
    void altAndTheCaptionsAcceleratorClicks();
    void everyPictureHasAFinerTwinOfTwiceItsSize();
    void aFinerPictureIsShownPixelForPixelAtRatioTwo();
};

void TransparentButtonTest::initTestCase()
{
    Fonts::installSubstitutes();
}

void TransparentButtonTest::newButtonHasTheDocumentedDefaults()
{
    Btn b;
    QCOMPARE(b.size(), QSize(40, 40));
    QVERIFY(b.autoGray() && b.isTransparent() && b.showPressed() && !b.isDown() && !b.wordWrap());
    QCOMPARE(b.frameStyle(), Btn::fsExplorer);
    QCOMPARE(b.borderWidth(), 1);
    QCOMPARE(b.textAlign(), Btn::ttaCenter);
    QCOMPARE(b.spacing(), 2);
    QCOMPARE(b.color(), QColor(Qt::white));
    QCOMPARE(b.activeIndex(), -1);
    QVERIFY(b.picture(Btn::ActivePicture).isNull());
}

void TransparentButtonTest::greyPictureIsTheWeightedLevelWithTheBottomLeftColourTransparent()
{
    QImage image(4, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(10, 21, 30),
                            qRgb(0, 0, 0), qRgb(200, 100, 50), qRgb(255, 255, 255), qRgb(3, 3, 3)};
    for (int i = 0; i < 8; ++i)
        image.setPixel(i % 4, i / 4, colours[i]);
    const QImage grey = Btn::greyPicture(image);
    QVERIFY(clearAt(grey, 0, 1));                    // bottom-left: the transparent colour
    for (int i = 0; i < 8; ++i) {
        if (i == 4)
            continue;
        const int level = GradientMath::greyLevel(colours[i]);
        QCOMPARE(rgbAt(grey, i % 4, i / 4), qRgb(level, level, level));
    }
    QCOMPARE(qRed(grey.pixel(3, 0)), 18);            // (300 + 1239 + 330) / 100
}

// Background (100, 100, 100) has level 100; so does (0, 168, 8): that pixel
// vanishes in the grey version, while it stays in colour.
void TransparentButtonTest::greyPictureLosesPixelsWhoseLevelEqualsTheBackground()
{
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(qRgb(100, 100, 100));
    image.setPixel(1, 1, qRgb(0, 168, 8));
    image.setPixel(2, 1, qRgb(255, 0, 0));
    QCOMPARE(GradientMath::greyLevel(qRgb(0, 168, 8)), 100);
    const QImage grey = Btn::greyPicture(image);
    QVERIFY(clearAt(grey, 1, 1));
    QVERIFY(clearAt(grey, 0, 0));
    QCOMPARE(rgbAt(grey, 2, 1), qRgb(76, 76, 76));
}

// Ink (neither white nor the top-left colour) becomes shadow at its place,
// with a highlight one pixel right and down; the button face around it is
// the transparent colour.
void TransparentButtonTest::disabledPictureIsEmbossedInHighlightAndShadow()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));                  // top-left colour: background
    image.setPixel(6, 6, qRgb(255, 255, 255));      // white: background too
    QPainter(&image).fillRect(2, 2, 3, 2, QColor(0, 128, 0));   // ink: x 2..4, y 2..3
    const QImage disabled = Btn::embossedPicture(image);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool ink = x >= 2 && x <= 4 && y >= 2 && y <= 3;
            const bool lit = !ink && x >= 3 && x <= 5 && y >= 3 && y <= 4;
            if (ink)
                QCOMPARE(rgbAt(disabled, x, y), kShadow);
            else if (lit)
                QCOMPARE(rgbAt(disabled, x, y), kHighlight);
            else
                QVERIFY2(clearAt(disabled, x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
}

void TransparentButtonTest::pictureChoiceFollowsTheState_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<QRgb>("topLeftFrame");
    QTest::addColumn<QRgb>("bottomRightFrame");
    const QRgb none = 0;
    QTest::newRow("at rest: grey, no frame") << "rest" << int(Btn::GrayPicture) << QPoint(4, 4)
                                             << qRgb(76, 76, 76) << none << none;
    QTest::newRow("hovered: colour in a raised frame") << "hover" << int(Btn::ActivePicture) << QPoint(4, 4)
                                                       << qRgb(255, 0, 0) << kHighlight << kShadow;
    QTest::newRow("pressed: down picture at (5, 5) in a lowered frame") << "pressed" << int(Btn::DownPicture)
                                                                        << QPoint(5, 5) << qRgb(0, 0, 255)
                                                                        << kShadow << kHighlight;
    QTest::newRow("disabled: embossed") << "disabled" << int(Btn::DisabledPicture) << QPoint(4, 4)
                                        << kShadow << none << none;
}

void TransparentButtonTest::pictureChoiceFollowsTheState()
{
    QFETCH(QString, state);
    QFETCH(int, picture);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    QFETCH(QRgb, topLeftFrame);
    QFETCH(QRgb, bottomRightFrame);
    CountButton t;
    Btn *b = t.button;
    if (state != "rest" && state != "disabled")
        enter(b);
    if (state == "pressed")
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    if (state == "disabled")
        b->setEnabled(false);
    QCOMPARE(int(b->currentPicture()), picture);
    QCOMPARE(b->picturePosition(), at);

    const QImage image = shot(b);
    // The square of the picture covers (at + 2) .. (at + 29).
    QCOMPARE(rgbAt(image, at.x() + 2, at.y() + 2), colour);
    QCOMPARE(rgbAt(image, at.x() + 29, at.y() + 29), colour);
    QVERIFY(clearAt(image, at.x() + 1, at.y() + 1));
    if (state == "disabled")   // the emboss's highlight, one pixel right and down
        QCOMPARE(rgbAt(image, at.x() + 30, at.y() + 30), kHighlight);
    else
        QVERIFY(clearAt(image, at.x() + 30, at.y() + 30));
    if (topLeftFrame) {
        QCOMPARE(rgbAt(image, 0, 0), topLeftFrame);
        QCOMPARE(rgbAt(image, 20, 0), topLeftFrame);
        QCOMPARE(rgbAt(image, 39, 39), bottomRightFrame);
        QCOMPARE(rgbAt(image, 39, 20), bottomRightFrame);
        QVERIFY(clearAt(image, 1, 20));              // one pixel wide
    } else {
        QVERIFY(clearAt(image, 0, 0));
        QVERIFY(clearAt(image, 39, 39));
    }
}

void TransparentButtonTest::picturePlacementStandsOppositeTheCaption_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QPoint>("at");
    // 32 x 32 in 40 x 40, spacing 2.
    QTest::newRow("centre") << int(Btn::ttaCenter) << QPoint(4, 4);
    QTest::newRow("caption left: picture right") << int(Btn::ttaLeft) << QPoint(6, 4);
    QTest::newRow("caption right: picture left") << int(Btn::ttaRight) << QPoint(2, 4);
    QTest::newRow("caption on top: picture low") << int(Btn::ttaTop) << QPoint(4, 6);
    QTest::newRow("caption top left") << int(Btn::ttaTopLeft) << QPoint(4, 6);
    QTest::newRow("caption below: picture high") << int(Btn::ttaBottom) << QPoint(4, 2);
    QTest::newRow("caption bottom right") << int(Btn::ttaBottomRight) << QPoint(4, 2);
}

void TransparentButtonTest::picturePlacementStandsOppositeTheCaption()
{
    QFETCH(int, align);
    QFETCH(QPoint, at);
    CountButton t;
    t.button->setTextAlign(Btn::TTextAlign(align));
    QCOMPARE(t.button->picturePosition(), at);
    QCOMPARE(rgbAt(shot(t.button), at.x() + 2, at.y() + 2), qRgb(76, 76, 76));
}

void TransparentButtonTest::framesOfTheOneWidthStylesSwapWhenPressed_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QRgb>("first");
    QTest::addColumn<QRgb>("second");
    QTest::newRow("light") << int(Btn::fsLight) << kHighlight << kShadow;
    QTest::newRow("dark") << int(Btn::fsDark) << kFace << kDark;
    QTest::newRow("mono") << int(Btn::fsMono) << kHighlight << kDark;
}

// At rest and hovered: first colour top and left, second bottom and right;
// pressed: the other way round. fsNone never frames.
void TransparentButtonTest::framesOfTheOneWidthStylesSwapWhenPressed()
{
    QFETCH(int, style);
    QFETCH(QRgb, first);
    QFETCH(QRgb, second);
    CountButton t;
    Btn *b = t.button;
    b->setFrameStyle(Btn::TFrameStyle(style));
    QImage image = shot(b);
    QCOMPARE(rgbAt(image, 0, 20), first);
    QCOMPARE(rgbAt(image, 39, 20), second);
    QCOMPARE(rgbAt(image, 6, 6), qRgb(255, 0, 0));   // not explorer style: colour at rest
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    image = shot(b);
    QCOMPARE(rgbAt(image, 0, 20), second);
    QCOMPARE(rgbAt(image, 39, 20), first);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));

    b->setFrameStyle(Btn::fsNone);
    image = shot(b);
    QVERIFY(clearAt(image, 0, 20) && clearAt(image, 39, 20));
}

void TransparentButtonTest::clickFiresOnLeftReleaseInsideBeforeTheReleaseHandling()
{
    CountButton t;
    Btn *b = t.button;
    QStringList log;
    connect(b, &Btn::mouseEntered, [&] { log << "enter"; });
    connect(b, &Btn::mouseLeft, [&] { log << "leave"; });
    connect(b, &Btn::mousePressed, [&](Qt::MouseButton, const QPoint &) { log << "down"; });
    connect(b, &Btn::clicked, [&] { log << QString("click pressed=%1").arg(b->isPressed()); });
    connect(b, &Btn::mouseReleased, [&](Qt::MouseButton, const QPoint &) { log << "up"; });
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(b->isTracking() && b->isPressed());
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!b->isTracking() && !b->isPressed());
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(20, 20));   // no click
    leave(b);
    QCOMPARE(log, (QStringList{"enter", "down", "click pressed=1", "up", "down", "up", "leave"}));
}

void TransparentButtonTest::draggingOutRemovesThePressedLookAndReleasingOutsideDoesNotClick()
{
    CountButton t;
    Btn *b = t.button;
    QSignalSpy clicked(b, &Btn::clicked), released(b, &Btn::mouseReleased);
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(b, QPoint(60, 20));
    QVERIFY(!b->isPressed());
    QVERIFY(!b->isHovered());
    QVERIFY(clearAt(shot(b), 0, 0));                // no frame while out
    QTest::mouseMove(b, QPoint(20, 20));
    QVERIFY(b->isPressed());
    QCOMPARE(b->picturePosition(), QPoint(5, 5));
    QCOMPARE(rgbAt(shot(b), 0, 0), kShadow);
    QTest::mouseMove(b, QPoint(60, 20));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 20));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(released.count(), 1);
    QVERIFY(!b->isTracking());
}

void TransparentButtonTest::downStaysPressedAfterTheRelease()
{
    CountButton t;
    Btn *b = t.button;
    b->setDown(true);
    QVERIFY(b->isPressed());
    QCOMPARE(b->currentPicture(), Btn::DownPicture);
    QCOMPARE(rgbAt(shot(b), 0, 0), kShadow);         // lowered even without the mouse
    QSignalSpy clicked(b, &Btn::clicked), released(b, &Btn::mouseReleased);
    enter(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(released.count(), 0);
    QVERIFY(b->isPressed());
    b->setDown(false);
    QVERIFY(!b->isPressed());
    QCOMPARE(b->currentPicture(), Btn::ActivePicture);
}

void TransparentButtonTest::disabledButtonClearsItsStateAndIgnoresTheMouse()
{
    CountButton t;
    Btn *b = t.button;
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    b->setEnabled(false);
    QVERIFY(!b->isTracking() && !b->isPressed() && !b->isHovered());
    QSignalSpy entered(b, &Btn::mouseEntered), clicked(b, &Btn::clicked);
    leave(b);
    enter(b);
    QCOMPARE(entered.count(), 0);
    b->setEnabled(true);
    QCOMPARE(b->currentPicture(), Btn::GrayPicture);
    QCOMPARE(clicked.count(), 0);
}

// The new-game dialog closes under the clicked count button, so no leave
// event comes: shown again, the button rests grey until the pointer is on it.
void TransparentButtonTest::aButtonWhoseWindowHidesUnderThePointerComesBackUnlit()
{
    CountButton t;
    Btn *b = t.button;
    t.window.show();
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(b->isHovered() && b->isPressed());
    t.window.hide();
    t.window.show();
    QVERIFY(!b->isTracking() && !b->isPressed() && !b->isHovered());
    QCOMPARE(b->currentPicture(), Btn::GrayPicture);
    enter(b);
    QCOMPARE(b->currentPicture(), Btn::ActivePicture);
}

void TransparentButtonTest::negativeActiveIndexGivesAnEmptyButtonThatStillFramesAndClicks()
{
    CountButton t;
    Btn *b = t.button;
    b->setActiveIndex(-1);
    QVERIFY(b->picture(Btn::ActivePicture).isNull());
    enter(b);
    QSignalSpy clicked(b, &Btn::clicked);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 1);
    const QImage image = shot(b);
    QCOMPARE(rgbAt(image, 0, 0), kHighlight);
    QVERIFY(clearAt(image, 20, 20));
}

void TransparentButtonTest::changedOrDestroyedImageListRebuildsThePictures()
{
    CountButton t;
    Btn *b = t.button;
    t.active.replace(0, square(qRgb(0, 255, 0)));
    QCOMPARE(rgbAt(b->picture(Btn::GrayPicture), 10, 10), qRgb(150, 150, 150));
    {
        auto *gone = new ImageList(QSize(32, 32));
        gone->add(square(qRgb(0, 0, 0)));
        b->setGrayImage(gone);
        b->setGrayIndex(0);
        QCOMPARE(rgbAt(b->picture(Btn::GrayPicture), 10, 10), qRgb(0, 0, 0));
        delete gone;
    }
    QCOMPARE(rgbAt(b->picture(Btn::GrayPicture), 10, 10), qRgb(150, 150, 150));   // generated again
    t.active.clear();
    QVERIFY(b->picture(Btn::ActivePicture).isNull());
}

void TransparentButtonTest::failingClickHandlerLeavesNoStuckState()
{
    CountButton t;
    Btn *b = t.button;
    connect(b, &Btn::clicked, [] { throw AppError("Chyba"); });
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY_THROWS_EXCEPTION(AppError, b->click());
    QVERIFY(!b->isTracking() && !b->isPressed() && !b->isHovered());
}

void TransparentButtonTest::popUpMenuDropsAtTheLowerLeftAndEndsThePress()
{
    CountButton t;
    Btn *b = t.button;
    QMenu menu;
    menu.addAction("Jedna");
    b->setPopUpMenu(&menu);
    t.window.move(100, 100);
    t.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.window));
    QPoint shownAt;
    QTimer::singleShot(0, &menu, [&] {
        shownAt = menu.pos();
        menu.close();
    });
    QSignalSpy clicked(b, &Btn::clicked), released(b, &Btn::mouseReleased);
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(shownAt, b->mapToGlobal(QPoint(0, b->height())));
    QCOMPARE(released.count(), 1);                   // acted as if released
    QVERIFY(!b->isTracking() && !b->isPressed());
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.count(), 0);
}

void TransparentButtonTest::altAndTheCaptionsAcceleratorClicks()
{
    CountButton t;
    Btn *b = t.button;
    b->setCaption("&Hra");
    t.window.show();
    QApplication::setActiveWindow(&t.window);
    QVERIFY(QTest::qWaitForWindowActive(&t.window));
    QSignalSpy clicked(b, &Btn::clicked);
    QTest::keyClick(&t.window, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(clicked.count(), 1);
    b->setEnabled(false);
    QTest::keyClick(&t.window, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(clicked.count(), 1);
    b->setEnabled(true);
    b->setCaption("Bez zkratky");
    QTest::keyClick(&t.window, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(clicked.count(), 1);
}

// Screens with more device pixels get every picture drawn finer, not blown
// up: each one has a twin of twice its width and height, taken above ratio 1.
void TransparentButtonTest::everyPictureHasAFinerTwinOfTwiceItsSize()
{
    int pictures = 0;
    QDirIterator it(QStringLiteral(":/art"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (file.contains(QLatin1String("@2x")))
            continue;
        const QString fine = Pictures::fileFor(file, 2.0);
        QVERIFY2(fine != file, qPrintable(file));
        QCOMPARE(Pictures::fileFor(file, 1.5), fine);
        QCOMPARE(Pictures::fileFor(file, 1.0), file);
        QCOMPARE(QImage(fine).size(), QImage(file).size() * 2);
        ++pictures;
    }
    QVERIFY(pictures > 20);
    QCOMPARE(Pictures::fileFor(QStringLiteral(":/art/assistant.mask2"), 2.0), QStringLiteral(":/art/assistant.mask2"));
}

// A count button's picture list keeps a picture of ratio 2 as it is, and
// the button, drawn at ratio 2, shows each of its pixels, also the grey and
// embossed ones it derives.
void TransparentButtonTest::aFinerPictureIsShownPixelForPixelAtRatioTwo()
{
    QImage fine(64, 64, QImage::Format_RGB32);
    fine.fill(Qt::white);
    for (int y = 4; y < 60; ++y)
        for (int x = 4; x < 60; ++x)
            fine.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    fine.setDevicePixelRatio(2);
    ImageList list(QSize(32, 32));
    list.add(fine);
    QCOMPARE(list.image(0).size(), QSize(64, 64));
    QCOMPARE(list.image(0).devicePixelRatio(), 2.0);

    QWidget window;
    window.resize(60, 60);
    auto *button = new Btn(&window);
    button->move(5, 5);
    button->setActiveImage(&list);
    button->setActiveIndex(0);
    for (const bool enabled : {true, false}) {
        button->setEnabled(enabled);
        const QImage shown = button->picture(button->currentPicture());
        QCOMPARE(shown.size(), QSize(64, 64));
        if (enabled)   // the grey picture keeps the fine pattern
            QVERIFY(shown.pixel(10, 10) != shown.pixel(11, 10));
        QImage shot(window.size() * 2, QImage::Format_ARGB32);
        shot.setDevicePixelRatio(2);
        shot.fill(Qt::green);
        window.render(&shot);
        const QPoint at = (button->pos() + button->picturePosition()) * 2;
        int checked = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (qAlpha(shown.pixel(x, y)) == 255) {
                    QCOMPARE(QColor(shot.pixel(at + QPoint(x, y))), QColor(shown.pixel(x, y)));
                    ++checked;
                }
        QVERIFY(checked > 1000);
    }
}

TORAN_TEST_MAIN(TransparentButtonTest)
#include "tst_transbtn2.moc"
