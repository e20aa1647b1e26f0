#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRgb>
#include <QString>

#include <functional>

// The program's own pictures (":/art/..."). The picture tool draws each one
// twice: at ratio 1, and named "<name>@2x.png" at twice the resolution. On a
// screen that shows more than one device pixel per pixel the finer one is
// taken; it carries a device pixel ratio of 2, so it lays out at the size of
// the other and only looks sharper. Each picture is decoded once and kept
// as an image, shared by every window that shows it (copies of a QImage
// share their pixels until one is changed). A pixmap is made of it for the
// control that asks and goes with that control: none is kept here, so none
// outlives the application object.
namespace Pictures {

// The resource that serves at the given device pixel ratio.
QString fileFor(const QString &resource, qreal ratio);

// The highest device pixel ratio of the program's screens (1 without any).
qreal ratio();

// The picture for the program's screens.
QImage image(const QString &resource);

// The picture as a pixmap, for a control that just draws it.
QPixmap pixmap(const QString &resource);

// That picture with every pixel of the given colour see-through, worked out
// once per picture and colour.
QPixmap transparent(const QString &resource, QRgb transparentColor);

// An icon holding both pictures, for whichever screen it is drawn on; they
// are read when it is first drawn.
QIcon icon(const QString &resource);

// An icon made by `make` when it is first drawn or measured; until then
// `isNull` tells whether it will be null.
QIcon lazyIcon(std::function<QIcon()> make, std::function<bool()> isNull);

} // namespace Pictures
