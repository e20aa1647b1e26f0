#include "QuestionBalloon.h"

#include "services/DialogSupport.h"
#include "services/ErrorReport.h"
#include "core/drawing/Fonts.h"
#include "core/sound/SoundCue.h"
#include "widgets/OContrls.h"
#include "widgets/Panel.h"

#include <QKeyEvent>
#include <QLabel>

QuestionBalloon::QuestionBalloon(const Layout &layout, QWidget *parent)
    : QWidget(parent)
{
    DialogSupport::makeBalloon(this, QSize(layout.width, 98), bpRightTop, tr("Dotaz"));
    // A reader names the balloon by its question, the hint says only what it is.
    setWindowTitle(tr(layout.question));
    setFont(Fonts::sansSerif(11));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(5, 5, 35, 35);
    image->setPixmap(DialogSupport::transparentPicture(QStringLiteral(":/art/warning-question.png")));
    DialogSupport::label(this, "Label1", QStringLiteral("Toranská věž 2000"), QRect(45, 25, 103, 15),
                         Fonts::times(13, true));
    DialogSupport::label(this, "Label2", tr(layout.question), QRect(5, 43, layout.questionWidth, 15),
                         Fonts::times(13));
    auto *bevel = new BevelLine(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(5, 66, layout.bevelWidth, 7);

    m_yes = DialogSupport::officeButton(this, "OfficeButton1", tr("Ano"), {layout.yesLeft, 72},
                                        Fonts::sansSerif(11), tr(layout.yesHint));
    m_no = DialogSupport::officeButton(this, "OfficeButton2", tr("Ne"), {layout.noLeft, 72},
                                       Fonts::sansSerif(11), tr(layout.noHint));
    connect(m_yes, &TOfficeButton::clicked, this, [this] { ErrorReport::guard(this, [this] { answerYes(); }); });
    connect(m_no, &TOfficeButton::clicked, this, [this] { ErrorReport::guard(this, [this] { answerNo(); }); });
}

void QuestionBalloon::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    PlaySoundCue(QStringLiteral("Dotaz.wav"));
    activateWindow();
    setFocus();
}

void QuestionBalloon::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ErrorReport::guard(this, [this] { answerYes(); });
        break;
    case Qt::Key_Escape:
        ErrorReport::guard(this, [this] { answerNo(); });
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
