#include "RegionData.h"

#include <QtEndian>

namespace RegionData {

namespace {

qint32 int32At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

void appendInt32(QByteArray &bytes, qint32 value)
{
    char raw[4];
    qToLittleEndian<qint32>(value, raw);
    bytes.append(raw, 4);
}

void appendRect(QByteArray &bytes, const QRect &rect)
{
    // Stored rectangles end one past their last pixel.
    appendInt32(bytes, rect.left());
    appendInt32(bytes, rect.top());
    appendInt32(bytes, rect.left() + rect.width());
    appendInt32(bytes, rect.top() + rect.height());
}

QRect rectAt(const QByteArray &bytes, qsizetype offset)
{
    const qint32 left = int32At(bytes, offset);
    const qint32 top = int32At(bytes, offset + 4);
    const qint32 right = int32At(bytes, offset + 8);
    const qint32 bottom = int32At(bytes, offset + 12);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

bool sane(qint32 left, qint32 top, qint32 right, qint32 bottom)
{
    // Keeps widths and heights inside int so QRect arithmetic cannot overflow.
    const qint64 w = qint64(right) - left;
    const qint64 h = qint64(bottom) - top;
    return w > 0 && h > 0 && w <= 0x3FFFFFFF && h <= 0x3FFFFFFF;
}

} // namespace

std::optional<Rects> parse(const QByteArray &mask2)
{
    if (mask2.size() < kCountSize)
        return std::nullopt;
    const qint64 n = int32At(mask2, 0);
    if (n < kHeaderSize || mask2.size() - kCountSize < n)
        return std::nullopt;
    const qsizetype h = kCountSize;
    const qint64 count = int32At(mask2, h + 8);
    if (int32At(mask2, h) != kHeaderSize || int32At(mask2, h + 4) != kTypeRectangles
        || count <= 0 || kHeaderSize + kRectSize * count > n)
        return std::nullopt;
    // The platform's own writer may leave the byte size 0; any other value
    // must match the count.
    const qint64 rectBytes = int32At(mask2, h + 12);
    if (rectBytes != 0 && rectBytes != kRectSize * count)
        return std::nullopt;

    Rects result;
    const qint32 bl = int32At(mask2, h + 16), bt = int32At(mask2, h + 20);
    const qint32 br = int32At(mask2, h + 24), bb = int32At(mask2, h + 28);
    if (sane(bl, bt, br, bb))
        result.bounds = rectAt(mask2, h + 16);
    result.rects.reserve(int(count));
    for (qint64 i = 0; i < count; ++i) {
        const qsizetype at = kCountSize + kHeaderSize + kRectSize * i;
        if (!sane(int32At(mask2, at), int32At(mask2, at + 4), int32At(mask2, at + 8), int32At(mask2, at + 12)))
            return std::nullopt;
        result.rects.append(rectAt(mask2, at));
    }
    return result;
}

std::optional<QRegion> parseRegion(const QByteArray &mask2)
{
    const std::optional<Rects> parsed = parse(mask2);
    if (!parsed)
        return std::nullopt;
    return toRegion(parsed->rects);
}

QByteArray write(const QVector<QRect> &rects)
{
    QVector<QRect> kept;
    for (const QRect &r : rects)
        if (!r.isEmpty())
            kept.append(r);
    if (kept.isEmpty())
        return writeNoRegion();

    QRect bounds;
    for (const QRect &r : kept)
        bounds |= r;
    const qint32 count = qint32(kept.size());
    QByteArray bytes;
    bytes.reserve(kCountSize + kHeaderSize + kRectSize * count);
    appendInt32(bytes, kHeaderSize + kRectSize * count);
    appendInt32(bytes, kHeaderSize);
    appendInt32(bytes, kTypeRectangles);
    appendInt32(bytes, count);
    appendInt32(bytes, kRectSize * count);
    appendRect(bytes, bounds);
    for (const QRect &r : kept)
        appendRect(bytes, r);
    return bytes;
}

QByteArray write(const QRegion &region) { return write(fromRegion(region)); }

QByteArray writeNoRegion()
{
    QByteArray bytes;
    appendInt32(bytes, 0);
    return bytes;
}

QRegion toRegion(const QVector<QRect> &rects)
{
    // Adding rectangles in band order is cheap, and any order gives the
    // same normalised region.
    QRegion region;
    for (const QRect &r : rects)
        region += r;
    return region;
}

QVector<QRect> fromRegion(const QRegion &region)
{
    return QVector<QRect>(region.begin(), region.end());
}

QVector<QRect> rowRuns(const QImage &picture, QPoint origin, QRgb background)
{
    QVector<QRect> runs;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb paper = background | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && line[x] == paper)
                ++x;
            const int start = x;
            while (x < image.width() && line[x] != paper)
                ++x;
            if (x > start)
                runs.append(QRect(origin.x() + start, origin.y() + y, x - start, 1));
        }
    }
    return runs;
}

QRegion silhouette(const QImage &picture, QPoint origin, QRgb background)
{
    // The region merges equal neighbouring rows into one band.
    QRegion region;
    for (const QRect &run : rowRuns(picture, origin, background))
        region += run;
    return region;
}

} // namespace RegionData
