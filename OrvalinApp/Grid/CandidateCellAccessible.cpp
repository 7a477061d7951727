#include "CandidateCellAccessible.h"

#include "CandidateCell.h"

#include <QKeySequence>

namespace {

QAccessibleInterface* makeInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("CandidateCell") && object && object->isWidgetType())
        return new CandidateCellAccessible(static_cast<CandidateCell*>(object));
    return nullptr;
}

} // namespace

CandidateCellAccessible::CandidateCellAccessible(CandidateCell* cell)
    : QAccessibleWidget(cell, QAccessible::CheckBox)
{
}

void CandidateCellAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

CandidateCell* CandidateCellAccessible::cell() const
{
    return static_cast<CandidateCell*>(widget());
}

QString CandidateCellAccessible::text(QAccessible::Text type) const
{
    switch (type) {
    case QAccessible::Name:
        return cell()->accessibleLabel();
    case QAccessible::Value:
        return cell()->accessibleValue();
    case QAccessible::Description:
    case QAccessible::Help:
        return CandidateCell::accessibleHint();
    default:
        return QAccessibleWidget::text(type);
    }
}

QAccessible::State CandidateCellAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = cell()->isTicked();
    // The grid holds the keyboard focus for its cells.
    state.focusable = true;
    state.focused = cell()->hasKeyboardFocus();
    return state;
}

QStringList CandidateCellAccessible::actionNames() const
{
    return { pressAction(), CandidateCell::quickLookActionName() };
}

void CandidateCellAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        cell()->click();
    else if (actionName == CandidateCell::quickLookActionName())
        cell()->quickLook();
}

QStringList CandidateCellAccessible::keyBindingsForAction(const QString& actionName) const
{
    // In the user's language, as the desktop names its keys.
    const auto name
        = [](Qt::Key key) { return QKeySequence(key).toString(QKeySequence::NativeText); };
    if (actionName == pressAction())
        return { name(Qt::Key_Return) };
    if (actionName == CandidateCell::quickLookActionName())
        return { name(Qt::Key_Space) };
    return {};
}
