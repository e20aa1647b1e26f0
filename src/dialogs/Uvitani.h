#pragma once

#include <QWidget>

class QCheckBox;
class TNapovedaDialog;
class TOfficeLabel;

// The assistant's offer of help: a balloon above the assistant with three
// lines to click (the help topics, the electronic manual, start playing)
// and the check box that decides whether it appears at every start. The
// box's state is stored as "Uvitani" whenever the dialog closes.
class TUvitaniDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TUvitaniDialog(QWidget *parent = nullptr);

    QCheckBox *checkBox() const { return m_checkBox1; }           // CheckBox1
    TOfficeLabel *helpLink() const { return m_officeLabel2; }     // OfficeLabel2
    TOfficeLabel *manualLink() const { return m_officeLabel3; }   // OfficeLabel3
    TOfficeLabel *startLink() const { return m_officeLabel4; }    // OfficeLabel4

    // The manual line is clickable only while the manual is installed; the
    // main window's show step decides.
    void setManualLinkEnabled(bool enabled);
    // The help that the help line opens (none where it is null).
    void setHelpDialog(TNapovedaDialog *help) { m_help = help; }
    // The assistant it stands beside (none where it is null).
    void setAssistant(const QWidget *assistant) { m_assistant = assistant; }

public slots:
    void OfficeLabel2Click();   // the help topics
    void OfficeLabel3Click();   // the electronic manual
    void OfficeLabel4Click();   // start playing

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSteps();
    void closeSteps();
    static bool isCloseKey(int key);

    TNapovedaDialog *m_help = nullptr;
    const QWidget *m_assistant = nullptr;
    TOfficeLabel *m_officeLabel2 = nullptr;
    TOfficeLabel *m_officeLabel3 = nullptr;
    TOfficeLabel *m_officeLabel4 = nullptr;
    QCheckBox *m_checkBox1 = nullptr;
};
