#pragma once

#include <cstddef>

class QImage;
class QWindow;

// Window-system and memory choices made as the program starts.
namespace Platform {
// The program places its windows at absolute screen positions, which a
// Wayland session does not allow: on Linux it runs on X11 (XWayland inside
// a Wayland session) unless the user chose a platform explicitly.
void chooseWindowSystem();

// Gives the window's native window a picture that the window system shows
// the moment the window appears, before the program has painted anything
// (X11: its background pixmap); a null picture takes it away again, so that
// later exposures show nothing stale. Elsewhere the window system asks the
// program for the first picture itself, and this does nothing.
void setWindowBackground(QWindow *window, const QImage &picture);

// Reads the system's font configuration on a thread of its own while the
// application object connects to the window system, so that the splash's
// first text does not wait for it; wait() (or the destructor) joins it.
// Where fonts are not configured that way it does nothing.
class FontConfigReader
{
public:
    FontConfigReader();
    ~FontConfigReader();
    FontConfigReader(const FontConfigReader &) = delete;
    FontConfigReader &operator=(const FontConfigReader &) = delete;
    void wait();

private:
    struct Thread;
    Thread *m_thread = nullptr;
};

// Maps the pages of the next `bytes` of the heap in one call, so that what
// the start-up then allocates there is not faulted in a page at a time (on
// a virtual machine each such fault can cost tens of microseconds). The
// memory stays the heap's to hand out; release(), or the destructor, lets
// the heap give back what is left unused. Where the C library's heap cannot
// be reached this way it does nothing.
class HeapAhead
{
public:
    explicit HeapAhead(std::size_t bytes);
    ~HeapAhead();
    HeapAhead(const HeapAhead &) = delete;
    HeapAhead &operator=(const HeapAhead &) = delete;
    void release();
    // Whether this build and this system map the heap ahead at all.
    static bool available();

private:
    void *m_fence = nullptr;
};
} // namespace Platform
