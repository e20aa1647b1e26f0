#include "InstanceChannel.h"

#include "LocalPeer.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kClaimProbeMs = 100;   // whether a live copy holds a slot

QString slotName(const QString &base, int slot) { return base + QLatin1Char('-') + QString::number(slot); }

QByteArray encode(const InstanceServer::WindowInfo &info)
{
    return info.className.toUtf8() + '\n' + info.caption.toUtf8() + '\n';
}

// The display the program's windows go to, the same text for every way of
// writing it (":1", ":1.0" and "unix:1" are one X display).
QString displayKey()
{
    const QString x11 = qEnvironmentVariable("DISPLAY");
    if (!x11.isEmpty()) {
        static const QRegularExpression form(QStringLiteral("\\A(.*):(\\d+)(\\.\\d+)?\\z"));
        const QRegularExpressionMatch m = form.match(x11);
        if (!m.hasMatch())
            return QStringLiteral("x11 ") + x11;
        const QString host = m.captured(1) == QLatin1String("unix") ? QString() : m.captured(1);
        return QStringLiteral("x11 %1:%2").arg(host, m.captured(2));
    }
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty())
        return QStringLiteral("wayland ") + wayland;
    return QStringLiteral("none");
}

QString hashed(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}

// What one slot said.
struct Reply
{
    bool listening = false;   // someone accepted the connection
    bool answered = false;    // with a complete answer of this user's process
    InstanceServer::WindowInfo info;
};

// Asks every named socket at once and waits for the answers until the
// deadline, or until `enough` is satisfied by one of them. A peer of another
// user is hung up on at once, and so is one whose answer grows past the cap
// without being complete.
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
        const QList<QByteArray> lines = buffer.split('\n');
        if (lines.size() >= 3) {
            replies[slot].answered = true;
            replies[slot].info = {QString::fromUtf8(lines[0]), QString::fromUtf8(lines[1])};
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

QStringList slotNames(const QString &base)
{
    QStringList names;
    for (int slot = 0; slot < InstanceServer::kSlots; ++slot)
        names << slotName(base, slot);
    return names;
}

} // namespace

// Lives on the channel's thread and answers there.
class InstanceServer::Answerer : public QObject
{
public:
    explicit Answerer(InfoProvider provider) : m_provider(std::move(provider)) {}

    // Takes the first free slot; a slot whose socket no live copy answers
    // on was left behind by a copy that died.
    QString listen(const QString &base)
    {
        m_server = new QLocalServer(this);
#ifdef Q_OS_WIN
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
#else
        // The folder is the user's own already. With access options Qt makes
        // the socket elsewhere and renames it over the name, which would
        // take the slot of a live copy instead of failing.
#endif
        connect(m_server, &QLocalServer::newConnection, this, &Answerer::answer);
        for (int slot = 0; slot < kSlots; ++slot) {
            const QString name = slotName(base, slot);
            if (m_server->listen(name))
                return m_server->serverName();
            const auto held = askAll({name}, QDeadlineTimer(kClaimProbeMs),
                                     [](const Reply &reply) { return reply.listening; });
            if (held.front().listening)
                continue;
            QLocalServer::removeServer(name);
            if (m_server->listen(name))
                return m_server->serverName();
        }
        return QString();
    }

private:
    void answer()
    {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->write(encode(m_provider()));
            socket->flush();
            socket->disconnectFromServer();
        }
    }

    InfoProvider m_provider;
    QLocalServer *m_server = nullptr;
};

InstanceServer::InstanceServer(InfoProvider provider, QObject *parent, const QString &baseName)
    : QObject(parent), m_thread(new QThread(this)), m_answerer(new Answerer(std::move(provider)))
{
    m_thread->setObjectName(QStringLiteral("InstanceChannel"));
    m_answerer->moveToThread(m_thread);
    m_thread->start();
    if (!baseName.isEmpty())
        QMetaObject::invokeMethod(m_answerer, [this, baseName] { m_serverName = m_answerer->listen(baseName); },
                                  Qt::BlockingQueuedConnection);
}

InstanceServer::~InstanceServer()
{
    // The server closes (and removes its socket) on its own thread.
    QMetaObject::invokeMethod(m_answerer, [this] { delete m_answerer; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

bool InstanceServer::isListening() const { return !m_serverName.isEmpty(); }
QString InstanceServer::serverName() const { return m_serverName; }

QString InstanceServer::defaultBaseName()
{
    const QString key = QStringLiteral("Toran2000-");
#ifdef Q_OS_WIN
    // Named pipes have one namespace for the machine: keyed on the user too.
    return key + hashed(QDir::homePath() + QLatin1Char('\n') + displayKey());
#else
    // Qt checks that the directory is the user's own with mode 0700; when
    // it is not, Qt falls back to one in /tmp that it checks the same way,
    // and gives none when that is someone else's.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return QString();
    return QDir(runtime).filePath(key + hashed(displayKey()));
#endif
}

bool findRunningCopy(const QString &className, const QString &caption,
                     const QString &baseName, int timeoutMs)
{
    if (baseName.isEmpty())
        return false;
    const auto isHit = [&](const Reply &reply) {
        return reply.answered && reply.info.className == className && reply.info.caption == caption;
    };
    const std::vector<Reply> replies = askAll(slotNames(baseName), QDeadlineTimer(timeoutMs), isHit);
    return std::any_of(replies.begin(), replies.end(), isHit);
}
