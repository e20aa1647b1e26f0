#pragma once

#include <QDateTime>
#include <QLibrary>
#include <QString>

#include <chrono>
#include <memory>
#include <vector>

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
FileStamp stampOf(const QString &path);

// A cue's samples, 16-bit, one or two channels interleaved.
struct DecodedCue {
    std::vector<short> samples;
    int channels = 0;
    int rate = 0;
    std::chrono::microseconds length() const
    {
        return std::chrono::microseconds(channels > 0 && rate > 0
                                             ? qint64(samples.size()) / channels * 1000000 / rate
                                             : 0);
    }
};

// Reads WAV files through libsndfile, which it loads when asked for (not
// linked: neither it nor the many coders it brings along cost the start
// anything). Used on the sound thread only.
class CueDecoder
{
public:
    bool load();
    void unload();
    // Empty samples for anything that is not a WAV file with sound in it.
    DecodedCue decode(const QString &path);

private:
    struct Api;
    QLibrary m_library;
    std::shared_ptr<Api> m_api;
};
