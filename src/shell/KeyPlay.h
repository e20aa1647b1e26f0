#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Plays the board from the keyboard: the keys 1, 2 and 3 name post 1, 2 or
// 3 (the keys so marked, whatever the layout, and the keypad's), and the window acts on them as on a mouse release there. Keys that
// come while a move runs wait in the window system's queue and are told
// after it, in order, as clicks are. A key held down (its auto-repeat) and
// keys while a dialog holds the window are swallowed; with no board in
// play the keys go on to the window as any other key.
class KeyPlay : public QObject
{
    Q_OBJECT
public:
    // Watches the application's input for window's keys; owned by window.
    // playing tells whether a board is in play.
    KeyPlay(QWidget *window, std::function<bool()> playing);

    // The post a key plays (1 to 3), or 0 for every other key.
    static int postForKey(const QKeyEvent &key);

signals:
    void postKeyed(int post);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isRepeat(const QKeyEvent *press) const;
    void noteStroke(const QKeyEvent *key);

    QWidget *m_window;
    std::function<bool()> m_playing;
    // The last key let go, and when.
    int m_releasedKey = 0;
    quint64 m_releasedStamp = 0;
    // Per physical key (scan code), in any of the program's windows: the
    // last press or release that the window system itself sent, and when.
    struct Stroke {
        bool down = false;
        quint64 stamp = 0;
    };
    QHash<quint32, Stroke> m_strokes;
};
