#include "GroupGridView.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "CandidateGrid.h"
#include "EmptyState.h"
#include "GroupHeader.h"
#include "GroupStyle.h"
#include "Style.h"
#include "ThumbnailCache.h"

#include <QStackedWidget>
#include <QVBoxLayout>

GroupGridView::GroupGridView(AppModel& model, OrphanGroup group, QWidget* parent)
    : GroupGridView(model, group, ThumbnailCache::shared(), parent)
{
}

GroupGridView::GroupGridView(
    AppModel& model, OrphanGroup group, ThumbnailCache& thumbnails, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_group(group)
{
    m_header = new GroupHeader(model, group);
    m_empty = new EmptyState(QStringLiteral("checkmark.seal"), tr("Nothing left over"), QString());
    m_grid = new CandidateGrid(model, thumbnails);
    m_grid->setAccessibleName(GroupStyle::title(group));
    m_stack = new QStackedWidget;
    // Screen readers pass over it: it only switches what is shown.
    Accessibility::setRole(m_stack, QAccessible::Client);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_grid);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(Style::divider());
    layout->addWidget(m_stack, 1);

    connect(&m_model, &AppModel::foldersChanged, this, &GroupGridView::refresh);
    connect(&m_model, &AppModel::rootChanged, this, &GroupGridView::refresh);
    connect(&m_model, &AppModel::phaseChanged, this, &GroupGridView::refreshEmptyState);
    refresh();
}

bool GroupGridView::showsEmptyState() const
{
    return m_stack->currentWidget() == m_empty;
}

void GroupGridView::refresh()
{
    const QList<AppModel::FolderGroup> folders = m_model.folderGroups(m_group);
    m_grid->setFolders(folders);
    m_stack->setCurrentWidget(folders.isEmpty() ? static_cast<QWidget*>(m_empty) : m_grid);
    refreshEmptyState();
}

void GroupGridView::refreshEmptyState()
{
    m_empty->setDescription(m_model.phase().isScanning()
            ? tr("Still scanning…")
            : tr("No files in this group. Every file here has its partner."));
}
