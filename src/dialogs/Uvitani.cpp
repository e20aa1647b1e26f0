#include "Uvitani.h"

#include "Napoveda.h"
#include "Placement.h"
#include "services/DialogSupport.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "core/system/Manual.h"
#include "core/settings/Settings.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>

TUvitaniDialog::TUvitaniDialog(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("UvitaniDialog"));
    DialogSupport::makeBalloon(this, PlacementRules::kWelcomeSize, bpBottomRight, tr("Uvítací dialog"));
    setFont(Fonts::sansSerif(11));

    const QFont text = Fonts::times(13);
    const QFont bold = Fonts::times(13, true);
    // The check box is the only control that takes the focus, so it is the
    // first in the tab order.
    m_checkBox1 = new QCheckBox(tr("Zobrazit tento dialog při každém spuštění programu"), this);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->setGeometry(8, 103, 302, 17);
    m_checkBox1->setFont(text);
    m_checkBox1->setChecked(false);
    m_checkBox1->installEventFilter(this);

    // The two lines size themselves to their text (designed 309 and 252
    // wide), since the installed serif runs a little wider.
    DialogSupport::label(this, "Label1", tr("Pomocník KQ2000 je připraven poradit Vám v nesnázích."),
                         QRect(5, 3, 0, 0), bold);
    DialogSupport::label(this, "Label2", tr("Stačí si pouze vybrat, jakou pomoc potřebujete."),
                         QRect(5, 18, 0, 0), bold);
    using DialogSupport::officeLabel;
    m_officeLabel2 = officeLabel(this, "OfficeLabel2",
                                 tr("Zobrazit úplný seznam témat nápovědy programu Toranská věž 2000"),
                                 QRect(5, 40, 396, 17), text, tr("Zobrazí úplný seznam témat nápovědy"));
    m_officeLabel3 = officeLabel(this, "OfficeLabel3",
                                 tr("Spustit elektronický manuál programu Toranská věž 2000"),
                                 QRect(5, 56, 340, 17), text,
                                 tr("Spustí elektronický manuál pro Toranskou věž 2000"));
    m_officeLabel4 = officeLabel(this, "OfficeLabel4", tr("Začít pracovat s programem Toranská věž 2000"),
                                 QRect(5, 72, 292, 17), text, tr("Zahájí práci s programem"));
    auto *bevel = new BevelLine(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(5, 97, 388, 9);
    // The line lies over the box's top rows; the box stays clickable.
    m_checkBox1->raise();

    connect(m_officeLabel2, &TOfficeLabel::clicked, this, &TUvitaniDialog::OfficeLabel2Click);
    connect(m_officeLabel3, &TOfficeLabel::clicked, this, &TUvitaniDialog::OfficeLabel3Click);
    connect(m_officeLabel4, &TOfficeLabel::clicked, this, &TUvitaniDialog::OfficeLabel4Click);
    setFocusProxy(m_checkBox1);
}

void TUvitaniDialog::setManualLinkEnabled(bool enabled) { m_officeLabel3->setControlEnabled(enabled); }

void TUvitaniDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored by the window system is no new show.
    if (event->spontaneous())
        return;
    ErrorReport::guard(this, [this] { showSteps(); });
}

void TUvitaniDialog::showSteps()
{
    // Only ever ticks: an unticked box stays as the player left it.
    if (Settings::uvitani() == QLatin1String("1"))
        m_checkBox1->setChecked(true);
    if (m_assistant)
        Placement::placeDialog(PlacementRules::DialogRow::Welcome, this, m_assistant);
    activateWindow();
    m_checkBox1->setFocus();
}

void TUvitaniDialog::closeSteps()
{
    // A refused write stops here: the dialog stays open for another try.
    Settings::setUvitani(m_checkBox1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    close();
}

void TUvitaniDialog::OfficeLabel2Click()
{
    ErrorReport::guard(this, [this] {
        closeSteps();
        if (m_help)
            m_help->openBesideAssistant();
    });
}

void TUvitaniDialog::OfficeLabel3Click()
{
    ErrorReport::guard(this, [this] { Manual::start(winId()); });
}

void TUvitaniDialog::OfficeLabel4Click()
{
    ErrorReport::guard(this, [this] { closeSteps(); });
}

bool TUvitaniDialog::isCloseKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

void TUvitaniDialog::keyPressEvent(QKeyEvent *event)
{
    if (isCloseKey(event->key()))
        OfficeLabel4Click();
    else
        QWidget::keyPressEvent(event);
}

bool TUvitaniDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The check box hands its close keys to the dialog.
    if (watched == m_checkBox1 && event->type() == QEvent::KeyPress
        && isCloseKey(static_cast<QKeyEvent *>(event)->key())) {
        OfficeLabel4Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
