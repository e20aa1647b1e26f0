#include "CueDecoder.h"

#include "core/files/Folder.h"

#include <sndfile.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace {
// The most of one file that is decoded: half a minute of 48 kHz stereo.
constexpr sf_count_t kMaxSamples = sf_count_t(48000) * 2 * 30;
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
} // namespace

struct CueDecoder::Api {
    decltype(&::sf_open_virtual) open = nullptr;
    decltype(&::sf_readf_short) readShort = nullptr;
    decltype(&::sf_close) close = nullptr;
};

FileStamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified(), info.metadataChangeTime()};
}

bool CueDecoder::load()
{
    if (m_api)
        return true;
    m_library.setFileNameAndVersion(QStringLiteral("sndfile"), 1);
    if (!m_library.load())
        return false;
    auto api = std::make_shared<Api>();
    api->open = reinterpret_cast<decltype(api->open)>(m_library.resolve("sf_open_virtual"));
    api->readShort = reinterpret_cast<decltype(api->readShort)>(m_library.resolve("sf_readf_short"));
    api->close = reinterpret_cast<decltype(api->close)>(m_library.resolve("sf_close"));
    if (!api->open || !api->readShort || !api->close) {
        m_library.unload();
        return false;
    }
    m_api = std::move(api);
    return true;
}

void CueDecoder::unload()
{
    m_api.reset();
    m_library.unload();
}

// More than two channels are mixed to one.
DecodedCue CueDecoder::decode(const QString &path)
{
    if (!m_api)
        return {};
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
    SNDFILE *file = m_api->open(&io, SFM_READ, &info, &memory);
    if (!file)
        return {};
    DecodedCue cue;
    const int type = info.format & SF_FORMAT_TYPEMASK;
    const sf_count_t frames = info.channels < 1 ? 0 : std::min<sf_count_t>(info.frames, kMaxSamples / info.channels);
    if ((type == SF_FORMAT_WAV || type == SF_FORMAT_WAVEX) && info.samplerate > 0 && frames > 0) {
        cue.samples.resize(size_t(frames * info.channels));
        const sf_count_t read = std::max<sf_count_t>(m_api->readShort(file, cue.samples.data(), frames), 0);
        cue.samples.resize(size_t(read * info.channels));
        cue.channels = info.channels;
        cue.rate = info.samplerate;
    }
    m_api->close(file);
    if (cue.channels > 2) {
        std::vector<short> mono(cue.samples.size() / size_t(cue.channels));
        for (size_t f = 0; f < mono.size(); ++f) {
            long sum = 0;
            for (int c = 0; c < cue.channels; ++c)
                sum += cue.samples[f * size_t(cue.channels) + size_t(c)];
            mono[f] = short(sum / cue.channels);
        }
        cue.samples.swap(mono);
        cue.channels = 1;
    }
    if (cue.samples.empty())
        return {};
    return cue;
}
