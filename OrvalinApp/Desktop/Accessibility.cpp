#include "Accessibility.h"

#include <QAbstractButton>
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

QHash<const QObject*, std::function<bool()>>& checkBoxes()
{
    static QHash<const QObject*, std::function<bool()>> boxes;
    return boxes;
}

// A button presented as a check box.
class CheckBox : public QAccessibleWidget
{
public:
    explicit CheckBox(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::CheckBox)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        const auto checked = checkBoxes().value(widget());
        state.checked = checked && checked();
        return state;
    }

    QStringList actionNames() const override { return { pressAction(), toggleAction() }; }

    void doAction(const QString& action) override
    {
        if (auto* button = qobject_cast<QAbstractButton*>(widget());
            button && (action == pressAction() || action == toggleAction()))
            button->click();
    }
};

void forgetOnDestruction(QWidget* widget)
{
    QObject::connect(widget, &QObject::destroyed, [widget] {
        childOrders().remove(widget);
        checkBoxes().remove(widget);
    });
}

QAccessibleInterface* makeInterface(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (childOrders().contains(object))
        return new OrderedContainer(widget);
    if (checkBoxes().contains(object))
        return new CheckBox(widget);
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
    forgetOnDestruction(container);
}

void presentAsCheckBox(QWidget* button, std::function<bool()> checked)
{
    installFactory();
    checkBoxes().insert(button, std::move(checked));
    forgetOnDestruction(button);
}

void checkedChanged(QWidget* widget)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(widget, changed);
    notify(event);
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
