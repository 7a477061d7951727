#pragma once

#include <QStyledItemDelegate>

// Paints a list's or table's rows as rows of an active window whenever their window is active,
// whether the view has the keyboard focus or not. Some desktop styles (Adwaita's) paint the rows
// of a view without the focus in the colours of a window in the background, the same grey as
// disabled rows, so a sidebar or table looked switched off while the user worked beside it.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;

protected:
    // `option`, marked active while its view's window is.
    static QStyleOptionViewItem inActiveWindow(const QStyleOptionViewItem& option);
};
