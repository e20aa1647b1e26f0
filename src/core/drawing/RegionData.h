#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QVector>

#include <optional>

// The stored window region "Mask2": a little-endian byte count N (0 = no
// region), a 32-byte header (header size 32, type 1 = rectangles, count C,
// 16 * C, bounding rectangle) and C rectangles left, top, right, bottom with
// right and bottom exclusive, in row bands from top to bottom.
namespace RegionData {

constexpr int kCountSize = 4;
constexpr int kHeaderSize = 32;
constexpr int kRectSize = 16;
constexpr int kTypeRectangles = 1;

struct Rects
{
    QRect bounds;          // as stored in the header
    QVector<QRect> rects;  // in stored order
};

// Reads stored data. Anything that cannot become a region (too short, N = 0,
// a foreign header, a count that does not fit N, an empty or inverted
// rectangle) is "no region": nullopt, and the window stays rectangular.
std::optional<Rects> parse(const QByteArray &mask2);
std::optional<QRegion> parseRegion(const QByteArray &mask2);

// Writes N and the data of the rectangles in the given order, the bounding
// rectangle computed from them; no rectangles write N = 0.
QByteArray write(const QVector<QRect> &rects);
QByteArray write(const QRegion &region);
QByteArray writeNoRegion();

QRegion toRegion(const QVector<QRect> &rects);
// The region's rectangles in row bands, top to bottom, left to right.
QVector<QRect> fromRegion(const QRegion &region);

// Each row of pixels that differ from background as runs of one-pixel-high
// rectangles, shifted by origin (where the picture's top left corner lies in
// the window). Rows are top to bottom, runs left to right.
QVector<QRect> rowRuns(const QImage &picture, QPoint origin, QRgb background = qRgb(255, 255, 255));
// The same pixels as a region; equal rows next to each other merge into bands.
QRegion silhouette(const QImage &picture, QPoint origin, QRgb background = qRgb(255, 255, 255));

} // namespace RegionData
