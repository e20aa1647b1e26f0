#pragma once

#include "BoardRules.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace Board {

constexpr int kMinDisks = 3;

// A disk carried from one post to another.
struct Move {
    int disk = 0;
    int from = 0;
    int to = 0;
    bool operator==(const Move &other) const { return disk == other.disk && from == other.from && to == other.to; }
};

// The game as a value: the disks on the three posts, the disk in the air,
// the moves counted and the carries made. Every rule of lifting, placing and
// solving is here; the board only draws what this says.
class Game
{
public:
    Game() = default;   // no disks: nothing to play
    // n disks (3..10) on post 1, the largest lowest.
    static Game start(int n);
    // A game kept over a quit: the disk count, the moves and the post of
    // every disk ("Kuly", disk 1 first). Anything that is not such a game
    // gives nothing.
    static std::optional<Game> fromKept(const QString &disky, const QString &tahy, const QString &kuly);

    int diskCount() const { return m_disks; }
    int moves() const { return m_moves; }
    int lifted() const { return m_lifted; }   // 0 when none hangs in the air
    // The post disk k stands on, or hangs above; 0 for a disk not in play.
    int postOf(int k) const;
    // The disks of a post from the bottom up; a lifted disk is still its post's top.
    const std::vector<int> &stack(int post) const { return m_stacks[size_t(post - 1)]; }
    int topDisk(int post) const;   // 0 on an empty post
    const std::vector<Move> &carries() const { return m_carries; }
    // The posts of disks 1..n as digits, a lifted disk on the post it came from.
    QString kuly() const;

    bool mayLift(int k) const;
    bool mayPlace(int post) const;
    // A lift counts a move, also of the disk already up. False: refused, nothing changed.
    bool lift(int k);
    // Puts the lifted disk on the post; back on its own post counts nothing more.
    bool place(int post);
    // Takes back the last carry, which counts as a move; with a disk up, puts
    // it back on its post instead (counted at the lift). The disk that went
    // where, or nothing at the start of the game.
    std::optional<Move> undo();
    // The post (2 or 3) holding every disk of the game with none up, else 0.
    int solvedPost() const;

    // Where disk k is drawn in the board panel.
    Disk placeOf(int k) const;

private:
    int m_disks = 0;
    int m_moves = 0;
    int m_lifted = 0;
    std::array<std::vector<int>, 3> m_stacks;
    std::vector<Move> m_carries;
};

// The running game, for the windows that show it: the value and whether a
// game is on and watched for a solved tower. Tells every change.
class GameModel : public QObject
{
    Q_OBJECT
public:
    explicit GameModel(QObject *parent = nullptr) : QObject(parent) {}

    const Game &game() const { return m_game; }
    bool isOn() const { return m_on; }
    // The end question stops the watch for a solved tower until answered.
    bool isWatched() const { return m_on && m_watched; }
    void setWatched(bool watched) { m_watched = watched; }

    // A game starts (or is taken up again): on and watched.
    void begin(const Game &game);
    // Back to no game, the given position left on the board.
    void end(const Game &shown);
    bool lift(int k);
    bool place(int post);
    std::optional<Move> undo();

signals:
    void changed();
    void moveCountChanged(int moves);
    void onChanged(bool on);

private:
    void set(const Game &game, bool on);

    Game m_game;
    bool m_on = false;
    bool m_watched = false;
};

} // namespace Board
