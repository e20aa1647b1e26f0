#include "dialogs/Kopie.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "dialogs/SecondCopy.h"
#include "core/drawing/Fonts.h"
#include "services/InputLock.h"
#include "core/settings/Settings.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "core/drawing/Colors.h"
#include "widgets/formshape.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include "widgets/OContrls.h"

#include <QtTest>

namespace {
const QColor kStrong(Colors::fromBgr(TKopieDialog::kStrongPink));
const QColor kPale(Colors::fromBgr(TKopieDialog::kPalePink));
} // namespace

class KopieTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void theNoticeIsAPinkBalloonWithItsControls_data();
    void theNoticeIsAPinkBalloonWithItsControls();
    void itBlinksEveryHalfSecondStartingWithTheStrongPink();
    void showingTheNoticeDisablesTheAssistantAndClosingItEnablesIt();
    void escAndEnterEndTheSecondCopyAndOtherKeysDoNothing_data();
    void escAndEnterEndTheSecondCopyAndOtherKeysDoNothing();
    void theOkButtonEndsTheSecondCopy();
    void theSecondCopyCentresTheAssistantAndBottomAlignsTheNotice();

private:
    QApplication *app() { return qobject_cast<QApplication *>(QCoreApplication::instance()); }
};

void KopieTest::initTestCase() { Fonts::installSubstitutes(); }
void KopieTest::init() { Placement::setScreenSizeForTesting(QSize(1024, 768)); }
void KopieTest::cleanup() { Placement::setScreenSizeForTesting(QSize()); }

void KopieTest::theNoticeIsAPinkBalloonWithItsControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("Image1") << "Image1" << QRect(5, 5, 35, 35) << QString();
    QTest::newRow("Label1") << "Label1" << QRect(45, 25, 103, 15) << "Toranská věž 2000";
    QTest::newRow("Label2") << "Label2" << QRect(5, 42, 292, 15) << "Pozor ! Již máte spuštěnu jednu kopii tohoto programu.";
    QTest::newRow("Bevel1") << "Bevel1" << QRect(5, 65, 292, 9) << QString();
    QTest::newRow("OfficeButton2") << "OfficeButton2" << QRect(119, 70, 64, 20) << "Ok";
}

void KopieTest::theNoticeIsAPinkBalloonWithItsControls()
{
    QFETCH(QString, name);
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    TKopieDialog notice(&assistant);
    QCOMPARE(notice.size(), QSize(320, 97));
    QCOMPARE(notice.color(), kStrong);
    QVERIFY(notice.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(notice.windowFlags() & Qt::WindowStaysOnTopHint);
    auto *shape = notice.findChild<tformshape *>();
    QVERIFY(shape);
    QCOMPARE(shape->balloonPosition(), bpRightTop);
    QCOMPARE(shape->geometry().body, QRect(0, 0, 305, 97));
    QCOMPARE(notice.mask(), shape->region());

    QWidget *control = notice.findChild<QWidget *>(name);
    QVERIFY(control);
    QTEST(control->geometry(), "box");
    QFETCH(QString, text);
    if (auto *label = qobject_cast<QLabel *>(control); label && !text.isEmpty())
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<TOfficeButton *>(control)) {
        QCOMPARE(button->caption(), text);
        QCOMPARE(button->roundSize(), 20);
        QCOMPARE(button->focusPolicy(), Qt::TabFocus);   // by Tab only: a click leaves the keys with the notice
    }
    if (name == QLatin1String("Image1")) {
        // The warning picture with its paper colour keyed out.
        const QImage picture = qobject_cast<QLabel *>(control)->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(35, 35));
        QCOMPARE(qAlpha(picture.pixel(0, 34)), 0);
        QCOMPARE(qAlpha(picture.pixel(17, 20)), 255);
    }
}

// Strong, pale, strong, pale, ...: each tick swaps the colour.
void KopieTest::itBlinksEveryHalfSecondStartingWithTheStrongPink()
{
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    TKopieDialog notice(&assistant);
    auto *timer = notice.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 500);
    QVERIFY(timer->isActive());
    QCOMPARE(notice.color(), kStrong);
    QTRY_COMPARE_WITH_TIMEOUT(notice.color(), kPale, 1500);
    QTRY_COMPARE_WITH_TIMEOUT(notice.color(), kStrong, 1500);
    timer->stop();
    const QList<QColor> expected{kPale, kStrong, kPale, kStrong};
    for (const QColor &colour : expected) {
        notice.Timer1Timer();
        QCOMPARE(notice.color(), colour);
    }
    // Any other colour counts as not pale: the next tick makes it pale.
    QPalette other = notice.palette();
    other.setColor(QPalette::Window, Qt::green);
    notice.setPalette(other);
    notice.Timer1Timer();
    QCOMPARE(notice.color(), kPale);
}

void KopieTest::showingTheNoticeDisablesTheAssistantAndClosingItEnablesIt()
{
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    TKopieDialog notice(&assistant);
    assistant.showAssistant();
    QVERIFY(InputLock::isInputEnabled(&assistant));
    notice.show();
    QVERIFY(!InputLock::isInputEnabled(&assistant));
    // Closed some other way (Alt+F4): the assistant stays, enabled.
    notice.close();
    QVERIFY(InputLock::isInputEnabled(&assistant));
    QVERIFY(assistant.isVisible());
}

void KopieTest::escAndEnterEndTheSecondCopyAndOtherKeysDoNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("space") << int(Qt::Key_Space) << false;
    QTest::newRow("O") << int(Qt::Key_O) << false;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << false;
    QTest::newRow("F1") << int(Qt::Key_F1) << false;
}

void KopieTest::escAndEnterEndTheSecondCopyAndOtherKeysDoNothing()
{
    QFETCH(int, key);
    QFETCH(bool, ends);
    ScratchAppDir dir;
    dir.withSounds();
    RecordingSoundPlayer sounds;
    TPomocnikDialog assistant;
    TKopieDialog notice(&assistant);
    QSignalSpy closed(&assistant, &TPomocnikDialog::closed);
    notice.show();
    assistant.showAssistant();
    sounds.clear();
    QTest::keyClick(&notice, Qt::Key(key));
    QCOMPARE(closed.count(), ends ? 1 : 0);
    QCOMPARE(assistant.isVisible(), !ends);
    QCOMPARE(Settings::pomocnik(), ends ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(sounds.names, ends ? QStringList{"PomocnikKonec.wav"} : QStringList());
    // The assistant is enabled before it closes; otherwise the notice keeps it disabled.
    QCOMPARE(InputLock::isInputEnabled(&assistant), ends);
}

void KopieTest::theOkButtonEndsTheSecondCopy()
{
    ScratchAppDir dir;
    TPomocnikDialog assistant;
    TKopieDialog notice(&assistant);
    QSignalSpy closed(&assistant, &TPomocnikDialog::closed);
    notice.show();
    assistant.showAssistant();
    QTest::mouseClick(notice.findChild<QWidget *>(QStringLiteral("OfficeButton2")), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(Settings::pomocnik(), QStringLiteral("0"));
}

// Notice shown first (assistant disabled), then the assistant (key "1");
// closing the assistant quits the copy.
void KopieTest::theSecondCopyCentresTheAssistantAndBottomAlignsTheNotice()
{
    ScratchAppDir dir;
    dir.withSounds();
    RecordingSoundPlayer sounds;
    SecondCopy::Windows w = SecondCopy::start(*app());
    QCOMPARE(w.assistant->pos(), QPoint(460, 332));
    QCOMPARE(w.notice->pos(), QPoint(175, 339));
    QVERIFY(w.notice->isVisible());
    QVERIFY(w.assistant->isVisible());
    QVERIFY(!InputLock::isInputEnabled(w.assistant.get()));
    QCOMPARE(Settings::pomocnik(), QStringLiteral("1"));
    QCOMPARE(sounds.names, QStringList{"PomocnikStart.wav"});
    // No results table, no other file: only the settings key was written.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{"KQ2000.ini", "Zvuky"}));

    QSignalSpy quitting(app(), &QCoreApplication::aboutToQuit);
    QTimer::singleShot(0, w.notice.get(), [&] { QTest::keyClick(w.notice.get(), Qt::Key_Return); });
    QTimer::singleShot(5000, app(), [] { QCoreApplication::exit(1); });
    QCOMPARE(app()->exec(), 0);
    QCOMPARE(Settings::pomocnik(), QStringLiteral("0"));
    QCOMPARE(quitting.count(), 1);
}

TORAN_TEST_MAIN(KopieTest)
#include "tst_kopie.moc"
