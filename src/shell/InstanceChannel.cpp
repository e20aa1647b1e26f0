#include "InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
QString slotName(const QString &base, int slot) { return base + QLatin1Char('-') + QString::number(slot); }

QByteArray encode(const InstanceServer::WindowInfo &info)
{
    return info.className.toUtf8() + '\n' + info.caption.toUtf8() + '\n';
}

// A copy busy in an animation answers only when it is done, so a connected
// peer is given much longer to answer than a slot is given to connect.
constexpr int kAnswerTimeoutMs = 6000;

// Asks the copy on one slot. Returns false when no copy listens there; true
// when one does, with info filled in if it answered in time.
bool ask(const QString &name, InstanceServer::WindowInfo *info, int connectTimeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    QByteArray reply;
    while (reply.count('\n') < 2 && socket.waitForReadyRead(kAnswerTimeoutMs))
        reply += socket.readAll();
    reply += socket.readAll();
    const QList<QByteArray> lines = reply.split('\n');
    if (lines.size() >= 3) {
        info->className = QString::fromUtf8(lines[0]);
        info->caption = QString::fromUtf8(lines[1]);
    }
    return true;
}
} // namespace

InstanceServer::InstanceServer(InfoProvider provider, QObject *parent, const QString &baseName)
    : QObject(parent), m_provider(std::move(provider)), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::answer);
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString name = slotName(baseName, slot);
        if (m_server->listen(name))
            return;
        WindowInfo other;
        if (ask(name, &other, 100))
            continue;   // another live copy holds this slot
        QLocalServer::removeServer(name);   // left behind by a copy that died
        if (m_server->listen(name))
            return;
    }
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::isListening() const { return m_server->isListening(); }
QString InstanceServer::serverName() const { return m_server->serverName(); }

QString InstanceServer::defaultBaseName()
{
    // One namespace per user account, so copies of other users never answer.
    const QByteArray home = QDir::homePath().toUtf8();
    return QStringLiteral("Toran2000-")
        + QString::fromLatin1(QCryptographicHash::hash(home, QCryptographicHash::Sha1).toHex().left(12));
}

void InstanceServer::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(encode(m_provider()));
        socket->flush();
        socket->disconnectFromServer();
    }
}

bool findRunningCopy(const QString &className, const QString &caption,
                     const QString &baseName, int timeoutMs)
{
    for (int slot = 0; slot < InstanceServer::kSlots; ++slot) {
        InstanceServer::WindowInfo info;
        if (ask(slotName(baseName, slot), &info, timeoutMs)
            && info.className == className && info.caption == caption)
            return true;
    }
    return false;
}
