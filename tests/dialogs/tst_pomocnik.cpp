#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "services/InputLock.h"
#include "core/settings/Settings.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "widgets/CoolForm.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QStyleHints>
#include <QtTest>

class PomocnikTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void itIsABorderlessAlwaysOnTopFigureNamedPomocnik();
    void itIsCreatedInTheLowerRightCornerWithoutShowing();
    void everyShowGreetsAndRecordsTheAssistantAsShown();
    void closingHidesItSaysGoodbyeAndRecordsItAsClosed();
    void withoutSoundsShowAndCloseStillRecordTheKey();
    void aRefusedWriteIsReportedOnce();
    void doubleClickMovesTheAssistantOnlyWhenTheWelcomeWouldNotFit_data();
    void doubleClickMovesTheAssistantOnlyWhenTheWelcomeWouldNotFit();
    void aDisabledAssistantIgnoresClicksDoubleClicksAndDrags();
    void dragWithTheLeftButtonMovesTheWindowAndTheRightButtonDoesNot();
    void theWindowMovesOnlyOnceThePointerHasGoneTheDragDistance_data();
    void theWindowMovesOnlyOnceThePointerHasGoneTheDragDistance();
};

void PomocnikTest::initTestCase()
{
    Fonts::installSubstitutes();
}

void PomocnikTest::init() { Placement::setScreenSizeForTesting(QSize(1024, 768)); }
void PomocnikTest::cleanup()
{
    Placement::setScreenSizeForTesting(QSize());
    ErrorReport::setSinkForTesting({});
}

void PomocnikTest::itIsABorderlessAlwaysOnTopFigureNamedPomocnik()
{
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    QCOMPARE(assistant.objectName(), QStringLiteral("PomocnikDialog"));
    QCOMPARE(assistant.size(), QSize(104, 104));
    QCOMPARE(assistant.windowTitle(), QStringLiteral("Pomocník"));
    QCOMPARE(assistant.statusTip(), QStringLiteral("Pomocník KQ2000"));
    QVERIFY(assistant.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(assistant.windowFlags() & Qt::WindowStaysOnTopHint);
    auto *figure = assistant.findChild<TCoolForm *>(QStringLiteral("CoolForm1"));
    QVERIFY(figure);
    QCOMPARE(figure->geometry(), QRect(0, 0, 104, 104));
    QCOMPARE(figure->statusTip(), QStringLiteral("Pomocník KQ2000"));
    QCOMPARE(figure->picture().size(), QSize(107, 105));
    QCOMPARE(figure->pictureOrigin(), QPoint(-1, 0));
    // The window is cut to the figure.
    QVERIFY(figure->region());
    QCOMPARE(assistant.mask(), *figure->region());
}

void PomocnikTest::itIsCreatedInTheLowerRightCornerWithoutShowing()
{
    ScratchAppDir dir;
    RecordingSoundPlayer sounds;
    TPomocnikDialog assistant;
    QCOMPARE(assistant.pos(), QPoint(1024 - 104 - 12, 768 - 104 - 30));
    QVERIFY(!assistant.isVisible());
    QVERIFY(sounds.names.isEmpty());
    QCOMPARE(Settings::pomocnik(), QString());
}

void PomocnikTest::everyShowGreetsAndRecordsTheAssistantAsShown()
{
    ScratchAppDir dir;
    dir.withSounds();
    RecordingSoundPlayer sounds;
    TPomocnikDialog assistant;
    Settings::setPomocnik("0");
    assistant.showAssistant();
    QCOMPARE(sounds.names, QStringList{"PomocnikStart.wav"});
    QCOMPARE(Settings::pomocnik(), QStringLiteral("1"));
    // Bringing a visible assistant to the front is no new show.
    assistant.showAssistant();
    QCOMPARE(sounds.names.size(), 1);
    assistant.hide();
    assistant.showAssistant();
    QCOMPARE(sounds.names, (QStringList{"PomocnikStart.wav", "PomocnikStart.wav"}));
}

void PomocnikTest::closingHidesItSaysGoodbyeAndRecordsItAsClosed()
{
    ScratchAppDir dir;
    dir.withSounds();
    RecordingSoundPlayer sounds;
    TPomocnikDialog assistant;
    QSignalSpy closed(&assistant, &TPomocnikDialog::closed);
    assistant.showAssistant();
    sounds.clear();
    // The window system's close request (Alt+F4) arrives as a close event.
    QVERIFY(assistant.close());
    QVERIFY(!assistant.isVisible());
    QCOMPARE(sounds.names, QStringList{"PomocnikKonec.wav"});
    QCOMPARE(Settings::pomocnik(), QStringLiteral("0"));
    QCOMPARE(closed.count(), 1);
    QVERIFY(!assistant.testAttribute(Qt::WA_DeleteOnClose));
    // It can be shown again.
    assistant.showAssistant();
    QVERIFY(assistant.isVisible());
    QCOMPARE(Settings::pomocnik(), QStringLiteral("1"));
}

void PomocnikTest::withoutSoundsShowAndCloseStillRecordTheKey()
{
    ScratchAppDir dir;
    RecordingSoundPlayer sounds;
    TPomocnikDialog assistant;
    assistant.showAssistant();
    QCOMPARE(Settings::pomocnik(), QStringLiteral("1"));
    assistant.close();
    QCOMPARE(Settings::pomocnik(), QStringLiteral("0"));
    QVERIFY(sounds.names.isEmpty());
}

void PomocnikTest::aRefusedWriteIsReportedOnce()
{
    ScratchAppDir dir;
    QDir().mkpath(dir.file("KQ2000.ini"));   // a folder where the file should be
    QStringList reports;
    ErrorReport::setSinkForTesting([&](const QString &text) { reports << text; });
    TPomocnikDialog assistant;
    assistant.showAssistant();
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports[0].startsWith(QStringLiteral("Unable to write to ")));
    QVERIFY(assistant.isVisible());
}

void PomocnikTest::doubleClickMovesTheAssistantOnlyWhenTheWelcomeWouldNotFit_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("after");
    const QPoint corner(908, 634);
    QTest::newRow("near the top left") << QPoint(20, 20) << corner;
    QTest::newRow("too far left") << QPoint(311, 400) << corner;
    QTest::newRow("too high") << QPoint(600, 111) << corner;
    QTest::newRow("room enough") << QPoint(312, 112) << QPoint(312, 112);
}

void PomocnikTest::doubleClickMovesTheAssistantOnlyWhenTheWelcomeWouldNotFit()
{
    QFETCH(QPoint, start);
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    QSignalSpy welcome(&assistant, &TPomocnikDialog::welcomeRequested);
    assistant.move(start);
    assistant.showAssistant();
    QTest::mouseDClick(assistant.coolForm(), Qt::LeftButton, {}, QPoint(60, 60));
    QTEST(assistant.pos(), "after");
    QVERIFY(assistant.isVisible());
    QCOMPARE(welcome.count(), 1);
}

void PomocnikTest::aDisabledAssistantIgnoresClicksDoubleClicksAndDrags()
{
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    QSignalSpy welcome(&assistant, &TPomocnikDialog::welcomeRequested);
    assistant.move(20, 20);
    assistant.showAssistant();
    InputLock::setInputEnabled(&assistant, false);
    QTest::mouseDClick(assistant.coolForm(), Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mousePress(assistant.coolForm(), Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(assistant.coolForm(), QPoint(90, 80));
    QTest::mouseRelease(assistant.coolForm(), Qt::LeftButton, {}, QPoint(90, 80));
    QCOMPARE(welcome.count(), 0);
    QCOMPARE(assistant.pos(), QPoint(20, 20));
    // Not greyed: it keeps its look.
    QVERIFY(assistant.isEnabled());
    InputLock::setInputEnabled(&assistant, true);
    QTest::mouseDClick(assistant.coolForm(), Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(welcome.count(), 1);
}

void PomocnikTest::dragWithTheLeftButtonMovesTheWindowAndTheRightButtonDoesNot()
{
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    assistant.move(300, 300);
    assistant.showAssistant();
    QVERIFY(QTest::qWaitForWindowExposed(&assistant));
    QWidget *figure = assistant.coolForm();
    auto drag = [&](Qt::MouseButton button, QPoint by) {
        // The pointer moves by "by" on the screen; positions in the figure
        // follow from where the window is at each step.
        const QPoint from(50, 50);
        const QPoint target = figure->mapToGlobal(from) + by;
        QTest::mousePress(figure, button, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(figure->mapFromGlobal(target)), QPointF(target),
                         Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(figure, &move);
        QTest::mouseRelease(figure, button, {}, figure->mapFromGlobal(target));
    };
    drag(Qt::RightButton, QPoint(40, 30));
    QCOMPARE(assistant.pos(), QPoint(300, 300));
    drag(Qt::LeftButton, QPoint(40, 30));
    QCOMPARE(assistant.pos(), QPoint(340, 330));
}

void PomocnikTest::theWindowMovesOnlyOnceThePointerHasGoneTheDragDistance_data()
{
    const int distance = QGuiApplication::styleHints()->startDragDistance();
    QTest::addColumn<QList<QPoint>>("steps");   // where the pointer goes from the press, in order
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("a shaky click") << QList<QPoint>{{1, 0}, {1, 1}, {2, 1}} << QPoint(0, 0);
    QTest::newRow("just short of the distance") << QList<QPoint>{{distance - 1, 0}} << QPoint(0, 0);
    QTest::newRow("the distance, at once") << QList<QPoint>{{0, distance}} << QPoint(0, distance);
    QTest::newRow("the distance in small steps, then on")
        << QList<QPoint>{{2, 0}, {distance / 2, 1}, {distance, 1}, {30, -20}} << QPoint(30, -20);
}

// A press that the pointer leaves only a few pixels is a click (and the
// first half of a double click): the window stays. Once the pointer has gone
// the drag distance with the button held, the window catches up and follows.
void PomocnikTest::theWindowMovesOnlyOnceThePointerHasGoneTheDragDistance()
{
    QFETCH(QList<QPoint>, steps);
    QFETCH(QPoint, moved);
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    QSignalSpy welcome(&assistant, &TPomocnikDialog::welcomeRequested);
    assistant.move(300, 300);
    assistant.showAssistant();
    QVERIFY(QTest::qWaitForWindowExposed(&assistant));
    QWidget *figure = assistant.coolForm();
    const QPoint press(50, 50);
    const QPoint pressGlobal = figure->mapToGlobal(press);
    QTest::mousePress(figure, Qt::LeftButton, {}, press);
    for (const QPoint &step : steps) {
        const QPoint at = pressGlobal + step;
        QMouseEvent move(QEvent::MouseMove, QPointF(figure->mapFromGlobal(at)), QPointF(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(figure, &move);
    }
    const QPoint last = pressGlobal + steps.last();
    QTest::mouseRelease(figure, Qt::LeftButton, {}, figure->mapFromGlobal(last));
    QCOMPARE(assistant.pos(), QPoint(300, 300) + moved);
    // A double click right after it is still a double click.
    QTest::mouseDClick(figure, Qt::LeftButton, {}, figure->mapFromGlobal(last));
    QCOMPARE(welcome.count(), 1);
}

TORAN_TEST_MAIN(PomocnikTest)
#include "tst_pomocnik.moc"
