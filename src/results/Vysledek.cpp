#include "Vysledek.h"

#include "core/results/Data.h"
#include "core/results/ResultsTable.h"
#include "core/results/Verdict.h"
#include "dialogs/Placement.h"
#include "services/DialogSupport.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "core/sound/SoundCue.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TVysledekDialog::TVysledekDialog(TDataModule1 *data, QWidget *parent)
    : QWidget(parent)
    , m_data(data)
{
    setObjectName(QStringLiteral("VysledekDialog"));
    DialogSupport::makeBalloon(this, QSize(252, 176), bpBottomRight, tr("Výsledek aktuální hry"));
    setFont(Fonts::sansSerif(11));

    const QFont text = Fonts::times(13);
    const QFont bold = Fonts::times(13, true);
    DialogSupport::label(this, "Label1", tr("Výsledek Vaší hry"), QRect(27, 6, 189, 19), bold,
                         Qt::AlignHCenter | Qt::AlignTop, true);
    QLabel *label2 = DialogSupport::label(this, "Label2", tr("Počet přenášených disků             :"),
                                          QRect(11, 30, 176, 15), text);
    QLabel *label3 = DialogSupport::label(this, "Label3", tr("Minimální počet tahů                    :"),
                                          QRect(11, 46, 176, 15), text);
    QLabel *label4 = DialogSupport::label(this, "Label4", tr("Počet Vámi uskutečněných tahů :"),
                                          QRect(11, 62, 177, 15), text);
    m_label5 = DialogSupport::label(this, "Label5", QString(), QRect(190, 30, 0, 0), bold);
    m_label6 = DialogSupport::label(this, "Label6", QString(), QRect(190, 46, 0, 0), bold);
    m_label7 = DialogSupport::label(this, "Label7", QString(), QRect(190, 62, 0, 0), bold);
    // A reader reads each figure with its caption (the labels' relation).
    label2->setBuddy(m_label5);
    label3->setBuddy(m_label6);
    label4->setBuddy(m_label7);
    auto *bevel1 = new BevelLine(this);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setGeometry(9, 80, 225, 9);
    m_label8 = DialogSupport::label(this, "Label8", tr("Vaše jméno do tabulky nejlepších :"),
                                    QRect(11, 86, 184, 15), text);
    // Made alone and given its font before it joins the dialog: a line edit
    // lays out its text as it is made, in the font it inherits, and this
    // one would load a font it never shows.
    m_edit1 = new QLineEdit;
    m_edit1->setFont(text);
    m_edit1->setParent(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(9, 104, 225, 21);
    m_edit1->installEventFilter(this);
    m_label8->setBuddy(m_edit1);   // the name box is read by its label
    m_label9 = DialogSupport::label(this, "Label9", tr("Hra s nápovědou se do tabulky nezapisuje."),
                                    QRect(11, 88, 225, 34), text, Qt::AlignHCenter | Qt::AlignVCenter, true);
    m_label9->hide();
    auto *bevel2 = new BevelLine(this);
    bevel2->setObjectName(QStringLiteral("Bevel2"));
    bevel2->setGeometry(9, 130, 225, 9);
    m_ok = DialogSupport::officeButton(this, "OfficeButton1", tr("Ok"), {90, 135}, text,
                                       tr("Uzavře dialogové okno"));
    connect(m_ok, &TOfficeButton::clicked, this, &TVysledekDialog::OfficeButton1Click);
    setFocusProxy(m_edit1);
    // A balloon that came up while the player was in another program takes
    // the keyboard when they come back to the game, not before.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && m_waitsForPlayer && isVisible()) {
            m_waitsForPlayer = false;
            activateWindow();
            m_edit1->setFocus();
        }
    });
}

void TVysledekDialog::setFigures(const QString &diskCount, const QString &minimum, const QString &moves)
{
    for (auto [label, value] : {std::pair{m_label5, diskCount}, {m_label6, minimum}, {m_label7, moves}}) {
        label->setText(value);
        label->adjustSize();
    }
}

void TVysledekDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ErrorReport::guard(this, [this] { showSteps(); });
}

void TVysledekDialog::showSteps()
{
    m_storeFailed = false;
    m_edit1->clear();
    m_edit1->setEnabled(false);
    m_label8->setEnabled(false);
    m_label8->setVisible(!m_playedWithHelp);
    m_edit1->setVisible(!m_playedWithHelp);
    m_label9->setVisible(m_playedWithHelp);
    // A table that cannot be read now is reported, and the dialog still
    // takes its place beside the assistant, its name box greyed.
    if (m_data && !m_playedWithHelp)
        ErrorReport::guard(this, [this] {
            const bool qualifies = Verdict::qualifies(m_data->Table1(), m_label5->text(), m_label7->text());
            m_edit1->setEnabled(qualifies);
            m_label8->setEnabled(qualifies);
        });
    PlaySoundCue(QStringLiteral("Dialog.wav"));
    if (m_assistant)
        Placement::placeDialog(PlacementRules::DialogRow::Result, this, m_assistant);
    // The keyboard is taken only from the game itself: keys typed into
    // another program must not land in the name box.
    m_waitsForPlayer = QGuiApplication::applicationState() != Qt::ApplicationActive;
    setAttribute(Qt::WA_ShowWithoutActivating, m_waitsForPlayer);
    if (m_playedWithHelp)
        m_ok->setFocus();
    else
        m_edit1->setFocus();
    if (m_waitsForPlayer)
        QApplication::alert(this);
    else
        activateWindow();
}

void TVysledekDialog::OfficeButton1Click()
{
    if (!ErrorReport::guard(this, [this] { confirm(); }))
        m_storeFailed = true;
}

// Esc confirms too, there being nothing to cancel; but where the table
// cannot be written it would only repeat the error, and the player could
// not leave the balloon: after a failed store it leaves without storing.
void TVysledekDialog::escape()
{
    if (m_storeFailed)
        close();
    else
        OfficeButton1Click();
}

void TVysledekDialog::confirm()
{
    emit confirmed();   // the board goes back to idle before the result is stored
    if (m_edit1->isEnabled() && m_data)
        Verdict::store(m_data->Table1(), m_edit1->text(), m_label7->text(), m_label5->text());
    close();
}

void TVysledekDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OfficeButton1Click();
        break;
    case Qt::Key_Escape:
        escape();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool TVysledekDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The name box hands Enter and Esc to the dialog.
    if (watched == m_edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            keyPressEvent(static_cast<QKeyEvent *>(event));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
