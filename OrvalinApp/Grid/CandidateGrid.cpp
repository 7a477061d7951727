#include "CandidateGrid.h"

#include "CandidateCell.h"
#include "FolderHeader.h"

#include <QDir>
#include <QEvent>
#include <QScrollBar>

CandidateGrid::CandidateGrid(AppModel& model, ThumbnailCache& thumbnails, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_model(model)
    , m_thumbnails(thumbnails)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(40);
    connect(&m_model, &AppModel::selectionChanged, this, &CandidateGrid::refreshTicks);
}

void CandidateGrid::setFolders(const QList<AppModel::FolderGroup>& folders)
{
    m_folders = folders;
    relayout();
}

FolderHeader* CandidateGrid::pinnedHeader() const
{
    return m_headers.value(m_geometry.sectionAt(verticalScrollBar()->value()));
}

void CandidateGrid::scrollToCell(GridGeometry::CellIndex cell)
{
    verticalScrollBar()->setValue(m_geometry.cellRect(cell).top());
}

void CandidateGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void CandidateGrid::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    relayout();
}

void CandidateGrid::hideEvent(QHideEvent* event)
{
    QAbstractScrollArea::hideEvent(event);
    // A group out of sight asks for no thumbnails.
    placeWidgets();
}

void CandidateGrid::scrollContentsBy(int, int)
{
    placeWidgets();
}

void CandidateGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        relayout();
}

void CandidateGrid::relayout()
{
    QList<int> counts;
    counts.reserve(m_folders.size());
    for (const AppModel::FolderGroup& folder : std::as_const(m_folders))
        counts.append(int(folder.candidates.size()));
    GridGeometry::Metrics metrics;
    metrics.headerHeight = FolderHeader::preferredHeight();
    metrics.cellHeight = CandidateCell::preferredHeight();
    m_geometry = GridGeometry::make(counts, viewport()->width(), metrics);

    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setRange(0, qMax(0, m_geometry.height - viewport()->height()));
    placeWidgets();
}

void CandidateGrid::placeWidgets()
{
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    placeCells(top, bottom);
    placeHeaders(top, bottom);
}

void CandidateGrid::placeCells(int top, int bottom)
{
    QList<GridGeometry::CellIndex> wanted;
    if (isVisible() && !m_folders.isEmpty())
        wanted = m_geometry.cellsIn(top, bottom);
    QHash<GridGeometry::CellIndex, CandidateCell*> shown;
    shown.reserve(wanted.size());
    for (const GridGeometry::CellIndex& index : std::as_const(wanted)) {
        if (CandidateCell* cell = m_cells.take(index))
            shown.insert(index, cell);
    }
    for (CandidateCell* cell : std::as_const(m_cells)) {
        cell->unbind();
        cell->hide();
        m_spareCells.append(cell);
    }
    const QString root = m_model.root().value_or(QString());
    for (const GridGeometry::CellIndex& index : std::as_const(wanted)) {
        CandidateCell* cell = shown.value(index);
        if (!cell) {
            cell = takeCell();
            shown.insert(index, cell);
        }
        const Candidate& candidate = m_folders[index.section].candidates[index.index];
        // Placed first, so that the cell asks for a thumbnail of the size it is drawn at.
        cell->setGeometry(m_geometry.cellRect(index).translated(0, -top));
        cell->bind(candidate, root, m_model.isTicked(candidate));
        cell->show();
    }
    m_cells = std::move(shown);
}

void CandidateGrid::placeHeaders(int top, int bottom)
{
    QList<int> wanted;
    if (isVisible() && !m_folders.isEmpty())
        wanted = m_geometry.sectionsIn(top, bottom);
    QHash<int, FolderHeader*> shown;
    for (int section : wanted) {
        if (FolderHeader* header = m_headers.take(section))
            shown.insert(section, header);
    }
    for (FolderHeader* header : std::as_const(m_headers)) {
        header->hide();
        m_spareHeaders.append(header);
    }
    const int pinned = m_geometry.sectionAt(top);
    for (int section : wanted) {
        FolderHeader* header = shown.value(section);
        if (!header) {
            header = takeHeader();
            shown.insert(section, header);
        }
        const AppModel::FolderGroup& folder = m_folders[section];
        header->bind(folder.folder, rootName(), folder.candidates.size(), allTicked(folder));
        const QRect place = section == pinned ? m_geometry.pinnedHeaderRect(section, top)
                                              : m_geometry.headerRect(section);
        header->setGeometry(place.translated(0, -top));
        header->show();
        // Cells pass under the headers, never over them.
        header->raise();
    }
    m_headers = std::move(shown);
}

void CandidateGrid::refreshTicks()
{
    for (CandidateCell* cell : std::as_const(m_cells)) {
        if (cell->candidate())
            cell->setTicked(m_model.isTicked(*cell->candidate()));
    }
    for (auto it = m_headers.cbegin(); it != m_headers.cend(); ++it) {
        const AppModel::FolderGroup& folder = m_folders[it.key()];
        it.value()->bind(folder.folder, rootName(), folder.candidates.size(), allTicked(folder));
    }
}

bool CandidateGrid::allTicked(const AppModel::FolderGroup& folder) const
{
    return std::all_of(folder.candidates.cbegin(), folder.candidates.cend(),
        [this](const Candidate& candidate) { return m_model.isTicked(candidate); });
}

QString CandidateGrid::rootName() const
{
    const QString root = m_model.root().value_or(QString());
    const QString name = QDir(root).dirName();
    return name.isEmpty() ? root : name;
}

CandidateCell* CandidateGrid::takeCell()
{
    if (!m_spareCells.isEmpty())
        return m_spareCells.takeLast();
    ++m_cellWidgets;
    return new CandidateCell(m_model, m_thumbnails, viewport());
}

FolderHeader* CandidateGrid::takeHeader()
{
    if (!m_spareHeaders.isEmpty())
        return m_spareHeaders.takeLast();
    auto* header = new FolderHeader(viewport());
    connect(header, &FolderHeader::tickRequested, this, &CandidateGrid::tickFolder);
    return header;
}

void CandidateGrid::tickFolder(const QString& folder, bool tick)
{
    for (const AppModel::FolderGroup& group : std::as_const(m_folders)) {
        if (group.folder == folder) {
            m_model.setTicked(group.candidates, tick);
            return;
        }
    }
}
