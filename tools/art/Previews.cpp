// The new-game dialog's previews: a small tower of N disks for each count
// button, 32 x 32, picture index i showing 10 - i disks.
#include "Art.h"

#include <QPainter>

namespace {
constexpr QRgb kDiskColors[10] = {
    qRgb(255, 255, 255), qRgb(255, 255, 128), qRgb(255, 0, 0), qRgb(0, 255, 255), qRgb(0, 0, 255),
    qRgb(0, 255, 0), qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(192, 192, 192), qRgb(0, 0, 0),
};
// The dialog's own yellow, so the picture's corners melt into it.
constexpr QRgb kBackground = qRgb(255, 255, 224);

QImage tower(int disks, int scale)
{
    QImage image = canvas(32 * scale, 32 * scale, kBackground);
    QPainter p(&image);
    p.scale(scale, scale);
    p.fillRect(15, 3, 2, 26, QColor(128, 0, 0));   // pole
    p.fillRect(1, 28, 30, 3, QColor(128, 0, 0));   // base
    // Fewer disks stand taller, so every tower fills about the same height.
    const int height = qBound(2, 24 / disks, 4);
    for (int k = disks; k >= 1; --k) {
        const int level = disks - k;
        const int width = 6 + (k - 1) * 24 / 9;
        const QRect disk(16 - width / 2, 28 - (level + 1) * height, width, height);
        p.fillRect(disk, QColor(kDiskColors[k - 1]));
        // A dark lower edge keeps neighbouring disks apart: one pixel of
        // the picture at ratio 1, a finer line on the finer picture.
        const double edge = 1.0 / scale;
        p.fillRect(QRectF(disk.left(), disk.top() + disk.height() - edge, disk.width(), edge),
                   QColor(0, 0, 0, 140));
    }
    return image;
}

template <int Index>
QImage previewAt(int scale) { return tower(10 - Index, scale); }

const ArtFile files[] = {
    {"hra-0.png", previewAt<0>}, {"hra-1.png", previewAt<1>}, {"hra-2.png", previewAt<2>},
    {"hra-3.png", previewAt<3>}, {"hra-4.png", previewAt<4>}, {"hra-5.png", previewAt<5>},
    {"hra-6.png", previewAt<6>}, {"hra-7.png", previewAt<7>},
};
} // namespace
