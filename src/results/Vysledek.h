#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class TDataModule1;
class TOfficeButton;

// The result of a solved game, held out by the assistant: disk count,
// minimum and moves made, and the name box that is enabled only when the
// result may enter the table of best results. Confirming ("Ok", Enter or
// Esc) says so (the game ends), stores a qualifying result in data and
// closes. Once a store has failed, Esc leaves without storing.
class TVysledekDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TVysledekDialog(TDataModule1 *data, QWidget *parent = nullptr);

    QLabel *diskCountLabel() const { return m_label5; }   // Label5
    QLabel *minimumLabel() const { return m_label6; }     // Label6
    QLabel *movesLabel() const { return m_label7; }       // Label7
    QLineEdit *nameBox() const { return m_edit1; }        // Edit1

    void setFigures(const QString &diskCount, const QString &minimum, const QString &moves);
    // A game played with help (a hint or the demonstration) never enters
    // the table: the balloon says so in place of the name box, and its
    // button only closes it. Set before each show.
    void setPlayedWithHelp(bool helped) { m_playedWithHelp = helped; }
    QLabel *helpLine() const { return m_label9; }         // Label9
    // The assistant it stands beside (none where it is null).
    void setAssistant(const QWidget *assistant) { m_assistant = assistant; }

public slots:
    void OfficeButton1Click();   // confirm

signals:
    // The result is confirmed; it is stored after the receivers are done.
    void confirmed();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSteps();
    void confirm();
    void escape();

    TDataModule1 *m_data = nullptr;
    const QWidget *m_assistant = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label6 = nullptr;
    QLabel *m_label7 = nullptr;
    QLabel *m_label8 = nullptr;
    QLabel *m_label9 = nullptr;
    QLineEdit *m_edit1 = nullptr;
    TOfficeButton *m_ok = nullptr;
    bool m_storeFailed = false;   // since this show
    bool m_waitsForPlayer = false;   // shown while another program had the keyboard
    bool m_playedWithHelp = false;
};
