#pragma once

#include "InstanceChannel.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// How the running-copy channel talks: local stream sockets, plain POSIX ones
// on Unix (ChannelTransport_posix.cpp), Qt's local sockets (named pipes) on
// Windows (ChannelTransportQt.cpp). What is said and which names are tried
// is InstanceChannel.cpp's.
namespace ChannelTransport {

// An answer is the window's class and caption, a line each.
inline QByteArray encodeAnswer(const InstanceServer::WindowInfo &info)
{
    return info.className.toUtf8() + '\n' + info.caption.toUtf8() + '\n';
}

// False while the answer is not yet complete.
inline bool decodeAnswer(const QByteArray &received, InstanceServer::WindowInfo &info)
{
    const QList<QByteArray> lines = received.split('\n');
    if (lines.size() < 3)
        return false;
    info = {QString::fromUtf8(lines[0]), QString::fromUtf8(lines[1])};
    return true;
}

// What one name said.
struct Reply
{
    bool listening = false;   // a live listener holds the name
    bool answered = false;    // with a complete answer of this user's process
    InstanceServer::WindowInfo info;
};

// Answers every connection at one name with the provider's answer, on a
// thread of its own (the provider is called there), until it is destroyed;
// then its socket is gone.
class Listener
{
public:
    virtual ~Listener() = default;

    // False when anything is at that name already (a live listener or one
    // left behind), or when the name cannot be a socket's; true once it
    // answers there. Called at most until it first succeeds.
    virtual bool listen(const QString &name) = 0;
};

// One way of talking.
class Transport
{
public:
    virtual ~Transport() = default;

    // Asks every name at once and waits for the answers until the deadline,
    // or until `enough` is satisfied by one of them. A peer of another user
    // is hung up on at once, and so is one whose answer grows past
    // InstanceServer::kMaxReplyBytes without being complete.
    virtual std::vector<Reply> askAll(const QStringList &names, const QDeadlineTimer &deadline,
                                      const std::function<bool(const Reply &)> &enough) const = 0;

    // Removes what a listener that died left at a name.
    virtual void removeName(const QString &name) const = 0;

    virtual std::unique_ptr<Listener> listener(InstanceServer::InfoProvider provider) const = 0;
};

// Plain POSIX sockets (Unix only).
const Transport &posixSockets();
// Qt's local sockets: in the core library on Windows; elsewhere the tests
// link them (toran_channel_qt) to run the channel's tests on them too.
const Transport &qtLocalSockets();

// The platform's transport, and the prefix of the names where this user's
// copies on one display answer, made of `prefix` and a short hash of the
// display's name (ChannelPlatform_posix.cpp, ChannelPlatform_win.cpp). An
// empty prefix: the platform offers no private place for the names.
const Transport &platformTransport();
QString platformBaseName(const QString &prefix, const QString &display);
// True where those names lie in a place only this user can reach; false
// where every user shares one namespace (Windows' named pipes).
bool platformNamesArePrivate();

// Keeps a name one listener's while it lives: where a second listener at a
// name would be let in beside the first (Windows' named pipes, which a
// client then reaches at random), the claim is the system's lock on the
// name; where the socket itself refuses a second listener it holds nothing.
class NameClaim
{
public:
    virtual ~NameClaim() = default;
};
// Null when a live listener has claimed the name.
std::unique_ptr<NameClaim> claimName(const QString &name);

// A short name-safe digest of a text.
inline QString shortHash(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}

// The transport the channel uses: the platform's, unless a test chose
// another (nullptr: the platform's again). Chosen before any channel is
// made, not while one is in use.
const Transport &current();
void setForTesting(const Transport *transport);

} // namespace ChannelTransport
