#pragma once

#include <QByteArray>
#include <QImage>

// A file the picture tool writes: a name below the output folder and the
// function that makes its contents. Each picture family registers its files
// with static ArtFile objects.
struct ArtFile
{
    using Make = QByteArray (*)();
    ArtFile(const char *name, Make make);
};

QByteArray png(const QImage &image);
// A 24-bit picture on a white background, ready to paint on.
QImage canvas(int width, int height, QRgb background = qRgb(255, 255, 255));
