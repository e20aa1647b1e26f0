#include "SoundQueue.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace {

using Clock = SoundQueue::Clock;

// Without a device (none at all, or it went away), a cue tries to open one
// again once this much time has passed since the last try; the wait doubles
// with every try that fails, up to the longest.
constexpr auto kFirstRetry = std::chrono::seconds(2);
constexpr auto kLongestRetry = std::chrono::seconds(32);
// An open device mixes silence all the time: after this long without a cue
// it is paused, and the next cue resumes it.
constexpr auto kRestAfter = std::chrono::seconds(3);
// What the device and the sound server still hold of a cue when the engine
// has mixed its end: a program that waits for a cue to be heard waits this
// long after its length.
constexpr auto kOutputDelay = std::chrono::milliseconds(100);
// How long the program's end waits for the thread: a sound server that hangs
// can hold the engine in a call for as long as it likes.
constexpr auto kEndWait = std::chrono::milliseconds(1000);

} // namespace

// The thread's work and what it shares with the GUI thread.
class SoundQueue::Worker
{
public:
    Worker(std::unique_ptr<SoundEngine> engine, std::function<Clock::time_point()> now)
        : m_engine(std::move(engine)), m_now(std::move(now))
    {
    }

    void run()
    {
        serveUntilStopped();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_settled.notify_all();
    }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
    }

    bool waitUntilFinished(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_settled.wait_for(lock, timeout, [this] { return m_finished; });
    }

    void post(const QString &path)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // Only the latest cue counts: it would cut off any before it.
            m_pending = path;
            m_postedAt = m_now();
            m_hasPending = true;
            ++m_posted;
        }
        m_wake.notify_one();
    }

    void waitUntilHeard(int timeoutMs)
    {
        const auto timeout = std::chrono::milliseconds(timeoutMs);
        const Clock::time_point deadline = m_now() + timeout;
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_settled.wait_for(lock, timeout, [this] { return m_served == m_posted || m_finished; }))
            return;
        const Clock::duration left = std::min(m_heardAt, deadline) - m_now();
        lock.unlock();
        if (left > Clock::duration::zero())
            std::this_thread::sleep_for(left);
    }

    bool waitForDevice(int timeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_settled.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !m_opening; });
        return !m_opening && m_deviceOpen;
    }

private:
    void serveUntilStopped()
    {
        openDevice();
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto woken = [this] { return m_stopping || m_hasPending; };
        for (;;) {
            if (m_engine->isOpen() && !m_engine->isResting()) {
                if (!m_wake.wait_for(lock, kRestAfter, woken)) {
                    lock.unlock();
                    m_engine->rest();
                    lock.lock();
                    continue;
                }
            } else {
                m_wake.wait(lock, woken);
            }
            if (m_stopping)
                break;
            const QString path = std::exchange(m_pending, QString());
            const Clock::time_point postedAt = m_postedAt;
            const quint64 cue = m_posted;
            m_hasPending = false;
            lock.unlock();
            Clock::time_point heardAt = m_now();
            try {
                heardAt = serve(path, postedAt);
            } catch (...) {
                // Out of memory for a cue: it stays silent.
            }
            lock.lock();
            m_served = cue;
            m_heardAt = heardAt;
            m_settled.notify_all();
        }
        lock.unlock();
        m_engine->close();
        m_engine->unload();
    }

    // Returns when the cue will have been heard: now, where it is not played.
    Clock::time_point serve(const QString &path, Clock::time_point postedAt)
    {
        if (m_engine->isOpen() && !m_engine->stillConnected()) {
            m_engine->close();
            setDeviceOpen(false);
        }
        if (!m_engine->isOpen()) {
            if (m_now() - m_lastAttempt < retryWait())
                return m_now();
            openDevice();
            if (!m_engine->isOpen())
                return m_now();
        }
        if (m_now() - postedAt > kStaleCue)
            return m_now();
        const Clock::duration length = m_engine->play(path);
        const Clock::time_point now = m_now();
        return length > Clock::duration::zero() ? now + length + kOutputDelay : now;
    }

    void openDevice()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_opening = true;
        }
        bool open = false;
        try {
            open = m_engine->open();
        } catch (...) {
            m_engine->close();
        }
        // OpenAL probes its backends once, when it is loaded: one that found
        // no server then is only tried again by a fresh load.
        if (!open)
            m_engine->unload();
        m_lastAttempt = m_now();
        m_failedTries = open ? 0 : m_failedTries + 1;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_opening = false;
        }
        setDeviceOpen(open);
    }

    Clock::duration retryWait() const
    {
        if (m_failedTries == 0)
            return Clock::duration::zero();
        return std::min<Clock::duration>(kFirstRetry * (1 << std::min(m_failedTries - 1, 8)), kLongestRetry);
    }

    void setDeviceOpen(bool open)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_deviceOpen = open;
        }
        m_settled.notify_all();
    }

    const std::unique_ptr<SoundEngine> m_engine;   // the thread's own
    const std::function<Clock::time_point()> m_now;
    Clock::time_point m_lastAttempt;     // the thread's own
    int m_failedTries = 0;               // the thread's own

    std::mutex m_mutex;
    std::condition_variable m_wake;      // a cue or the end
    std::condition_variable m_settled;   // an attempt to open ended, or the work
    QString m_pending;
    Clock::time_point m_postedAt;
    bool m_hasPending = false;
    quint64 m_posted = 0;            // cues posted, and the latest of them served
    quint64 m_served = 0;
    Clock::time_point m_heardAt;     // when the cue served last will have been heard
    bool m_stopping = false;
    bool m_opening = true;
    bool m_deviceOpen = false;
    bool m_finished = false;
};

SoundQueue::SoundQueue(std::unique_ptr<SoundEngine> engine, std::function<Clock::time_point()> now)
    : m_worker(std::make_shared<Worker>(std::move(engine), std::move(now))),
      m_thread([worker = m_worker] { worker->run(); })
{
}

SoundQueue::~SoundQueue()
{
    m_worker->stop();
    // A thread held up that long is left to end with the process; it keeps
    // its own share of the work's state.
    if (m_worker->waitUntilFinished(kEndWait))
        m_thread.join();
    else
        m_thread.detach();
}

void SoundQueue::post(const QString &path) { m_worker->post(path); }

void SoundQueue::waitUntilHeard(int timeoutMs) { m_worker->waitUntilHeard(timeoutMs); }

bool SoundQueue::waitForDevice(int timeoutMs) { return m_worker->waitForDevice(timeoutMs); }
