#pragma once

#include <QAccessible>
#include <QPointer>
#include <QStringList>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

// A screen reader in the test's process (offscreen too): every event heard
// with what its object (a child's own) reads then.
class ReaderLog
{
public:
    struct Heard {
        QAccessible::Event type;
        QPointer<QObject> object;
        int child;
        QStringList texts;   // name, description
    };
    ReaderLog() : m_previous(QAccessible::installUpdateHandler(&hear)) { active(true); heard() = {}; }
    ~ReaderLog() { QAccessible::installUpdateHandler(m_previous), active(false); }

    static QList<Heard> &heard() { static QList<Heard> all; return all; }
    const Heard *last(QAccessible::Event type) const
    {
        for (auto it = heard().crbegin(); it != heard().crend(); ++it)
            if (it->type == type)
                return &*it;
        return nullptr;
    }
    // Read once when met, each text then kept until told it changed.
    void meet(QObject *object, int child) { QAccessibleEvent met(object, QAccessible::ObjectShow); met.setChild(child), hear(&met); }
    QStringList kept(const QObject *object, int child) const
    {
        QStringList texts{QString(), QString()};
        for (const Heard &h : heard())
            for (int t : {0, 1})
                if (h.object == object && h.child == child
                    && (h.type == QAccessible::ObjectShow || h.type == QAccessible::Focus
                        || h.type == (t ? QAccessible::DescriptionChanged : QAccessible::NameChanged)))
                    texts[t] = h.texts[t];
        return texts;
    }

private:
    static void active(bool on) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on); }
    static void hear(QAccessibleEvent *e)
    {
        if (QAccessibleInterface *i = e->accessibleInterface())
            heard().append({e->type(), e->object(), e->child(), {i->text(QAccessible::Name), i->text(QAccessible::Description)}});
    }
    QAccessible::UpdateHandler m_previous;
};
