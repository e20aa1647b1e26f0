// The help dialog: its list and topic states, the eight topics' texts, and
// the ways it is left.
#include "dialogs/Napoveda.h"
#include "dialogs/Placement.h"
#include "dialogs/Pomocnik.h"
#include "shell/Hlavni.h"
#include "services/DialogLock.h"
#include "services/InputLock.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestSupport.h"
#include "widgets/OContrls.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

struct Windows {
    Windows()
    {
        dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
        dir.writeFile("KQ2000.ini", "[Nastaveni]\r\nPomocnik=1\r\n");
        Placement::setScreenSizeForTesting(QSize(1024, 768));
        main = std::make_unique<THlavniDialog>();
        assistant = std::make_unique<TPomocnikDialog>();
        help = std::make_unique<TNapovedaDialog>();
        help->setAssistant(assistant.get());
        lock.setLockedWindows(main.get(), assistant.get());
        lock.watch(help.get());
        assistant->move(600, 500);
        assistant->showAssistant();
    }
    ~Windows()
    {
        help->hide();
        Placement::setScreenSizeForTesting(QSize());
    }
    bool locked() const
    {
        return !InputLock::isInputEnabled(main.get()) && !InputLock::isInputEnabled(assistant.get());
    }
    TOfficeLabel *link(const char *name) const { return help->findChild<TOfficeLabel *>(name); }
    QString label(const char *name) const { return help->findChild<QLabel *>(name)->text(); }

    ScratchAppDir dir;
    RecordingSoundPlayer sounds;
    DialogLock lock;
    std::unique_ptr<THlavniDialog> main;
    std::unique_ptr<TPomocnikDialog> assistant;
    std::unique_ptr<TNapovedaDialog> help;
};

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, w->height() / 2));
}

// The widget the player sees at a point of the dialog.
QString seenAt(QWidget *dialog, const QPoint &at)
{
    QWidget *w = dialog->childAt(at);
    while (w && w->objectName().isEmpty())
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

enum class LeaveBy { Esc, LeaveLine, CloseRequest, Hide };

} // namespace

Q_DECLARE_METATYPE(LeaveBy)

class NapovedaTest : public QObject
{
    Q_OBJECT
private slots:
    void theListCoversTheTextsButNotTheLeaveLine();
    void everyTopicSetsItsThreeTextsAndNothingOfThePreviousRemains_data();
    void everyTopicSetsItsThreeTextsAndNothingOfThePreviousRemains();
    void theListLineShowsTheListAndKeepsTheTextsUnderIt();
    void reopeningAfterATopicShowsTheListWithItsTitle();
    void everyWayOfLeavingClosesAndUnlocks_data();
    void everyWayOfLeavingClosesAndUnlocks();
    void noOtherKeyCloses();
};

void NapovedaTest::theListCoversTheTextsButNotTheLeaveLine()
{
    Windows w;
    QCOMPARE(w.help->size(), QSize(246, 343));
    QCOMPARE(w.help->statusTip(), QStringLiteral("Nápověda programu Toranská věž 2000"));
    QVERIFY(w.help->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!w.help->topicList()->isVisible());
    QCOMPARE(w.help->title()->text(), QStringLiteral("Jméno oddílu nápovědy"));
    w.help->openBesideAssistant();
    QVERIFY(w.locked());
    QCOMPARE(w.help->topicList()->geometry(), QRect(5, 30, 233, 275));
    // The list hides the "Informace" caption and the list line; the leave
    // line stays in sight, its top row included.
    QCOMPARE(seenAt(w.help.get(), QPoint(100, 190)), QStringLiteral("Panel1"));
    QCOMPARE(seenAt(w.help.get(), QPoint(20, 295)), QStringLiteral("Panel1"));
    QCOMPARE(seenAt(w.help.get(), QPoint(20, 304)), QStringLiteral("OfficeLabel2"));
    QCOMPARE(w.link("OfficeLabel2")->caption(), QStringLiteral("Opustit nápovědu"));
    QCOMPARE(w.link("OfficeLabel2")->statusTip(), QStringLiteral("Uzavře dialogové okno s nápovědou"));
    QCOMPARE(w.link("OfficeLabel1")->caption(), QStringLiteral("Zobrazit seznam témat nápovědy"));
    QCOMPARE(w.link("OfficeLabel1")->statusTip(), QStringLiteral("Zobrazí úplný seznam témat nápovědy"));
    QLabel *informace = w.help->findChild<QLabel *>("Label4");
    QCOMPARE(informace->text(), QStringLiteral("Informace"));
    QVERIFY(informace->font().italic());
    QCOMPARE(informace->palette().color(QPalette::WindowText), QColor(Qt::red));
}

void NapovedaTest::everyTopicSetsItsThreeTextsAndNothingOfThePreviousRemains_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("mainText");
    QTest::addColumn<QString>("additionalText");
    QTest::newRow("Elektronický manuál") << 0 << QStringLiteral("Elektronický manuál")
        << QStringLiteral("Každý modul skupiny programů KQ2000 obsahuje podrobný manuál v elektronické podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, nebo pomocí nabídky menu > Nápověda > Elektronický manuál.")
        << QStringLiteral("");
    QTest::newRow("Jak hrát") << 1 << QStringLiteral("Jak hrát")
        << QStringLiteral("Hra se hraje za pomoci myši. Klikněte myší na požadovaný disk, který chcete přenést a poté klikněte na místo, kam má být přenesen. Pokud je tento tah přípustný, bude disk automaticky přenesen. Pokud jste zvolili nedovolený tah, zůstane disk nad původním místem a vy máte možnost vybrat jiné umístění, nebo disk položit zpět.")
        << QStringLiteral("Každé zvednutí disku (i v případě, že bude položen zpět na své místo) je počítáno jako jeden tah.");
    QTest::newRow("Nová hra") << 2 << QStringLiteral("Nová hra")
        << QStringLiteral("Tato nabídka Vám umožňuje vybrat způsob hry (3,4..10 disků). Po otevření dialogového okna s výběrem nové hry stačí kliknout na požadovaný počet disků pro přenášení. Pro lepší představu, jak věž vypadá je u každého počtu zobrazen malý náhled.")
        << QStringLiteral("");
    QTest::newRow("Šéfovská pojistka") << 3 << QStringLiteral("Šéfovská pojistka")
        << QStringLiteral("Tato volba slouží pro rychlé uschování hry v případě, že přijde k Vašemu počítači nepovolaná návštěva (nadřízený, nespolehlivý spolupracovník, ředitel...) a Vy  nechcete přijít o rozehranou partii. Po pominutí nebezpečí stačí znovu stisknout tlačítko s pojistkou a hra bude pokračovat.")
        << QStringLiteral("Samozřejmě nechci nabádat k hraní her v pracovní době, ale v některých případech může jít o malé rozptýlení v jinak šedém dni.");
    QTest::newRow("Tabulka nejlepších") << 4 << QStringLiteral("Tabulka nejlepších")
        << QStringLiteral("Každý hráč má možnost zápisu do tabulky nejlepších , ale jen v následujících případech : Tabulka pro aktuální počet disků ještě neobsahuje deset jmen, dosáhli jste nižšího počtu tahů než jeden ze zapsaných hráčů nebo jste dosáhli stejný počet tahů jako některý z hráčů, ale datum Vaší hry je vyšší, než jeho.")
        << QStringLiteral("Pro každý typ hry (3,4..10 disků) je vlastní tabulka nejlepších, která je nezávislá na ostatních.");
    QTest::newRow("Ukončení hry") << 5 << QStringLiteral("Ukončení hry")
        << QStringLiteral("Pokud nechcete vybranou partii dohrát, stačí zvolit nabídku menu Soubor > Ukončení hry. Aktuální hra bude ukončena bez zápisu do tabulky. Pokud chcete hru pouze přerušit kvůli nevítané návštěvě, použijte nabídku menu Nástroje > Šéfovská pojistka. Hra bude přerušena a uschována pod fiktivní data o plnění plánu.")
        << QStringLiteral("Uschovanou hru opět zobrazíte kliknutím na nabídku menu Nástroje > Šéfovská pojistka.");
    QTest::newRow("Účel hry Toranská věž 2000") << 6 << QStringLiteral("Účel hry Toranská věž 2000")
        << QStringLiteral("Účelem této hry je přemístit věž složenou z několika disků ležících na sobě z jednoho místa na druhé, za použití co nejmenšího počtu tahů, přičemž smíte pokládat pouze malé disky na velké.")
        << QStringLiteral("");
    QTest::newRow("Úvodní a závěrečná animace") << 7 << QStringLiteral("Úvodní a závěrečná animace")
        << QStringLiteral("Tato volba zobrazí animovaný obrázek při startu a ukončení programu a je doporučena majitelů rychlejších PC s dobrou grafickou kartou.")
        << QStringLiteral("Tyto animace mají pouze kosmetický efekt a neovlivní nijak samotnou hru.");
}

void NapovedaTest::everyTopicSetsItsThreeTextsAndNothingOfThePreviousRemains()
{
    QFETCH(int, entry);
    QFETCH(QString, title);
    QFETCH(QString, mainText);
    QFETCH(QString, additionalText);
    Windows w;
    w.help->openBesideAssistant();
    // The list in alphabetical order, one entry every 16 pixels.
    TOfficeLabel *e = w.help->topicEntry(entry);
    QCOMPARE(e->caption(), title);
    QCOMPARE(e->geometry(), QRect(3, 16 * entry, 230, 17));
    // Another topic first, one with texts in both places, then the list again.
    const int before = entry == 3 ? 1 : 3;
    click(w.help->topicEntry(before));
    QVERIFY(!w.help->mainText()->text().isEmpty());
    QVERIFY(!w.help->additionalText()->text().isEmpty());
    click(w.link("OfficeLabel1"));
    QVERIFY(w.help->topicList()->isVisible());

    click(e);
    QCOMPARE(w.help->title()->text(), title);
    QCOMPARE(w.help->mainText()->text(), mainText);
    QCOMPARE(w.help->additionalText()->text(), additionalText);
    QVERIFY(!w.help->topicList()->isVisible());
    // The caption stays even over an empty additional text, and the list
    // line is in sight again.
    QVERIFY(w.help->findChild<QLabel *>("Label4")->isVisible());
    QCOMPARE(seenAt(w.help.get(), QPoint(20, 295)), QStringLiteral("OfficeLabel1"));
    QVERIFY(w.help->isVisible());
}

void NapovedaTest::theListLineShowsTheListAndKeepsTheTextsUnderIt()
{
    Windows w;
    w.help->openBesideAssistant();
    click(w.help->topicEntry(1));
    const QString mainText = w.help->mainText()->text();
    click(w.link("OfficeLabel1"));
    QCOMPARE(w.help->title()->text(), QStringLiteral("Seznam témat nápovědy"));
    QVERIFY(w.help->topicList()->isVisible());
    QCOMPARE(w.help->mainText()->text(), mainText);
}

void NapovedaTest::reopeningAfterATopicShowsTheListWithItsTitle()
{
    Windows w;
    w.help->openBesideAssistant();
    click(w.help->topicEntry(5));
    QTest::keyClick(w.help.get(), Qt::Key_Escape);
    QVERIFY(!w.help->isVisible());
    // Hidden, it keeps the topic until it is opened again.
    QCOMPARE(w.help->title()->text(), QStringLiteral("Ukončení hry"));
    w.help->openBesideAssistant();
    QVERIFY(w.help->isVisible());
    QCOMPARE(w.help->title()->text(), QStringLiteral("Seznam témat nápovědy"));
    QVERIFY(w.help->topicList()->isVisible());
    QVERIFY(w.locked());
}

void NapovedaTest::everyWayOfLeavingClosesAndUnlocks_data()
{
    QTest::addColumn<LeaveBy>("way");
    QTest::addColumn<bool>("onTopic");
    QTest::newRow("Esc on the list") << LeaveBy::Esc << false;
    QTest::newRow("Esc on a topic") << LeaveBy::Esc << true;
    QTest::newRow("leave line on the list") << LeaveBy::LeaveLine << false;
    QTest::newRow("leave line on a topic") << LeaveBy::LeaveLine << true;
    QTest::newRow("window close request") << LeaveBy::CloseRequest << true;
    QTest::newRow("hidden by the program, not closed") << LeaveBy::Hide << true;
}

void NapovedaTest::everyWayOfLeavingClosesAndUnlocks()
{
    QFETCH(LeaveBy, way);
    QFETCH(bool, onTopic);
    Windows w;
    w.help->openBesideAssistant();
    if (onTopic)
        click(w.help->topicEntry(0));
    QVERIFY(w.locked());
    switch (way) {
    case LeaveBy::Esc:
        QTest::keyClick(w.help.get(), Qt::Key_Escape);
        break;
    case LeaveBy::LeaveLine:
        click(w.link("OfficeLabel2"));
        break;
    case LeaveBy::CloseRequest:
        w.help->close();
        break;
    case LeaveBy::Hide:
        w.help->hide();
        break;
    }
    QVERIFY(!w.help->isVisible());
    QVERIFY(InputLock::isInputEnabled(w.main.get()));
    QVERIFY(InputLock::isInputEnabled(w.assistant.get()));
}

void NapovedaTest::noOtherKeyCloses()
{
    Windows w;
    w.help->openBesideAssistant();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1, Qt::Key_Q})
        QTest::keyClick(w.help.get(), key);
    QVERIFY(w.help->isVisible());
    QVERIFY(w.help->topicList()->isVisible());
}

TORAN_TEST_MAIN(NapovedaTest)
#include "tst_napoveda.moc"
