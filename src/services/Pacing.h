#pragma once

#include <QElapsedTimer>
#include <QRect>

#include <functional>

class QWidget;

// The opening, closing and page animations move a control one pixel a step
// and repaint it at once, inside one event: no input and no timer tick is
// handled until they end. The disks' moves run from the event loop instead. Each step
// waits for its own deadline so that an animation takes the same time on any
// machine. Tests switch the waiting off.
namespace Pacing {

// The opening and closing animation: 4540 disk steps, about two seconds.
constexpr int kIdleStepMicros = 450;
// Lifting, sliding and dropping a disk: the 381-step slide from post 1 to
// post 3 takes about 0.4 s.
constexpr int kBoardStepMicros = 1000;
// The about dialog's sliding page: 65 steps.
constexpr int kPageStepMicros = 4000;

void setEnabled(bool enabled);
bool isEnabled();

// Tests watch every step: the control moved and its geometry at that step.
using StepObserver = std::function<void(QWidget *moved, const QRect &geometry)>;
void setStepObserver(StepObserver observer);
// Tells the observer of a step made elsewhere (a move driven by the event loop).
void tellStep(QWidget *moved);

class Stepper
{
public:
    explicit Stepper(int stepMicros);
    // Moves w to its new place, repaints it at once and waits until this
    // step's deadline. With repaint false the move is only drawn later.
    void moveTo(QWidget *w, const QPoint &topLeft, bool repaint = true);

private:
    QElapsedTimer m_clock;
    qint64 m_stepNanos;
    qint64 m_steps = 0;
};

} // namespace Pacing
