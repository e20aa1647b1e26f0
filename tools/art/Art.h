#pragma once

#include <QByteArray>
#include <QImage>

// A file the picture tool writes: a name below the output folder and the
// function that makes its contents. Each picture family registers its files
// with static ArtFile objects.
//
// A picture for the screen is drawn at a pixel ratio (scale 1 or 2) and
// written twice: under its name, and drawn at twice the resolution under the
// name with "@2x" before the extension, which the program shows on screens
// with a device pixel ratio above 1. Its family lists such names in
// TORAN_ART_SCALED_IMAGES.
struct ArtFile
{
    using Make = QByteArray (*)();
    using Draw = QImage (*)(int scale);
    ArtFile(const char *name, Make make);
    ArtFile(const char *name, Draw draw);
};

QByteArray png(const QImage &image);
// A 24-bit picture on a white background, ready to paint on.
QImage canvas(int width, int height, QRgb background = qRgb(255, 255, 255));
