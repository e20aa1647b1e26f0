// The window icon, the status bar picture and the image list of the menus
// and toolbar (indices 0, 1, 2, 4, 7, 8).
#include "Art.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage transparent(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A picture of w x h pixels at ratio 1 and its painter, scaled so that the
// same drawing fills it at any ratio.
struct Scaled {
    Scaled(int w, int h, int scale)
        : image(transparent(w * scale, h * scale)), painter(&image), scale(scale)
    {
        painter.scale(scale, scale);
    }
    // Lines and outlines on whole pixels. At ratio 1 a one-pixel pen covers
    // the pixels right of and below its coordinates; scaled up it would be
    // centred on them, half a pixel up and left. Moved back by that half it
    // covers the same pixels as at ratio 1.
    template <typename Draw>
    void onPixels(Draw draw)
    {
        painter.save();
        if (scale > 1)
            painter.translate(0.5, 0.5);
        draw(painter);
        painter.restore();
    }
    QImage take()
    {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
    int scale;
};

void disk(QPainter &p, int x, int y, int w, QRgb color)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(color));
    p.drawRoundedRect(QRectF(x, y, w - 1, 3), 1, 1);
}

QImage tower(int size, int scale)
{
    Scaled picture(size, size, scale);
    QPainter &p = picture.painter;
    const int pole = size / 2 - 1;
    p.fillRect(pole, 1, 2, size - 3, QColor(128, 0, 0));
    p.fillRect(1, size - 2, size - 2, 2, QColor(128, 0, 0));
    picture.onPixels([size](QPainter &p) {
        disk(p, size / 2 - 3, size - 14, 6, qRgb(255, 255, 255));
        disk(p, size / 2 - 5, size - 10, 10, qRgb(255, 0, 0));
        disk(p, size / 2 - 7, size - 6, 14, qRgb(0, 0, 255));
    });
    return picture.take();
}

// The window icon's tower on a 32-pixel grid, on a painter already scaled.
void iconTower(QPainter &p)
{
    p.fillRect(15, 3, 3, 25, QColor(128, 0, 0));
    p.fillRect(2, 27, 28, 3, QColor(128, 0, 0));
    const QRgb colors[] = {qRgb(255, 255, 255), qRgb(255, 255, 128), qRgb(255, 0, 0), qRgb(0, 255, 255), qRgb(0, 0, 255)};
    for (int i = 0; i < 5; ++i) {
        const int w = 10 + 4 * i;
        p.setPen(Qt::black);
        p.setBrush(QColor(colors[i]));
        p.drawRoundedRect(QRectF(16.5 - w / 2.0, 6 + 4 * i, w, 3.5), 1.5, 1.5);
    }
}

QImage icon(int scale)
{
    Scaled picture(32, 32, scale);
    picture.painter.setRenderHint(QPainter::Antialiasing, scale != 1);
    iconTower(picture.painter);
    return picture.take();
}

// The same tower for the desktop's icon theme, drawn at each size rather
// than scaled from 32 pixels.
QImage desktopImage(int size)
{
    QImage image = transparent(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size != 32);
    p.scale(size / 32.0, size / 32.0);
    iconTower(p);
    p.end();
    return image;
}

template <int Size>
QByteArray desktopIcon()
{
    return png(desktopImage(Size));
}

void putLittleEndian(QByteArray &bytes, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

// The Windows program's icon: the desktop's pictures from 16 to 256 pixels
// in one icon file, each entry a PNG (which Windows reads since Vista).
QByteArray windowsIcon()
{
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    constexpr int count = int(sizeof(sizes) / sizeof(sizes[0]));
    constexpr int headerSize = 6;
    constexpr int entrySize = 16;
    QByteArray head;
    QByteArray body;
    putLittleEndian(head, 0, 2);   // reserved
    putLittleEndian(head, 1, 2);   // an icon, not a cursor
    putLittleEndian(head, count, 2);
    for (const int size : sizes) {
        const QByteArray picture = png(desktopImage(size));
        head.append(char(size == 256 ? 0 : size));   // 0 stands for 256
        head.append(char(size == 256 ? 0 : size));
        head.append(char(0));   // no palette
        head.append(char(0));
        putLittleEndian(head, 1, 2);   // planes
        putLittleEndian(head, 32, 2);   // bits a pixel
        putLittleEndian(head, quint32(picture.size()), 4);
        putLittleEndian(head, quint32(headerSize + count * entrySize + body.size()), 4);
        body.append(picture);
    }
    return head + body;
}

QImage newGame(int scale) { return tower(16, scale); }

QImage bestResults(int scale)
{
    Scaled picture(16, 16, scale);
    QPainter &p = picture.painter;
    picture.onPixels([](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(1, 2, 13, 12);
    });
    p.fillRect(2, 3, 12, 3, QColor(0, 0, 128));
    picture.onPixels([](QPainter &p) {
        p.setPen(QColor(128, 128, 128));
        for (int y = 8; y <= 12; y += 2)
            p.drawLine(3, y, 12, y);
        p.setPen(Qt::black);
        p.drawLine(6, 6, 6, 13);
    });
    return picture.take();
}

QImage help(int scale)
{
    Scaled picture(16, 16, scale);
    QPainter &p = picture.painter;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath mark;
    mark.moveTo(5.5, 6);
    mark.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 5.5);
    mark.cubicTo(10.5, 7.5, 8, 7.5, 8, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.drawPath(mark);
    p.fillRect(7, 11, 2, 2, QColor(0, 0, 128));
    return picture.take();
}

QImage manual(int scale)
{
    Scaled picture(16, 16, scale);
    QPainter &p = picture.painter;
    picture.onPixels([](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(QColor(0, 128, 128));
        p.drawRect(2, 1, 11, 13);
    });
    p.fillRect(3, 12, 10, 2, QColor(255, 255, 255));
    picture.onPixels([](QPainter &p) {
        p.setPen(QColor(255, 255, 0));
        p.drawLine(5, 4, 10, 4);
        p.drawLine(5, 6, 10, 6);
    });
    return picture.take();
}

QImage endGame(int scale)
{
    Scaled picture(16, 16, scale);
    QPainter &p = picture.painter;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(128, 0, 0));
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(Qt::white, 2.2));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return picture.take();
}

QImage bossScreen(int scale)
{
    // A little bar chart: the office picture that hides the game.
    Scaled picture(16, 16, scale);
    picture.onPixels([](QPainter &p) {
        p.setPen(Qt::black);
        p.drawLine(1, 1, 1, 14);
        p.drawLine(1, 14, 15, 14);
        const int heights[] = {9, 5, 11, 7};
        const QRgb colors[] = {qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 255, 255), qRgb(0, 0, 255)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(QColor(colors[i]));
            p.drawRect(3 + 3 * i, 13 - heights[i], 2, heights[i]);
        }
    });
    return picture.take();
}

QImage statusPicture(int scale)
{
    Scaled picture(18, 18, scale);
    QImage mark = help(scale);
    mark.setDevicePixelRatio(scale);
    picture.painter.drawImage(QPoint(1, 1), mark);
    return picture.take();
}

const ArtFile files[] = {
    {"icon.png", icon},
    {"status.png", statusPicture},
    {"toolbar-0.png", newGame},
    {"toolbar-1.png", bestResults},
    {"toolbar-2.png", help},
    {"toolbar-4.png", manual},
    {"toolbar-7.png", endGame},
    {"toolbar-8.png", bossScreen},
    {"desktop/16.png", desktopIcon<16>},
    {"desktop/32.png", desktopIcon<32>},
    {"desktop/48.png", desktopIcon<48>},
    {"desktop/64.png", desktopIcon<64>},
    {"desktop/128.png", desktopIcon<128>},
    {"desktop/256.png", desktopIcon<256>},
    {"desktop/Toran2000.ico", windowsIcon},
};

} // namespace
