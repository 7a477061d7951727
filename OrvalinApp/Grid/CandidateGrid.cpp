#include "CandidateGrid.h"

#include "Accessibility.h"
#include "CandidateCell.h"
#include "FolderHeader.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

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
    Accessibility::setChildOrder(viewport(), [this] { return readingOrder(); });
    connect(&m_model, &AppModel::selectionChanged, this, &CandidateGrid::refreshTicks);
}

// Each folder's header, then its cells, as they read on screen; widgets are reused as the grid
// scrolls, so the order they were made in says nothing.
QList<QWidget*> CandidateGrid::readingOrder() const
{
    QList<int> sections = m_headers.keys();
    for (const GridGeometry::CellIndex& cell : m_cells.keys()) {
        if (!sections.contains(cell.section))
            sections.append(cell.section);
    }
    std::sort(sections.begin(), sections.end());
    QList<GridGeometry::CellIndex> cells = m_cells.keys();
    std::sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) {
        return std::pair(a.section, a.index) < std::pair(b.section, b.index);
    });
    QList<QWidget*> order;
    for (int section : std::as_const(sections)) {
        if (FolderHeader* header = m_headers.value(section))
            order.append(header);
        for (const GridGeometry::CellIndex& cell : std::as_const(cells)) {
            if (cell.section == section)
                order.append(m_cells.value(cell));
        }
    }
    return order;
}

void CandidateGrid::setFolders(const QList<AppModel::FolderGroup>& folders)
{
    const Candidate* current = currentCandidate();
    const std::optional<QString> currentId
        = current ? std::optional<QString>(current->id()) : std::nullopt;
    m_folders = folders;
    keepCurrent(currentId, m_current);
    relayout();
}

// The current file stays current while it is listed; once it has gone (moved, or no longer a
// leftover), the file that took its place is.
void CandidateGrid::keepCurrent(
    const std::optional<QString>& id, std::optional<GridGeometry::CellIndex> was)
{
    m_current.reset();
    if (!was || m_folders.isEmpty())
        return;
    if (id) {
        for (int s = 0; s < m_folders.size(); ++s) {
            const QList<Candidate>& candidates = m_folders[s].candidates;
            for (int i = 0; i < candidates.size(); ++i) {
                if (candidates[i].id() == *id) {
                    m_current = GridGeometry::CellIndex { s, i };
                    return;
                }
            }
        }
    }
    int section = qMin(was->section, int(m_folders.size()) - 1);
    while (section > 0 && m_folders[section].candidates.isEmpty())
        --section;
    const int count = int(m_folders[section].candidates.size());
    if (count > 0)
        m_current = GridGeometry::CellIndex { section, qMin(was->index, count - 1) };
}

const Candidate* CandidateGrid::currentCandidate() const
{
    if (!m_current)
        return nullptr;
    return &m_folders[m_current->section].candidates[m_current->index];
}

void CandidateGrid::setCurrentCell(GridGeometry::CellIndex cell)
{
    m_current = cell;
    showCurrent();
    refreshKeyboardFocus();
    announceCurrent();
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
    // A bar that comes up below, or a narrower window, must not hide the file the keyboard is on.
    if (hasFocus())
        showCurrent();
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

void CandidateGrid::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (m_folders.isEmpty() || (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // The keyboard is in use: the current file shows its ring.
    if (!m_focusRingShown) {
        m_focusRingShown = true;
        refreshKeyboardFocus();
    }
    if (moveCurrent(event->key()))
        return;
    if (modifiers != Qt::NoModifier) {
        // Control with Return is the window's Review Move, never a tick.
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A file is ticked only where the user can see it, so an unseen one is shown first.
        if (showCurrentOrFirst())
            m_model.toggle(*currentCandidate());
        return;
    case Qt::Key_Space:
        if (event->isAutoRepeat() || !showCurrentOrFirst())
            return;
        if (CandidateCell* cell = m_cells.value(*m_current))
            cell->toggleQuickLook();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

// Moves the current file as an arrow, Home, End, Page Up or Page Down key says; false for
// other keys.
bool CandidateGrid::moveCurrent(int key)
{
    using Move = GridGeometry::Move;
    std::optional<Move> move;
    int steps = 1;
    const int rowPitch = m_geometry.metrics.cellHeight + m_geometry.metrics.spacing;
    const int rowsPerPage = qMax(1,
        (viewport()->height() - m_geometry.metrics.headerHeight - m_geometry.metrics.spacing)
            / rowPitch);
    switch (key) {
    case Qt::Key_Left:
        move = Move::left;
        break;
    case Qt::Key_Right:
        move = Move::right;
        break;
    case Qt::Key_Up:
        move = Move::up;
        break;
    case Qt::Key_Down:
        move = Move::down;
        break;
    case Qt::Key_Home:
        move = Move::first;
        break;
    case Qt::Key_End:
        move = Move::last;
        break;
    case Qt::Key_PageUp:
        move = Move::up;
        steps = rowsPerPage;
        break;
    case Qt::Key_PageDown:
        move = Move::down;
        steps = rowsPerPage;
        break;
    default:
        return false;
    }
    const std::optional<GridGeometry::CellIndex> start = m_current ? m_current : firstCellInView();
    if (!start)
        return true;
    // The first key press on a grid without a current file only shows where the focus is.
    GridGeometry::CellIndex target = *start;
    if (m_current) {
        for (int i = 0; i < steps; ++i)
            target = m_geometry.moved(target, *move);
    }
    setCurrentCell(target);
    return true;
}

// The first cell shown whole, else the first shown at all, else the grid's first.
std::optional<GridGeometry::CellIndex> CandidateGrid::firstCellInView() const
{
    const int top = verticalScrollBar()->value();
    const int height = viewport()->height();
    const QList<GridGeometry::CellIndex> shown = m_geometry.cellsIn(top, top + height);
    for (const GridGeometry::CellIndex& cell : shown) {
        if (m_geometry.showsWhole(cell, top, height))
            return cell;
    }
    if (!shown.isEmpty())
        return shown.first();
    return m_geometry.firstCell();
}

bool CandidateGrid::showCurrentOrFirst()
{
    const std::optional<GridGeometry::CellIndex> cell = m_current ? m_current : firstCellInView();
    if (!cell)
        return false;
    setCurrentCell(*cell);
    return true;
}

void CandidateGrid::showCurrent()
{
    if (!m_current)
        return;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(m_geometry.scrollToShow(*m_current, bar->value(), viewport()->height()));
}

void CandidateGrid::cellPressed(CandidateCell* cell)
{
    const GridGeometry::CellIndex index = m_cells.key(cell, GridGeometry::CellIndex { -1, -1 });
    if (index.section < 0)
        return;
    m_current = index;
    // A click shows what it did by the tick; the ring is for finding the file by keyboard.
    m_focusRingShown = false;
    refreshKeyboardFocus();
    announceCurrent();
}

void CandidateGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (!m_current)
        m_current = firstCellInView();
    m_focusRingShown = event->reason() != Qt::MouseFocusReason;
    // Back from a folder header that Tab scrolled to, the current file comes back into view; a
    // click shows where it lands by itself.
    if (m_focusRingShown)
        showCurrent();
    refreshKeyboardFocus();
    // After the window has told screen readers that the grid has the focus, tell them which
    // file has it.
    QMetaObject::invokeMethod(this, &CandidateGrid::announceCurrent, Qt::QueuedConnection);
}

void CandidateGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    refreshKeyboardFocus();
}

void CandidateGrid::refreshKeyboardFocus()
{
    const bool focused = hasFocus();
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
        it.value()->setKeyboardFocus(focused && m_current == it.key(), m_focusRingShown);
}

void CandidateGrid::announceCurrent()
{
    m_announcePending = false;
    if (!hasFocus() || !m_current)
        return;
    if (CandidateCell* cell = m_cells.value(*m_current)) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        Accessibility::notify(event);
    } else {
        // A grid that has just come on screen lays out its cells a moment later.
        m_announcePending = true;
    }
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
    const QString rootFolder = rootName();
    for (const GridGeometry::CellIndex& index : std::as_const(wanted)) {
        CandidateCell* cell = shown.value(index);
        if (!cell) {
            cell = takeCell();
            shown.insert(index, cell);
        }
        const AppModel::FolderGroup& folder = m_folders[index.section];
        const Candidate& candidate = folder.candidates[index.index];
        // Placed first, so that the cell asks for a thumbnail of the size it is drawn at.
        cell->setGeometry(m_geometry.cellRect(index).translated(0, -top));
        cell->bind(candidate, root, folder.folder.isEmpty() ? rootFolder : folder.folder,
            m_model.isTicked(candidate));
        cell->show();
    }
    m_cells = std::move(shown);
    refreshKeyboardFocus();
    if (m_announcePending)
        announceCurrent();
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
    bool handBack = false;
    for (FolderHeader* header : std::as_const(m_headers)) {
        handBack = handBack || header->isAncestorOf(QApplication::focusWidget());
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
    chainHeaderButtons();
    // A header scrolled away hands the focus back to the grid, not to whatever comes next;
    // unless Tab is taking it on to another header.
    if (handBack && !m_focusingHeader)
        setFocus(Qt::OtherFocusReason);
}

// Tab goes from the grid to the first folder's header, then from header to header, scrolling
// each into view, and on past the last one; Shift-Tab comes back the same way. The headers of
// folders off screen have no widget until then.
bool CandidateGrid::focusNextPrevChild(bool next)
{
    // A header scrolled away while Tab takes the focus to another one keeps it meanwhile.
    if (m_focusingHeader)
        return true;
    const std::optional<int> from = focusedHeader();
    if (!from && !hasFocus())
        return QAbstractScrollArea::focusNextPrevChild(next);
    if (!from && !next)
        return QAbstractScrollArea::focusNextPrevChild(false);
    const int to = from ? *from + (next ? 1 : -1) : 0;
    if (to < 0) {
        setFocus(Qt::BacktabFocusReason);
        return true;
    }
    if (to >= m_folders.size())
        return focusPastHeaders();
    focusHeader(to, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

std::optional<int> CandidateGrid::focusedHeader() const
{
    const QWidget* focus = QApplication::focusWidget();
    for (auto it = m_headers.cbegin(); it != m_headers.cend(); ++it) {
        if (it.value()->button() == focus)
            return it.key();
    }
    return std::nullopt;
}

void CandidateGrid::focusHeader(int section, Qt::FocusReason reason)
{
    QScrollBar* bar = verticalScrollBar();
    const QRect header = m_geometry.headerRect(section);
    const int top = bar->value();
    m_focusingHeader = true;
    if (header.top() < top || header.bottom() > top + viewport()->height())
        bar->setValue(header.top());
    if (FolderHeader* shown = m_headers.value(section))
        shown->button()->setFocus(reason);
    m_focusingHeader = false;
}

// The first widget after the grid that Tab can reach.
bool CandidateGrid::focusPastHeaders()
{
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain()) {
        if (isAncestorOf(widget) || !widget->isVisible() || !widget->isEnabled()
            || !(widget->focusPolicy() & Qt::TabFocus))
            continue;
        widget->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

// Headers are made as they are first needed, so their order of making says nothing; Shift-Tab
// from beyond the grid takes their buttons in the order they are shown.
void CandidateGrid::chainHeaderButtons()
{
    QList<int> sections = m_headers.keys();
    std::sort(sections.begin(), sections.end());
    QWidget* previous = this;
    for (int section : std::as_const(sections)) {
        QWidget* button = m_headers.value(section)->button();
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
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
    auto* cell = new CandidateCell(m_model, m_thumbnails, viewport());
    connect(cell, &QAbstractButton::pressed, this, [this, cell] { cellPressed(cell); });
    return cell;
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
