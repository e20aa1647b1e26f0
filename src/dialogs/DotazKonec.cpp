#include "DotazKonec.h"

namespace {
const QuestionBalloon::Layout kLayout = {
    212, QT_TRANSLATE_NOOP("QuestionBalloon", "Opravdu chcete ukončit tuto hru ?"), 183, 180, 26, 98,
    QT_TRANSLATE_NOOP("QuestionBalloon", "Ukončí aktuální hru"),
    QT_TRANSLATE_NOOP("QuestionBalloon", "Uzavře dialogové okno bez ukončení aktuální hry"),
};
} // namespace

TDotazKonecDialog::TDotazKonecDialog(QWidget *parent)
    : QuestionBalloon(kLayout, parent)
{
    setObjectName(QStringLiteral("DotazKonecDialog"));
}

void TDotazKonecDialog::answerYes()
{
    emit answeredYes();
    close();
}

void TDotazKonecDialog::answerNo()
{
    emit answeredNo();
    close();
}
