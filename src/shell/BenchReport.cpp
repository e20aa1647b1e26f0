#include "BenchReport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

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

class FirstPaint : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, this, [] {
                std::printf("shown %lld %s\n", QDateTime::currentMSecsSinceEpoch(), peakResidentKb().constData());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_done = false;
};
} // namespace

namespace BenchReport {
void quitWhenShownIfAsked(QWidget *window)
{
    if (qEnvironmentVariableIsSet("TORAN2000_QUIT_WHEN_SHOWN"))
        window->installEventFilter(new FirstPaint(window));
}
} // namespace BenchReport
