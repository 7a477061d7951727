#include "ReturnKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

ReturnKey::ReturnKey(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

bool ReturnKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || button->window() != m_window || !button->hasFocus())
        return false;
    auto* push = qobject_cast<QPushButton*>(button);
    if (!push && !qobject_cast<QToolButton*>(button))
        return false;
    // A button that answers Return by itself is left to do so.
    if (push && push->autoDefault())
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // The key is the button's, not a window shortcut's.
        event->accept();
        return true;
    }
    if (auto* tool = qobject_cast<QToolButton*>(button); tool && tool->menu())
        tool->showMenu();
    else
        button->click();
    return true;
}
