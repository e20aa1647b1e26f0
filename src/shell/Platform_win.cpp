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
// The key presses the window system sent lately, by virtual key and time:
// whether the key was down before (bit 30 of the message's data).
class KeyDownWatcher : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *msg = static_cast<const MSG *>(message);
        if (type != "windows_generic_MSG" || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
            return false;
        constexpr int kKept = 64;   // far more than wait in the queue at once
        if (m_wasDown.size() >= kKept)
            m_wasDown.clear();
        m_wasDown.insert(stroke(quint32(msg->wParam), quint32(msg->time)), (msg->lParam & (1 << 30)) != 0);
        return false;
    }

    int wasDown(const QKeyEvent *press) const
    {
        const auto found = m_wasDown.constFind(stroke(press->nativeVirtualKey(), quint32(press->timestamp())));
        return found == m_wasDown.cend() ? -1 : int(*found);
    }

private:
    static quint64 stroke(quint32 key, quint32 time) { return quint64(key) << 32 | time; }

    QHash<quint64, bool> m_wasDown;
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
