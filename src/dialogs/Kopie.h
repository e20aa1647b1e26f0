#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QTimer;
class TPomocnikDialog;
class tformshape;

// The second-copy notice: a blinking pink balloon that the assistant holds
// out when the program is started while another copy runs. "Ok", Esc or
// Enter closes the assistant, which ends the second copy.
class TKopieDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr unsigned kStrongPink = 10184434;   // the form's colour
    static constexpr unsigned kPalePink = 13547001;
    static constexpr int kBlinkMillis = 500;

    explicit TKopieDialog(TPomocnikDialog *assistant, QWidget *parent = nullptr);

    QColor color() const;

public slots:
    void Timer1Timer();
    void OfficeButton2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setColor(const QColor &color);

    TPomocnikDialog *m_assistant;
    tformshape *m_shape;
    QTimer *m_timer;
};
