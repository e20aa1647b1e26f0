#include "BenchReport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <functional>

namespace {
QByteArray peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0);
    return "0";
}

bool asked() { return qEnvironmentVariableIsSet("TORAN2000_QUIT_WHEN_SHOWN"); }

// Runs done once the window's first paint has reached the screen. The paint
// may go to any of its controls: one that covers the window wholly takes it
// alone.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *window, std::function<void()> done) : QObject(window), m_window(window), m_done(std::move(done))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            qApp->removeEventFilter(this);
            // Queued, so that it runs after the paint has been flushed.
            QMetaObject::invokeMethod(qApp, m_done, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_done;
};
} // namespace

namespace BenchReport {
void reportSplashPaintIfAsked(QWidget *splash)
{
    if (asked())
        new FirstPaint(splash, [] {
            std::printf("splash %lld\n", QDateTime::currentMSecsSinceEpoch());
            std::fflush(stdout);
        });
}

void quitWhenShownIfAsked(QWidget *window)
{
    if (asked())
        new FirstPaint(window, [] {
            std::printf("shown %lld %s\n", QDateTime::currentMSecsSinceEpoch(), peakResidentKb().constData());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
}
} // namespace BenchReport
