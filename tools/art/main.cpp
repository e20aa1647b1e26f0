// Writes every registered picture into the folder given on the command line.
#include "Art.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <functional>
#include <vector>

namespace {
struct Entry {
    QString name;
    std::function<QByteArray()> make;
};
std::vector<Entry> &entries()
{
    static std::vector<Entry> e;
    return e;
}
} // namespace

ArtFile::ArtFile(const char *name, Make make) { entries().push_back({QString::fromLatin1(name), make}); }

ArtFile::ArtFile(const char *name, Draw draw)
{
    const QString plain = QString::fromLatin1(name);
    const int dot = plain.lastIndexOf(QLatin1Char('.'));
    entries().push_back({plain, [draw] { return png(draw(1)); }});
    entries().push_back({plain.left(dot) + QStringLiteral("@2x") + plain.mid(dot), [draw] { return png(draw(2)); }});
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage canvas(int width, int height, QRgb background)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: toran_artgen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const Entry &entry : entries()) {
        const QString path = out.filePath(entry.name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        const QByteArray data = entry.make();
        if (data.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            std::fprintf(stderr, "toran_artgen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
