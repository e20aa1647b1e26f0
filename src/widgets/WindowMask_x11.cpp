#include "WindowMask.h"

#include <QGuiApplication>
#include <QRegion>
#include <QVarLengthArray>
#include <QWidget>

#include <QtGui/qguiapplication_platform.h>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace WindowMask {

// The X server shapes a window in its own pixels, which at a scale above 1
// are device pixels: the bounding shape as Qt's mask sets it, input
// following it.
bool setDeviceRegion(QWidget *window, const QRegion &devicePixels)
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window->windowHandle() || !window->internalWinId() || devicePixels.isEmpty())
        return false;
    xcb_connection_t *connection = x11->connection();
    const xcb_query_extension_reply_t *shape = xcb_get_extension_data(connection, &xcb_shape_id);
    if (!shape || !shape->present)
        return false;
    QVarLengthArray<xcb_rectangle_t, 256> rectangles;
    for (const QRect &r : devicePixels)
        rectangles.append({int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()), uint16_t(r.height())});
    xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
                         xcb_window_t(window->internalWinId()), 0, 0, uint32_t(rectangles.size()),
                         rectangles.constData());
    xcb_flush(connection);
    return true;
}

} // namespace WindowMask
