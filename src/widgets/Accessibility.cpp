#include "Accessibility.h"

#include "PointerControl.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {
const char kRoleProperty[] = "toranAccessibleRole";
const char kLeafProperty[] = "toranAccessibleLeaf";

// "&Ano" is read "Ano", "&&" one "&".
QString withoutAccessKey(const QString &caption)
{
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

class ControlInterface : public QAccessibleWidget
{
public:
    explicit ControlInterface(PointerControl *control)
        : QAccessibleWidget(control, control->isLink() ? QAccessible::Link : QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString hint = control()->statusTip();
        if (t == QAccessible::Name) {
            if (!control()->accessibleName().isEmpty())
                return control()->accessibleName();
            const QString caption = withoutAccessKey(control()->caption());
            return caption.isEmpty() ? hint : caption;
        }
        if (t == QAccessible::Description && control()->accessibleDescription().isEmpty())
            return hint == text(QAccessible::Name) ? QString() : hint;
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = !control()->isEnabled() || !control()->isControlEnabled();
        s.hotTracked = control()->isHot();
        s.pressed = control()->isPressed();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            control()->activate();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    PointerControl *control() const { return static_cast<PointerControl *>(widget()); }
};

// A widget with the role it was given; a leaf hides its parts.
class RoleInterface : public QAccessibleWidget
{
public:
    RoleInterface(QWidget *w, QAccessible::Role role, bool leaf) : QAccessibleWidget(w, role), m_leaf(leaf) {}

    int childCount() const override { return m_leaf ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface *child(int index) const override
    {
        return m_leaf ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return m_leaf ? -1 : QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return m_leaf ? nullptr : QAccessibleWidget::childAt(x, y);
    }

private:
    bool m_leaf;
};

QAccessibleInterface *interfaceFor(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    const QVariant role = w->property(kRoleProperty);
    if (role.isValid())
        return new RoleInterface(w, QAccessible::Role(role.toInt()), w->property(kLeafProperty).toBool());
    if (auto *control = qobject_cast<PointerControl *>(w))
        return new ControlInterface(control);
    return nullptr;
}
} // namespace

namespace Accessibility {

// Qt keeps a factory once however often it is installed, and drops them all
// with the application: each new control makes sure of it.
void install() { QAccessible::installFactory(&interfaceFor); }

void setRole(QWidget *widget, QAccessible::Role role, bool leaf)
{
    install();
    widget->setProperty(kRoleProperty, int(role));
    widget->setProperty(kLeafProperty, leaf);
}

void tell(QWidget *widget, QAccessible::Event what, int child)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, what);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

} // namespace Accessibility
