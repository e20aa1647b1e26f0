#pragma once

#include <QAccessible>
#include <QList>
#include <QPointer>
#include <QStringList>

// A screen reader in the test's own process: makes the program's
// accessibility active and hears every event it sends, reading the event's
// object then, as a reader that keeps what it is told does.
class ReaderLog
{
public:
    struct Heard {
        QAccessible::Event type;
        QPointer<QObject> object;
        int child;
        QStringList texts;   // name, description
    };
    ReaderLog();
    ~ReaderLog();

    // The last event of this type heard, or null.
    const Heard *last(QAccessible::Event type) const;
    // A reader meets object's child (-1: itself) and reads its texts once,
    // then keeps each until told it changed: what it holds now.
    void meet(QObject *object, int child);
    QStringList kept(const QObject *object, int child) const;

private:
    static void hear(QAccessibleEvent *event);
    QList<Heard> m_heard;
    QAccessible::UpdateHandler m_previous;
};
