#include "Vymazat.h"

#include "core/results/Data.h"

namespace {
const QuestionBalloon::Layout kLayout = {
    272, QT_TRANSLATE_NOOP("QuestionBalloon", "Opravdu chcete vymazat tabulku nejlepších ?"), 241, 244, 60, 132,
    QT_TRANSLATE_NOOP("QuestionBalloon", "Vymaže tabulku nejlepšíchi a uzavře dialogové okno"),
    QT_TRANSLATE_NOOP("QuestionBalloon", "Uzavře dialogové okno bez vymazání tabulky nejlepších"),
};
} // namespace

TVymazatDialog::TVymazatDialog(TDataModule1 *data, QWidget *parent)
    : QuestionBalloon(kLayout, parent)
    , m_data(data)
{
    setObjectName(QStringLiteral("VymazatDialog"));
}

void TVymazatDialog::answerYes()
{
    // The empty table is built first and then takes the live one's place,
    // so a failure leaves the old table open; it is reported and the
    // question stays for another answer.
    if (m_data)
        m_data->clearResults();
    close();
}
