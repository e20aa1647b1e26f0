// The smallest Qt Widgets program that shows a window; quits as soon as the
// window is shown when TORAN2000_QUIT_WHEN_SHOWN is set, like the game.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(569, 336);
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.show();
    if (qEnvironmentVariableIsSet("TORAN2000_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
