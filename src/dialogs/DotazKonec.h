#pragma once

#include "QuestionBalloon.h"

// "Opravdu chcete ukončit tuto hru ?": tells the answer and closes. The
// main window ends the game on "Ano" and keeps it watched on "Ne".
class TDotazKonecDialog : public QuestionBalloon
{
    Q_OBJECT
public:
    explicit TDotazKonecDialog(QWidget *parent = nullptr);

signals:
    void answeredYes();   // "Ano" or Enter
    void answeredNo();    // "Ne" or Esc

protected:
    void answerYes() override;
    void answerNo() override;
};
