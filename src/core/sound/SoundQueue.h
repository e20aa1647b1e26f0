#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

// What plays a sound for the queue: a device and the decoded cues. Used on
// the queue's thread only; no call throws.
class SoundEngine
{
public:
    using Duration = std::chrono::steady_clock::duration;

    virtual ~SoundEngine() = default;
    // Loads what it needs and opens the default device (this may take long);
    // false where there is none.
    virtual bool open() = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Lets go of what open loaded: the next open loads it afresh.
    virtual void unload() = 0;
    // False once an open device has gone away.
    virtual bool stillConnected() = 0;
    // Starts the cue, cutting off the one still playing; returns its length,
    // zero where nothing plays.
    virtual Duration play(const QString &path) = 0;
    // Pauses the device, unless a cue still plays; the next play resumes it.
    virtual void rest() = 0;
    virtual bool isResting() const = 0;
};

// The cues waiting for a sound engine, served on a thread of their own so
// that neither the start nor a handler waits for the device. Only the
// latest cue waits (it would cut off any before it), and one that waited
// too long for the device is dropped. Without a device it tries again now
// and then; an idle device rests.
class SoundQueue
{
public:
    using Clock = std::chrono::steady_clock;

    // A cue that waited longer than this (while the device was being opened)
    // would come too late to belong to what the player sees: it is dropped.
    static constexpr auto kStaleCue = std::chrono::milliseconds(300);

    // Starts the thread, which opens the engine's device at once. now tells
    // the time of posting and serving.
    explicit SoundQueue(std::unique_ptr<SoundEngine> engine,
                        std::function<Clock::time_point()> now = &Clock::now);
    // Ends the thread, which closes the device and unloads the engine. A
    // thread held up in the engine is left to end with the process.
    ~SoundQueue();

    void post(const QString &path);
    // Waits (at most timeoutMs) until the latest cue has been served and,
    // where it played, its length and the output's delay have passed.
    void waitUntilHeard(int timeoutMs);
    // Waits (at most timeoutMs) until the latest attempt to open the device
    // has ended; true while a device is open.
    bool waitForDevice(int timeoutMs);

private:
    class Worker;
    std::shared_ptr<Worker> m_worker;   // shared with the thread, which may outlive us
    std::thread m_thread;
};
