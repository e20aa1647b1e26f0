#include "Platform.h"

#include <QByteArray>
#include <QtGlobal>

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

} // namespace Platform
