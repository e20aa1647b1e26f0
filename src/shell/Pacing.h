#pragma once

#include <QElapsedTimer>

class QWidget;

// Animations move a control one pixel a step and repaint it at once, inside
// one event: no input and no timer tick is handled until they end. Each step
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

class Stepper
{
public:
    explicit Stepper(int stepMicros);
    // Repaints w at once (when given) and waits until this step's deadline.
    void step(QWidget *w);

private:
    QElapsedTimer m_clock;
    qint64 m_stepNanos;
    qint64 m_steps = 0;
};

} // namespace Pacing
