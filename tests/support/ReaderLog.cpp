#include "ReaderLog.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {
QList<ReaderLog::Heard> *g_heard = nullptr;
} // namespace

namespace {
// What a reader's bridge does when a reader starts: every platform, the
// offscreen one too, keeps the switch.
void setReaderActive(bool active)
{
    if (QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(active);
}
} // namespace

ReaderLog::ReaderLog()
{
    g_heard = &m_heard;
    m_previous = QAccessible::installUpdateHandler(&ReaderLog::hear);
    setReaderActive(true);
}

ReaderLog::~ReaderLog()
{
    QAccessible::installUpdateHandler(m_previous);
    setReaderActive(false);
    g_heard = nullptr;
}

const ReaderLog::Heard *ReaderLog::last(QAccessible::Event type, const QObject *object) const
{
    for (auto it = m_heard.crbegin(); it != m_heard.crend(); ++it)
        if (it->type == type && (!object || it->object == object))
            return &*it;
    return nullptr;
}

void ReaderLog::hear(QAccessibleEvent *event)
{
    if (!g_heard)
        return;
    Heard heard{event->type(), event->object(), event->child(), QString(), QString()};
    QAccessibleInterface *iface = event->accessibleInterface();
    if (iface && event->child() >= 0)
        iface = iface->child(event->child());
    if (iface) {
        heard.name = iface->text(QAccessible::Name);
        heard.description = iface->text(QAccessible::Description);
    }
    g_heard->append(heard);
}
