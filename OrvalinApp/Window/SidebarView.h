#pragma once

#include "SidebarItem.h"

#include <QTreeWidget>

class AppModel;

// The browser's left column: the overview, the three leftover groups, the pairs and the restore
// screen, under four headings, with counts as badges.
class SidebarView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit SidebarView(AppModel& model, QWidget* parent = nullptr);

    // The row for an entry, for tests and for keyboard focus.
    QTreeWidgetItem* row(const SidebarItem& item) const;
    // The badge a row shows; 0 means none.
    int badge(const SidebarItem& item) const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void drawBranches(
        QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    QTreeWidgetItem* addSection(const QString& title);
    QTreeWidgetItem* addRow(QTreeWidgetItem* section, const SidebarItem& item,
        const QString& symbol, const QString& title);
    void refreshCounts();
    void refreshSelection();

    AppModel& m_model;
    QTreeWidgetItem* m_folderSection;
    QList<std::pair<SidebarItem, QTreeWidgetItem*>> m_rows;
};
