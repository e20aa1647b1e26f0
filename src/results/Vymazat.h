#pragma once

#include "dialogs/QuestionBalloon.h"

class TDataModule1;

// "Opravdu chcete vymazat tabulku nejlepších ?": "Ano" empties the whole
// table of best results, "Ne" leaves it.
class TVymazatDialog : public QuestionBalloon
{
    Q_OBJECT
public:
    explicit TVymazatDialog(TDataModule1 *data, QWidget *parent = nullptr);

protected:
    void answerYes() override;

private:
    TDataModule1 *m_data = nullptr;
};
