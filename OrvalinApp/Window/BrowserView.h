#pragma once

#include "OrphanGroup.h"

#include <QMap>
#include <QWidget>

class AppModel;
class GroupGridView;
class NoticeBar;
class OverviewView;
class PairsView;
class QAction;
class QStackedWidget;
class RestoreView;
class SelectionBar;
class SidebarView;

// The two columns shown once a folder has results: the sidebar and the detail it selects, with
// the notice and selection bars along the detail's bottom edge.
class BrowserView : public QWidget
{
    Q_OBJECT

public:
    BrowserView(AppModel& model, QAction* reviewMove, QWidget* parent = nullptr);

    SidebarView* sidebar() const { return m_sidebar; }
    QWidget* currentDetail() const;
    OverviewView* overview() const { return m_overview; }
    PairsView* pairs() const { return m_pairs; }
    RestoreView* restore() const { return m_restore; }
    GroupGridView* groupView(OrphanGroup group) const { return m_groups.value(group); }
    NoticeBar* noticeBar() const { return m_notice; }
    SelectionBar* selectionBar() const { return m_selection; }
    // Puts the focus on what the detail shows: a group's files, else its first control; false
    // when it shows nothing that takes the focus.
    bool focusDetail();

private:
    void showDetail();

    AppModel& m_model;
    SidebarView* m_sidebar;
    QStackedWidget* m_detail;
    OverviewView* m_overview;
    PairsView* m_pairs;
    RestoreView* m_restore;
    QMap<OrphanGroup, GroupGridView*> m_groups;
    NoticeBar* m_notice;
    SelectionBar* m_selection;
};
