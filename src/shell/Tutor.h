#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace Board {
class GameModel;
}
class BoardPanel;
class HintMarks;

// The hint and the demonstration: both follow the shortest way on from the
// position on the board. A game in which either was used is a game played
// with help. The demonstration plays through the window's own post command
// (playPost), so its moves animate, sound and count as the player's do; it
// rests a little between two moves and stops after the move in progress.
class Tutor : public QObject
{
    Q_OBJECT
public:
    // playPost does what the key of that post does.
    Tutor(Board::GameModel *game, BoardPanel *board, std::function<void(int post)> playPost,
          QObject *parent = nullptr);

    bool playedWithHelp() const { return m_helped; }
    // A game starts (false) or a kept one is taken up with its mark.
    void setPlayedWithHelp(bool helped);

    bool isDemonstrating() const { return m_demonstrating; }
    // The rest between two moves of the demonstration, in milliseconds.
    int restMillis() const;

public slots:
    // Tells the next move in the status line and marks it on the board.
    void hint();
    void toggleDemonstration();
    // Lets the move in progress end, and plays no more.
    void stopDemonstration();
    // A disk has stood still again after a move.
    void moveEnded();

signals:
    // The text for the status line's first panel.
    void told(const QString &text);
    void demonstrationChanged(bool running);

private:
    void demonstrateNext();
    void clearMarks();

    Board::GameModel *m_game;
    BoardPanel *m_board;
    HintMarks *m_marks;
    std::function<void(int)> m_playPost;
    QTimer m_rest;
    bool m_helped = false;
    bool m_demonstrating = false;
};
