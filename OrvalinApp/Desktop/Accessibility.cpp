#include "Accessibility.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace {

const char* const roleProperty = "orvalinAccessibleRole";

Accessibility::Watcher& watcher()
{
    static Accessibility::Watcher watcher;
    return watcher;
}

QHash<const QObject*, std::function<QList<QWidget*>()>>& childOrders()
{
    static QHash<const QObject*, std::function<QList<QWidget*>()>> orders;
    return orders;
}

// A container whose children are listed in an order of its own.
class OrderedContainer : public QAccessibleWidget
{
public:
    explicit OrderedContainer(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Client)
    {
    }

    int childCount() const override { return int(children().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> list = children();
        if (index < 0 || index >= list.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(list[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        return int(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> children() const
    {
        const auto order = childOrders().value(widget());
        return order ? order() : QList<QWidget*>();
    }
};

QAccessibleInterface* makeInterface(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (childOrders().contains(object))
        return new OrderedContainer(widget);
    const QVariant role = object->property(roleProperty);
    if (role.isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
    return nullptr;
}

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

namespace Accessibility {

void setRole(QWidget* widget, QAccessible::Role role)
{
    installFactory();
    widget->setProperty(roleProperty, int(role));
}

void setChildOrder(QWidget* container, std::function<QList<QWidget*>()> order)
{
    installFactory();
    childOrders().insert(container, std::move(order));
    QObject::connect(
        container, &QObject::destroyed, [container] { childOrders().remove(container); });
}

void notify(QAccessibleEvent& event)
{
    if (watcher())
        watcher()(event);
    QAccessible::updateAccessibility(&event);
}

void setWatcher(Watcher newWatcher)
{
    watcher() = std::move(newWatcher);
}

} // namespace Accessibility
