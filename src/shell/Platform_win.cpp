#include "Platform.h"

#include <QByteArray>

#include <windows.h>

// Windows places windows where the program asks, asks the program for a
// window's first picture itself, and has no file size limit signal.
namespace Platform {

namespace {
bool timesNewRomanInstalled()
{
    return RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                        L"Times New Roman (TrueType)", RRF_RT_REG_SZ, nullptr, nullptr, nullptr)
        == ERROR_SUCCESS;
}
} // namespace

// Where the forms' fonts are missing (Wine, for one), their metric twins
// are drawn by Qt's own FreeType, hinted as on Linux, where the boxes were
// checked: the system's engine hints them a few pixels wider than the boxes
// ("Toranská věž 2000", bold, 13 pixels: 107 instead of 103). Windows' own
// fonts keep the system's engine.
bool displayReachable() { return true; }

bool chooseWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !timesNewRomanInstalled())
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    return true;
}

void setWindowBackground(QWindow *, const QImage &) {}
bool showsWindowBackground() { return false; }
void ignoreFileSizeLimitSignal() {}

} // namespace Platform
