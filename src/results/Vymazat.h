#pragma once

#include "dialogs/QuestionBalloon.h"

// "Opravdu chcete vymazat tabulku nejlepších ?": "Ano" empties the whole
// table of best results, "Ne" leaves it.
class TVymazatDialog : public QuestionBalloon
{
    Q_OBJECT
public:
    explicit TVymazatDialog(QWidget *parent = nullptr);

protected:
    void answerYes() override;
};
