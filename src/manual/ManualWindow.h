#pragma once

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;

// The electronic manual's window: the pages in a browser with back,
// forward, home (the page it was opened on) and close.
class TManualDialog : public QMainWindow
{
    Q_OBJECT
public:
    explicit TManualDialog(QWidget *parent = nullptr);

    // Shows the page and makes it home.
    void openHome(const QUrl &page);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};
