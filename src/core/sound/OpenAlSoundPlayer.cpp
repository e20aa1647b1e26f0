#include "OpenAlSoundPlayer.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A cue that waited longer than this (while the device was being opened)
// would come too late to belong to what the player sees: it is dropped.
constexpr auto kStaleCue = std::chrono::milliseconds(300);
// Without a device (none at all, or it went away), a cue tries to open one
// again once this much time has passed since the last try; the wait doubles
// with every try that fails, up to the longest.
constexpr auto kFirstRetry = std::chrono::seconds(2);
constexpr auto kLongestRetry = std::chrono::seconds(32);
// An open device mixes silence all the time: after this long without a cue
// it is paused, and the next cue resumes it.
constexpr auto kRestAfter = std::chrono::seconds(3);
// What the device and the sound server still hold of a cue when OpenAL has
// mixed its end: a program that waits for a cue to be heard waits this long
// after its length.
constexpr auto kOutputDelay = std::chrono::milliseconds(100);
// The most of one file that is decoded: half a minute of 48 kHz stereo.
constexpr sf_count_t kMaxSamples = sf_count_t(48000) * 2 * 30;

// The libraries are loaded on the sound thread, not linked: neither they nor
// the many coders libsndfile brings along cost the start anything.
#define TORAN_OPENAL_FUNCTIONS(X) \
    X(alcOpenDevice) X(alcCloseDevice) X(alcCreateContext) X(alcDestroyContext) \
    X(alcMakeContextCurrent) X(alcIsExtensionPresent) X(alcGetProcAddress) X(alcGetIntegerv) \
    X(alGetError) X(alGenSources) X(alDeleteSources) X(alGenBuffers) X(alDeleteBuffers) \
    X(alBufferData) X(alSourcei) X(alGetSourcei) X(alSourcePlay) X(alSourceStop)
#define TORAN_SNDFILE_FUNCTIONS(X) X(sf_open) X(sf_readf_short) X(sf_close)

struct Api {
#define TORAN_DECLARE(name) decltype(&::name) name = nullptr;
    TORAN_OPENAL_FUNCTIONS(TORAN_DECLARE)
    TORAN_SNDFILE_FUNCTIONS(TORAN_DECLARE)
#undef TORAN_DECLARE
};

struct LibraryName {
    const char *name;
    int version;   // -1: none
};
const LibraryName kOpenAlNames[] = {{"openal", 1}};
const LibraryName kSndfileNames[] = {{"sndfile", 1}};

#ifdef __linux__
// libasound, which OpenAL brings along, reports every failed look for a sound
// card on stderr; a game without sound has nothing to say about it.
using AlsaErrorHandler = void (*)(const char *, int, const char *, int, const char *, ...);
void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}
#endif

template<size_t N>
bool loadFirst(QLibrary &library, const LibraryName (&names)[N])
{
    for (const LibraryName &n : names) {
        library.setFileNameAndVersion(QLatin1String(n.name), n.version);
        if (library.load())
            return true;
    }
    return false;
}

template<class Function>
bool resolve(QLibrary &library, const char *symbol, Function &function)
{
    function = reinterpret_cast<Function>(library.resolve(symbol));
    return function != nullptr;
}

// What tells a changed file from the one decoded before.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    QDateTime changed;
    bool operator==(const FileStamp &o) const
    {
        return size == o.size && modified == o.modified && changed == o.changed;
    }
};

FileStamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified(), info.metadataChangeTime()};
}

// The device, its one source and the decoded cues. Used on the sound
// thread only.
class SoundEngine
{
public:
    bool isOpen() const { return m_device != nullptr; }
    bool open();
    void close();
    void unloadLibraries();
    bool stillConnected();
    // Starts the cue; returns its length, zero where nothing plays.
    Clock::duration play(const QString &path);
    bool isResting() const { return m_resting; }
    // Pauses the device, unless a cue still plays.
    void rest();

private:
    struct Cue {
        FileStamp stamp;
        ALuint buffer = 0;   // 0: the file cannot be played
        Clock::duration length{};
    };

    bool loadLibraries();
    Cue decode(const QString &path);
    std::vector<short> readWav(SNDFILE *file, SF_INFO &info);

    Api m_api;
    QLibrary m_openal;
    QLibrary m_sndfile;
    QLibrary m_alsa;
    bool m_loaded = false;
    bool m_unavailable = false;
    ALCdevice *m_device = nullptr;
    ALCcontext *m_context = nullptr;
    ALuint m_source = 0;
    bool m_hasSource = false;
    bool m_tellsDisconnect = false;
    LPALCDEVICEPAUSESOFT m_pause = nullptr;
    LPALCDEVICERESUMESOFT m_resume = nullptr;
    bool m_resting = false;
    QHash<QString, Cue> m_cues;
};

bool SoundEngine::loadLibraries()
{
    if (m_loaded)
        return true;
    if (m_unavailable)
        return false;
    bool ok = loadFirst(m_openal, kOpenAlNames) && loadFirst(m_sndfile, kSndfileNames);
#define TORAN_RESOLVE_OPENAL(name) ok = ok && resolve(m_openal, #name, m_api.name);
#define TORAN_RESOLVE_SNDFILE(name) ok = ok && resolve(m_sndfile, #name, m_api.name);
    TORAN_OPENAL_FUNCTIONS(TORAN_RESOLVE_OPENAL)
    TORAN_SNDFILE_FUNCTIONS(TORAN_RESOLVE_SNDFILE)
#undef TORAN_RESOLVE_OPENAL
#undef TORAN_RESOLVE_SNDFILE
    if (!ok) {
        // Not installed, or too old: that does not change while we run.
        unloadLibraries();
        m_unavailable = true;
        return false;
    }
#ifdef __linux__
    m_alsa.setFileNameAndVersion(QStringLiteral("asound"), 2);
    if (m_alsa.load()) {
        using SetHandler = int (*)(AlsaErrorHandler);
        if (auto setHandler = reinterpret_cast<SetHandler>(m_alsa.resolve("snd_lib_error_set_handler")))
            setHandler(ignoreAlsaError);
    }
#endif
    m_loaded = true;
    return true;
}

void SoundEngine::unloadLibraries()
{
    m_api = Api();
    m_alsa.unload();
    m_openal.unload();
    m_sndfile.unload();
    m_loaded = false;
}

bool SoundEngine::open()
{
    if (!loadLibraries())
        return false;
    m_device = m_api.alcOpenDevice(nullptr);
    if (!m_device)
        return false;
    m_context = m_api.alcCreateContext(m_device, nullptr);
    if (!m_context || !m_api.alcMakeContextCurrent(m_context)) {
        close();
        return false;
    }
    m_api.alGetError();
    m_api.alGenSources(1, &m_source);
    m_hasSource = m_api.alGetError() == AL_NO_ERROR;
    if (!m_hasSource) {
        close();
        return false;
    }
    m_tellsDisconnect = m_api.alcIsExtensionPresent(m_device, "ALC_EXT_disconnect");
    if (m_api.alcIsExtensionPresent(m_device, "ALC_SOFT_pause_device")) {
        m_pause = reinterpret_cast<LPALCDEVICEPAUSESOFT>(m_api.alcGetProcAddress(m_device, "alcDevicePauseSOFT"));
        m_resume = reinterpret_cast<LPALCDEVICERESUMESOFT>(m_api.alcGetProcAddress(m_device, "alcDeviceResumeSOFT"));
    }
    return true;
}

void SoundEngine::close()
{
    if (m_context) {
        if (m_hasSource) {
            m_api.alSourceStop(m_source);
            m_api.alSourcei(m_source, AL_BUFFER, 0);
            m_api.alDeleteSources(1, &m_source);
            m_hasSource = false;
        }
        for (const Cue &cue : std::as_const(m_cues))
            if (cue.buffer)
                m_api.alDeleteBuffers(1, &cue.buffer);
        m_api.alcMakeContextCurrent(nullptr);
        m_api.alcDestroyContext(m_context);
        m_context = nullptr;
    }
    // Buffers belong to the device: a new one decodes every cue again.
    m_cues.clear();
    if (m_device) {
        m_api.alcCloseDevice(m_device);
        m_device = nullptr;
    }
    m_pause = nullptr;
    m_resume = nullptr;
    m_resting = false;
}

void SoundEngine::rest()
{
    if (m_resting || !m_pause || !m_resume)
        return;
    ALint state = AL_STOPPED;
    m_api.alGetSourcei(m_source, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING)
        return;
    m_pause(m_device);
    m_resting = true;
}

bool SoundEngine::stillConnected()
{
    if (!m_tellsDisconnect)
        return true;
    ALCint connected = ALC_TRUE;
    m_api.alcGetIntegerv(m_device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

Clock::duration SoundEngine::play(const QString &path)
{
    // Taken before decoding: a file still being written is decoded again at
    // its next cue.
    const FileStamp stamp = stampOf(path);
    m_api.alSourceStop(m_source);
    auto cue = m_cues.find(path);
    if (cue == m_cues.end() || !(cue->stamp == stamp)) {
        if (cue != m_cues.end() && cue->buffer) {
            m_api.alSourcei(m_source, AL_BUFFER, 0);
            m_api.alDeleteBuffers(1, &cue->buffer);
        }
        Cue decoded = decode(path);
        decoded.stamp = stamp;
        cue = m_cues.insert(path, decoded);
    }
    if (!cue->buffer)
        return {};
    if (m_resting) {
        m_resume(m_device);
        m_resting = false;
    }
    m_api.alGetError();
    m_api.alSourcei(m_source, AL_BUFFER, ALint(cue->buffer));
    m_api.alSourcePlay(m_source);
    return m_api.alGetError() == AL_NO_ERROR ? cue->length : Clock::duration{};
}

SoundEngine::Cue SoundEngine::decode(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = m_api.sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    const std::vector<short> samples = readWav(file, info);
    m_api.sf_close(file);
    if (samples.empty())
        return {};
    m_api.alGetError();
    ALuint buffer = 0;
    m_api.alGenBuffers(1, &buffer);
    if (m_api.alGetError() != AL_NO_ERROR)
        return {};
    m_api.alBufferData(buffer, info.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, samples.data(),
                       ALsizei(samples.size() * sizeof(short)), info.samplerate);
    if (m_api.alGetError() != AL_NO_ERROR) {
        m_api.alDeleteBuffers(1, &buffer);
        return {};
    }
    const qint64 frames = qint64(samples.size()) / info.channels;
    return {FileStamp(), buffer, std::chrono::microseconds(frames * 1000000 / info.samplerate)};
}

// The file's samples as 16-bit mono or stereo; empty for anything that is
// not a WAV file with sound in it. More than two channels are mixed to one.
std::vector<short> SoundEngine::readWav(SNDFILE *file, SF_INFO &info)
{
    const int type = info.format & SF_FORMAT_TYPEMASK;
    if ((type != SF_FORMAT_WAV && type != SF_FORMAT_WAVEX) || info.channels < 1 || info.samplerate < 1)
        return {};
    const sf_count_t frames = std::min<sf_count_t>(info.frames, kMaxSamples / info.channels);
    if (frames < 1)
        return {};
    std::vector<short> samples(size_t(frames * info.channels));
    const sf_count_t read = m_api.sf_readf_short(file, samples.data(), frames);
    if (read < 1)
        return {};
    samples.resize(size_t(read * info.channels));
    if (info.channels > 2) {
        std::vector<short> mono(static_cast<size_t>(read));
        for (sf_count_t f = 0; f < read; ++f) {
            long sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += samples[size_t(f * info.channels + c)];
            mono[size_t(f)] = short(sum / info.channels);
        }
        samples.swap(mono);
        info.channels = 1;
    }
    return samples;
}

// The sound thread's work: takes the latest cue from the GUI thread and
// plays it; opens the device when it starts, and again later where there was
// none.
class SoundWorker
{
public:
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
            m_postedAt = Clock::now();
            m_hasPending = true;
            ++m_posted;
        }
        m_wake.notify_one();
    }

    void waitUntilHeard(int timeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        if (!m_settled.wait_until(lock, deadline, [this] { return m_served == m_posted || m_finished; }))
            return;
        const Clock::time_point heard = std::min(m_heardAt, deadline);
        lock.unlock();
        std::this_thread::sleep_until(heard);
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
            if (m_engine.isOpen() && !m_engine.isResting()) {
                if (!m_wake.wait_for(lock, kRestAfter, woken)) {
                    lock.unlock();
                    m_engine.rest();
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
            Clock::time_point heardAt = Clock::now();
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
        m_engine.close();
        m_engine.unloadLibraries();
    }

    // Returns when the cue will have been heard: now, where it is not played.
    Clock::time_point serve(const QString &path, Clock::time_point postedAt)
    {
        if (m_engine.isOpen() && !m_engine.stillConnected()) {
            m_engine.close();
            setDeviceOpen(false);
        }
        if (!m_engine.isOpen()) {
            if (Clock::now() - m_lastAttempt < retryWait())
                return Clock::now();
            openDevice();
            if (!m_engine.isOpen())
                return Clock::now();
        }
        if (Clock::now() - postedAt > kStaleCue)
            return Clock::now();
        const Clock::duration length = m_engine.play(path);
        const Clock::time_point now = Clock::now();
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
            open = m_engine.open();
        } catch (...) {
            m_engine.close();
        }
        // OpenAL probes its backends once, when it is loaded: one that found
        // no server then is only tried again by a fresh load.
        if (!open)
            m_engine.unloadLibraries();
        m_lastAttempt = Clock::now();
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

    SoundEngine m_engine;                // the sound thread's own
    Clock::time_point m_lastAttempt;     // the sound thread's own
    int m_failedTries = 0;               // the sound thread's own

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

// How long the program's end waits for the sound thread: a sound server that
// hangs can hold OpenAL in a call for as long as it likes.
constexpr auto kEndWait = std::chrono::milliseconds(1000);

} // namespace

class OpenAlSoundPlayer::SoundThread
{
public:
    SoundThread() : m_worker(std::make_shared<SoundWorker>()), m_thread([worker = m_worker] { worker->run(); }) {}

    ~SoundThread()
    {
        m_worker->stop();
        // A thread held up that long is left to end with the process; it
        // keeps its own share of the work's state.
        if (m_worker->waitUntilFinished(kEndWait))
            m_thread.join();
        else
            m_thread.detach();
    }

    SoundWorker &worker() { return *m_worker; }

private:
    std::shared_ptr<SoundWorker> m_worker;
    std::thread m_thread;
};

OpenAlSoundPlayer::OpenAlSoundPlayer() = default;
OpenAlSoundPlayer::~OpenAlSoundPlayer() = default;

void OpenAlSoundPlayer::start()
{
    if (m_thread)
        return;
    // OpenAL Soft reports a missing server or sound card on stderr; the
    // game stays quiet about it unless someone asked for the log.
    if (!qEnvironmentVariableIsSet("ALSOFT_LOGLEVEL"))
        qputenv("ALSOFT_LOGLEVEL", "0");
    try {
        m_thread = std::make_unique<SoundThread>();
    } catch (...) {
        // No thread to be had: the game plays on in silence.
    }
}

void OpenAlSoundPlayer::play(const QString &fullPath)
{
    start();
    if (m_thread)
        m_thread->worker().post(fullPath);
}

void OpenAlSoundPlayer::waitUntilHeard(int timeoutMs)
{
    if (m_thread)
        m_thread->worker().waitUntilHeard(timeoutMs);
}

bool OpenAlSoundPlayer::waitForDevice(int timeoutMs)
{
    return m_thread && m_thread->worker().waitForDevice(timeoutMs);
}
