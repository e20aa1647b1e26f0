#pragma once

#include <QImage>
#include <QPixmap>
#include <QRgb>
#include <QString>

// The program's pictures, each decoded from its resource once and shared by
// every window that shows it: copies of a QImage or QPixmap share their
// pixels until one is changed.
namespace Pictures {

QImage image(const QString &resource);

// The picture with every pixel of the given colour see-through, made once
// per picture and colour.
QPixmap transparent(const QString &resource, QRgb transparentColor);

} // namespace Pictures
