#include "SoundServer.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <sndfile.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <limits>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

// Samples at or below this are silence: OpenAL dithers its 16-bit output.
constexpr int kNoiseFloor = 20;
constexpr int kStartTimeoutMs = 10000;

void setOrUnset(const char *name, const QByteArray &value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

QByteArray saved(const char *name)
{
    return qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
}
} // namespace

SoundServer::SoundServer() = default;

SoundServer::~SoundServer()
{
    thaw();
    stopRecording();
    stopProcess(m_keepAlive);
    stopProcess(m_server);
    if (m_environmentSet) {
        setOrUnset("PULSE_SERVER", m_oldServer);
        setOrUnset("PULSE_COOKIE", m_oldCookie);
        setOrUnset("PULSE_CLIENTCONFIG", m_oldClientConfig);
        setOrUnset("ALSOFT_DRIVERS", m_oldDrivers);
    }
}

QString SoundServer::address() const
{
    return QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native"));
}

QProcessEnvironment SoundServer::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), address());
    env.insert(QStringLiteral("PULSE_COOKIE"), m_dir.filePath(QStringLiteral("cookie")));
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), m_dir.filePath(QStringLiteral("client.conf")));
    env.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("pulse"));
    return env;
}

QString SoundServer::start()
{
    if (!m_dir.isValid())
        return QStringLiteral("no scratch directory for the sound server");
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (pulseaudio.isEmpty())
        return QStringLiteral("pulseaudio is not installed");
    const QString root = m_dir.path();
    QDir().mkpath(root + QStringLiteral("/home"));
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(m_dir.filePath(QStringLiteral("client.conf")), "autospawn = no\n");
    const QString socket = m_dir.filePath(QStringLiteral("native"));
    QFile::remove(socket);   // from a server that was killed

    // Everything the server reads or writes lies in the scratch directory;
    // no display and no session bus to reach.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "PULSE_SERVER", "PULSE_COOKIE", "PULSE_CLIENTCONFIG"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/home/.config"));
    env.insert(QStringLiteral("PULSE_STATE_PATH"), root + QStringLiteral("/state"));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), root + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + root + QStringLiteral("/no-bus"));
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    // As root it warns that it is meant for --system, and runs. Real-time
    // and high priority as a desktop's server has them (there through
    // RTKit): a loaded machine does not break the sound it mixes.
    m_server.start(pulseaudio, {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                                "--use-pid-file=no", "--realtime=yes", "--high-priority=yes",
                                "--log-target=stderr", "-L",
                                "module-native-protocol-unix auth-anonymous=1 socket=" + socket, "-L",
                                "module-null-sink sink_name=nul"});
    if (!m_server.waitForStarted(kStartTimeoutMs))
        return QStringLiteral("pulseaudio could not be started: ") + m_server.errorString();
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(socket)) {
        if (m_server.waitForFinished(50) || clock.elapsed() > kStartTimeoutMs) {
            const QString log = QString::fromLocal8Bit(m_server.readAll()).trimmed();
            stopProcess(m_server);
            return QStringLiteral("pulseaudio did not start: ") + log.right(400);
        }
    }

    if (!m_environmentSet) {
        m_oldServer = saved("PULSE_SERVER");
        m_oldCookie = saved("PULSE_COOKIE");
        m_oldClientConfig = saved("PULSE_CLIENTCONFIG");
        m_oldDrivers = saved("ALSOFT_DRIVERS");
        m_environmentSet = true;
    }
    const QProcessEnvironment client = clientEnvironment();
    for (const char *name : {"PULSE_SERVER", "PULSE_COOKIE", "PULSE_CLIENTCONFIG", "ALSOFT_DRIVERS"})
        qputenv(name, client.value(QLatin1String(name)).toLocal8Bit());

    m_keepAlive.setProcessEnvironment(client);
    m_keepAlive.start(QStringLiteral("pacat"), {"--playback", "--raw", "--format=s16le", "--channels=1",
                                                "--rate=22050", "/dev/zero"});
    m_keepAlive.waitForStarted(kStartTimeoutMs);
    return QString();
}

void SoundServer::kill()
{
    m_server.kill();
    m_server.waitForFinished(kStartTimeoutMs);
    stopProcess(m_keepAlive);
}

void SoundServer::freeze()
{
    if (m_server.state() == QProcess::Running)
        ::kill(pid_t(m_server.processId()), SIGSTOP);
}

void SoundServer::thaw()
{
    if (m_server.state() == QProcess::Running)
        ::kill(pid_t(m_server.processId()), SIGCONT);
}

void SoundServer::stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

bool SoundServer::startRecording()
{
    stopRecording();
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    QList<QByteArray> envStrings;
    const QProcessEnvironment env = clientEnvironment();
    for (const QString &key : env.keys())
        envStrings << (key + QLatin1Char('=') + env.value(key)).toLocal8Bit();
    std::vector<char *> envp;
    for (QByteArray &s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    const QByteArray rate = "--rate=" + QByteArray::number(kRate);
    // The sink mixes only as far ahead as its monitor's reader allows. A cue
    // that starts makes the sink mix that stretch again with it, and the
    // monitor passes on only the first mix: the recording loses up to this
    // much of a cue's head that a sound card would play.
    const char *argv[] = {"parec", "-d", "nul.monitor", "--raw", "--format=s16le", "--channels=1",
                          rate.constData(), "--latency-msec=4", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const int spawned = posix_spawnp(&m_recorder, "parec", &actions, nullptr, const_cast<char **>(argv), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        m_recorder = -1;
        return false;
    }
    m_recordFd = fds[0];
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_samples.clear();
        m_recordingStart = Clock::now();
        m_lead = std::numeric_limits<qint64>::min() / 2;
    }
    m_reader = std::thread([this] { readRecording(m_recordFd); });

    // The first moments of a recording may be missing: wait until it keeps
    // pace with the clock.
    QElapsedTimer clock;
    clock.start();
    int steadyWindows = 0;
    const auto recorded = [this] {
        std::lock_guard<std::mutex> lock(m_mutex);
        return qint64(m_samples.size());
    };
    qint64 before = recorded();
    while (clock.elapsed() < kStartTimeoutMs) {
        QThread::msleep(200);
        const qint64 now = recorded();
        const qint64 expected = kRate / 5;
        steadyWindows = (now - before > expected * 8 / 10 && now - before < expected * 12 / 10) ? steadyWindows + 1 : 0;
        before = now;
        if (steadyWindows >= 3)
            return true;
    }
    return false;
}

void SoundServer::readRecording(int fd)
{
    char buffer[4096];
    QByteArray carry;
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        carry.append(buffer, int(n));
        const int whole = carry.size() / 2;
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int i = 0; i < whole; ++i)
            m_samples.push_back(qint16(quint8(carry[2 * i]) | (quint8(carry[2 * i + 1]) << 8)));
        // The sink keeps time with the system's clock; a delivery that comes
        // late says nothing about it, the most punctual one tells where the
        // recording stands.
        const double elapsed = std::chrono::duration<double>(Clock::now() - m_recordingStart).count();
        m_lead = std::max(m_lead, qint64(m_samples.size()) - qint64(elapsed * kRate));
        carry.remove(0, whole * 2);
    }
}

void SoundServer::stopRecording()
{
    if (m_recorder > 0) {
        ::kill(m_recorder, SIGTERM);
        waitpid(m_recorder, nullptr, 0);
        m_recorder = -1;
    }
    if (m_reader.joinable())
        m_reader.join();
    if (m_recordFd >= 0) {
        close(m_recordFd);
        m_recordFd = -1;
    }
}

qint64 SoundServer::position() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lead + qint64(std::chrono::duration<double>(Clock::now() - m_recordingStart).count() * kRate);
}

QVector<qint16> SoundServer::samplesFrom(qint64 position) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const qint64 from = std::clamp<qint64>(position, 0, qint64(m_samples.size()));
    return QVector<qint16>(m_samples.begin() + from, m_samples.end());
}

bool SoundServer::heardToTheEnd(qint64 position, int count) const
{
    const QVector<qint16> since = samplesFrom(position);
    const QVector<Burst> heard = burstsIn(since);
    return heard.size() >= count && since.size() - heard.last().end > kRate / 10;
}

QVector<Burst> burstsIn(const QVector<qint16> &samples, int gapMs)
{
    const qint64 gap = qint64(gapMs) * SoundServer::kRate / 1000;
    QVector<Burst> bursts;
    for (qint64 i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) <= kNoiseFloor)
            continue;
        if (bursts.isEmpty() || i - bursts.last().end >= gap)
            bursts.append({i, i + 1});
        else
            bursts.last().end = i + 1;
    }
    return bursts;
}

double pitchHz(const QVector<qint16> &samples, const Burst &burst, int part)
{
    const qint64 half = (burst.end - burst.begin) / 2;
    const qint64 from = part == 2 ? burst.begin + half : burst.begin;
    const qint64 to = part == 1 ? burst.begin + half : burst.end;
    int crossings = 0;
    int sign = 0;
    for (qint64 i = from; i < to; ++i) {
        const int s = samples[i] > kNoiseFloor ? 1 : samples[i] < -kNoiseFloor ? -1 : 0;
        if (s != 0 && s != sign) {
            if (sign != 0)
                ++crossings;
            sign = s;
        }
    }
    return to > from ? crossings / 2.0 * SoundServer::kRate / double(to - from) : 0;
}

double wavLengthMs(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    return (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && info.samplerate > 0
        ? double(info.frames) * 1000 / info.samplerate
        : -1;
}
