#include "PulseEngine.h"

#include "CueDecoder.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <pthread.h>
#include <sched.h>

#include <QCoreApplication>
#include <QHash>
#include <QLibrary>

namespace {

using Clock = std::chrono::steady_clock;

// The server asks for this much ahead: a cue is written whole whatever its
// length, so this only sets how far ahead the server mixes (and so when
// the next cue can cut in).
constexpr auto kTargetAhead = std::chrono::milliseconds(40);

#define TORAN_PULSE_FUNCTIONS(X) \
    X(pa_threaded_mainloop_new) X(pa_threaded_mainloop_free) X(pa_threaded_mainloop_start) \
    X(pa_threaded_mainloop_stop) X(pa_threaded_mainloop_lock) X(pa_threaded_mainloop_unlock) \
    X(pa_threaded_mainloop_wait) X(pa_threaded_mainloop_signal) X(pa_threaded_mainloop_get_api) \
    X(pa_context_new) X(pa_context_unref) X(pa_context_connect) X(pa_context_disconnect) \
    X(pa_context_get_state) X(pa_context_set_state_callback) \
    X(pa_stream_new) X(pa_stream_unref) X(pa_stream_connect_playback) X(pa_stream_disconnect) \
    X(pa_stream_get_state) X(pa_stream_set_state_callback) X(pa_stream_write) X(pa_stream_flush) \
    X(pa_stream_cork) X(pa_stream_trigger) X(pa_operation_unref) X(pa_usec_to_bytes)

// Where the system allows it (a real-time limit, or the right to set one),
// the threads that hand a cue to the server go before ordinary work, as the
// server's own do, so that a busy machine does not hold up a cue's start;
// elsewhere the call fails and nothing changes. Programs started from here
// do not inherit it.
void preferCurrentThread()
{
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_RR);
    pthread_setschedparam(pthread_self(), SCHED_RR | SCHED_RESET_ON_FORK, &param);
}

struct PulseApi {
#define TORAN_DECLARE(name) decltype(&::name) name = nullptr;
    TORAN_PULSE_FUNCTIONS(TORAN_DECLARE)
#undef TORAN_DECLARE
};

class PulseEngine : public SoundEngine
{
public:
    ~PulseEngine() override { close(); }
    bool open() override;
    bool isOpen() const override { return m_context != nullptr; }
    void close() override;
    void unload() override;
    bool stillConnected() override;
    Duration play(const QString &path) override;
    void rest() override;
    bool isResting() const override { return m_resting; }

private:
    struct Cue {
        FileStamp stamp;
        DecodedCue sound;
    };

    bool load();
    // With the loop locked: a stream for cues of this kind, made anew
    // where the one open plays another kind.
    bool streamFor(const DecodedCue &sound);
    void dropStream();
    // With the loop locked: waits until ready() or the server gave up.
    template<class Ready, class Failed>
    bool waitUntil(Ready ready, Failed failed)
    {
        while (!ready()) {
            if (failed())
                return false;
            m_api.pa_threaded_mainloop_wait(m_loop);
        }
        return true;
    }
    static void signalLoop(void *engine);

    QLibrary m_library;
    PulseApi m_api;
    decltype(&::pa_threaded_mainloop_once_unlocked) m_inLoop = nullptr;   // libpulse 13 and later
    bool m_loaded = false;
    CueDecoder m_decoder;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    pa_sample_spec m_sampleFormat{};
    bool m_resting = false;
    Clock::time_point m_playingUntil;
    QHash<QString, Cue> m_cues;
};

// The server's answers wake the sound thread waiting on the loop.
void PulseEngine::signalLoop(void *engine)
{
    auto *self = static_cast<PulseEngine *>(engine);
    self->m_api.pa_threaded_mainloop_signal(self->m_loop, 0);
}

bool PulseEngine::load()
{
    if (m_loaded)
        return true;
    m_library.setFileNameAndVersion(QStringLiteral("pulse"), 0);
    bool ok = m_library.load() && m_decoder.load();
#define TORAN_RESOLVE(name) \
    ok = ok && (m_api.name = reinterpret_cast<decltype(m_api.name)>(m_library.resolve(#name))) != nullptr;
    TORAN_PULSE_FUNCTIONS(TORAN_RESOLVE)
#undef TORAN_RESOLVE
    if (!ok) {
        unload();
        return false;
    }
    m_inLoop = reinterpret_cast<decltype(m_inLoop)>(m_library.resolve("pa_threaded_mainloop_once_unlocked"));
    m_loaded = true;
    return true;
}

void PulseEngine::unload()
{
    close();
    m_api = PulseApi();
    m_inLoop = nullptr;
    m_decoder.unload();
    m_library.unload();
    m_loaded = false;
}

bool PulseEngine::open()
{
    if (!load())
        return false;
    preferCurrentThread();
    m_loop = m_api.pa_threaded_mainloop_new();
    if (!m_loop)
        return false;
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    m_context = m_api.pa_context_new(m_api.pa_threaded_mainloop_get_api(m_loop),
                                     name.isEmpty() ? "Toran2000" : name.constData());
    if (!m_context) {
        close();
        return false;
    }
    m_api.pa_context_set_state_callback(m_context, [](pa_context *, void *self) { signalLoop(self); }, this);
    // No server of its own is started: without one, OpenAL finds the sound
    // card.
    if (m_api.pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0
        || m_api.pa_threaded_mainloop_start(m_loop) < 0) {
        close();
        return false;
    }
    if (m_inLoop)
        m_inLoop(m_loop, [](pa_threaded_mainloop *, void *) { preferCurrentThread(); }, nullptr);
    m_api.pa_threaded_mainloop_lock(m_loop);
    const bool ready = waitUntil([this] { return m_api.pa_context_get_state(m_context) == PA_CONTEXT_READY; },
                                 [this] { return !PA_CONTEXT_IS_GOOD(m_api.pa_context_get_state(m_context)); });
    m_api.pa_threaded_mainloop_unlock(m_loop);
    if (!ready)
        close();
    return ready;
}

void PulseEngine::close()
{
    if (m_loop) {
        m_api.pa_threaded_mainloop_lock(m_loop);
        dropStream();
        if (m_context) {
            m_api.pa_context_set_state_callback(m_context, nullptr, nullptr);
            m_api.pa_context_disconnect(m_context);
            m_api.pa_context_unref(m_context);
            m_context = nullptr;
        }
        m_api.pa_threaded_mainloop_unlock(m_loop);
        m_api.pa_threaded_mainloop_stop(m_loop);
        m_api.pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
    m_cues.clear();
    m_resting = false;
}

void PulseEngine::dropStream()
{
    if (!m_stream)
        return;
    m_api.pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    m_api.pa_stream_disconnect(m_stream);
    m_api.pa_stream_unref(m_stream);
    m_stream = nullptr;
}

bool PulseEngine::streamFor(const DecodedCue &sound)
{
    const pa_sample_spec sampleFormat{PA_SAMPLE_S16NE, uint32_t(sound.rate), uint8_t(sound.channels)};
    if (m_stream && sampleFormat.rate == m_sampleFormat.rate && sampleFormat.channels == m_sampleFormat.channels)
        return true;
    dropStream();
    m_stream = m_api.pa_stream_new(m_context, "Zvuky", &sampleFormat, nullptr);
    if (!m_stream)
        return false;
    m_sampleFormat = sampleFormat;
    m_api.pa_stream_set_state_callback(m_stream, [](pa_stream *, void *self) { signalLoop(self); }, this);
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(m_api.pa_usec_to_bytes(
        pa_usec_t(std::chrono::duration_cast<std::chrono::microseconds>(kTargetAhead).count()), &sampleFormat));
    // The server's own start threshold (as much as it asks for): a stream
    // that ran dry waits for the next cue instead of reading on into
    // silence, which would leave the cue's head behind it. Each cue is
    // started at once by a trigger.
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    const bool ready = m_api.pa_stream_connect_playback(m_stream, nullptr, &attr, pa_stream_flags_t(0), nullptr,
                                                        nullptr) >= 0
                       && waitUntil([this] { return m_api.pa_stream_get_state(m_stream) == PA_STREAM_READY; },
                                    [this] { return !PA_STREAM_IS_GOOD(m_api.pa_stream_get_state(m_stream)); });
    if (!ready)
        dropStream();
    m_resting = false;
    return ready;
}

bool PulseEngine::stillConnected()
{
    m_api.pa_threaded_mainloop_lock(m_loop);
    const bool connected = m_api.pa_context_get_state(m_context) == PA_CONTEXT_READY
                           && (!m_stream || m_api.pa_stream_get_state(m_stream) == PA_STREAM_READY);
    m_api.pa_threaded_mainloop_unlock(m_loop);
    return connected;
}

SoundEngine::Duration PulseEngine::play(const QString &path)
{
    // Taken before decoding: a file still being written is decoded again at
    // its next cue.
    const FileStamp stamp = stampOf(path);
    auto cue = m_cues.find(path);
    if (cue == m_cues.end() || !(cue->stamp == stamp))
        cue = m_cues.insert(path, {stamp, m_decoder.decode(path)});
    const DecodedCue &sound = cue->sound;

    m_api.pa_threaded_mainloop_lock(m_loop);
    const bool haveStream = !sound.samples.empty() && streamFor(sound);
    if (haveStream) {
        // Resumed first: a trigger on a corked stream would be lost.
        if (m_resting) {
            if (pa_operation *o = m_api.pa_stream_cork(m_stream, 0, nullptr, nullptr))
                m_api.pa_operation_unref(o);
            m_resting = false;
        }
        // The one still playing stops: what the server holds of it goes.
        if (pa_operation *o = m_api.pa_stream_flush(m_stream, nullptr, nullptr))
            m_api.pa_operation_unref(o);
        m_api.pa_stream_write(m_stream, sound.samples.data(), sound.samples.size() * sizeof(short), nullptr, 0,
                              PA_SEEK_RELATIVE);
        if (pa_operation *o = m_api.pa_stream_trigger(m_stream, nullptr, nullptr))
            m_api.pa_operation_unref(o);
    }
    m_api.pa_threaded_mainloop_unlock(m_loop);
    if (!haveStream)
        return {};
    m_playingUntil = Clock::now() + sound.length();
    return sound.length();
}

// A stream that runs dry keeps the server's output awake: it is corked
// (paused) once the last cue has played.
void PulseEngine::rest()
{
    if (m_resting || !m_stream || Clock::now() < m_playingUntil)
        return;
    m_api.pa_threaded_mainloop_lock(m_loop);
    if (pa_operation *o = m_api.pa_stream_cork(m_stream, 1, nullptr, nullptr))
        m_api.pa_operation_unref(o);
    m_api.pa_threaded_mainloop_unlock(m_loop);
    m_resting = true;
}

} // namespace

std::unique_ptr<SoundEngine> createPulseEngine() { return std::make_unique<PulseEngine>(); }
