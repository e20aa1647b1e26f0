// The running-copy channel on Qt's local sockets, where they are named pipes
// (Windows); every other system has ChannelTransport_posix.cpp, and builds
// this one for the tests.
#include "ChannelTransport.h"

#include "LocalPeer.h"

#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace ChannelTransport {
namespace QtLocalSocket {

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

std::vector<Reply> askAll(const QStringList &names, const QDeadlineTimer &deadline,
                          const std::function<bool(const Reply &)> &enough)
{
    const size_t count = size_t(names.size());
    std::vector<Reply> replies(count);
    std::vector<QByteArray> received(count);
    std::vector<std::unique_ptr<QLocalSocket>> sockets(count);
    std::vector<bool> finished(count, false);
    QEventLoop loop;
    size_t pending = count;
    bool satisfied = false;

    const auto finish = [&](size_t slot) {
        if (finished[slot])
            return;
        finished[slot] = true;
        QObject::disconnect(sockets[slot].get(), nullptr, &loop, nullptr);
        if (enough(replies[slot]))
            satisfied = true;
        if (--pending == 0 || satisfied)
            loop.quit();
    };
    const auto take = [&](size_t slot) {
        QLocalSocket *socket = sockets[slot].get();
        QByteArray &buffer = received[slot];
        buffer += socket->read(InstanceServer::kMaxReplyBytes + 1 - buffer.size());
        if (decodeAnswer(buffer, replies[slot].info)) {
            replies[slot].answered = true;
            finish(slot);
        } else if (buffer.size() > InstanceServer::kMaxReplyBytes) {
            finish(slot);
        }
    };

    for (size_t slot = 0; slot < count; ++slot) {
        sockets[slot] = std::make_unique<QLocalSocket>();
        QLocalSocket *socket = sockets[slot].get();
        socket->setReadBufferSize(InstanceServer::kMaxReplyBytes + 1);
        QObject::connect(socket, &QLocalSocket::connected, &loop, [&, slot, socket] {
            replies[slot].listening = true;
            if (!LocalPeer::isSameUser(socket->socketDescriptor()))
                finish(slot);
            else if (enough(replies[slot]))
                finish(slot);
        });
        QObject::connect(socket, &QLocalSocket::readyRead, &loop, [&, slot] { take(slot); });
        QObject::connect(socket, &QLocalSocket::disconnected, &loop, [&, slot] {
            take(slot);
            finish(slot);
        });
        QObject::connect(socket, &QLocalSocket::errorOccurred, &loop, [&, slot, socket] {
            if (socket->error() != QLocalSocket::PeerClosedError)
                finish(slot);
        });
    }
    // Connecting may fail at once (no such socket): the slot is finished
    // before the loop runs.
    for (size_t slot = 0; slot < count && !satisfied; ++slot)
        sockets[slot]->connectToServer(names[int(slot)]);
    if (pending > 0 && !satisfied) {
        QTimer::singleShot(int(qMax<qint64>(0, deadline.remainingTime())), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    for (auto &socket : sockets) {
        QObject::disconnect(socket.get(), nullptr, &loop, nullptr);
        socket->abort();
    }
    return replies;
}

void removeName(const QString &name) { QLocalServer::removeServer(name); }

// Lives on the channel's thread and answers there.
class Answerer : public QObject
{
public:
    explicit Answerer(InstanceServer::InfoProvider provider) : m_provider(std::move(provider)) {}
    // The name is let go after its server has closed.
    ~Answerer() override { delete m_server; }

    bool listen(const QString &name)
    {
        m_claim = claimName(name);
        if (!m_claim)
            return false;
        if (!m_server) {
            m_server = new QLocalServer(this);
            // Where the names are the user's own already (a private
            // folder), access options would make Qt create the socket
            // elsewhere and rename it over the name, taking the slot of a
            // live copy instead of failing.
            if (!platformNamesArePrivate())
                m_server->setSocketOptions(QLocalServer::UserAccessOption);
            connect(m_server, &QLocalServer::newConnection, this, &Answerer::answer);
        }
        if (m_server->listen(name))
            return true;
        m_claim.reset();
        return false;
    }

private:
    void answer()
    {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->write(encodeAnswer(m_provider()));
            socket->flush();
            socket->disconnectFromServer();
        }
    }

    InstanceServer::InfoProvider m_provider;
    QLocalServer *m_server = nullptr;
    std::unique_ptr<NameClaim> m_claim;
};

struct Listener::State
{
    QThread thread;
    Answerer *answerer = nullptr;
};

Listener::Listener(InstanceServer::InfoProvider provider) : m_state(std::make_unique<State>())
{
    m_state->answerer = new Answerer(std::move(provider));
    m_state->thread.setObjectName(QStringLiteral("InstanceChannel"));
    m_state->answerer->moveToThread(&m_state->thread);
    m_state->thread.start();
}

Listener::~Listener()
{
    // The server closes (and removes its socket) on its own thread.
    Answerer *answerer = m_state->answerer;
    QMetaObject::invokeMethod(answerer, [answerer] { delete answerer; }, Qt::BlockingQueuedConnection);
    m_state->thread.quit();
    m_state->thread.wait();
}

bool Listener::listen(const QString &name)
{
    bool listening = false;
    Answerer *answerer = m_state->answerer;
    QMetaObject::invokeMethod(answerer, [&] { listening = answerer->listen(name); }, Qt::BlockingQueuedConnection);
    return listening;
}

class Sockets final : public Transport
{
public:
    std::vector<Reply> askAll(const QStringList &names, const QDeadlineTimer &deadline,
                              const std::function<bool(const Reply &)> &enough) const override
    {
        return QtLocalSocket::askAll(names, deadline, enough);
    }
    void removeName(const QString &name) const override { QtLocalSocket::removeName(name); }
    std::unique_ptr<ChannelTransport::Listener> listener(InstanceServer::InfoProvider provider) const override
    {
        return std::make_unique<Listener>(std::move(provider));
    }
};

} // namespace QtLocalSocket

const Transport &qtLocalSockets()
{
    static const QtLocalSocket::Sockets transport;
    return transport;
}

} // namespace ChannelTransport
