#pragma once

#include <QObject>

class THlavniDialog;

// Plays the board from the keyboard: with a game on the board, the keys 1, 2
// and 3 act like a mouse release on post 1, 2 or 3. With no disk lifted the
// key lifts that post's top disk (the disk's own release), with one lifted it
// places it there (the post's release); what the mouse may not do, the key
// may not either. Keys do nothing while a dialog holds the main window, and
// keys pressed while a move was still running are dropped, not replayed.
class KeyPlay : public QObject
{
public:
    // Watches the application's input for the window; owned by it.
    explicit KeyPlay(THlavniDialog *window);

    // The post a key plays (1 to 3), or 0 for every other key.
    static int postOfKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToWindow(QObject *watched) const;
    bool pressedDuringLastMove(quint64 timestamp) const;
    void noteStart(quint64 timestamp);
    void play(int post);

    THlavniDialog *m_window;
    // The window-system time of the last release or key that may have
    // started a move, and the monotonic time when it was handled: a move
    // that ran after it ended at m_startStamp plus the time it took.
    quint64 m_startStamp = 0;
    qint64 m_startLocal = 0;
};
