#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Dialogs are no modal loops: while one is shown the main window and the
// assistant take no input (InputLock), and when one is hidden, however it
// closed, they take input again and the main window has the keyboard back.
// Start-up hands it the two windows and every dialog it watches.
class DialogLock : public QObject
{
public:
    explicit DialogLock(QObject *parent = nullptr);

    // The windows a dialog locks; either may be null.
    void setLockedWindows(QWidget *main, QWidget *assistant);
    // Locks the windows whenever dialog is shown and unlocks them whenever
    // it is hidden.
    void watch(QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setLocked(bool locked);

    QPointer<QWidget> m_main;
    QPointer<QWidget> m_assistant;
};
