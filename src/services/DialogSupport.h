#pragma once

#include "core/drawing/BalloonGeometry.h"

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;
class TGradText;
class TOfficeButton;
class TOfficeLabel;
class tformshape;

// What the program's dialogs share: the balloon window, and the controls of
// the forms built at their designed places.
namespace DialogSupport {

// Makes form a frameless, always-on-top balloon of the given outer size in
// the balloons' pale yellow, with its hint; returns its shaper, applied.
tformshape *makeBalloon(QWidget *form, const QSize &size, TBalloonPosition position, const QString &hint);

// A picture drawn transparent: the pixels of its bottom-left pixel's colour
// (or of the given colour) do not show.
QPixmap transparentPicture(const QString &resource);
QPixmap transparentPicture(const QString &resource, QRgb transparent);

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry, const QFont &font,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, bool wordWrap = false);

// The program's title lettering: red to blue from left to right, Times New
// Roman bold italic of the given pixel height, at its designed box.
TGradText *titleLettering(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                          int pixelHeight);

// A flat "Ok"/"Ano"/"Ne"/"Zpět" button: 64 x 20 at its place, RoundSize 20.
TOfficeButton *officeButton(QWidget *parent, const char *name, const QString &caption, const QPoint &at,
                            const QFont &font, const QString &hint = QString());

// A clickable line of text with its light, at its place.
TOfficeLabel *officeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
                          const QFont &font, const QString &hint = QString());

} // namespace DialogSupport
