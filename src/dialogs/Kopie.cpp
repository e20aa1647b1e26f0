#include "Kopie.h"

#include "Pomocnik.h"
#include "core/placement/PlacementRules.h"
#include "services/DialogSupport.h"
#include "core/drawing/Fonts.h"
#include "widgets/Accessibility.h"
#include "widgets/OContrls.h"
#include "widgets/Placed.h"
#include "services/InputLock.h"
#include "core/drawing/Colors.h"
#include "widgets/Panel.h"
#include "widgets/formshape.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

TKopieDialog::TKopieDialog(TPomocnikDialog *assistant, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_assistant(assistant)
{
    setObjectName(QStringLiteral("KopieDialog"));
    Accessibility::setRole(this, QAccessible::Dialog);
    setAccessibleName(QStringLiteral("Toranská věž 2000"));
    setFont(Fonts::sansSerif(11));
    setFixedSize(PlacementRules::kNoticeSize);
    setColor(QColor(Colors::fromBgr(kStrongPink)));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(5, 5, 35, 35);
    image->setPixmap(DialogSupport::transparentPicture(QStringLiteral(":/art/warning-exclamation.png")));
    placed(new QLabel(QStringLiteral("Toranská věž 2000"), this), QStringLiteral("Label1"), QRect(45, 25, 103, 15))
        ->setFont(Fonts::times(13, true));
    placed(new QLabel(tr("Pozor ! Již máte spuštěnu jednu kopii tohoto programu."), this),
           QStringLiteral("Label2"), QRect(5, 42, 292, 15))
        ->setFont(Fonts::times(13));
    auto *bevel = new BevelLine(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(5, 65, 292, 9);

    // The flat button takes the focus only by Tab; Esc always reaches the
    // notice, and Enter does what the button does.
    TOfficeButton *ok = DialogSupport::officeButton(this, "OfficeButton2", tr("Ok"), {119, 70},
                                                    Fonts::times(13));
    connect(ok, &TOfficeButton::clicked, this, &TKopieDialog::OfficeButton2Click);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kBlinkMillis);
    connect(m_timer, &QTimer::timeout, this, &TKopieDialog::Timer1Timer);
    m_timer->start();

    m_shape = new tformshape(this);
    m_shape->setReshape(true);
    m_shape->setBalloonPosition(bpRightTop);
    m_shape->setBalloonEllips(20);
    m_shape->setBalloonIndent(15);
    m_shape->apply();
}

QColor TKopieDialog::color() const { return palette().color(QPalette::Window); }

void TKopieDialog::setColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    update();
}

void TKopieDialog::Timer1Timer()
{
    const QColor pale(Colors::fromBgr(kPalePink));
    setColor(color() == pale ? QColor(Colors::fromBgr(kStrongPink)) : pale);
}

void TKopieDialog::OfficeButton2Click()
{
    // Closing the assistant, the second copy's main window, ends the copy.
    InputLock::setInputEnabled(m_assistant, true);
    m_assistant->close();
}

void TKopieDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        InputLock::setInputEnabled(m_assistant, false);
    // The keys go to the notice itself, not to its button: only Esc and
    // Enter act until Tab reaches the button.
    setFocus();
}

void TKopieDialog::closeEvent(QCloseEvent *event)
{
    InputLock::setInputEnabled(m_assistant, true);
    event->accept();
}

void TKopieDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OfficeButton2Click();
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}
