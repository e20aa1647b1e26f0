#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>

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
    const QString file = fileFor(resource, ratio());
    QImage picture(file);
    if (file != resource)
        picture.setDevicePixelRatio(kFineRatio);
    return picture;
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
