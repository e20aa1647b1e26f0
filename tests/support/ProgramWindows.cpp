#include "ProgramWindows.h"

Program::Program(const QByteArray &assistantSettings)
{
    dir.withSounds();
    dir.writeFile("Toran2000.ini", "[Nastaveni]\r\nAnimace=0\r\n");
    dir.writeFile("KQ2000.ini", assistantSettings);
    Placement::setScreenSizeForTesting(QSize(1024, 768));
    windows = Startup::createWindows([](int) {});
    main = windows->HlavniDialog.get();
    main->show();
}

Program::~Program()
{
    windows.reset();
    Placement::setScreenSizeForTesting(QSize());
}

void Program::move(int from, int to)
{
    const Board::Disks disks = board()->disks();
    int top = 0;
    for (int k = Board::kDisks; k >= 1; --k)
        if (board()->disk(k)->isVisible() && Board::isOnPost(disks, k, board()->baseLeft(from)))
            top = k;
    QVERIFY2(top, "no disk on that post");
    release(board()->disk(top));
    release(board()->pole(to));
}

void Program::release(QWidget *w, Qt::MouseButton button)
{
    QTest::mousePress(w, button, {}, QPoint(2, 2));
    QTest::mouseRelease(w, button, {}, QPoint(2, 2));
}

void Program::solve(int n, int from, int to)
{
    if (n == 0)
        return;
    const int via = 6 - from - to;
    solve(n - 1, from, via);
    move(from, to);
    solve(n - 1, via, to);
}
