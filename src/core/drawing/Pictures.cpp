#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace {
constexpr qreal kFineRatio = 2.0;

QString fineFile(const QString &resource)
{
    const int dot = resource.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

// Every picture is made once and shared, by name (a file, or a file and a
// colour made clear).
QHash<QString, QImage> &store()
{
    static QHash<QString, QImage> images;
    return images;
}

template <typename Make>
QImage shared(const QString &key, Make make)
{
    auto found = store().constFind(key);
    if (found != store().constEnd())
        return *found;
    return *store().insert(key, make());
}

// A picture file of the program's own, read by the reader of its format
// alone: asking every image plugin whether it knows the data would load them
// all, for pictures that are all PNG.
QImage decode(const QString &file)
{
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    QImageReader reader(file, dot < 0 ? QByteArray() : file.mid(dot + 1).toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage picture = reader.read();
    if (!picture.isNull() && file.contains(QLatin1String("@2x.")))
        picture.setDevicePixelRatio(kFineRatio);
    return picture;
}

// An icon made when it is first drawn or measured, not when it is set: what
// makes it runs at most once. Whether it is null is answered without
// making it, as widgets ask as soon as an icon is set.
class LazyIconEngine : public QIconEngine
{
public:
    LazyIconEngine(std::function<QIcon()> make, std::function<bool()> isNull)
        : m_make(std::move(make)), m_isNull(std::move(isNull))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_made ? m_icon.isNull() : m_isNull(); }
    QString key() const override { return QStringLiteral("LazyIconEngine"); }
    QIconEngine *clone() const override
    {
        auto *copy = new LazyIconEngine(m_make, m_isNull);
        copy->m_icon = m_icon;
        copy->m_made = m_made;
        return copy;
    }

private:
    const QIcon &icon()
    {
        if (!m_made) {
            m_made = true;
            m_icon = m_make();
        }
        return m_icon;
    }

    std::function<QIcon()> m_make;
    std::function<bool()> m_isNull;
    QIcon m_icon;
    bool m_made = false;
};

QImage fileImage(const QString &file)
{
    return shared(file, [&] { return decode(file); });
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
    return fileImage(fileFor(resource, ratio()));
}

QPixmap pixmap(const QString &resource)
{
    return QPixmap::fromImage(image(resource));
}

QPixmap transparent(const QString &resource, QRgb transparentColor)
{
    const QString key = fileFor(resource, ratio()) + QLatin1Char('#') + QString::number(transparentColor, 16);
    return QPixmap::fromImage(shared(key, [&] {
        QImage picture = image(resource).convertToFormat(QImage::Format_ARGB32);
        if (picture.isNull())
            return picture;
        // Every pixel of exactly that colour becomes clear, in one pass.
        for (int y = 0; y < picture.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
            std::replace(line, line + picture.width(), transparentColor, qRgba(0, 0, 0, 0));
        }
        return picture;
    }));
}

QIcon icon(const QString &resource)
{
    // Both the picture and its finer twin, for whichever screen it goes to.
    return lazyIcon(
        [resource] {
            QIcon both(QPixmap::fromImage(fileImage(resource)));
            const QString fine = fileFor(resource, kFineRatio);
            if (fine != resource)
                both.addPixmap(QPixmap::fromImage(fileImage(fine)));
            return both;
        },
        [resource] { return !QFile::exists(resource); });
}

QIcon lazyIcon(std::function<QIcon()> make, std::function<bool()> isNull)
{
    return QIcon(new LazyIconEngine(std::move(make), std::move(isNull)));
}

} // namespace Pictures
