#pragma once

// Window-system choices made as the program starts.
namespace Platform {
// The program places its windows at absolute screen positions, which a
// Wayland session does not allow: on Linux it runs on X11 (XWayland inside
// a Wayland session) unless the user chose a platform explicitly.
void chooseWindowSystem();

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
} // namespace Platform
