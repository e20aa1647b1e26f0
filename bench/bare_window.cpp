// The smallest Qt Widgets program that shows a window with a menu bar, as the
// game's main window has one: the yardstick for the game's start-up. With TORAN2000_QUIT_WHEN_SHOWN set it reports, like the
// game, the moment its window is first painted and its peak memory, then quits.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
class Window : public QMainWindow
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_reported || !qEnvironmentVariableIsSet("TORAN2000_QUIT_WHEN_SHOWN"))
            return;
        m_reported = true;
        QFile status(QStringLiteral("/proc/self/status"));
        QByteArray peak = "0";
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    peak = line.mid(6).trimmed().split(' ').value(0);
        std::printf("shown %lld %s\n", QDateTime::currentMSecsSinceEpoch(), peak.constData());
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

private:
    bool m_reported = false;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Window window;
    window.menuBar()->addMenu(QStringLiteral("&Soubor"));
    window.setCentralWidget(new QWidget);
    window.resize(569, 336);
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.show();
    return app.exec();
}
