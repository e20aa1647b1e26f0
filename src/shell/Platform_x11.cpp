#include "Platform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QWindow>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace Platform {

namespace {
// The server's pixel layout for the depth: 32 bits a pixel, least
// significant byte first, is what an RGB32 image holds.
bool takesRgb32(const xcb_setup_t *setup, uint8_t depth)
{
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    const xcb_format_t *formats = xcb_setup_pixmap_formats(setup);
    for (int i = 0; i < xcb_setup_pixmap_formats_length(setup); ++i)
        if (formats[i].depth == depth)
            return formats[i].bits_per_pixel == 32 && formats[i].scanline_pad == 32;
    return false;
}
} // namespace

namespace {
// The X server's connection, where the windows are shown on one: other
// platforms may speak X11 too (offscreen, for its GL), without showing the
// window there.
xcb_connection_t *shownConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
} // namespace

bool showsWindowBackground()
{
    return shownConnection() != nullptr;
}

void setWindowBackground(QWindow *window, const QImage &picture)
{
    xcb_connection_t *c = window ? shownConnection() : nullptr;
    if (!c)
        return;
    const auto id = xcb_window_t(window->winId());
    uint32_t background = XCB_BACK_PIXMAP_NONE;
    if (picture.isNull()) {
        xcb_change_window_attributes(c, id, XCB_CW_BACK_PIXMAP, &background);
        xcb_flush(c);
        return;
    }
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    if (!geometry)
        return;
    const uint8_t depth = geometry->depth;
    std::free(geometry);
    if ((depth != 24 && depth != 32) || !takesRgb32(xcb_get_setup(c), depth))
        return;
    const QImage image = picture.convertToFormat(depth == 32 ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, depth, pixmap, id, uint16_t(image.width()), uint16_t(image.height()));
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    // In bands that each fit one request.
    const std::size_t line = std::size_t(image.bytesPerLine());
    const std::size_t room = std::size_t(xcb_get_maximum_request_length(c)) * 4 - 64;
    const int band = int(std::max<std::size_t>(1, room / line));
    for (int top = 0; top < image.height(); top += band) {
        const int rows = std::min(band, image.height() - top);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, uint16_t(image.width()), uint16_t(rows), 0,
                      int16_t(top), 0, depth, uint32_t(line * std::size_t(rows)), image.constScanLine(top));
    }
    xcb_free_gc(c, gc);
    background = pixmap;
    xcb_change_window_attributes(c, id, XCB_CW_BACK_PIXMAP, &background);
    // The window keeps the picture; the name is not needed any more.
    xcb_free_pixmap(c, pixmap);
    xcb_flush(c);
}

bool displayReachable()
{
    const QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(';'), 0, 0).trimmed();
    if (!chosen.isEmpty() && !chosen.startsWith(QLatin1String("xcb"), Qt::CaseInsensitive))
        return true;   // offscreen, vnc...: Qt says for itself what it lacks
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

bool chooseWindowSystem()
{
    const QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (chosen.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The first of a list of platforms ("wayland;xcb") is the one tried first.
    return !chosen.section(QLatin1Char(';'), 0, 0).trimmed().startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

void ignoreFileSizeLimitSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

// X11 sends a held key as releases and presses like any other.
void watchKeys() {}
int isSystemRepeat(const QKeyEvent *) { return -1; }

} // namespace Platform
