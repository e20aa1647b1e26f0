#pragma once

#include "core/board/BoardRules.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <functional>
#include <vector>

class Shape;

// Carries a disk on the board one pixel a step, with the cues of lifting,
// placing and landing, driven by the event loop: timers, other windows and
// a screen reader go on while a disk moves. Unpaced (tests) or at no speed
// a move is over before the call returns.
class DiskMover : public QObject
{
    Q_OBJECT
public:
    explicit DiskMover(QObject *parent = nullptr);

    bool isMoving() const { return m_disk != nullptr; }
    // Asked for the pace when a move starts: microseconds a step, 0 puts a
    // disk at once where it goes.
    void setPace(std::function<int()> stepMicros) { m_pace = std::move(stepMicros); }
    // The pace a move starting now would have.
    int stepMicros() const;

    // Up from where it stands to the top of the board, above its post.
    void lift(Shape *disk);
    // Along the top to the target's left, then down onto the target.
    void drop(Shape *disk, const Board::Disk &target);
    // Both in one: up, along and down (a move taken back).
    void carry(Shape *disk, const Board::Disk &target);
    // Puts a disk on its way where it goes at once, with the cues it has yet to play.
    void finish();

signals:
    void finished();

private:
    struct Step {
        QPoint at;
        const char *cue = nullptr;   // played as the disk takes this step
    };
    void addRise(Shape *disk, bool cue);
    void addDrop(QPoint from, const Board::Disk &target);
    void start(Shape *disk, const char *endCue);
    void advance();
    void take(const Step &step);
    void end();

    QTimer m_timer;
    QElapsedTimer m_clock;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    const char *m_endCue = nullptr;
    Shape *m_disk = nullptr;
    std::function<int()> m_pace;
    qint64 m_stepNanos = 0;
};
