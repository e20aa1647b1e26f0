#include "Napoveda.h"

#include "Placement.h"
#include "Pomocnik.h"
#include "services/DialogSupport.h"
#include "core/drawing/Fonts.h"
#include "core/settings/Settings.h"
#include "core/drawing/Colors.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"
#include "widgets/Placed.h"

#include <QKeyEvent>
#include <QLabel>

QString TNapovedaDialog::listTitle() { return tr("Seznam témat nápovědy"); }

namespace {

struct Topic {
    int top;              // in the list panel
    const char *name;
    // Sources in the context "TNapovedaDialog"; an empty additional text
    // stays empty.
    const char *title;    // the entry's caption is the topic's title
    const char *mainText;
    const char *additionalText;
};

// In the list's (alphabetical) order from the top.
constexpr Topic kTopicTable[TNapovedaDialog::kTopics] = {
    {0, "OfficeLabel9", QT_TRANSLATE_NOOP("TNapovedaDialog", "Elektronický manuál"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Každý modul skupiny programů KQ2000 obsahuje podrobný manuál v elektronické podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, nebo pomocí nabídky menu > Nápověda > Elektronický manuál."),
     ""},
    {16, "OfficeLabel15", QT_TRANSLATE_NOOP("TNapovedaDialog", "Jak hrát"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Hra se hraje za pomoci myši. Klikněte myší na požadovaný disk, který chcete přenést a poté klikněte na místo, kam má být přenesen. Pokud je tento tah přípustný, bude disk automaticky přenesen. Pokud jste zvolili nedovolený tah, zůstane disk nad původním místem a vy máte možnost vybrat jiné umístění, nebo disk položit zpět."),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Každé zvednutí disku (i v případě, že bude položen zpět na své místo) je počítáno jako jeden tah.")},
    {32, "OfficeLabel4", QT_TRANSLATE_NOOP("TNapovedaDialog", "Nová hra"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Tato nabídka Vám umožňuje vybrat způsob hry (3,4..10 disků). Po otevření dialogového okna s výběrem nové hry stačí kliknout na požadovaný počet disků pro přenášení. Pro lepší představu, jak věž vypadá je u každého počtu zobrazen malý náhled."),
     ""},
    {48, "OfficeLabel6", QT_TRANSLATE_NOOP("TNapovedaDialog", "Šéfovská pojistka"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Tato volba slouží pro rychlé uschování hry v případě, že přijde k Vašemu počítači nepovolaná návštěva (nadřízený, nespolehlivý spolupracovník, ředitel...) a Vy  nechcete přijít o rozehranou partii. Po pominutí nebezpečí stačí znovu stisknout tlačítko s pojistkou a hra bude pokračovat."),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Samozřejmě nechci nabádat k hraní her v pracovní době, ale v některých případech může jít o malé rozptýlení v jinak šedém dni.")},
    {64, "OfficeLabel16", QT_TRANSLATE_NOOP("TNapovedaDialog", "Tabulka nejlepších"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Každý hráč má možnost zápisu do tabulky nejlepších , ale jen v následujících případech : Tabulka pro aktuální počet disků ještě neobsahuje deset jmen, dosáhli jste nižšího počtu tahů než jeden ze zapsaných hráčů nebo jste dosáhli stejný počet tahů jako některý z hráčů, ale datum Vaší hry je vyšší, než jeho."),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Pro každý typ hry (3,4..10 disků) je vlastní tabulka nejlepších, která je nezávislá na ostatních.")},
    {80, "OfficeLabel7", QT_TRANSLATE_NOOP("TNapovedaDialog", "Ukončení hry"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Pokud nechcete vybranou partii dohrát, stačí zvolit nabídku menu Soubor > Ukončení hry. Aktuální hra bude ukončena bez zápisu do tabulky. Pokud chcete hru pouze přerušit kvůli nevítané návštěvě, použijte nabídku menu Nástroje > Šéfovská pojistka. Hra bude přerušena a uschována pod fiktivní data o plnění plánu."),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Uschovanou hru opět zobrazíte kliknutím na nabídku menu Nástroje > Šéfovská pojistka.")},
    {96, "OfficeLabel5", QT_TRANSLATE_NOOP("TNapovedaDialog", "Účel hry Toranská věž 2000"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Účelem této hry je přemístit věž složenou z několika disků ležících na sobě z jednoho místa na druhé, za použití co nejmenšího počtu tahů, přičemž smíte pokládat pouze malé disky na velké."),
     ""},
    {112, "OfficeLabel8", QT_TRANSLATE_NOOP("TNapovedaDialog", "Úvodní a závěrečná animace"),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Tato volba zobrazí animovaný obrázek při startu a ukončení programu a je doporučena majitelů rychlejších PC s dobrou grafickou kartou."),
     QT_TRANSLATE_NOOP("TNapovedaDialog", "Tyto animace mají pouze kosmetický efekt a neovlivní nijak samotnou hru.")},
};

constexpr int kEntryLeft = 3;
constexpr QSize kEntrySize(230, 17);

} // namespace

TNapovedaDialog::TNapovedaDialog(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NapovedaDialog"));
    DialogSupport::makeBalloon(this, PlacementRules::kHelpSize, bpBottomRight,
                               tr("Nápověda programu Toranská věž 2000"));
    setFont(Fonts::sansSerif(11));
    setFocusPolicy(Qt::StrongFocus);

    const QFont text = Fonts::times(13);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    m_label1 = DialogSupport::label(this, "Label1", tr("Jméno oddílu nápovědy"), QRect(5, 8, 233, 15),
                                    Fonts::times(13, true), centred);
    m_label2 = DialogSupport::label(this, "Label2", QString(), QRect(5, 30, 233, 131), text, centred, true);
    placed(new BevelLine(this), QStringLiteral("Bevel2"), QRect(5, 176, 233, 9));
    QLabel *informace = DialogSupport::label(this, "Label4", tr("Informace"), QRect(5, 184, 233, 15),
                                             Fonts::times(13, false, true));
    QPalette red = informace->palette();
    red.setColor(QPalette::WindowText, QColor(Colors::Red));
    informace->setPalette(red);
    m_label3 = DialogSupport::label(this, "Label3", QString(), QRect(5, 208, 233, 65), text, centred, true);
    placed(new BevelLine(this), QStringLiteral("Bevel1"), QRect(5, 280, 233, 9));
    m_officeLabel1 = DialogSupport::officeLabel(this, "OfficeLabel1", tr("Zobrazit seznam témat nápovědy"),
                                                QRect(8, 288, 209, 17), text,
                                                tr("Zobrazí úplný seznam témat nápovědy"));
    connect(m_officeLabel1, &TOfficeLabel::clicked, this, &TNapovedaDialog::OfficeLabel1Click);

    auto *panel = new Panel(this, Panel::NoBevel, QColor(Colors::BalloonYellow));
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(5, 30, 233, 275);
    for (int i = 0; i < kTopics; ++i) {
        const Topic &topic = kTopicTable[i];
        m_entries[i] = DialogSupport::officeLabel(panel, topic.name, tr(topic.title),
                                                  QRect(QPoint(kEntryLeft, topic.top), kEntrySize), text);
        connect(m_entries[i], &TOfficeLabel::clicked, this, [this, i] { topicClick(i); });
    }
    placed(new BevelLine(panel), QStringLiteral("Bevel3"), QRect(0, 267, 233, 9));
    panel->hide();
    m_panel1 = panel;

    // Over the panel's last row, so that the whole line shows with the list.
    TOfficeLabel *leave = DialogSupport::officeLabel(this, "OfficeLabel2", tr("Opustit nápovědu"),
                                                     QRect(8, 304, 113, 17), Fonts::sansSerif(11),
                                                     tr("Uzavře dialogové okno s nápovědou"));
    connect(leave, &TOfficeLabel::clicked, this, &TNapovedaDialog::OfficeLabel2Click);
}

void TNapovedaDialog::openOnTopicList()
{
    m_label1->setText(listTitle());
    showList(true);
}

void TNapovedaDialog::showList(bool list)
{
    // The keyboard follows the player: from a topic to its text, which a
    // reader then reads first (Tab goes on to the link back to the list),
    // from that link to the topic last read.
    QWidget *focused = focusWidget();
    const bool keyboardHere = focused && focused != this && focused->hasFocus();
    m_panel1->setVisible(list);
    // The topic's text and the link back lie under the list while it shows.
    for (QWidget *w : {static_cast<QWidget *>(m_label2), static_cast<QWidget *>(m_officeLabel1)})
        w->setFocusPolicy(list ? Qt::NoFocus : Qt::TabFocus);
    if (keyboardHere)
        (list ? static_cast<QWidget *>(m_entries[m_topic]) : m_label2)->setFocus(Qt::TabFocusReason);
}

void TNapovedaDialog::openBesideAssistant()
{
    using PlacementRules::DialogRow;
    openOnTopicList();
    const QString pomocnik = Settings::pomocnik();
    if (m_assistant) {
        Placement::applyRule(DialogRow::Help, m_assistant, Placement::outerRect(this).size());
        if (pomocnik != QLatin1String("1"))
            m_assistant->showAssistant();
        Placement::placeDialog(DialogRow::Help, this, m_assistant);
    }
    show();
}

void TNapovedaDialog::topicClick(int index)
{
    const Topic &topic = kTopicTable[index];
    m_label1->setText(tr(topic.title));
    m_label2->setText(tr(topic.mainText));
    m_label3->setText(*topic.additionalText ? tr(topic.additionalText) : QString());
    m_topic = index;
    showList(false);
}

void TNapovedaDialog::OfficeLabel1Click()
{
    showList(true);
    m_label1->setText(listTitle());
}

void TNapovedaDialog::OfficeLabel2Click() { close(); }

void TNapovedaDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}

void TNapovedaDialog::keyPressEvent(QKeyEvent *event)
{
    // Up and Down walk the topics and links as Tab does.
    if (event->key() == Qt::Key_Escape)
        close();
    else if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)
        focusNextPrevChild(event->key() == Qt::Key_Down);
    else
        QWidget::keyPressEvent(event);
}
