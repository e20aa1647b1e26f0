#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>

namespace {
constexpr qreal kFineRatio = 2.0;

QString fineFile(const QString &resource)
{
    const int dot = resource.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}
} // namespace

namespace Pictures {

QString fileFor(const QString &resource, qreal ratio)
{
    if (ratio > 1.0) {
        const QString fine = fineFile(resource);
        if (!fine.isEmpty() && QFile::exists(fine))
            return fine;
    }
    return resource;
}

qreal ratio() { return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0; }

QImage image(const QString &resource)
{
    static QHash<QString, QImage> decoded;
    const QString file = fileFor(resource, ratio());
    auto found = decoded.constFind(file);
    if (found == decoded.constEnd()) {
        QImage picture(file);
        if (file != resource)
            picture.setDevicePixelRatio(kFineRatio);
        found = decoded.insert(file, picture);
    }
    return *found;
}

QPixmap pixmap(const QString &resource)
{
    static QHash<QString, QPixmap> made;
    const QString file = fileFor(resource, ratio());
    auto found = made.constFind(file);
    if (found == made.constEnd()) {
        QPixmap picture(file);
        if (file != resource)
            picture.setDevicePixelRatio(kFineRatio);
        found = made.insert(file, picture);
    }
    return *found;
}

QPixmap transparent(const QString &resource, QRgb transparentColor)
{
    static QHash<QString, QPixmap> made;
    const QString key = fileFor(resource, ratio()) + QLatin1Char('#') + QString::number(transparentColor, 16);
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

QIcon icon(const QString &resource)
{
    QIcon icon(resource);
    const QString fine = fileFor(resource, kFineRatio);
    if (fine != resource)
        icon.addFile(fine);
    return icon;
}

} // namespace Pictures
