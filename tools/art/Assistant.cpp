// The assistant: a stout little man in a blue suit and a wide blue hat with
// one hand on the post of a small tower of disks, its silhouette as stored
// region data, and the two warning pictures of the notices.
#include "Art.h"

#include "core/drawing/RegionData.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize kAssistantSize(107, 105);
// The picture is centred in the assistant's 104 x 104 client area.
constexpr QPoint kAssistantOrigin(-1, 0);

const QColor kOutline(0, 0, 0);
const QColor kSuit(24, 48, 184);
const QColor kSuitDark(12, 26, 120);
const QColor kShirt(255, 255, 200);
const QColor kSkin(255, 214, 170);
const QColor kCheek(245, 160, 140);
const QColor kShoe(128, 64, 0);
const QColor kPost(128, 0, 0);

void drawTower(QPainter &p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPost);
    p.drawRect(QRectF(30.5, 43.5, 4, 53));            // post
    p.drawRoundedRect(QRectF(7.5, 95.5, 52, 5), 1.5, 1.5);   // base
    // Largest at the bottom. No white disk: white pixels would be holes in
    // the window.
    const QColor disks[] = {QColor(0, 0, 255), QColor(0, 255, 255), QColor(0, 200, 0),
                            QColor(255, 0, 0), QColor(255, 255, 128)};
    for (int i = 0; i < 5; ++i) {
        const double w = 44 - 8 * i;
        const double top = 88.5 - 7 * i;
        p.setBrush(disks[i]);
        p.drawRoundedRect(QRectF(32.5 - w / 2, top, w, 7), 3, 3);
    }
}

void drawArm(QPainter &p, const QPainterPath &path)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(kSuit, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void drawHand(QPainter &p, const QPointF &centre, double radius)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kSkin);
    p.drawEllipse(centre, radius, radius);
}

void drawMan(QPainter &p)
{
    p.setPen(QPen(kOutline, 1));

    // Legs and shoes.
    p.setBrush(kSuitDark);
    p.drawRect(QRectF(64.5, 78.5, 11, 18));
    p.drawRect(QRectF(80.5, 78.5, 11, 18));
    p.setBrush(kShoe);
    p.drawEllipse(QRectF(56.5, 93.5, 21, 9));
    p.drawEllipse(QRectF(79.5, 93.5, 21, 9));
    p.setPen(QPen(QColor(200, 130, 60), 1));
    p.drawLine(QPointF(61, 96), QPointF(66, 95.5));
    p.drawLine(QPointF(84, 96), QPointF(89, 95.5));

    // The arm on the far side rests on the hip, behind the belly.
    QPainterPath hipArm;
    hipArm.moveTo(94, 46);
    hipArm.lineTo(99, 57);
    hipArm.lineTo(96, 67);
    drawArm(p, hipArm);

    // A round belly in the suit, the pale shirt front down its middle.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kSuit);
    p.drawEllipse(QRectF(55.5, 38.5, 46, 46));
    QPainterPath shirt;
    shirt.moveTo(70, 39.5);
    shirt.lineTo(84, 39.5);
    shirt.quadTo(86, 62, 78, 79);
    shirt.quadTo(70, 62, 70, 39.5);
    p.setBrush(kShirt);
    p.drawPath(shirt);
    // Lapels.
    p.setBrush(kSuitDark);
    QPainterPath lapelLeft;
    lapelLeft.moveTo(69, 40);
    lapelLeft.lineTo(74, 40);
    lapelLeft.lineTo(76, 56);
    lapelLeft.closeSubpath();
    p.drawPath(lapelLeft);
    QPainterPath lapelRight;
    lapelRight.moveTo(85, 40);
    lapelRight.lineTo(80, 40);
    lapelRight.lineTo(78, 56);
    lapelRight.closeSubpath();
    p.drawPath(lapelRight);
    // Bow tie and buttons.
    p.setBrush(QColor(220, 0, 0));
    QPainterPath bow;
    bow.moveTo(77, 42);
    bow.lineTo(72, 39);
    bow.lineTo(72, 45);
    bow.closeSubpath();
    bow.moveTo(77, 42);
    bow.lineTo(82, 39);
    bow.lineTo(82, 45);
    bow.closeSubpath();
    p.drawPath(bow);
    p.setBrush(kSuitDark);
    for (const double y : {60.0, 68.0})
        p.drawEllipse(QPointF(86.5, y), 1.4, 1.4);

    // The near arm reaches over to the post of the tower.
    QPainterPath postArm;
    postArm.moveTo(62, 47);
    postArm.quadTo(50, 50, 38, 50);
    drawArm(p, postArm);
    drawHand(p, QPointF(34.5, 49.5), 4.2);
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(33, 47.5), QPointF(37, 47.5));
    drawHand(p, QPointF(95.5, 68.5), 3.6);

    // Head.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(63.5, 15.5, 26, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(kCheek);
    p.drawEllipse(QPointF(68.5, 31.5), 2.5, 2);
    p.drawEllipse(QPointF(84.5, 31.5), 2.5, 2);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(71.5, 25.5), 1.3, 1.6);
    p.drawEllipse(QPointF(81.5, 25.5), 1.3, 1.6);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(240, 150, 120));
    p.drawEllipse(QPointF(76.5, 29), 2.6, 2.2);
    p.setBrush(Qt::NoBrush);
    QPainterPath smile;
    smile.moveTo(71, 33);
    smile.quadTo(76.5, 37.5, 82, 33);
    p.drawPath(smile);

    // Wide hat: the brim, then the crown with its dark band.
    p.setBrush(kSuit);
    p.drawEllipse(QRectF(50.5, 13.5, 52, 8));
    QPainterPath crown;
    crown.moveTo(63.5, 17.5);
    crown.lineTo(65.5, 4);
    crown.quadTo(76.5, -1, 87.5, 4);
    crown.lineTo(89.5, 17.5);
    crown.closeSubpath();
    p.drawPath(crown);
    p.setPen(Qt::NoPen);
    p.setBrush(kSuitDark);
    p.drawRect(QRectF(64.2, 12, 24.6, 4));
    p.setPen(QPen(QColor(110, 140, 255), 1));
    p.drawLine(QPointF(68, 6), QPointF(72, 4.5));
}

// Light blends with the white paper would show as a pale fringe around the
// cut-out window; they are paper.
void whitenFringe(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRed(line[x]) > 232 && qGreen(line[x]) > 232 && qBlue(line[x]) > 232)
                line[x] = qRgb(255, 255, 255);
    }
}

QImage drawnAssistant(int scale)
{
    QImage image = canvas(kAssistantSize.width() * scale, kAssistantSize.height() * scale);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        drawTower(p);
        drawMan(p);
    }
    whitenFringe(image);
    return image;
}

bool isPaper(QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }

// The window is cut to the silhouette of the picture at ratio 1, also where
// it shows twice as many pixels: the finer picture keeps exactly that
// outline. Paper inside it becomes the figure's black outline, and the few
// fine pixels beyond it are paper.
QImage assistant(int scale)
{
    QImage image = drawnAssistant(scale);
    if (scale == 1)
        return image;
    const QImage outline = drawnAssistant(1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (isPaper(outline.pixel(x / scale, y / scale)))
                line[x] = qRgb(255, 255, 255);
            else if (isPaper(line[x]))
                line[x] = kOutline.rgb();
        }
    }
    return image;
}

QByteArray assistantMask()
{
    return RegionData::write(RegionData::silhouette(drawnAssistant(1), kAssistantOrigin));
}

constexpr QRgb kWarningPaper = qRgb(255, 255, 204);

// A hairline: one pixel at ratio 1 (as the picture was first drawn), and as
// wide as one pixel there on the finer picture.
QPen hairline(const QColor &color, int scale) { return QPen(color, scale == 1 ? 0 : 1); }

QImage warningTriangle(bool shadow, int scale)
{
    QImage image = canvas(35 * scale, 35 * scale, kWarningPaper);
    QPainter p(&image);
    p.scale(scale, scale);
    // Hard edges: the paper colour is keyed out, so blends would show.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPolygon triangle{QPoint(16, 2), QPoint(31, 30), QPoint(1, 30)};
    if (shadow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(128, 128, 128));
        p.drawPolygon(triangle.translated(3, 2));
    }
    p.setPen(hairline(Qt::black, scale));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(triangle);
    p.setPen(hairline(QColor(128, 128, 0), scale));
    p.drawLine(3, 29, 29, 29);
    return image;
}

QImage exclamation(int scale)
{
    QImage image = warningTriangle(false, scale);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon{QPoint(14, 10), QPoint(19, 10), QPoint(18, 22), QPoint(15, 22)});
    p.drawRect(14, 24, 4, 3);
    return image;
}

QImage question(int scale)
{
    QImage image = warningTriangle(true, scale);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    if (scale == 1) {
        // The hook of the mark, then its stem and dot, pixel by pixel.
        p.drawRect(14, 12, 5, 2);
        p.drawRect(13, 13, 3, 3);
        p.drawRect(18, 13, 3, 5);
        p.drawRect(16, 17, 3, 2);
        p.drawRect(15, 18, 3, 4);
        p.drawRect(15, 24, 3, 3);
        return image;
    }
    // Finer: the same mark as a stroke, smoothed against the yellow.
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hook;
    hook.moveTo(14.5, 15.5);
    hook.cubicTo(14.5, 11.5, 19.5, 11.5, 19.5, 15);
    hook.cubicTo(19.5, 17.5, 16.5, 17.5, 16.5, 19.5);
    hook.lineTo(16.5, 22);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16.5, 25.5), 1.6, 1.6);
    return image;
}

const ArtFile files[] = {
    {"assistant.png", assistant},
    {"assistant.mask2", assistantMask},
    {"warning-exclamation.png", exclamation},
    {"warning-question.png", question},
};

} // namespace
