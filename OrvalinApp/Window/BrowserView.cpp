#include "BrowserView.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "CandidateGrid.h"
#include "GroupGridView.h"
#include "NoticeBar.h"
#include "OverviewView.h"
#include "PairsView.h"
#include "PreviewWindow.h"
#include "RestoreView.h"
#include "SelectionBar.h"
#include "SidebarView.h"

#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

BrowserView::BrowserView(AppModel& model, QAction* reviewMove, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    m_sidebar = new SidebarView(model);
    m_detail = new QStackedWidget;
    // Screen readers pass over it: it only switches what is shown.
    Accessibility::setRole(m_detail, QAccessible::Client);
    m_overview = new OverviewView(model);
    m_pairs = new PairsView(model);
    m_restore = new RestoreView(model);
    m_detail->addWidget(m_overview);
    m_detail->addWidget(m_pairs);
    m_detail->addWidget(m_restore);
    for (OrphanGroup group : OrphanGroups::allCases()) {
        auto* view = new GroupGridView(model, group);
        m_groups.insert(group, view);
        m_detail->addWidget(view);
    }
    m_notice = new NoticeBar(model);
    m_selection = new SelectionBar(model, reviewMove);

    auto* detailColumn = new QWidget;
    auto* column = new QVBoxLayout(detailColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_detail, 1);
    column->addWidget(m_notice);
    column->addWidget(m_selection);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_sidebar);
    splitter->addWidget(detailColumn);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, false);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ 250, 930 });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    // The quick look follows the model's preview file; it belongs to the browser, whose cells
    // set that file.
    new PreviewWindow(model, this);

    connect(&m_model, &AppModel::sidebarChanged, this, &BrowserView::showDetail);
    showDetail();
}

QWidget* BrowserView::currentDetail() const
{
    return m_detail->currentWidget();
}

// A group's files, or else the first control of the screen shown, or else the notice's.
bool BrowserView::focusDetail()
{
    QWidget* detail = m_detail->currentWidget();
    // Its rows are made anew after a restore: the focus goes back to the row of that move.
    if (detail == m_restore && m_restore->focusLastRestored())
        return true;
    if (auto* group = qobject_cast<GroupGridView*>(detail); group && !group->showsEmptyState()) {
        group->grid()->setFocus(Qt::OtherFocusReason);
        return true;
    }
    for (QWidget* widget = detail->nextInFocusChain(); widget && widget != detail;
         widget = widget->nextInFocusChain()) {
        if (detail->isAncestorOf(widget) && widget->isVisible() && widget->isEnabled()
            && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

void BrowserView::showDetail()
{
    // A card on the overview that opens a group hands the focus on to the group's files, not to
    // whatever control comes next.
    const bool focusInDetail = m_detail->isAncestorOf(window()->focusWidget());
    const SidebarItem item = m_model.sidebar().value_or(SidebarItem::overview());
    switch (item.kind) {
    case SidebarItem::Kind::overview:
        m_detail->setCurrentWidget(m_overview);
        break;
    case SidebarItem::Kind::pairs:
        m_detail->setCurrentWidget(m_pairs);
        break;
    case SidebarItem::Kind::restore:
        m_detail->setCurrentWidget(m_restore);
        break;
    case SidebarItem::Kind::group:
        m_detail->setCurrentWidget(m_groups.value(*item.group));
        break;
    }
    if (focusInDetail)
        focusDetail();
}
