#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A private PulseAudio server with one null sink, in a runtime directory of
// its own, started and stopped by the test (no system or user service is
// asked for anything), and a recording of the sink's monitor. This process
// is pointed at the server, and OpenAL at PulseAudio alone, so that no test
// ever plays on a real sound card.
class SoundServer
{
public:
    static constexpr int kRate = 22050;   // of the recording, mono

    SoundServer();
    ~SoundServer();

    // Starts the server; returns why it could not start, or an empty string.
    QString start();
    // Ends the server at once, as a crash would.
    void kill();
    // Stops the server where it stands, and lets it go on: a server that
    // hangs.
    void freeze();
    void thaw();
    // The address a client is given, and the environment for a child
    // program that should play there.
    QString address() const;
    QProcessEnvironment clientEnvironment() const;

    // Records the monitor from now on; false if parec does not deliver a
    // steady stream within a few seconds.
    bool startRecording();
    // The place in the recording that belongs to this moment, by the clock:
    // parec's deliveries may come late on a loaded machine, the sink's
    // samples do not.
    qint64 position() const;
    // A little before position(): where a window must open so that a cue
    // asked for now is heard whole. On a loaded machine the sink renders a
    // late stretch at once and may mix the cue into what position() already
    // counts as past; a cue's head cut off by the window is no short cue.
    static constexpr int kLeadMs = 60;
    qint64 positionBefore() const { return position() - kLeadMs * kRate / 1000; }
    QVector<qint16> samplesFrom(qint64 position) const;
    // Whether the recording from position on holds at least count sounds,
    // the last of them followed by a tenth of a second of quiet: heard to
    // its end. Tests wait on it, not on a time, so that a loaded machine's
    // late cue or late recording is waited for.
    bool heardToTheEnd(qint64 position, int count = 1) const;

private:
    void readRecording(int fd);
    void stopRecording();
    void stopProcess(QProcess &process);

    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_keepAlive;   // keeps the sink running, so that the recording has no holes
    QByteArray m_oldServer, m_oldCookie, m_oldClientConfig, m_oldDrivers;
    bool m_environmentSet = false;

    pid_t m_recorder = -1;
    int m_recordFd = -1;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    std::vector<qint16> m_samples;
    std::chrono::steady_clock::time_point m_recordingStart;
    qint64 m_lead = 0;   // samples recorded ahead of the clock, at most
};

// A sound in a recording: where it begins and ends (one past its last
// sample above the noise floor).
struct Burst {
    qint64 begin = 0;
    qint64 end = 0;
    double ms() const { return double(end - begin) * 1000 / SoundServer::kRate; }
    double beginMs() const { return double(begin) * 1000 / SoundServer::kRate; }
};

// The sounds in samples, parted by at least gapMs of silence.
QVector<Burst> burstsIn(const QVector<qint16> &samples, int gapMs = 15);
// A sound's pitch over one of its parts (0 = all of it, 1 = first half,
// 2 = second half), from its zero crossings.
double pitchHz(const QVector<qint16> &samples, const Burst &burst, int part = 0);
// The length of a WAV file in milliseconds; -1 if it is no such file.
double wavLengthMs(const QString &path);
