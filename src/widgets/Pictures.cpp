#include "Pictures.h"

#include <QHash>

namespace Pictures {

QImage image(const QString &resource)
{
    static QHash<QString, QImage> decoded;
    auto found = decoded.constFind(resource);
    if (found == decoded.constEnd())
        found = decoded.insert(resource, QImage(resource));
    return *found;
}

QPixmap transparent(const QString &resource, QRgb transparentColor)
{
    static QHash<QString, QPixmap> made;
    const QString key = resource + QLatin1Char('#') + QString::number(transparentColor, 16);
    auto found = made.constFind(key);
    if (found != made.constEnd())
        return *found;
    QImage picture = image(resource).convertToFormat(QImage::Format_ARGB32);
    QPixmap pixmap;
    if (!picture.isNull()) {
        picture.setAlphaChannel(picture.createMaskFromColor(transparentColor, Qt::MaskOutColor));
        pixmap = QPixmap::fromImage(std::move(picture));
    }
    made.insert(key, pixmap);
    return pixmap;
}

} // namespace Pictures
