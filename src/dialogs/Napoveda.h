#pragma once

#include <QWidget>

class QLabel;
class TOfficeLabel;
class TPomocnikDialog;

// The built-in help: a balloon held out by the assistant with a list of
// eight topics and the title, main text and additional text of the chosen
// one. It is opened on the list; while it is open the main window and the
// assistant take no input. Tab or Up and Down walk the topics and links,
// Enter or Space open one.
class TNapovedaDialog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kTopics = 8;
    static QString listTitle();   // "Seznam témat nápovědy"

    explicit TNapovedaDialog(QWidget *parent = nullptr);

    // The list state: the list's title and the topic list over the texts.
    // Callers do this before they place and show the dialog.
    void openOnTopicList();

    // The help command and the welcome dialog's help link: the list state,
    // the assistant to its corner when the balloon would not fit beside it
    // (margins 7/25), the assistant shown unless "Pomocnik" is "1", the
    // balloon above it, shown. Reads "Pomocnik" afresh.
    void openBesideAssistant();
    // The assistant it stands beside (none where it is null).
    void setAssistant(TPomocnikDialog *assistant) { m_assistant = assistant; }

    QLabel *title() const { return m_label1; }            // Label1
    QLabel *mainText() const { return m_label2; }         // Label2
    QLabel *additionalText() const { return m_label3; }   // Label3
    QWidget *topicList() const { return m_panel1; }       // Panel1
    // The list's entries from the top: "Elektronický manuál" first.
    TOfficeLabel *topicEntry(int index) const { return m_entries[index]; }

public slots:
    void topicClick(int index);
    void OfficeLabel1Click();   // "Zobrazit seznam témat nápovědy"
    void OfficeLabel2Click();   // "Opustit nápovědu"

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showList(bool list);

    TPomocnikDialog *m_assistant = nullptr;
    TOfficeLabel *m_officeLabel1 = nullptr;
    int m_topic = 0;   // the topic last read
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QWidget *m_panel1 = nullptr;
    TOfficeLabel *m_entries[kTopics] = {};
};
