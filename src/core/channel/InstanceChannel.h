#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace ChannelTransport { class Listener; }

// The single-instance test, done portably: every running copy answers on a
// local socket with its main window's class and current caption, and a new
// copy asks each of them. Any answer with the wanted class and caption is a
// running copy; a copy whose caption is something else (the boss screen) is
// not.
//
// The sockets live in the player's own runtime directory (mode 0700), one
// set per display, so that neither another user nor a copy on another
// desktop of the same user is ever asked; an answer from a process of
// another user is not believed anyway.
class InstanceServer : public QObject
{
    Q_OBJECT
public:
    struct WindowInfo {
        QString className;
        QString caption;
    };
    // Called on the channel's own thread, whenever a new copy asks: it must
    // be safe to call from there.
    using InfoProvider = std::function<WindowInfo()>;

    // Answers on a thread of its own, so that a copy busy in an animation
    // still answers at once.
    explicit InstanceServer(InfoProvider provider, QObject *parent = nullptr,
                            const QString &baseName = defaultBaseName());
    ~InstanceServer() override;

    bool isListening() const;
    QString serverName() const;

    // The path prefix of this user's and this display's sockets; empty when
    // the system offers no private runtime directory (then no copy is found
    // and none answers).
    static QString defaultBaseName();
    static constexpr int kSlots = 8;   // copies that can answer at once

    static constexpr int kExchangeTimeoutMs = 300;   // one question, connecting to answer
    static constexpr int kMaxReplyBytes = 1024;      // a longer answer is no answer

private:
    std::unique_ptr<ChannelTransport::Listener> m_listener;
    QString m_serverName;
};

// True when a running copy shows a main window of that class and caption.
// Every slot is asked at once, and the whole question ends after
// timeoutMs, however the other ends behave.
bool findRunningCopy(const QString &className, const QString &caption,
                     const QString &baseName = InstanceServer::defaultBaseName(),
                     int timeoutMs = InstanceServer::kExchangeTimeoutMs);
