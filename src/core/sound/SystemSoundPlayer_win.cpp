#include "SystemSoundPlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <string>

#include <windows.h>
#include <mmsystem.h>

namespace {

// What the device still holds of a cue when its length has passed: a
// program that waits for a cue to be heard waits this long after it.
constexpr qint64 kOutputDelayMs = 100;

const wchar_t *wide(const QString &text) { return reinterpret_cast<const wchar_t *>(text.utf16()); }

// The length of a WAV file's sound, read through the system's RIFF
// functions; 0 when it is not a WAV file the system can read.
qint64 lengthMs(const QString &path)
{
    std::wstring name(wide(path));
    HMMIO file = mmioOpenW(name.data(), nullptr, MMIO_READ | MMIO_DENYNONE);
    if (!file)
        return 0;
    qint64 ms = 0;
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO chunk{};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    PCMWAVEFORMAT format{};
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR
        && mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR
        && mmioRead(file, reinterpret_cast<HPSTR>(&format), sizeof format) == LONG(sizeof format)
        && mmioAscend(file, &chunk, 0) == MMSYSERR_NOERROR && format.wf.nAvgBytesPerSec > 0) {
        chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
        if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR)
            ms = qint64(chunk.cksize) * 1000 / format.wf.nAvgBytesPerSec;
    }
    mmioClose(file, 0);
    return ms;
}

// Plays cues with the system's own asynchronous call: a new cue cuts off
// the one still playing, and a file that cannot be played is silence (no
// default sound stands in for it).
class WinSoundPlayer final : public SoundPlayer
{
public:
    ~WinSoundPlayer() override { PlaySoundW(nullptr, nullptr, 0); }

    void play(const QString &fullPath) override
    {
        const QString path = QDir::toNativeSeparators(fullPath);
        const bool started = PlaySoundW(wide(path), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
        m_playing = started ? path : QString();
        m_startedAt.start();
    }

    // The call tells nothing of a cue's end: its length tells, read only
    // here, at the program's end, not at every cue.
    void waitUntilHeard(int timeoutMs) override
    {
        if (m_playing.isEmpty())
            return;
        const qint64 left = lengthMs(m_playing) + kOutputDelayMs - m_startedAt.elapsed();
        QThread::msleep(ulong(std::clamp<qint64>(left, 0, std::max(timeoutMs, 0))));
    }

private:
    QString m_playing;   // the cue started last, if it started
    QElapsedTimer m_startedAt;
};

} // namespace

std::unique_ptr<SoundPlayer> createSystemSoundPlayer() { return std::make_unique<WinSoundPlayer>(); }
