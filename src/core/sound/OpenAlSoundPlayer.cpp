#include "OpenAlSoundPlayer.h"

#include "SoundQueue.h"
#include "core/files/Folder.h"

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
#include <cstring>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The most of one file that is decoded: half a minute of 48 kHz stereo.
constexpr sf_count_t kMaxSamples = sf_count_t(48000) * 2 * 30;

// The libraries are loaded on the sound thread, not linked: neither they nor
// the many coders libsndfile brings along cost the start anything.
#define TORAN_OPENAL_FUNCTIONS(X) \
    X(alcOpenDevice) X(alcCloseDevice) X(alcCreateContext) X(alcDestroyContext) \
    X(alcMakeContextCurrent) X(alcIsExtensionPresent) X(alcGetProcAddress) X(alcGetIntegerv) \
    X(alGetError) X(alGenSources) X(alDeleteSources) X(alGenBuffers) X(alDeleteBuffers) \
    X(alBufferData) X(alSourcei) X(alGetSourcei) X(alSourcePlay) X(alSourceStop)
#define TORAN_SNDFILE_FUNCTIONS(X) X(sf_open_virtual) X(sf_readf_short) X(sf_close)

struct Api {
#define TORAN_DECLARE(name) decltype(&::name) name = nullptr;
    TORAN_OPENAL_FUNCTIONS(TORAN_DECLARE)
    TORAN_SNDFILE_FUNCTIONS(TORAN_DECLARE)
#undef TORAN_DECLARE
};

// A cue file read into memory, as libsndfile's virtual file.
struct MemoryCue
{
    const QByteArray &bytes;
    sf_count_t at;

    static MemoryCue &of(void *data) { return *static_cast<MemoryCue *>(data); }
    static SF_VIRTUAL_IO io()
    {
        SF_VIRTUAL_IO io{};
        io.get_filelen = [](void *data) { return sf_count_t(of(data).bytes.size()); };
        io.seek = [](sf_count_t offset, int whence, void *data) {
            MemoryCue &m = of(data);
            const sf_count_t base = whence == SEEK_CUR ? m.at : whence == SEEK_END ? m.bytes.size() : 0;
            m.at = std::clamp<sf_count_t>(base + offset, 0, m.bytes.size());
            return m.at;
        };
        io.read = [](void *out, sf_count_t count, void *data) {
            MemoryCue &m = of(data);
            const sf_count_t n = std::clamp<sf_count_t>(count, 0, m.bytes.size() - m.at);
            std::memcpy(out, m.bytes.constData() + m.at, size_t(n));
            m.at += n;
            return n;
        };
        io.write = [](const void *, sf_count_t, void *) { return sf_count_t(0); };
        io.tell = [](void *data) { return of(data).at; };
        return io;
    }
};
constexpr qint64 kMaxCueBytes = 16 << 20;   // the longest cue is a few seconds

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

bool OpenAlEngine::loadLibraries()
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
    m_sndfile.unload();
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
    // Only a regular file is read, and it is read whole before decoding: a
    // pipe swapped in at a cue's name would hold the sound thread for as
    // long as nobody writes into it.
    const QFileInfo where(path);
    QByteArray bytes;
    QString why;
    if (Folder(where.path()).readSmallFile(where.fileName(), kMaxCueBytes, &bytes, &why) != Folder::Opened::File)
        return {};
    MemoryCue memory{bytes, 0};
    SF_VIRTUAL_IO io = MemoryCue::io();
    SF_INFO info{};
    SNDFILE *file = m_api.sf_open_virtual(&io, SFM_READ, &info, &memory);
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
std::vector<short> OpenAlEngine::readWav(SNDFILE *file, SF_INFO &info)
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
        m_queue = std::make_unique<SoundQueue>(std::make_unique<OpenAlEngine>());
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
