#include "InstanceChannel.h"

#include "ChannelTransport.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

constexpr int kClaimProbeMs = 100;   // whether a live copy holds a slot

QString slotName(const QString &base, int slot) { return base + QLatin1Char('-') + QString::number(slot); }

QStringList slotNames(const QString &base)
{
    QStringList names;
    for (int slot = 0; slot < InstanceServer::kSlots; ++slot)
        names << slotName(base, slot);
    return names;
}

bool isNumber(QStringView text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The display the program's windows go to, the same text for every way of
// writing it (":1", ":1.0" and "unix:1" are one X display): an X display is
// "host:number" with an optional ".screen", the host up to the last colon.
QString displayKey()
{
    const QString x11 = qEnvironmentVariable("DISPLAY");
    if (!x11.isEmpty()) {
        const qsizetype colon = x11.lastIndexOf(QLatin1Char(':'));
        if (colon >= 0) {
            const QStringView host = QStringView(x11).left(colon);
            const QStringView rest = QStringView(x11).mid(colon + 1);
            const qsizetype dot = rest.indexOf(QLatin1Char('.'));
            const QStringView number = dot < 0 ? rest : rest.left(dot);
            if (!host.contains(QLatin1Char('\n')) && isNumber(number) && (dot < 0 || isNumber(rest.mid(dot + 1))))
                return QStringLiteral("x11 %1:%2").arg(host == u"unix" ? QString() : host.toString(),
                                                       number.toString());
        }
        return QStringLiteral("x11 ") + x11;
    }
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty())
        return QStringLiteral("wayland ") + wayland;
    return QStringLiteral("none");
}

std::atomic<const ChannelTransport::Transport *> chosenTransport{nullptr};


} // namespace

const ChannelTransport::Transport &ChannelTransport::current()
{
    if (const Transport *chosen = chosenTransport.load())
        return *chosen;
    return platformTransport();
}

void ChannelTransport::setForTesting(const Transport *transport) { chosenTransport.store(transport); }

// Takes the first free slot; a slot whose socket no live copy answers on was
// left behind by a copy that died.
InstanceServer::InstanceServer(InfoProvider provider, QObject *parent, const QString &baseName)
    : QObject(parent)
{
    const ChannelTransport::Transport &transport = ChannelTransport::current();
    m_listener = transport.listener(std::move(provider));
    if (baseName.isEmpty())
        return;
    const auto isHeld = [&transport](const QString &name) {
        const auto replies = transport.askAll({name}, QDeadlineTimer(kClaimProbeMs),
                                              [](const ChannelTransport::Reply &reply) { return reply.listening; });
        return replies.front().listening;
    };
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString name = slotName(baseName, slot);
        if (!m_listener->listen(name)) {
            if (isHeld(name))
                continue;
            transport.removeName(name);
            if (!m_listener->listen(name))
                continue;
        }
        m_serverName = name;
        return;
    }
}

// The listener stops answering and removes its socket.
InstanceServer::~InstanceServer() = default;

bool InstanceServer::isListening() const { return !m_serverName.isEmpty(); }
QString InstanceServer::serverName() const { return m_serverName; }

QString InstanceServer::defaultBaseName()
{
    return ChannelTransport::platformBaseName(QStringLiteral("Toran2000-"), displayKey());
}

bool findRunningCopy(const QString &className, const QString &caption,
                     const QString &baseName, int timeoutMs)
{
    if (baseName.isEmpty())
        return false;
    const auto isHit = [&](const ChannelTransport::Reply &reply) {
        return reply.answered && reply.info.className == className && reply.info.caption == caption;
    };
    const std::vector<ChannelTransport::Reply> replies =
        ChannelTransport::current().askAll(slotNames(baseName), QDeadlineTimer(timeoutMs), isHit);
    return std::any_of(replies.begin(), replies.end(), isHit);
}
