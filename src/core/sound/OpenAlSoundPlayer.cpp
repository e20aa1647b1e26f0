#include "OpenAlSoundPlayer.h"

#include "CueDecoder.h"
#include "PulseEngine.h"
#include "SoundQueue.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <QHash>
#include <QLibrary>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace {

// OpenAL is loaded on the sound thread, not linked: it costs the start
// nothing.
#define TORAN_OPENAL_FUNCTIONS(X) \
    X(alcOpenDevice) X(alcCloseDevice) X(alcCreateContext) X(alcDestroyContext) \
    X(alcMakeContextCurrent) X(alcIsExtensionPresent) X(alcGetProcAddress) X(alcGetIntegerv) \
    X(alGetError) X(alGenSources) X(alDeleteSources) X(alGenBuffers) X(alDeleteBuffers) \
    X(alBufferData) X(alSourcei) X(alGetSourcei) X(alSourcePlay) X(alSourceStop)

struct Api {
#define TORAN_DECLARE(name) decltype(&::name) name = nullptr;
    TORAN_OPENAL_FUNCTIONS(TORAN_DECLARE)
#undef TORAN_DECLARE
};

struct LibraryName {
    const char *name;
    int version;   // -1: none
};
const LibraryName kOpenAlNames[] = {{"openal", 1}};

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

// The device, its one source and the decoded cues, on the queue's thread.
class OpenAlEngine : public SoundEngine
{
public:
    bool open() override;
    bool isOpen() const override { return m_device != nullptr; }
    void close() override;
    void unload() override;
    bool stillConnected() override;
    Duration play(const QString &path) override;
    void rest() override;
    bool isResting() const override { return m_resting; }

private:
    struct Cue {
        FileStamp stamp;
        ALuint buffer = 0;   // 0: the file cannot be played
        Duration length{};
    };

    bool loadLibraries();
    Cue decode(const QString &path);

    Api m_api;
    QLibrary m_openal;
    CueDecoder m_decoder;
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

bool OpenAlEngine::loadLibraries()
{
    if (m_loaded)
        return true;
    if (m_unavailable)
        return false;
    bool ok = loadFirst(m_openal, kOpenAlNames) && m_decoder.load();
#define TORAN_RESOLVE_OPENAL(name) ok = ok && resolve(m_openal, #name, m_api.name);
    TORAN_OPENAL_FUNCTIONS(TORAN_RESOLVE_OPENAL)
#undef TORAN_RESOLVE_OPENAL
    if (!ok) {
        // Not installed, or too old: that does not change while we run.
        unload();
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

void OpenAlEngine::unload()
{
    m_api = Api();
    m_alsa.unload();
    m_openal.unload();
    m_decoder.unload();
    m_loaded = false;
}

bool OpenAlEngine::open()
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

void OpenAlEngine::close()
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

void OpenAlEngine::rest()
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

bool OpenAlEngine::stillConnected()
{
    if (!m_tellsDisconnect)
        return true;
    ALCint connected = ALC_TRUE;
    m_api.alcGetIntegerv(m_device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

SoundEngine::Duration OpenAlEngine::play(const QString &path)
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
    return m_api.alGetError() == AL_NO_ERROR ? cue->length : Duration{};
}

OpenAlEngine::Cue OpenAlEngine::decode(const QString &path)
{
    const DecodedCue sound = m_decoder.decode(path);
    if (sound.samples.empty())
        return {};
    m_api.alGetError();
    ALuint buffer = 0;
    m_api.alGenBuffers(1, &buffer);
    if (m_api.alGetError() != AL_NO_ERROR)
        return {};
    m_api.alBufferData(buffer, sound.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, sound.samples.data(),
                       ALsizei(sound.samples.size() * sizeof(short)), sound.rate);
    if (m_api.alGetError() != AL_NO_ERROR) {
        m_api.alDeleteBuffers(1, &buffer);
        return {};
    }
    return {FileStamp(), buffer, sound.length()};
}

// The server where one runs, OpenAL (and through it the sound card)
// otherwise; chosen anew at every open.
class PreferredEngine : public SoundEngine
{
public:
    PreferredEngine() : m_pulse(createPulseEngine()), m_openal(std::make_unique<OpenAlEngine>()) {}

    bool open() override
    {
        m_active = nullptr;
        if (m_pulse->open()) {
            m_active = m_pulse.get();
            return true;
        }
        m_pulse->unload();
        if (m_openal->open())
            m_active = m_openal.get();
        return m_active != nullptr;
    }
    bool isOpen() const override { return m_active && m_active->isOpen(); }
    void close() override
    {
        if (m_active)
            m_active->close();
    }
    void unload() override
    {
        m_pulse->unload();
        m_openal->unload();
        m_active = nullptr;
    }
    bool stillConnected() override { return m_active && m_active->stillConnected(); }
    Duration play(const QString &path) override { return m_active ? m_active->play(path) : Duration{}; }
    void rest() override
    {
        if (m_active)
            m_active->rest();
    }
    bool isResting() const override { return m_active && m_active->isResting(); }

private:
    const std::unique_ptr<SoundEngine> m_pulse;
    const std::unique_ptr<SoundEngine> m_openal;
    SoundEngine *m_active = nullptr;
};

} // namespace

OpenAlSoundPlayer::OpenAlSoundPlayer() = default;
OpenAlSoundPlayer::~OpenAlSoundPlayer() = default;

void OpenAlSoundPlayer::start()
{
    if (m_queue)
        return;
    // OpenAL Soft reports a missing server or sound card on stderr; the
    // game stays quiet about it unless someone asked for the log.
    if (!qEnvironmentVariableIsSet("ALSOFT_LOGLEVEL"))
        qputenv("ALSOFT_LOGLEVEL", "0");
    try {
        m_queue = std::make_unique<SoundQueue>(std::make_unique<PreferredEngine>());
    } catch (...) {
        // No thread to be had: the game plays on in silence.
    }
}

void OpenAlSoundPlayer::play(const QString &fullPath)
{
    start();
    if (m_queue)
        m_queue->post(fullPath);
}

void OpenAlSoundPlayer::waitUntilHeard(int timeoutMs)
{
    if (m_queue)
        m_queue->waitUntilHeard(timeoutMs);
}

bool OpenAlSoundPlayer::waitForDevice(int timeoutMs)
{
    return m_queue && m_queue->waitForDevice(timeoutMs);
}
