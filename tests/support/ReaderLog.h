#pragma once

#include <QAccessible>
#include <QList>
#include <QPointer>
#include <QString>

// A screen reader in the test's own process: makes the program's
// accessibility active and hears every event it sends, with what the
// event's object reads at that moment, as a reader that caches does.
class ReaderLog
{
public:
    struct Heard {
        QAccessible::Event type;
        QPointer<QObject> object;
        int child;
        QString name;
        QString description;
    };

    ReaderLog();
    ~ReaderLog();
    ReaderLog(const ReaderLog &) = delete;
    ReaderLog &operator=(const ReaderLog &) = delete;

    const QList<Heard> &heard() const { return m_heard; }
    // The last event of this type heard for the object, or null.
    const Heard *last(QAccessible::Event type, const QObject *object = nullptr) const;
    void clear() { m_heard.clear(); }

private:
    static void hear(QAccessibleEvent *event);
    QList<Heard> m_heard;
    QAccessible::UpdateHandler m_previous;
};
