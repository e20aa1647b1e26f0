#include "WidgetShots.h"
#include "core/drawing/Fonts.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"
#include "widgets/TransBtn2.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QtTest>

using namespace WidgetShots;

namespace {

const QRgb kPanel = qRgb(0, 128, 0);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kTeal = qRgb(0, 128, 128);
const QRgb kCyan = qRgb(0, 255, 255);
const QPoint kAt(10, 10);   // where the control stands on its panel

// A dialog's "Ok" button on a green panel.
struct OkButton
{
    Panel panel{nullptr, Panel::NoBevel, QColor(kPanel)};
    TOfficeButton *button = new TOfficeButton(&panel);
    OkButton()
    {
        panel.resize(100, 50);
        button->setObjectName("OfficeButton1");
        button->setGeometry(QRect(kAt, QSize(64, 20)));
        button->setRoundSize(20);
        button->setCaption("Ok");
    }
    // The button's own area of the painted panel.
    QImage image() { return shotWithBackground(&panel).copy(QRect(kAt, button->size())); }
};

struct LinkLabel
{
    Panel panel{nullptr, Panel::NoBevel, QColor(kPanel)};
    TOfficeLabel *label = new TOfficeLabel(&panel);
    LinkLabel()
    {
        panel.resize(260, 60);
        label->setObjectName("OfficeLabel1");
        label->setGeometry(QRect(kAt, QSize(200, 17)));
        label->setCaption("Pravidla hry");
    }
    QImage image() { return shotWithBackground(&panel).copy(label->geometry()); }
};

void moveHeld(QWidget *w, const QPoint &pos) { QTest::mouseMove(w, pos); }

int countColour(const QImage &image, const QRect &area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(image, x, y) == colour;
    return n;
}

} // namespace

class OfficeControlsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void newControlsHaveTheDocumentedDefaults();
    void restingButtonHasAOnePixelSilverOutlineFromOriginTo64x20();
    void hotButtonHasATwoPixelGreyRimFrom1x1To64x20AndAHighlight();
    void indicatorFollowsHotAndPressedAndMovesWithThePress_data();
    void indicatorFollowsHotAndPressedAndMovesWithThePress();
    void buttonEnterLeavePressAndReleaseInsideClick();
    void buttonDraggedOutAndBackInRestoresThePressedLookAndReleasedOutsideDoesNotClick();
    void disabledButtonIgnoresTheMouseAndShowsAGreyCaption();
    void changingEnabledClearsHotAndPressed();
    void labelLightFollowsTypeAndState_data();
    void labelLightFollowsTypeAndState();
    void pressedLabelShowsADottedFrameUntilReleasedAndLeft();
    void labelClickFiresOnReleaseInsideOnly();
    void disabledLabelIgnoresTheMouseAndShowsAGreyCaption();
    void longLabelCaptionWrapsAndIsCutAtTheBottom();
    void opaqueControlsFillWithTheirOwnColour();
    void keyboardFocusLightsAControlAsThePointerAndSpaceOrEnterClickIt_data();
    void keyboardFocusLightsAControlAsThePointerAndSpaceOrEnterClickIt();
    void aControlWhoseWindowHidesUnderThePointerComesBackUnlit_data();
    void aControlWhoseWindowHidesUnderThePointerComesBackUnlit();
};

void OfficeControlsTest::initTestCase()
{
    Fonts::installSubstitutes();
}

void OfficeControlsTest::newControlsHaveTheDocumentedDefaults()
{
    TOfficeButton button;
    QCOMPARE(button.size(), QSize(100, 25));
    QCOMPARE(button.roundSize(), 20);
    QCOMPARE(button.caption(), QStringLiteral("OfficeButton"));
    QCOMPARE(button.borderColor(), QColor(kGrey));
    QCOMPARE(button.buttonColor(), QColor(kSilver));
    QCOMPARE(button.borderWidth(), 1);
    QVERIFY(button.isTransparent() && button.isControlEnabled());
    QCOMPARE(button.property("RoundSize").toInt(), 20);

    TOfficeLabel label;
    QCOMPARE(label.size(), QSize(100, 17));
    QCOMPARE(label.caption(), QStringLiteral("OfficeLabel"));
    QCOMPARE(label.ledType(), TOfficeLabel::RoundLED);
    QCOMPARE(label.labelColor(), QColor(kSilver));
    QVERIFY(label.isTransparent() && label.isControlEnabled());
}

void OfficeControlsTest::restingButtonHasAOnePixelSilverOutlineFromOriginTo64x20()
{
    OkButton ok;
    const QImage image = ok.image();
    for (int x = 10; x <= 53; ++x) {
        QCOMPARE(rgbAt(image, x, 0), kSilver);
        QCOMPARE(rgbAt(image, x, 19), kSilver);
        QCOMPARE(rgbAt(image, x, 1), kPanel);     // transparent: filled in the panel's colour
    }
    for (int y = 8; y <= 11; ++y) {
        QCOMPARE(rgbAt(image, 0, y), kSilver);
        QCOMPARE(rgbAt(image, 63, y), kSilver);
        QCOMPARE(rgbAt(image, 1, y), kPanel);
        QCOMPARE(rgbAt(image, 62, y), kPanel);
    }
    QCOMPARE(rgbAt(image, 0, 0), kPanel);         // rounded corners
    QCOMPARE(rgbAt(image, 63, 19), kPanel);
}

void OfficeControlsTest::hotButtonHasATwoPixelGreyRimFrom1x1To64x20AndAHighlight()
{
    OkButton ok;
    enter(ok.button);
    QVERIFY(ok.button->isHot());
    const QImage image = ok.image();
    for (int x = 12; x <= 51; ++x) {
        QCOMPARE(rgbAt(image, x, 0), kPanel);
        QCOMPARE(rgbAt(image, x, 1), kGrey);
        QCOMPARE(rgbAt(image, x, 2), kGrey);
        QCOMPARE(rgbAt(image, x, 18), kGrey);
        QCOMPARE(rgbAt(image, x, 19), kGrey);
        QCOMPARE(rgbAt(image, x, 17), kPanel);
    }
    for (int y = 8; y <= 11; ++y) {
        QCOMPARE(rgbAt(image, 0, y), kPanel);
        QCOMPARE(rgbAt(image, 1, y), kGrey);
        QCOMPARE(rgbAt(image, 2, y), kGrey);
        QCOMPARE(rgbAt(image, 3, y), kPanel);
        QCOMPARE(rgbAt(image, 62, y), kGrey);
        QCOMPARE(rgbAt(image, 63, y), kGrey);
    }
    // The white line 2 pixels wide from (10, 3) towards (54, 3); the light
    // (x 7..17 from y 4) and the caption stand over parts of it.
    for (int x = 18; x <= 25; ++x) {
        QCOMPARE(rgbAt(image, x, 3), kWhite);
        QCOMPARE(rgbAt(image, x, 4), kWhite);
        QCOMPARE(rgbAt(image, x, 5), kPanel);
    }
    QCOMPARE(rgbAt(image, 10, 3), kWhite);
    QCOMPARE(rgbAt(image, 9, 3), kPanel);
}

void OfficeControlsTest::indicatorFollowsHotAndPressedAndMovesWithThePress_data()
{
    QTest::addColumn<bool>("hot");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QRgb>("centre");
    QTest::addColumn<int>("offset");
    QTest::newRow("at rest: OFF, dark") << false << false << kNavy << 0;
    QTest::newRow("hot: ON, teal") << true << false << kTeal << 0;
    QTest::newRow("hot and pressed: DOWN, cyan, one pixel on") << true << true << kCyan << 1;
}

// The light stands at (7 + d, (H - 11) / 2 + d); white around the ball is
// transparent.
void OfficeControlsTest::indicatorFollowsHotAndPressedAndMovesWithThePress()
{
    QFETCH(bool, hot);
    QFETCH(bool, pressed);
    QFETCH(QRgb, centre);
    QFETCH(int, offset);
    OkButton ok;
    if (hot)
        enter(ok.button);
    if (pressed)
        QTest::mousePress(ok.button, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(ok.button->pressOffset(), offset);
    const QImage image = ok.image();
    const int left = 7 + offset, top = (20 - 11) / 2 + offset;
    QCOMPARE(rgbAt(image, left + 5, top + 5), centre);
    QCOMPARE(rgbAt(image, left, top), kPanel);
    QCOMPARE(rgbAt(image, left + 10, top + 10), kPanel);
    if (pressed)
        QTest::mouseRelease(ok.button, Qt::LeftButton, {}, QPoint(30, 10));
}

void OfficeControlsTest::buttonEnterLeavePressAndReleaseInsideClick()
{
    OkButton ok;
    TOfficeButton *b = ok.button;
    QSignalSpy entered(b, &TOfficeButton::mouseEntered), left(b, &TOfficeButton::mouseLeft),
        pressed(b, &TOfficeButton::mousePressed), released(b, &TOfficeButton::mouseReleased),
        clicked(b, &TOfficeButton::clicked);
    enter(b);
    QCOMPARE(entered.count(), 1);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(30, 10));
    QVERIFY(b->isPressed() && b->isHot());
    QCOMPARE(pressed.count(), 1);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(released.count(), 1);
    QVERIFY(!b->isPressed());
    QCOMPARE(b->pressOffset(), 0);
    QVERIFY(b->isHot());
    leave(b);
    QCOMPARE(left.count(), 1);
    QVERIFY(!b->isHot());

    // A right click is a press and a release but no click.
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(30, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(pressed.count(), 2);
}

void OfficeControlsTest::buttonDraggedOutAndBackInRestoresThePressedLookAndReleasedOutsideDoesNotClick()
{
    OkButton ok;
    TOfficeButton *b = ok.button;
    QSignalSpy clicked(b, &TOfficeButton::clicked), left(b, &TOfficeButton::mouseLeft);
    enter(b);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(30, 10));
    moveHeld(b, QPoint(80, 30));                    // out
    QVERIFY(!b->isHot());
    QVERIFY(b->isPressed());
    QCOMPARE(b->pressOffset(), 0);
    QCOMPARE(left.count(), 1);
    QImage image = ok.image();
    QCOMPARE(rgbAt(image, 30, 1), kPanel);          // rim and highlight gone
    QCOMPARE(rgbAt(image, 20, 3), kPanel);

    moveHeld(b, QPoint(30, 10));                    // back in, still held
    QVERIFY(b->isHot());
    QCOMPARE(b->pressOffset(), 1);
    image = ok.image();
    QCOMPARE(rgbAt(image, 30, 1), kGrey);
    QCOMPARE(rgbAt(image, 8 + 5, 5 + 5), kCyan);    // lit DOWN light, one pixel on

    moveHeld(b, QPoint(80, 30));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(80, 30));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!b->isPressed());
}

void OfficeControlsTest::disabledButtonIgnoresTheMouseAndShowsAGreyCaption()
{
    OkButton ok;
    TOfficeButton *b = ok.button;
    const QRect caption(30, 3, 30, 14);
    const int blackBefore = countColour(ok.image(), caption, qRgb(0, 0, 0));
    QVERIFY(blackBefore > 5);
    b->setControlEnabled(false);
    QSignalSpy entered(b, &TOfficeButton::mouseEntered), pressed(b, &TOfficeButton::mousePressed),
        released(b, &TOfficeButton::mouseReleased), clicked(b, &TOfficeButton::clicked);
    enter(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(entered.count() + pressed.count() + released.count() + clicked.count(), 0);
    QVERIFY(!b->isHot() && !b->isPressed());
    const QImage image = ok.image();
    QCOMPARE(countColour(image, caption, qRgb(0, 0, 0)), 0);
    QCOMPARE(countColour(image, caption, kGrey), blackBefore);
    QCOMPARE(rgbAt(image, 30, 0), kSilver);        // never lights
    QVERIFY(b->isEnabled());                       // the widget itself stays enabled
}

void OfficeControlsTest::changingEnabledClearsHotAndPressed()
{
    OkButton ok;
    enter(ok.button);
    QTest::mousePress(ok.button, Qt::LeftButton, {}, QPoint(30, 10));
    ok.button->setControlEnabled(false);
    ok.button->setControlEnabled(true);
    QVERIFY(!ok.button->isHot() && !ok.button->isPressed());
    QCOMPARE(ok.button->pressOffset(), 0);
    QSignalSpy clicked(ok.button, &TOfficeButton::clicked);
    QTest::mouseRelease(ok.button, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(clicked.count(), 0);                  // the press was forgotten
}

void OfficeControlsTest::labelLightFollowsTypeAndState_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("hot");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QString>("light");
    QTest::newRow("round, off") << int(TOfficeLabel::RoundLED) << false << false << "OFFRND";
    QTest::newRow("round, hot") << int(TOfficeLabel::RoundLED) << true << false << "ONRND";
    QTest::newRow("round, pressed") << int(TOfficeLabel::RoundLED) << true << true << "DOWNRND";
    QTest::newRow("down, off") << int(TOfficeLabel::TriLEDDown) << false << false << "OFF3DWN";
    QTest::newRow("down, hot") << int(TOfficeLabel::TriLEDDown) << true << false << "ON3DWN";
    QTest::newRow("down, pressed") << int(TOfficeLabel::TriLEDDown) << true << true << "DOWN3DWN";
    QTest::newRow("up, off") << int(TOfficeLabel::TriLEDUp) << false << false << "OFF3UP";
    QTest::newRow("up, hot") << int(TOfficeLabel::TriLEDUp) << true << false << "ON3UP";
    QTest::newRow("up, pressed") << int(TOfficeLabel::TriLEDUp) << true << true << "DOWN3UP";
}

// The light at (0, 0) is the named picture with its yellow transparent.
void OfficeControlsTest::labelLightFollowsTypeAndState()
{
    QFETCH(int, type);
    QFETCH(bool, hot);
    QFETCH(bool, pressed);
    QFETCH(QString, light);
    LinkLabel link;
    link.label->setLedType(TOfficeLabel::TLEDType(type));
    if (hot)
        enter(link.label);
    if (pressed)
        QTest::mousePress(link.label, Qt::LeftButton, {}, QPoint(50, 8));
    QCOMPARE(link.label->ledName(), light);

    const QImage art(QStringLiteral(":/art/led/%1.png").arg(light));
    QVERIFY(!art.isNull());
    const QImage image = link.image();
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) {
            const QRgb drawn = rgbAt(art, x, y);
            QCOMPARE(rgbAt(image, x, y), drawn == qRgb(255, 255, 0) ? kPanel : drawn);
        }
}

void OfficeControlsTest::pressedLabelShowsADottedFrameUntilReleasedAndLeft()
{
    LinkLabel link;
    TOfficeLabel *l = link.label;
    const int w = 20, W = 200, H = 17;
    // Black frame dots on the row above the text and down the right side.
    auto frameDots = [&](const QImage &image) {
        return countColour(image, QRect(w + 2, 0, W - 1 - (w + 2), 1), qRgb(0, 0, 0))
             + countColour(image, QRect(W - 2, 0, 1, H - 1), qRgb(0, 0, 0));
    };
    QCOMPARE(frameDots(link.image()), 0);
    enter(l);
    QCOMPARE(frameDots(link.image()), 0);
    QTest::mousePress(l, Qt::LeftButton, {}, QPoint(50, 8));
    const QImage pressed = link.image();
    QVERIFY(frameDots(pressed) > 50);
    QCOMPARE(rgbAt(pressed, w + 1, 0), kPanel);
    QCOMPARE(rgbAt(pressed, W - 1, 8), kPanel);
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(50, 8));
    QCOMPARE(frameDots(link.image()), 0);
    leave(l);
    QCOMPARE(frameDots(link.image()), 0);
}

void OfficeControlsTest::labelClickFiresOnReleaseInsideOnly()
{
    LinkLabel link;
    TOfficeLabel *l = link.label;
    QSignalSpy clicked(l, &TOfficeLabel::clicked), entered(l, &TOfficeLabel::mouseEntered),
        left(l, &TOfficeLabel::mouseLeft);
    enter(l);
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(50, 8));
    QCOMPARE(clicked.count(), 1);
    QTest::mousePress(l, Qt::LeftButton, {}, QPoint(50, 8));
    moveHeld(l, QPoint(50, 40));
    QVERIFY(!l->isHot());
    QCOMPARE(left.count(), 1);
    moveHeld(l, QPoint(60, 8));
    QVERIFY(l->isHot());
    QCOMPARE(l->ledName(), QStringLiteral("DOWNRND"));
    moveHeld(l, QPoint(50, 40));
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(50, 40));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(entered.count(), 2);
}

void OfficeControlsTest::disabledLabelIgnoresTheMouseAndShowsAGreyCaption()
{
    LinkLabel link;
    TOfficeLabel *l = link.label;
    const QRect text(25, 1, 170, 15);
    const int black = countColour(link.image(), text, qRgb(0, 0, 0));
    QVERIFY(black > 10);
    l->setControlEnabled(false);
    QSignalSpy clicked(l, &TOfficeLabel::clicked), entered(l, &TOfficeLabel::mouseEntered),
        pressed(l, &TOfficeLabel::mousePressed);
    enter(l);
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(50, 8));
    QCOMPARE(clicked.count() + entered.count() + pressed.count(), 0);
    QCOMPARE(l->ledName(), QStringLiteral("OFFRND"));
    const QImage image = link.image();
    QCOMPARE(countColour(image, text, qRgb(0, 0, 0)), 0);
    QCOMPARE(countColour(image, text, kGrey), black);
}

void OfficeControlsTest::longLabelCaptionWrapsAndIsCutAtTheBottom()
{
    LinkLabel link;
    TOfficeLabel *l = link.label;
    l->resize(120, 24);
    l->setCaption("Jak se hraje a co znamenají tlačítka v okně hry");
    const QImage image = link.image();
    const int lineHeight = QFontMetrics(l->font()).height();
    // Ink on the second line, and none on the control's last row (outside the text box).
    QVERIFY(countColour(image, QRect(25, lineHeight + 1, 95, 24 - lineHeight - 2), qRgb(0, 0, 0)) > 0);
    QCOMPARE(countColour(image, QRect(25, 23, 95, 1), qRgb(0, 0, 0)), 0);
    // Text starts 5 pixels after the 20-pixel light.
    QCOMPARE(countColour(image, QRect(20, 0, 5, 24), qRgb(0, 0, 0)), 0);
}

void OfficeControlsTest::opaqueControlsFillWithTheirOwnColour()
{
    OkButton ok;
    ok.button->setTransparent(false);
    ok.button->setButtonColor(QColor(255, 255, 128));
    QCOMPARE(rgbAt(ok.image(), 20, 10), qRgb(255, 255, 128));
    QCOMPARE(rgbAt(ok.image(), 0, 0), kPanel);          // corners still show the panel

    LinkLabel link;
    link.label->setTransparent(false);
    link.label->setLabelColor(QColor(0, 0, 255));
    QCOMPARE(rgbAt(link.image(), 199, 16), qRgb(0, 0, 255));
    QCOMPARE(rgbAt(link.image(), 0, 0), qRgb(0, 0, 255));   // under the light's transparent corner
}

void OfficeControlsTest::keyboardFocusLightsAControlAsThePointerAndSpaceOrEnterClickIt_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("role");
    QTest::newRow("flat button, Space") << "button" << int(Qt::Key_Space) << int(QAccessible::Button);
    QTest::newRow("link, Enter") << "link" << int(Qt::Key_Return) << int(QAccessible::Link);
    QTest::newRow("picture button, keypad Enter") << "picture" << int(Qt::Key_Enter) << int(QAccessible::Button);
}

// Tab (never a click) brings the keyboard to a control, which then looks
// exactly as under the pointer; Space or Enter click it, and so does a
// screen reader's press (the names it reads: MainWindowTest).
void OfficeControlsTest::keyboardFocusLightsAControlAsThePointerAndSpaceOrEnterClickIt()
{
    QFETCH(QString, kind);
    QFETCH(int, key);
    QFETCH(int, role);
    Panel panel(nullptr, Panel::NoBevel, QColor(kPanel));
    panel.resize(260, 60);
    ImageList pictures(QSize(32, 32));
    pictures.add(QImage(QStringLiteral(":/art/hra-0.png")));
    auto *button = new TOfficeButton(&panel);
    auto *link = new TOfficeLabel(&panel);
    auto *picture = new TTransparentButton2(&panel);
    button->setCaption("Ok");
    link->setCaption("Pravidla hry");
    picture->setActiveImage(&pictures);
    picture->setActiveIndex(0);
    PointerControl *control = kind == "link" ? link : kind == "button" ? static_cast<PointerControl *>(button)
                                                                       : picture;
    for (PointerControl *each : panel.findChildren<PointerControl *>())
        each->setVisible(each == control);
    control->move(kAt);
    auto image = [&] { return shotWithBackground(&panel).copy(control->geometry()); };
    const QImage resting = image();
    enter(control);
    const QImage hot = image();
    leave(control);
    QVERIFY(hot != resting);

    QCOMPARE(control->focusPolicy(), Qt::TabFocus);
    panel.show();
    panel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    control->setFocus(Qt::TabFocusReason);
    QVERIFY(control->hasFocus() && !control->isHot());
    QCOMPARE(image(), hot);

    QSignalSpy clicked(control, &PointerControl::clicked);
    QTest::keyClick(control, Qt::Key(key));
    QTest::keyClick(control, Qt::Key_Escape);   // not the control's: it goes on to the window
    QCOMPARE(clicked.count(), 1);
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
    QCOMPARE(int(reader->role()), role);
    QVERIFY(reader->state().focused);
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked.count(), 2);
    control->clearFocus();
    QCOMPARE(image(), resting);
}

void OfficeControlsTest::aControlWhoseWindowHidesUnderThePointerComesBackUnlit_data()
{
    QTest::addColumn<bool>("button");   // else a link label
    QTest::addColumn<bool>("released"); // clicked, or still held when the window hid
    QTest::newRow("button clicked (a dialog's Ok)") << true << true;
    QTest::newRow("button held down") << true << false;
    QTest::newRow("link clicked (a welcome link)") << false << true;
    QTest::newRow("link held down") << false << false;
}

// The window hides under the pointer, so no leave event comes: shown again
// with the pointer elsewhere, the control is neither hot nor pressed, and it
// lights again only when the pointer comes over it.
void OfficeControlsTest::aControlWhoseWindowHidesUnderThePointerComesBackUnlit()
{
    QFETCH(bool, button);
    QFETCH(bool, released);
    OkButton ok;
    LinkLabel link;
    QWidget *window = button ? static_cast<QWidget *>(&ok.panel) : &link.panel;
    PointerControl *control = button ? static_cast<PointerControl *>(ok.button) : link.label;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    enter(control);
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(30, 10));
    if (released)
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(30, 10));
    QVERIFY(control->isHot());

    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(!control->isHot() && !control->isPressed());
    if (button) {
        const QImage image = ok.image();
        QCOMPARE(rgbAt(image, 30, 0), kSilver);          // the resting outline, no rim
        QCOMPARE(rgbAt(image, 7 + 5, 4 + 5), kNavy);     // the OFF light
    } else {
        QCOMPARE(link.label->ledName(), QStringLiteral("OFFRND"));
    }
    enter(control);
    QVERIFY(control->isHot() && !control->isPressed());
}

TORAN_TEST_MAIN(OfficeControlsTest)
#include "tst_officecontrols.moc"
