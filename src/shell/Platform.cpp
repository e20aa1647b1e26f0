#include "Platform.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QWindow>
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#if defined(__GLIBC__)
#include <sys/mman.h>
#include <unistd.h>
#endif
// AddressSanitizer brings its own allocator, whose memory is not the heap's.
#if defined(__SANITIZE_ADDRESS__)
#define TORAN_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TORAN_ASAN
#endif
#endif
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE) && !defined(TORAN_ASAN)
#define TORAN_HEAP_AHEAD
#endif

#if defined(TORAN_XCB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#else
#undef TORAN_XCB
#endif

#if defined(TORAN_FONTCONFIG)
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

namespace Platform {

#if defined(TORAN_XCB)
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
#endif

void setWindowBackground(QWindow *window, const QImage &picture)
{
#if defined(TORAN_XCB)
    // Other platforms may speak X11 too (offscreen, for its GL), without
    // showing the window there.
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
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
#else
    Q_UNUSED(window)
    Q_UNUSED(picture)
#endif
}

void chooseWindowSystem()
{
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}

#if defined(TORAN_FONTCONFIG)
struct FontConfigReader::Thread {
    // Qt's own FcInit() later finds the configuration loaded; called at the
    // same time, each loads one and fontconfig keeps the first.
    std::thread thread{[] { FcInit(); }};
};

FontConfigReader::FontConfigReader()
{
    try {
        m_thread = new Thread;
    } catch (...) {
        // No thread to be had: Qt reads the configuration itself.
    }
}

void FontConfigReader::wait()
{
    if (m_thread) {
        m_thread->thread.join();
        delete m_thread;
        m_thread = nullptr;
    }
}
#else
struct FontConfigReader::Thread {};
FontConfigReader::FontConfigReader() = default;
void FontConfigReader::wait() {}
#endif

FontConfigReader::~FontConfigReader() { wait(); }

#if defined(TORAN_HEAP_AHEAD)
HeapAhead::HeapAhead(std::size_t bytes)
{
    // Pieces below malloc's mmap threshold come from the heap itself. All
    // but the highest are freed again at once and stay free in the heap for
    // the next allocations; the highest keeps them from joining the heap's
    // top, which free() would hand back to the system.
    constexpr std::size_t kPiece = 64 * 1024;
    std::vector<char *> pieces;
    try {
        pieces.reserve(bytes / kPiece + 1);
        for (std::size_t done = 0; done <= bytes; done += kPiece) {
            if (auto *piece = static_cast<char *>(std::malloc(kPiece)))
                pieces.push_back(piece);
        }
    } catch (const std::bad_alloc &) {
        // As many as there were room for.
    }
    if (pieces.empty())
        return;
    std::sort(pieces.begin(), pieces.end());
    m_fence = pieces.back();
    pieces.pop_back();
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (char *piece : pieces) {
        const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(piece) + page - 1) & ~(page - 1);
        const std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(piece) + kPiece) & ~(page - 1);
        // A kernel older than 5.14 does not know the advice: the pages are
        // then faulted in as they are used, as without it.
        if (madvise(reinterpret_cast<void *>(from), to - from, MADV_POPULATE_WRITE) != 0)
            break;
    }
    for (char *piece : pieces)
        std::free(piece);
}

void HeapAhead::release()
{
    std::free(m_fence);
    m_fence = nullptr;
}

bool HeapAhead::available()
{
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void *probe = mmap(nullptr, page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (probe == MAP_FAILED)
        return false;
    const bool known = madvise(probe, page, MADV_POPULATE_WRITE) == 0;
    munmap(probe, page);
    return known;
}
#else
HeapAhead::HeapAhead(std::size_t) {}
void HeapAhead::release() {}
bool HeapAhead::available() { return false; }
#endif

HeapAhead::~HeapAhead() { release(); }

} // namespace Platform
