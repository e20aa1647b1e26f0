#include "HintTracker.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

HintTracker::HintTracker(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

QString HintTracker::hintOf(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (w->isWindow())
            break;
    }
    return QString();
}

void HintTracker::nameFromHint(QWidget *w)
{
    const QString hint = w->statusTip();
    if (hint.isEmpty() || w->accessibleName() == hint)
        return;
    if (w->isWindow() && !w->windowTitle().isEmpty())
        return;
    if (const auto *label = qobject_cast<const QLabel *>(w); label && !label->text().isEmpty())
        return;
    if (const auto *button = qobject_cast<const QAbstractButton *>(w); button && !button->text().isEmpty())
        return;
    // The program's flat buttons and links read their captions.
    if (!w->property("Caption").toString().isEmpty())
        return;
    w->setAccessibleName(hint);
}

void HintTracker::watchMenu(QMenu *menu)
{
    connect(menu, &QMenu::hovered, this, [this](QAction *action) { setHint(action->statusTip()); });
}

bool HintTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::Polish:
        nameFromHint(w);
        break;
    case QEvent::Enter:
        nameFromHint(w);
        if (!qobject_cast<QMenu *>(w) && !qobject_cast<QMenuBar *>(w))
            setHint(hintOf(w));
        break;
    case QEvent::FocusIn:
        // Tabbing to a control tells its hint as pointing at it does.
        if (const auto reason = static_cast<QFocusEvent *>(event)->reason();
            reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            setHint(hintOf(w));
        break;
    case QEvent::Leave:
        // Leaving a child puts the pointer over its parent, which gets no
        // enter event of its own.
        if (!w->isWindow() && !qobject_cast<QMenu *>(w))
            setHint(hintOf(w->parentWidget()));
        break;
    default:
        break;
    }
    return false;
}

void HintTracker::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit hintChanged(hint);
}
