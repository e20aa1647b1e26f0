#include "Platform.h"

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <csignal>
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

#if defined(TORAN_FONTCONFIG)
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

namespace Platform {

void chooseWindowSystem()
{
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}

void ignoreFileSizeLimitSignal()
{
#if defined(SIGXFSZ)
    std::signal(SIGXFSZ, SIG_IGN);
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
