#include "Platform.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>

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

namespace {
// Whether each key was down before its latest press that the window system
// sent (bit 30 of the message's data). Qt reads a press when the window
// gets it, right after this filter: by the time the press is read, the
// latest press of its key is itself, or one typed after it while the loop
// was busy, which tells the same unless the key is held.
class KeyDownWatcher : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        // Wine hands input to the windows' filter, Windows to the loop's.
        const auto *msg = static_cast<const MSG *>(message);
        if ((type == "windows_dispatcher_MSG" || type == "windows_generic_MSG")
            && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN))
            m_wasDown.insert(quint32(msg->wParam), (msg->lParam & (1 << 30)) != 0);
        return false;
    }

    int wasDown(const QKeyEvent *press) const
    {
        const auto found = m_wasDown.constFind(press->nativeVirtualKey());
        return found == m_wasDown.cend() ? -1 : int(*found);
    }

private:
    QHash<quint32, bool> m_wasDown;
};

KeyDownWatcher *keyDownWatcher()
{
    static KeyDownWatcher *watcher = nullptr;
    if (!watcher && QCoreApplication::instance()) {
        watcher = new KeyDownWatcher;   // lives as long as the process
        QCoreApplication::instance()->installNativeEventFilter(watcher);
    }
    return watcher;
}
} // namespace

void watchKeys() { keyDownWatcher(); }

int isSystemRepeat(const QKeyEvent *press)
{
    const KeyDownWatcher *watcher = keyDownWatcher();
    return watcher && press ? watcher->wasDown(press) : -1;
}

} // namespace Platform
