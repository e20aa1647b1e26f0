#pragma once

#include "QuestionBalloon.h"

// "Opravdu chcete ukončit tuto hru ?": "Ano" ends the game on the board,
// "Ne" leaves it there and still watched for a solution.
class TDotazKonecDialog : public QuestionBalloon
{
    Q_OBJECT
public:
    explicit TDotazKonecDialog(QWidget *parent = nullptr);

    // The end-game command stops the solution check before asking; a "Ne"
    // puts this disk count back so that the game kept is still recognised.
    void setGameToRestore(const QString &diskCount) { m_restore = diskCount; }

protected:
    void answerYes() override;
    void answerNo() override;

private:
    QString m_restore;
};
