#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QWidget>

// Helpers of the widget tests: a widget painted into an image, and the
// pointer entering and leaving a widget.
namespace WidgetShots {

// The widget alone, on transparent: what it paints and nothing else.
inline QImage shot(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// A widget with its children, its own background included (a parent panel).
inline QImage shotWithBackground(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget->render(&image);
    return image;
}

inline QRgb rgbAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

inline bool clearAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 0;
}

inline void enter(QWidget *widget)
{
    const QPointF inside(1, 1);
    QEnterEvent event(inside, widget->mapTo(widget->window(), inside), widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &event);
}

inline void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

} // namespace WidgetShots
