#include "Pacing.h"

#include <QThread>
#include <QWidget>

namespace {
bool g_enabled = true;
Pacing::StepObserver g_observer;
}

namespace Pacing {

void setEnabled(bool enabled) { g_enabled = enabled; }
bool isEnabled() { return g_enabled; }
void setStepObserver(StepObserver observer) { g_observer = std::move(observer); }

void tellStep(QWidget *moved)
{
    if (g_observer)
        g_observer(moved, moved->geometry());
}

Stepper::Stepper(int stepMicros)
    : m_stepNanos(qint64(stepMicros) * 1000)
{
    m_clock.start();
}

void Stepper::moveTo(QWidget *w, const QPoint &topLeft, bool repaint)
{
    w->move(topLeft);
    if (repaint)
        w->repaint();
    tellStep(w);
    ++m_steps;
    if (g_enabled) {
        const qint64 deadline = m_steps * m_stepNanos;
        for (qint64 now = m_clock.nsecsElapsed(); now < deadline; now = m_clock.nsecsElapsed()) {
            const qint64 left = deadline - now;
            if (left > 200000)
                QThread::usleep(ulong((left - 100000) / 1000));
        }
    }
}

} // namespace Pacing
