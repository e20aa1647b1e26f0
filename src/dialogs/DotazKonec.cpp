#include "DotazKonec.h"

#include "board/Plocha.h"
#include "shell/AppWindows.h"
#include "shell/Hlavni.h"

#include <QLabel>

namespace {
const QuestionBalloon::Layout kLayout = {
    212, "Opravdu chcete ukončit tuto hru ?", 183, 180, 26, 98,
    "Ukončí aktuální hru", "Uzavře dialogové okno bez ukončení aktuální hry",
};
} // namespace

TDotazKonecDialog::TDotazKonecDialog(QWidget *parent)
    : QuestionBalloon(kLayout, parent)
{
    setObjectName(QStringLiteral("DotazKonecDialog"));
}

void TDotazKonecDialog::answerYes()
{
    m_restore.clear();
    if (THlavniDialog *main = appWindows().HlavniDialog)
        main->endGameSteps();
    close();
}

void TDotazKonecDialog::answerNo()
{
    THlavniDialog *main = appWindows().HlavniDialog;
    if (main && !m_restore.isEmpty() && main->isGameOn())
        main->kontrola()->setText(m_restore);
    m_restore.clear();
    close();
}
