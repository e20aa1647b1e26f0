#pragma once

#include <QWidget>

#include <functional>

class Panel;
class QLabel;
class QPushButton;

// The about dialog: the product's name and version in gradient lettering,
// the assistant's picture, the maker's line, and a framed box whose first
// page names the registered owner and organisation and over which a page of
// thanks slides in on ">>" and out again on "<<". Centred on the screen at
// every show, and always opened on the first page.
class TOProgramuDialog : public QWidget
{
    Q_OBJECT
public:
    static QString firstPageHeading();   // "Registrovaný uživatel :"
    static QString thanksHeading();      // "Poděkování :"
    // Panel4's Top while the thanks page is hidden below the box, and shown.
    static constexpr int kPageHiddenTop = 65;
    static constexpr int kPageShownTop = 1;

    explicit TOProgramuDialog(QWidget *parent = nullptr);

    // Who the installation is registered to. The system's own answer unless
    // a test supplies one; an empty function restores it.
    struct Registration {
        QString owner;
        QString organisation;
    };
    static void setRegistrationForTesting(std::function<Registration()> source);

    QLabel *pageHeading() const { return m_label1; }   // Label1
    QLabel *ownerLine() const { return m_label4; }     // Label4
    QLabel *organisationLine() const { return m_label5; }   // Label5
    QWidget *thanksPage() const;                       // Panel4
    QPushButton *okButton() const { return m_button1; }
    QPushButton *thanksButton() const { return m_button2; }   // ">>"
    QPushButton *backButton() const { return m_button3; }     // "<<"

public slots:
    void Button1Click();   // "Ok"
    void Button2Click();   // ">>"
    void Button3Click();   // "<<"

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSteps();
    void turnPage(bool toThanks);
    static bool isCloseKey(int key);

    QLabel *m_label1 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label5 = nullptr;
    Panel *m_panel3 = nullptr;
    Panel *m_panel4 = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    QPushButton *m_button3 = nullptr;
};
