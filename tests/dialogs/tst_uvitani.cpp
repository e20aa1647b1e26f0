// The welcome dialog: its show steps, its three lines, its close keys and
// what it stores as "Uvitani".
#include "dialogs/Napoveda.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "dialogs/Uvitani.h"
#include "services/DialogLock.h"
#include "services/ErrorReport.h"
#include "shell/Hlavni.h"
#include "services/InputLock.h"
#include "core/settings/Settings.h"
#include "core/system/Manual.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "widgets/OContrls.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

// The windows the welcome dialog works with, in a scratch application
// directory on a 1024 x 768 screen.
struct Windows {
    explicit Windows(const QByteArray &assistantSettings)
    {
        dir.withSounds();
        dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
        if (!assistantSettings.isNull())
            dir.writeFile("KQ2000.ini", assistantSettings);
        Placement::setScreenSizeForTesting(QSize(1024, 768));
        main = std::make_unique<THlavniDialog>();
        assistant = std::make_unique<TPomocnikDialog>();
        welcome = std::make_unique<TUvitaniDialog>();
        help = std::make_unique<TNapovedaDialog>();
        help->setAssistant(assistant.get());
        welcome->setAssistant(assistant.get());
        welcome->setHelpDialog(help.get());
        lock.setLockedWindows(main.get(), assistant.get());
        lock.watch(welcome.get());
        lock.watch(help.get());
    }
    ~Windows()
    {
        welcome->hide();
        help->hide();
        Placement::setScreenSizeForTesting(QSize());
    }
    bool locked() const
    {
        return !InputLock::isInputEnabled(main.get()) && !InputLock::isInputEnabled(assistant.get());
    }
    // The assistant shown at a place, as the main window or a double click
    // leaves it before the welcome dialog appears.
    void showAssistantAt(const QPoint &at)
    {
        assistant->move(at);
        assistant->showAssistant();
    }

    ScratchAppDir dir;
    RecordingSoundPlayer sounds;
    DialogLock lock;
    std::unique_ptr<THlavniDialog> main;
    std::unique_ptr<TPomocnikDialog> assistant;
    std::unique_ptr<TUvitaniDialog> welcome;
    std::unique_ptr<TNapovedaDialog> help;
};

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, w->height() / 2));
}

enum class CloseBy { StartLine, EnterOnDialog, EscOnDialog, EnterOnBox, EscOnBox };

} // namespace

Q_DECLARE_METATYPE(CloseBy)

class UvitaniTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ErrorReport::setSinkForTesting({}); }
    void theFormHasItsDesignedControls();
    void showingLocksTheWindowsAndStandsAboveTheAssistant();
    void showingTicksTheBoxForUvitaniOneAndNeverUnticksIt_data();
    void showingTicksTheBoxForUvitaniOneAndNeverUnticksIt();
    void everyWayOfClosingStoresTheBoxAsItIsAndUnlocks_data();
    void everyWayOfClosingStoresTheBoxAsItIsAndUnlocks();
    void otherKeysOnTheBoxLeaveTheDialogOpen();
    void theHelpLineStoresTheBoxBeforeOpeningHelpOnItsList_data();
    void theHelpLineStoresTheBoxBeforeOpeningHelpOnItsList();
    void theManualLineStartsTheManualAndLeavesTheDialogOpen_data();
    void theManualLineStartsTheManualAndLeavesTheDialogOpen();
    void aRefusedWriteIsReportedAndTheDialogStaysOpen_data();
    void aRefusedWriteIsReportedAndTheDialogStaysOpen();
};

void UvitaniTest::theFormHasItsDesignedControls()
{
    Windows w("[Nastaveni]\r\nPomocnik=1\r\n");
    TUvitaniDialog *d = w.welcome.get();
    QCOMPARE(d->objectName(), QStringLiteral("UvitaniDialog"));
    QCOMPARE(d->size(), QSize(406, 140));
    QCOMPARE(d->statusTip(), QStringLiteral("Uvítací dialog"));
    QVERIFY(d->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!d->checkBox()->isChecked());
    QCOMPARE(d->checkBox()->text(), QStringLiteral("Zobrazit tento dialog při každém spuštění programu"));
    QCOMPARE(d->checkBox()->geometry(), QRect(8, 103, 302, 17));
    const struct {
        TOfficeLabel *link;
        QRect geometry;
        const char *caption;
        const char *hint;
    } links[] = {
        {d->helpLink(), {5, 40, 396, 17}, "Zobrazit úplný seznam témat nápovědy programu Toranská věž 2000",
         "Zobrazí úplný seznam témat nápovědy"},
        {d->manualLink(), {5, 56, 340, 17}, "Spustit elektronický manuál programu Toranská věž 2000",
         "Spustí elektronický manuál pro Toranskou věž 2000"},
        {d->startLink(), {5, 72, 292, 17}, "Začít pracovat s programem Toranská věž 2000", "Zahájí práci s programem"},
    };
    for (const auto &l : links) {
        QCOMPARE(l.link->geometry(), l.geometry);
        QCOMPARE(l.link->caption(), QString::fromUtf8(l.caption));
        QCOMPARE(l.link->statusTip(), QString::fromUtf8(l.hint));
    }
    QCOMPARE(d->findChild<QLabel *>("Label1")->text(),
             QStringLiteral("Pomocník KQ2000 je připraven poradit Vám v nesnázích."));
    QCOMPARE(d->findChild<QLabel *>("Label2")->text(), QStringLiteral("Stačí si pouze vybrat, jakou pomoc potřebujete."));
    // The main window's show step switches the manual line.
    d->setManualLinkEnabled(false);
    QVERIFY(!d->manualLink()->isControlEnabled());
    d->setManualLinkEnabled(true);
    QVERIFY(d->manualLink()->isControlEnabled());
}

void UvitaniTest::showingLocksTheWindowsAndStandsAboveTheAssistant()
{
    Windows w("[Nastaveni]\r\nPomocnik=1\r\n");
    w.showAssistantAt(QPoint(600, 400));
    QVERIFY(!w.locked());
    w.welcome->show();
    QVERIFY(w.locked());
    // Left = 600 + 104 - 406 - 38, Top = 400 - 140 + 30.
    QCOMPARE(w.welcome->pos(), QPoint(260, 290));
    QCOMPARE(w.welcome->focusWidget(), w.welcome->checkBox());
}

void UvitaniTest::showingTicksTheBoxForUvitaniOneAndNeverUnticksIt_data()
{
    QTest::addColumn<QByteArray>("uvitani");
    QTest::addColumn<bool>("tickedBefore");
    QTest::addColumn<bool>("tickedAfter");
    QTest::newRow("1 ticks an unticked box") << QByteArray("1") << false << true;
    QTest::newRow("0 leaves a ticked box ticked") << QByteArray("0") << true << true;
    QTest::newRow("missing key leaves a ticked box ticked") << QByteArray() << true << true;
    QTest::newRow("0 leaves an unticked box unticked") << QByteArray("0") << false << false;
    QTest::newRow("only exactly 1 ticks") << QByteArray(" 1x") << false << false;
}

void UvitaniTest::showingTicksTheBoxForUvitaniOneAndNeverUnticksIt()
{
    QFETCH(QByteArray, uvitani);
    QFETCH(bool, tickedBefore);
    QFETCH(bool, tickedAfter);
    QByteArray ini = "[Nastaveni]\r\nPomocnik=1\r\n";
    if (!uvitani.isEmpty())
        ini += "Uvitani=" + uvitani + "\r\n";
    Windows w(ini);
    w.showAssistantAt(QPoint(600, 400));
    w.welcome->checkBox()->setChecked(tickedBefore);
    w.welcome->show();
    QCOMPARE(w.welcome->checkBox()->isChecked(), tickedAfter);
}

void UvitaniTest::everyWayOfClosingStoresTheBoxAsItIsAndUnlocks_data()
{
    QTest::addColumn<CloseBy>("way");
    QTest::addColumn<QByteArray>("uvitani");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<QString>("stored");
    QTest::newRow("start line, box unticked by the player") << CloseBy::StartLine << QByteArray("1") << true << "0";
    QTest::newRow("start line, box left ticked") << CloseBy::StartLine << QByteArray("1") << false << "1";
    QTest::newRow("Enter on the dialog after ticking") << CloseBy::EnterOnDialog << QByteArray("0") << true << "1";
    QTest::newRow("Esc on the dialog keeps an unticking") << CloseBy::EscOnDialog << QByteArray("1") << true << "0";
    QTest::newRow("Esc on the dialog keeps a ticking") << CloseBy::EscOnDialog << QByteArray("0") << true << "1";
    QTest::newRow("Enter on the box after unticking") << CloseBy::EnterOnBox << QByteArray("1") << true << "0";
    QTest::newRow("Esc on the box, untouched") << CloseBy::EscOnBox << QByteArray("1") << false << "1";
    QTest::newRow("Esc on the box, no key yet") << CloseBy::EscOnBox << QByteArray() << false << "0";
}

void UvitaniTest::everyWayOfClosingStoresTheBoxAsItIsAndUnlocks()
{
    QFETCH(CloseBy, way);
    QFETCH(QByteArray, uvitani);
    QFETCH(bool, toggle);
    QFETCH(QString, stored);
    Windows w("[Nastaveni]\r\nPomocnik=1\r\nUvitani=" + uvitani + "\r\n");
    w.showAssistantAt(QPoint(600, 400));
    TUvitaniDialog *d = w.welcome.get();
    d->show();
    if (toggle)
        d->checkBox()->toggle();
    QVERIFY(w.locked());
    switch (way) {
    case CloseBy::StartLine:
        click(d->startLink());
        break;
    case CloseBy::EnterOnDialog:
        QTest::keyClick(d, Qt::Key_Return);
        break;
    case CloseBy::EscOnDialog:
        QTest::keyClick(d, Qt::Key_Escape);
        break;
    case CloseBy::EnterOnBox:
        QTest::keyClick(d->checkBox(), Qt::Key_Enter);
        break;
    case CloseBy::EscOnBox:
        QTest::keyClick(d->checkBox(), Qt::Key_Escape);
        break;
    }
    QCOMPARE(Settings::uvitani(), stored);
    QVERIFY(!d->isVisible());
    QVERIFY(InputLock::isInputEnabled(w.main.get()));
    QVERIFY(InputLock::isInputEnabled(w.assistant.get()));
    QVERIFY(!w.help->isVisible());
}

void UvitaniTest::otherKeysOnTheBoxLeaveTheDialogOpen()
{
    // Space still ticks the box; only Enter and Esc close.
    Windows w("[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n");
    w.showAssistantAt(QPoint(600, 400));
    w.welcome->show();
    QTest::keyClick(w.welcome->checkBox(), Qt::Key_Space);
    QTest::keyClick(w.welcome->checkBox(), Qt::Key_A);
    QVERIFY(w.welcome->isVisible());
    QVERIFY(w.welcome->checkBox()->isChecked());
    QCOMPARE(Settings::uvitani(), QStringLiteral("0"));
}

void UvitaniTest::theHelpLineStoresTheBoxBeforeOpeningHelpOnItsList_data()
{
    QTest::addColumn<QByteArray>("pomocnik");
    QTest::addColumn<QPoint>("assistantAt");
    QTest::addColumn<QPoint>("assistantAfter");
    QTest::addColumn<QPoint>("helpAt");
    // Corner with margins 7/25: (1024 - 104 - 7, 768 - 104 - 25).
    QTest::newRow("room beside the assistant") << QByteArray("1") << QPoint(600, 500) << QPoint(600, 500)
                                               << QPoint(600 + 104 - 246 - 40, 500 - 343 + 30);
    QTest::newRow("assistant too high") << QByteArray("1") << QPoint(600, 300) << QPoint(913, 639)
                                        << QPoint(913 + 104 - 246 - 40, 639 - 343 + 30);
    QTest::newRow("assistant too far left") << QByteArray("1") << QPoint(150, 500) << QPoint(913, 639)
                                            << QPoint(731, 326);
    QTest::newRow("assistant closed meanwhile") << QByteArray("0") << QPoint(600, 500) << QPoint(600, 500)
                                                << QPoint(418, 187);
}

void UvitaniTest::theHelpLineStoresTheBoxBeforeOpeningHelpOnItsList()
{
    QFETCH(QByteArray, pomocnik);
    QFETCH(QPoint, assistantAt);
    QFETCH(QPoint, assistantAfter);
    QFETCH(QPoint, helpAt);
    Windows w("[Nastaveni]\r\nUvitani=1\r\n");
    w.showAssistantAt(assistantAt);
    w.welcome->show();
    w.welcome->checkBox()->setChecked(false);
    // What "Pomocnik" says when the help link runs; closing the assistant
    // meanwhile is what makes it "0".
    Settings::setPomocnik(QString::fromLatin1(pomocnik));
    if (pomocnik == "0")
        w.assistant->hide();
    // The help was on a topic when last left.
    w.help->topicClick(3);

    QString storedWhenHelpShows;
    struct ShowSpy : QObject {
        QString *seen;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Show)
                *seen = Settings::uvitani();
            return false;
        }
    } spy;
    spy.seen = &storedWhenHelpShows;
    w.help->installEventFilter(&spy);

    click(w.welcome->helpLink());
    w.help->removeEventFilter(&spy);
    QCOMPARE(storedWhenHelpShows, QStringLiteral("0"));
    QVERIFY(!w.welcome->isVisible());
    QVERIFY(w.help->isVisible());
    QCOMPARE(w.help->title()->text(), QStringLiteral("Seznam témat nápovědy"));
    QVERIFY(w.help->topicList()->isVisible());
    QVERIFY(w.assistant->isVisible());
    QCOMPARE(w.assistant->pos(), assistantAfter);
    QCOMPARE(w.help->pos(), helpAt);
    // The help holds the windows now.
    QVERIFY(w.locked());
}

void UvitaniTest::theManualLineStartsTheManualAndLeavesTheDialogOpen_data()
{
    QTest::addColumn<bool>("program");
    QTest::addColumn<bool>("pages");
    QTest::addColumn<bool>("linkEnabled");
    QTest::newRow("manual installed") << true << true << true;
    QTest::newRow("manual missing") << false << false << true;
    QTest::newRow("program without its pages") << true << false << true;
    QTest::newRow("pages without the program") << false << true << true;
    QTest::newRow("line switched off") << true << true << false;
}

void UvitaniTest::theManualLineStartsTheManualAndLeavesTheDialogOpen()
{
#ifdef Q_OS_WIN
    QSKIP("the stand-in manual is a shell script");
#else
    QFETCH(bool, program);
    QFETCH(bool, pages);
    QFETCH(bool, linkEnabled);
    Windows w("[Nastaveni]\r\nPomocnik=1\r\n");
    if (program) {
        // A stand-in manual that notes the page it was asked to open.
        w.dir.writeFile(Manual::programName(), "#!/bin/sh\necho \"$1\" > opened.txt.part && mv opened.txt.part opened.txt\n");
        QFile::setPermissions(w.dir.file(Manual::programName()), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (pages)
        w.dir.writeFile("Html/Toran2000/Index.htm", "<html></html>");
    // The menu item, the toolbar button and this line are enabled by this lookup.
    QCOMPARE(Manual::isAvailable(), program && pages);
    const bool installed = program && pages;
    w.showAssistantAt(QPoint(600, 400));
    w.welcome->setManualLinkEnabled(linkEnabled);
    w.welcome->show();
    click(w.welcome->manualLink());
    QVERIFY(w.welcome->isVisible());
    QVERIFY(w.locked());
    const QString opened = w.dir.file("opened.txt");
    if (installed && linkEnabled) {
        QTRY_VERIFY(QFile::exists(opened));
        QCOMPARE(w.dir.readFile("opened.txt").trimmed(), QByteArray("Html/Toran2000/Index.htm"));
    } else {
        QTest::qWait(300);   // the installed stand-in writes its note well within this
        QVERIFY(!QFile::exists(opened));
    }
    QVERIFY(!QFile::exists(w.dir.file("KQ2000.ini")) || !w.dir.readFile("KQ2000.ini").contains("Uvitani"));
#endif
}

void UvitaniTest::aRefusedWriteIsReportedAndTheDialogStaysOpen_data()
{
    QTest::addColumn<bool>("byHelpLine");
    QTest::newRow("Esc") << false;
    QTest::newRow("help line") << true;
}

void UvitaniTest::aRefusedWriteIsReportedAndTheDialogStaysOpen()
{
    QFETCH(bool, byHelpLine);
    Windows w(QByteArray{});
    QVERIFY(QDir(w.dir.path()).mkdir("KQ2000.ini"));   // the write will be refused
    w.assistant->move(600, 400);
    QStringList reports;
    ErrorReport::setSinkForTesting([&](const QString &text) { reports << text; });
    w.welcome->show();
    QVERIFY(reports.isEmpty());
    if (byHelpLine)
        click(w.welcome->helpLink());
    else
        QTest::keyClick(w.welcome.get(), Qt::Key_Escape);
    QCOMPARE(reports, QStringList{QStringLiteral("Unable to write to %1").arg(w.dir.file("KQ2000.ini"))});
    // The rest of the handler did not run.
    QVERIFY(w.welcome->isVisible());
    QVERIFY(w.locked());
    QVERIFY(!w.help->isVisible());
}

TORAN_TEST_MAIN(UvitaniTest)
#include "tst_uvitani.moc"
