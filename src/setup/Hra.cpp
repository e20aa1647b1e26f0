#include "Hra.h"

#include "dialogs/Placement.h"
#include "services/DialogSupport.h"
#include "services/DigitKey.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "core/sound/SoundCue.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"
#include "core/drawing/Pictures.h"
#include "widgets/TransBtn2.h"

#include <QKeyEvent>
#include <QLabel>

namespace {
struct CountButton {
    QPoint at;
    QPoint labelAt;
    const char *hint;
};
// T1..T8: two rows of four, 10 disks first.
constexpr CountButton kCountButtons[THraDialog::kButtons] = {
    {{7, 40}, {19, 83}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru s 10 disky")},
    {{55, 40}, {68, 83}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru s 9 disky")},
    {{103, 40}, {116, 83}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru s 8 disky")},
    {{151, 40}, {164, 83}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru se 7 disky")},
    {{7, 104}, {19, 147}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru s 6 disky")},
    {{55, 104}, {68, 147}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru s 5 disky")},
    {{103, 104}, {116, 147}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru se 4 disky")},
    {{151, 104}, {164, 147}, QT_TRANSLATE_NOOP("THraDialog", "Spustí hru se 3 disky")},
};
constexpr int kButtonsPerRow = 4;

// How far an arrow key moves among the count buttons, 0 for other keys.
int arrowStep(int key)
{
    switch (key) {
    case Qt::Key_Left: return -1;
    case Qt::Key_Right: return 1;
    case Qt::Key_Up: return -kButtonsPerRow;
    case Qt::Key_Down: return kButtonsPerRow;
    default: return 0;
    }
}
} // namespace

THraDialog::THraDialog(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("HraDialog"));
    DialogSupport::makeBalloon(this, QSize(203, 214), bpBottomRight, tr("Dialog pro výběr hry"));

    const QFont bold = Fonts::times(13, true);
    DialogSupport::label(this, "Label1", tr("Vyberte si počet disků, které budete přenášet"),
                         QRect(2, 5, 189, 33), bold, Qt::AlignHCenter | Qt::AlignTop, true);

    m_images = new ImageList(QSize(32, 32), this);
    m_images->setObjectName(QStringLiteral("ImageList1"));

    for (int i = 1; i <= kButtons; ++i) {
        const CountButton &entry = kCountButtons[i - 1];
        auto *button = new TTransparentButton2(this);
        button->setObjectName(QStringLiteral("T%1").arg(i));
        button->setGeometry(QRect(entry.at, QSize(40, 40)));
        button->setActiveImage(m_images);
        button->setActiveIndex(i - 1);
        button->setDownImage(m_images);
        button->setDownIndex(i - 1);
        button->setStatusTip(tr(entry.hint));
        connect(button, &TTransparentButton2::clicked, this, [this, i] { countButtonClick(i); });
        m_buttons[i - 1] = button;
        DialogSupport::label(this, qPrintable(QStringLiteral("Label%1").arg(i + 1)), QString::number(diskCount(i)),
                             QRect(entry.labelAt, QSize(14, 15)), bold, Qt::AlignHCenter | Qt::AlignTop);
    }

    auto *bevel = new BevelLine(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(7, 168, 186, 9);
    TOfficeButton *back = DialogSupport::officeButton(this, "OfficeButton1", tr("Zpět"), {65, 174},
                                                      Fonts::times(13), tr("Uzavře dialogové okno"));
    connect(back, &TOfficeButton::clicked, this, &THraDialog::OfficeButton1Click);
}

void THraDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The buttons' pictures are read when the dialog first appears: it is
    // made at start, and many a game is played without it.
    if (m_images->count() == 0)
        for (int i = 0; i < kButtons; ++i)
            m_images->add(Pictures::image(QStringLiteral(":/art/hra-%1.png").arg(i)));
    PlaySoundCue(QStringLiteral("Dialog.wav"));
    for (TTransparentButton2 *button : m_buttons)
        button->setEnabled(true);
    if (m_assistant)
        Placement::placeDialog(PlacementRules::DialogRow::NewGame, this, m_assistant);
    activateWindow();
    setFocus();
}

void THraDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        return;
    default:
        break;
    }
    // The digits 3 to 9, and 0 for ten, press the button of that count.
    const int digit = DigitKey::digitOf(*event);
    const int count = digit == 0 ? 10 : digit;
    if (count >= 3 && count <= 10 && !event->isAutoRepeat()) {
        TTransparentButton2 *button = countButton(11 - count);   // T1 holds ten
        if (button->isEnabled())
            button->click();
        return;
    }
    // The arrows walk the two rows of buttons (from elsewhere they start at
    // the first); Enter or Space then press the one reached.
    if (const int step = arrowStep(event->key())) {
        int at = -1;
        for (int i = 0; i < kButtons; ++i)
            if (m_buttons[i] == focusWidget())
                at = i;
        m_buttons[at < 0 ? 0 : (at + step + kButtons) % kButtons]->setFocus(Qt::TabFocusReason);
        return;
    }
    QWidget::keyPressEvent(event);
}

void THraDialog::countButtonClick(int button)
{
    ErrorReport::guard(this, [this, button] {
        emit countChosen(diskCount(button));
        close();
    });
}

void THraDialog::OfficeButton1Click() { close(); }
