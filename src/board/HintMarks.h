#pragma once

#include <QRect>
#include <QWidget>

// The hint's marks over the board: a frame round the disk to move and
// round the base of the post it goes to, with an arrow above that post. Drawn over the
// whole board, above the disks, and transparent to the mouse.
class HintMarks : public QWidget
{
    Q_OBJECT
public:
    explicit HintMarks(QWidget *board);

    // The disk's and the target post's places in the board (pole and base).
    void mark(const QRect &disk, const QRect &pole, const QRect &base);
    void clear();
    bool isMarking() const { return !m_disk.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect m_disk;
    QRect m_pole;
    QRect m_base;
};
