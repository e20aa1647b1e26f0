#include "ReaderLog.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {
QList<ReaderLog::Heard> *g_heard = nullptr;

// What a reader's bridge does as a reader starts; the offscreen platform
// keeps the switch too.
void setReaderActive(bool active) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active); }
} // namespace

ReaderLog::ReaderLog() : m_previous(QAccessible::installUpdateHandler(&ReaderLog::hear))
{
    g_heard = &m_heard;
    setReaderActive(true);
}

ReaderLog::~ReaderLog()
{
    QAccessible::installUpdateHandler(m_previous);
    setReaderActive(false);
    g_heard = nullptr;
}

const ReaderLog::Heard *ReaderLog::last(QAccessible::Event type) const
{
    for (auto it = m_heard.crbegin(); it != m_heard.crend(); ++it)
        if (it->type == type)
            return &*it;
    return nullptr;
}

void ReaderLog::meet(QObject *object, int child)
{
    QAccessibleEvent met(object, QAccessible::ObjectShow);
    met.setChild(child);
    hear(&met);
}

QStringList ReaderLog::kept(const QObject *object, int child) const
{
    QStringList texts{QString(), QString()};
    for (const Heard &h : m_heard) {
        const bool all = h.type == QAccessible::ObjectShow || h.type == QAccessible::Focus;
        if (h.object == object && h.child == child) {
            if (all || h.type == QAccessible::NameChanged)
                texts[0] = h.texts[0];
            if (all || h.type == QAccessible::DescriptionChanged)
                texts[1] = h.texts[1];
        }
    }
    return texts;
}

void ReaderLog::hear(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();   // the child's, for a child
    if (g_heard && iface)
        g_heard->append({event->type(), event->object(), event->child(),
                         {iface->text(QAccessible::Name), iface->text(QAccessible::Description)}});
}
