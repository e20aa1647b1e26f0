#pragma once

#include <QWidget>

#include <array>
#include <vector>

class Panel;
class Shape;

// The picture between games: three posts with their disks and the title
// panel, with the opening animation that drops the disks and the title
// into place and the closing one that lifts them out. It covers its
// parent's whole client area, below every other control.
class IdlePicture : public QWidget
{
    Q_OBJECT
public:
    // caption: the title panel's lettering.
    IdlePicture(QWidget *parent, const QString &caption);

    // The disks, post by post (DI1..DI10, DA1..DA8, DB1..DB10), and the title panel.
    const std::vector<Shape *> &disks(int post) const { return m_disks[post - 1]; }
    static int restingTop(int post, int k);
    Panel *titlePanel() const { return m_title; }

    // Where the opening animation starts: the disks behind the toolbar, the
    // title above the client area.
    void moveToStart();
    // Each repaints the parent once, so that only the moving parts are drawn
    // on a finished picture.
    void openingAnimation();
    void closingAnimation();

private:
    std::array<std::vector<Shape *>, 3> m_disks;
    Panel *m_title = nullptr;
};
