#pragma once

#include <QPointer>
#include <QWidget>

class TCoolForm;

// The assistant: a borderless, always-on-top window cut to the cartoon
// figure, near the lower right corner of the screen. It greets with a sound
// when shown and records itself as shown ("Pomocnik" = "1"), says goodbye
// and records "0" when closed (it is only hidden) but not when the program
// ends, can be dragged by its body, and a double click on it (or Enter or
// Space while it has the keyboard) asks for the welcome dialog.
class TPomocnikDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kClientSize = 104;

    explicit TPomocnikDialog(QWidget *parent = nullptr);

    TCoolForm *coolForm() const { return m_coolForm; }

    // Shows the assistant, or brings it to the front when it is visible.
    void showAssistant();

    // The welcome dialog whose size the double-click placement tests; until
    // it is set the welcome balloon's design size is used.
    void setWelcomeDialog(QWidget *welcome) { m_welcome = welcome; }

public slots:
    // The double click: corner placement if the welcome dialog would not fit
    // beside the assistant, the assistant to the front, then
    // welcomeRequested() (whose receiver disables the windows and shows the
    // welcome dialog).
    void CoolForm1DblClick();

signals:
    void welcomeRequested();
    // The assistant was closed (and hidden); the second copy ends here.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TCoolForm *m_coolForm;
    QPointer<QWidget> m_welcome;
};
