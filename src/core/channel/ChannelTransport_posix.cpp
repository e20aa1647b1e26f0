// The running-copy channel on plain AF_UNIX stream sockets: every socket is
// non-blocking and closed on exec, and every wait is a poll() bounded by
// what is left of its deadline.
#include "ChannelTransport.h"

#include "LocalPeer.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ChannelTransport {
namespace PosixSocket {

class Listener final : public ChannelTransport::Listener
{
public:
    explicit Listener(InstanceServer::InfoProvider provider);
    ~Listener() override;
    bool listen(const QString &name) override;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

constexpr int kAnswerWriteMs = 100;   // one answer's sending: a peer that does not read gets no more
constexpr int kRetryMs = 5;           // a listener with a full queue is asked again this often
constexpr int kBacklog = 16;
constexpr int kAcceptPauseMs = 100;   // after accept() fails for want of descriptors

#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;   // a peer gone is an error, not SIGPIPE
#else
constexpr int kSendFlags = 0;              // SO_NOSIGPIPE instead
#endif

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// For the systems without SOCK_CLOEXEC and SOCK_NONBLOCK.
[[maybe_unused]] bool setFlags(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0 && flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

void noSigPipe([[maybe_unused]] int fd)
{
#ifdef SO_NOSIGPIPE
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof(on));
#endif
}

int openSocket()
{
#ifdef SOCK_CLOEXEC
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
#else
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0 && !setFlags(fd))
        closeFd(fd);
    return fd;
#endif
}

bool openPair(int fds[2])
{
#ifdef SOCK_CLOEXEC
    return ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) == 0;
#else
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0)
        return false;
    if (setFlags(fds[0]) && setFlags(fds[1]))
        return true;
    closeFd(fds[0]);
    closeFd(fds[1]);
    return false;
#endif
}

int acceptConnection(int listener)
{
    for (;;) {
#ifdef SOCK_CLOEXEC
        int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
#else
        int fd = ::accept(listener, nullptr, nullptr);
        if (fd >= 0 && !setFlags(fd))
            closeFd(fd);
#endif
        if (fd >= 0 || errno != EINTR) {
            if (fd >= 0)
                noSigPipe(fd);
            return fd;
        }
    }
}

// The socket address of a path; false when the path does not fit in it
// (it is never cut short, which would name another file).
bool addressOf(const QString &name, sockaddr_un &address, socklen_t &length)
{
    const QByteArray path = QFile::encodeName(name);
    address = {};
    if (path.isEmpty() || path.size() >= qsizetype(sizeof(address.sun_path)) || path.contains('\0'))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()) + 1);
    return true;
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(std::clamp<qint64>(deadline.remainingTime(), 0, 1 << 30));
}

// One name being asked.
struct Asking
{
    enum State { Done, Retrying, Connecting, Reading };
    State state = Done;
    int fd = -1;
    sockaddr_un address{};
    socklen_t length = 0;
    QByteArray received;
};

// Every name asked at once: each is connected to, retried while its
// listener's queue is full, and read until it answers, hangs up or says too
// much, until the deadline or until one reply is enough.
class Asker
{
public:
    Asker(const QStringList &names, const std::function<bool(const Reply &)> &enough)
        : m_enough(enough), m_replies(size_t(names.size())), m_asking(size_t(names.size()))
    {
        for (size_t slot = 0; slot < m_asking.size() && !m_satisfied; ++slot)
            start(slot, names[int(slot)]);
    }
    ~Asker()
    {
        for (Asking &a : m_asking)
            closeFd(a.fd);
    }
    Asker(const Asker &) = delete;
    Asker &operator=(const Asker &) = delete;

    // Waits for the sockets in turn until nothing is left to wait for.
    std::vector<Reply> run(const QDeadlineTimer &deadline)
    {
        while (!m_satisfied && waitOnce(deadline)) {
        }
        return std::move(m_replies);
    }

private:
    void start(size_t slot, const QString &name)
    {
        Asking &a = m_asking[slot];
        if (!addressOf(name, a.address, a.length))
            return;
        a.fd = openSocket();
        if (a.fd < 0)
            return;
        a.state = Asking::Retrying;
        tryConnect(slot);
    }

    void finish(size_t slot)
    {
        Asking &a = m_asking[slot];
        if (a.state == Asking::Done)
            return;
        a.state = Asking::Done;
        closeFd(a.fd);
        if (m_enough(m_replies[slot]))
            m_satisfied = true;
    }

    void connected(size_t slot)
    {
        m_replies[slot].listening = true;
        if (!LocalPeer::isSameUser(m_asking[slot].fd) || m_enough(m_replies[slot]))
            finish(slot);
        else
            m_asking[slot].state = Asking::Reading;
    }

    void tryConnect(size_t slot)
    {
        Asking &a = m_asking[slot];
        if (::connect(a.fd, reinterpret_cast<const sockaddr *>(&a.address), a.length) == 0) {
            connected(slot);
            return;
        }
        switch (errno) {
        case EINPROGRESS:
        case EINTR:   // the connection goes on
            a.state = Asking::Connecting;
            break;
        case EAGAIN:
            // The listener's queue is full: it is alive, but busy.
            a.state = Asking::Retrying;
            m_replies[slot].listening = true;
            if (m_enough(m_replies[slot]))
                finish(slot);
            break;
        default:   // nobody there, or nobody listening any more
            finish(slot);
        }
    }

    // The outcome of a connection that was under way.
    void connectionDone(size_t slot)
    {
        int error = 0;
        socklen_t size = sizeof(error);
        if (::getsockopt(m_asking[slot].fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
            connected(slot);
        else
            finish(slot);
    }

    void take(size_t slot)
    {
        Asking &a = m_asking[slot];
        Reply &reply = m_replies[slot];
        char buffer[InstanceServer::kMaxReplyBytes + 1];
        const ssize_t n = ::read(a.fd, buffer, size_t(InstanceServer::kMaxReplyBytes + 1 - a.received.size()));
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return;
        if (n > 0)
            a.received.append(buffer, qsizetype(n));
        if (decodeAnswer(a.received, reply.info))
            reply.answered = true;
        if (n <= 0 || reply.answered || a.received.size() > InstanceServer::kMaxReplyBytes)
            finish(slot);
    }

    // One poll of the sockets under way and what it found; false when there
    // is nothing more to wait for or no time left.
    bool waitOnce(const QDeadlineTimer &deadline)
    {
        m_polled.clear();
        m_polledSlot.clear();
        bool retrying = false;
        for (size_t slot = 0; slot < m_asking.size(); ++slot) {
            const Asking &a = m_asking[slot];
            if (a.state == Asking::Retrying) {
                retrying = true;
            } else if (a.state != Asking::Done) {
                m_polled.push_back({a.fd, short(a.state == Asking::Connecting ? POLLOUT : POLLIN), 0});
                m_polledSlot.push_back(slot);
            }
        }
        const int left = remainingMs(deadline);
        if ((m_polled.empty() && !retrying) || left == 0)
            return false;
        if (::poll(m_polled.data(), nfds_t(m_polled.size()), retrying ? qMin(left, kRetryMs) : left) < 0)
            return errno == EINTR;
        for (size_t i = 0; i < m_polled.size() && !m_satisfied; ++i) {
            const size_t slot = m_polledSlot[i];
            if (m_polled[i].revents == 0)
                continue;
            if (m_asking[slot].state == Asking::Connecting)
                connectionDone(slot);
            else
                take(slot);
        }
        for (size_t slot = 0; slot < m_asking.size() && !m_satisfied; ++slot)
            if (m_asking[slot].state == Asking::Retrying)
                tryConnect(slot);
        return true;
    }

    const std::function<bool(const Reply &)> &m_enough;
    std::vector<Reply> m_replies;
    std::vector<Asking> m_asking;
    std::vector<pollfd> m_polled;
    std::vector<size_t> m_polledSlot;
    bool m_satisfied = false;
};

std::vector<Reply> askAll(const QStringList &names, const QDeadlineTimer &deadline,
                          const std::function<bool(const Reply &)> &enough)
{
    return Asker(names, enough).run(deadline);
}

void removeName(const QString &name)
{
    sockaddr_un address;
    socklen_t length;
    if (!addressOf(name, address, length))
        return;
    // Only a socket: whatever else is there is not a copy's.
    struct stat info;
    if (::lstat(address.sun_path, &info) == 0 && S_ISSOCK(info.st_mode))
        ::unlink(address.sun_path);
}

struct Listener::State
{
    InstanceServer::InfoProvider provider;
    int socket = -1;
    int wake[2] = {-1, -1};   // closing wake[1] ends the answering thread
    QByteArray path;
    dev_t device = 0;         // which file is this listener's own
    ino_t inode = 0;
    std::unique_ptr<QThread> thread;

    // Sends the answer, for a short time at most, then hangs up.
    void answer(int connection)
    {
        const QByteArray text = encodeAnswer(provider());
        const QDeadlineTimer deadline(PosixSocket::kAnswerWriteMs);
        qsizetype sent = 0;
        while (sent < text.size()) {
            const ssize_t n = ::send(connection, text.constData() + sent, size_t(text.size() - sent),
                                     PosixSocket::kSendFlags);
            if (n > 0) {
                sent += n;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                return;
            const int left = PosixSocket::remainingMs(deadline);
            if (left == 0)
                return;
            pollfd fds[2] = {{connection, POLLOUT, 0}, {wake[0], POLLIN, 0}};
            if ((::poll(fds, 2, left) < 0 && errno != EINTR) || fds[1].revents != 0)
                return;
        }
    }

    void run()
    {
        pollfd fds[2] = {{socket, POLLIN, 0}, {wake[0], POLLIN, 0}};
        for (;;) {
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[1].revents != 0 || (fds[0].revents & (POLLERR | POLLNVAL)) != 0)
                return;
            if ((fds[0].revents & POLLIN) == 0)
                continue;
            for (;;) {
                int connection = PosixSocket::acceptConnection(socket);
                if (connection >= 0) {
                    answer(connection);
                    PosixSocket::closeFd(connection);
                    continue;
                }
                if (errno != EAGAIN && errno != EWOULDBLOCK && errno != ECONNABORTED) {
                    // Out of descriptors, say: the connection waits in the
                    // queue, and this thread does not spin on it meanwhile.
                    pollfd stop{wake[0], POLLIN, 0};
                    if (::poll(&stop, 1, PosixSocket::kAcceptPauseMs) > 0)
                        return;
                }
                break;
            }
        }
    }
};

Listener::Listener(InstanceServer::InfoProvider provider) : m_state(std::make_unique<State>())
{
    m_state->provider = std::move(provider);
}

Listener::~Listener()
{
    State &s = *m_state;
    if (s.thread) {
        PosixSocket::closeFd(s.wake[1]);
        s.thread->wait();
    }
    PosixSocket::closeFd(s.wake[0]);
    PosixSocket::closeFd(s.wake[1]);
    if (s.socket >= 0) {
        // Not a file that has taken its place since.
        struct stat info;
        if (::lstat(s.path.constData(), &info) == 0 && info.st_dev == s.device && info.st_ino == s.inode)
            ::unlink(s.path.constData());
        PosixSocket::closeFd(s.socket);
    }
}

bool Listener::listen(const QString &name)
{
    State &s = *m_state;
    sockaddr_un address;
    socklen_t length;
    if (s.socket >= 0 || !PosixSocket::addressOf(name, address, length))
        return false;
    int fd = PosixSocket::openSocket();
    if (fd < 0)
        return false;
    // bind() fails when anything is at the path: a live copy's socket is
    // never taken over.
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), length) != 0) {
        PosixSocket::closeFd(fd);
        return false;
    }
    struct stat info;
    if (::listen(fd, PosixSocket::kBacklog) != 0 || ::lstat(address.sun_path, &info) != 0
        || !PosixSocket::openPair(s.wake)) {
        ::unlink(address.sun_path);
        PosixSocket::closeFd(fd);
        return false;
    }
    s.socket = fd;
    s.path = QByteArray(address.sun_path);
    s.device = info.st_dev;
    s.inode = info.st_ino;
    s.thread.reset(QThread::create([state = &s] { state->run(); }));
    s.thread->setObjectName(QStringLiteral("InstanceChannel"));
    s.thread->start();
    return true;
}

class Sockets final : public Transport
{
public:
    std::vector<Reply> askAll(const QStringList &names, const QDeadlineTimer &deadline,
                              const std::function<bool(const Reply &)> &enough) const override
    {
        return PosixSocket::askAll(names, deadline, enough);
    }
    void removeName(const QString &name) const override { PosixSocket::removeName(name); }
    std::unique_ptr<ChannelTransport::Listener> listener(InstanceServer::InfoProvider provider) const override
    {
        return std::make_unique<Listener>(std::move(provider));
    }
};

} // namespace PosixSocket

const Transport &posixSockets()
{
    static const PosixSocket::Sockets transport;
    return transport;
}

} // namespace ChannelTransport
