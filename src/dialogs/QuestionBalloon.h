#pragma once

#include <QWidget>

class TOfficeButton;

// A yes/no question held out by the assistant: the warning picture, the
// program's name, the question, and "Ano" and "Ne". Enter answers yes, Esc
// no. Showing it plays the question cue and locks the main window and the
// assistant; closing it, however that happens, unlocks them.
class QuestionBalloon : public QWidget
{
    Q_OBJECT
public:
    // The texts are sources in the context "QuestionBalloon"
    // (QT_TRANSLATE_NOOP), translated when the balloon is made.
    struct Layout {
        int width;            // the balloon's outer width; its height is 98
        const char *question;
        int questionWidth;
        int bevelWidth;
        int yesLeft;
        int noLeft;
        const char *yesHint;
        const char *noHint;
    };

    QuestionBalloon(const Layout &layout, QWidget *parent = nullptr);

    TOfficeButton *yesButton() const { return m_yes; }
    TOfficeButton *noButton() const { return m_no; }

protected:
    virtual void answerYes() = 0;
    virtual void answerNo() { close(); }

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TOfficeButton *m_yes = nullptr;
    TOfficeButton *m_no = nullptr;
};
