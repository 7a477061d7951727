#include "RowDelegate.h"

#include <QWidget>

void RowDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, inActiveWindow(option), index);
}

QStyleOptionViewItem RowDelegate::inActiveWindow(const QStyleOptionViewItem& option)
{
    QStyleOptionViewItem active = option;
    if (option.widget && option.widget->isActiveWindow())
        active.state |= QStyle::State_Active;
    return active;
}
