#include "Moves.h"

#include "core/sound/SoundCue.h"
#include "services/Pacing.h"
#include "widgets/Shape.h"

namespace {
const char *const kLiftCue = "Zvednuti.wav";
const char *const kPlaceCue = "Polozeni.wav";
const char *const kLandingCue = "Dopad.wav";
} // namespace

DiskMover::DiskMover(QObject *parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &DiskMover::advance);
}

int DiskMover::stepMicros() const { return m_pace ? m_pace() : Pacing::kBoardStepMicros; }

void DiskMover::addRise(Shape *disk, bool cue)
{
    // A disk already up gets one step at the top.
    for (int top = disk->y(); top >= Board::kLiftedTop; --top)
        m_steps.push_back({{disk->x(), top}, cue && top == disk->y() ? kLiftCue : nullptr});
}

void DiskMover::addDrop(QPoint from, const Board::Disk &target)
{
    if (from.x() != target.left) {
        const int direction = target.left > from.x() ? 1 : -1;
        for (int left = from.x();; left += direction) {
            m_steps.push_back({{left, Board::kLiftedTop}});
            if (left == target.left)
                break;
        }
    }
    for (int top = Board::kLiftedTop; top <= target.top; ++top)
        m_steps.push_back({{target.left, top}, top == Board::kLiftedTop ? kPlaceCue : nullptr});
}

void DiskMover::lift(Shape *disk)
{
    finish();
    addRise(disk, true);
    start(disk, nullptr);
}

void DiskMover::drop(Shape *disk, const Board::Disk &target)
{
    finish();
    addDrop(disk->pos(), target);
    start(disk, kLandingCue);
}

void DiskMover::carry(Shape *disk, const Board::Disk &target)
{
    finish();
    addRise(disk, true);
    addDrop({disk->x(), Board::kLiftedTop}, target);
    start(disk, kLandingCue);
}

void DiskMover::start(Shape *disk, const char *endCue)
{
    m_disk = disk;
    m_next = 0;
    m_endCue = endCue;
    m_stepNanos = qint64(m_pace ? m_pace() : Pacing::kBoardStepMicros) * 1000;
    if (!Pacing::isEnabled()) {   // every step, at once
        while (m_next < m_steps.size())
            take(m_steps[m_next++]);
        end();
        return;
    }
    if (m_stepNanos == 0) {
        finish();
        return;
    }
    m_clock.start();
    advance();
    m_timer.start();
}

// Every step whose time has come, then one repaint: the disk keeps the pace
// on a busy machine, one pixel a step along the same path.
void DiskMover::advance()
{
    if (!m_disk)
        return;
    const qint64 due = m_clock.nsecsElapsed() / m_stepNanos + 1;
    while (m_next < m_steps.size() && qint64(m_next) < due)
        take(m_steps[m_next++]);
    m_disk->repaint();
    if (m_next >= m_steps.size() && due > qint64(m_steps.size()))
        end();
}

void DiskMover::take(const Step &step)
{
    if (step.cue)
        PlaySoundCue(QLatin1String(step.cue));
    m_disk->move(step.at);
    Pacing::tellStep(m_disk);
}

void DiskMover::finish()
{
    if (!m_disk)
        return;
    // The cues still to come play in their order; the disk stands at its end.
    for (; m_next < m_steps.size(); ++m_next)
        if (m_steps[m_next].cue)
            PlaySoundCue(QLatin1String(m_steps[m_next].cue));
    if (!m_steps.empty())
        m_disk->move(m_steps.back().at);
    end();
}

void DiskMover::end()
{
    m_timer.stop();
    if (m_endCue)
        PlaySoundCue(QLatin1String(m_endCue));
    m_steps.clear();
    m_next = 0;
    m_endCue = nullptr;
    m_disk = nullptr;
    emit finished();
}
