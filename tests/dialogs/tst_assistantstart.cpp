#include "dialogs/AssistantStart.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "services/InputLock.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QtTest>

Q_DECLARE_METATYPE(AssistantStart::Shown)

class AssistantStartTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { Placement::setScreenSizeForTesting(QSize(1024, 768)); }
    void cleanup() { Placement::setScreenSizeForTesting(QSize()); }
    void theSettingsDecideWhatShowsAtStart_data();
    void theSettingsDecideWhatShowsAtStart();
    void theWelcomeDialogFirstMovesAnAssistantThatStandsTooHigh_data();
    void theWelcomeDialogFirstMovesAnAssistantThatStandsTooHigh();
};

using AssistantStart::Shown;

void AssistantStartTest::theSettingsDecideWhatShowsAtStart_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("welcomeExists");
    QTest::addColumn<Shown>("shown");
    QTest::newRow("no settings files") << QByteArray() << true << Shown::Nothing;
    QTest::newRow("assistant closed, welcome wanted") << QByteArray("[Nastaveni]\nPomocnik=0\nUvitani=1\n") << true << Shown::Nothing;
    QTest::newRow("assistant open, no welcome") << QByteArray("[Nastaveni]\nPomocnik=1\nUvitani=0\n") << true << Shown::Assistant;
    QTest::newRow("assistant open, welcome unset") << QByteArray("[Nastaveni]\nPomocnik=1\n") << true << Shown::Assistant;
    QTest::newRow("both") << QByteArray("[Nastaveni]\nPomocnik=1\nUvitani=1\n") << true << Shown::AssistantAndWelcome;
    QTest::newRow("both, no welcome dialog yet") << QByteArray("[Nastaveni]\nPomocnik=1\nUvitani=1\n") << false << Shown::Assistant;
    QTest::newRow("not exactly 1") << QByteArray("[Nastaveni]\nPomocnik=11\nUvitani=1\n") << true << Shown::Nothing;
}

void AssistantStartTest::theSettingsDecideWhatShowsAtStart()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, welcomeExists);
    QFETCH(Shown, shown);
    ScratchAppDir dir;
    if (!ini.isEmpty())
        dir.writeFile("KQ2000.ini", ini);
    QWidget mainWindow;
    TPomocnikDialog assistant;
    QWidget welcome;
    welcome.resize(406, 140);
    int welcomeShown = 0;
    QCOMPARE(AssistantStart::run(&assistant, &mainWindow, welcomeExists ? &welcome : nullptr, [&] { ++welcomeShown; }),
             shown);
    QCOMPARE(assistant.isVisible(), shown != Shown::Nothing);
    QCOMPARE(welcomeShown, shown == Shown::AssistantAndWelcome ? 1 : 0);
    // The welcome dialog holds both windows until it closes.
    QCOMPARE(InputLock::isInputEnabled(&assistant), shown != Shown::AssistantAndWelcome);
    QCOMPARE(InputLock::isInputEnabled(&mainWindow), shown != Shown::AssistantAndWelcome);
}

void AssistantStartTest::theWelcomeDialogFirstMovesAnAssistantThatStandsTooHigh_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("after");
    QTest::newRow("too high") << QPoint(600, 100) << QPoint(913, 639);
    QTest::newRow("too far left") << QPoint(200, 500) << QPoint(913, 639);
    QTest::newRow("room enough") << QPoint(600, 400) << QPoint(600, 400);
}

void AssistantStartTest::theWelcomeDialogFirstMovesAnAssistantThatStandsTooHigh()
{
    QFETCH(QPoint, start);
    ScratchAppDir dir;
    dir.writeFile("KQ2000.ini", "[Nastaveni]\nPomocnik=1\nUvitani=1\n");
    QWidget mainWindow;
    TPomocnikDialog assistant;
    assistant.move(start);
    QWidget welcome;
    welcome.resize(406, 140);
    QPoint atWelcome;
    AssistantStart::run(&assistant, &mainWindow, &welcome, [&] { atWelcome = assistant.pos(); });
    QTEST(atWelcome, "after");
}

TORAN_TEST_MAIN(AssistantStartTest)
#include "tst_assistantstart.moc"
