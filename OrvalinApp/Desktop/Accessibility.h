#pragma once

#include <QAccessible>
#include <QList>
#include <functional>

class QWidget;

// What the window tells screen readers beyond what Qt's widgets tell them on their own.
namespace Accessibility {

// Makes screen readers meet `widget` in `role` (a dialog, a notification) rather than in the role
// Qt gives its class. Call it before anything asks for the widget's accessible interface.
void setRole(QWidget* widget, QAccessible::Role role);

// Makes screen readers meet the children of `container` in the order `order` gives, rather than
// in the order they were made, for containers that reuse their children as they scroll.
void setChildOrder(QWidget* container, std::function<QList<QWidget*>()> order);

// Makes screen readers meet `button` as a check box, checked while `checked` says so: for a
// button whose text flips between a command and its undoing (Tick Folder, Untick Folder), which
// screen readers would otherwise not say has changed.
void presentAsCheckBox(QWidget* button, std::function<bool()> checked);
// Tells screen readers that a check box's state has changed.
void checkedChanged(QWidget* widget);

// Passes `event` on to screen readers, and to the watcher, if any.
void notify(QAccessibleEvent& event);

// For tests, where no screen reader listens: sees every event `notify` passes on.
using Watcher = std::function<void(const QAccessibleEvent& event)>;
void setWatcher(Watcher watcher);

} // namespace Accessibility
