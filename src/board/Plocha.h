#pragma once

#include "core/board/Game.h"
#include "widgets/Panel.h"

#include <array>

class DiskMover;
class QLabel;
class Shape;
class TextLabel;

// The board panel "Plocha": three posts (pole, base, name plate and its
// label), the ten disks D1..D10 and the hidden disk-count label Kontrola.
// It draws the game it is shown (Board::Game) and tells the clicks on it;
// its mover carries a disk from one place to the next.
// A screen reader meets the board as its three posts, each named by its
// plate and the disks on it; the post last acted on holds the focus.
class BoardPanel : public Panel
{
    Q_OBJECT
public:
    explicit BoardPanel(QWidget *parent = nullptr);

    Shape *disk(int k) const { return m_disks[k - 1]; }
    Shape *pole(int post) const { return m_poles[post - 1]; }
    Shape *base(int post) const { return m_bases[post - 1]; }
    // The name plate under a post: Shape2, Shape1, Shape3 for posts 1, 2, 3.
    Shape *plate(int post) const { return m_plates[post - 1]; }
    TextLabel *plateLabel(int post) const { return m_plateLabels[post - 1]; }
    QLabel *kontrola() const { return m_kontrola; }

    // Where the disks stand on screen, as drawn now.
    Board::Disks disks() const;
    int baseLeft(int post) const;   // read from P1..P3 at the moment of asking

    // Puts every disk where the game has it, shows those in play and hides
    // the rest; movedDisk is the disk that moved last (0: none).
    void showGame(const Board::Game &game, int movedDisk = 0);
    const Board::Game &shownGame() const { return m_shown; }
    DiskMover *mover() const { return m_mover; }

    // What a screen reader says of a post: its plate's caption, then the
    // disks standing on it from the bottom up ("Post 2: disky 5, 3, 1"),
    // the disk lifted from it, and whether the tower on it is solved.
    QString postName(int post) const;
    // The moves made, as the status line tells them.
    QString movesText() const;
    void setMoveCount(int moves);
    // The post the last move acted on: where the disk that moved hangs or stands.
    int currentPost() const { return m_current; }
    // A disk pressed and drawn past the drag distance: the window lets it
    // follow the pointer above the posts until it is let go.
    void beginDrag(int k);
    bool isDragging() const { return m_dragged != 0; }
    // A screen reader's press on a post: what the post's key does.
    void choosePost(int post) { emit postChosen(post); }

signals:
    // A mouse release of any button on disk k, or on a part of post p.
    void diskReleased(int k);
    void postReleased(int post);
    void postChosen(int post);
    // Disk k pressed and drawn past the drag distance, and let go over the
    // post (0: over none) after beginDrag.
    void diskDragStarted(int k);
    void diskDropped(int k, int post);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void stateMayHaveChanged();
    void tellState();
    bool dragEvent(int k, QEvent *event);

    Board::Game m_shown;
    DiskMover *m_mover = nullptr;
    std::array<Shape *, Board::kDisks> m_disks{};
    std::array<Shape *, 3> m_poles{};
    std::array<Shape *, 3> m_bases{};
    std::array<Shape *, 3> m_plates{};
    std::array<TextLabel *, 3> m_plateLabels{};
    QLabel *m_kontrola = nullptr;

    // What was last told, so that only changes are told again.
    std::array<QString, 3> m_toldNames;
    QString m_toldMoves;
    int m_moves = 0;
    int m_current = 1;
    int m_toldCurrent = 1;
    int m_pressed = 0;        // the disk the left button went down on
    QPoint m_pressedAt;       // where, in the board
    int m_dragged = 0;        // the disk following the pointer
    int m_grabX = 0;          // the pointer's place on it
    bool m_tellPending = false;
};
