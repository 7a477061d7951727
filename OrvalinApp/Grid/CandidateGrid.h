#pragma once

#include "AppModel.h"
#include "GridGeometry.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <optional>

class CandidateCell;
class FolderHeader;
class ThumbnailCache;

// The scrolling part of a group's grid: a section per folder, each under a header that stays
// pinned at the top while its cells pass under it. Only what is on screen exists as widgets;
// cells and headers scrolled away are kept aside and given other files when they come back,
// so a group of any size costs the same few dozen widgets.
//
// The grid, not a cell, takes the keyboard focus: it keeps which file is current and marks the
// cell showing it, so that recycling a widget never carries the focus over to another file.
// Arrow keys, Home, End, Page Up and Page Down move the current file and scroll it into view in
// full; Return ticks it and Space opens it in the quick look. Tab goes on from the grid to the
// buttons of every folder header, top to bottom, scrolling to each.
class CandidateGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    CandidateGrid(AppModel& model, ThumbnailCache& thumbnails, QWidget* parent = nullptr);

    void setFolders(const QList<AppModel::FolderGroup>& folders);

    const GridGeometry& gridGeometry() const { return m_geometry; }
    // The cells and headers on screen, in no particular order.
    QList<CandidateCell*> visibleCells() const { return m_cells.values(); }
    QList<FolderHeader*> visibleHeaders() const { return m_headers.values(); }
    // The header at the top of the viewport.
    FolderHeader* pinnedHeader() const;
    // Every cell widget made so far, shown or kept aside.
    int cellWidgetCount() const { return m_cellWidgets; }
    // Scrolls so that the given cell is at the top.
    void scrollToCell(GridGeometry::CellIndex cell);

    // The file the keyboard acts on, when there is one.
    std::optional<GridGeometry::CellIndex> currentCell() const { return m_current; }
    const Candidate* currentCandidate() const;
    // Makes `cell` current and scrolls it into view in full.
    void setCurrentCell(GridGeometry::CellIndex cell);
    // The widget showing `cell`, when it is on screen.
    CandidateCell* cellWidget(GridGeometry::CellIndex cell) const { return m_cells.value(cell); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void relayout();
    void placeWidgets();
    void placeHeaders(int top, int bottom);
    void placeCells(int top, int bottom);
    void refreshTicks();
    bool allTicked(const AppModel::FolderGroup& folder) const;
    QString rootName() const;
    CandidateCell* takeCell();
    FolderHeader* takeHeader();
    void tickFolder(const QString& folder, bool tick);
    void keepCurrent(const std::optional<QString>& id, std::optional<GridGeometry::CellIndex> was);
    std::optional<GridGeometry::CellIndex> firstCellInView() const;
    bool moveCurrent(int key);
    void showCurrent();
    bool showCurrentOrFirst();
    void cellPressed(CandidateCell* cell);
    void refreshKeyboardFocus();
    void announceCurrent();
    void chainHeaderButtons();
    QList<QWidget*> readingOrder() const;
    std::optional<int> focusedHeader() const;
    void focusHeader(int section, Qt::FocusReason reason);
    bool focusPastHeaders();

    AppModel& m_model;
    ThumbnailCache& m_thumbnails;
    QList<AppModel::FolderGroup> m_folders;
    GridGeometry m_geometry;
    QHash<GridGeometry::CellIndex, CandidateCell*> m_cells;
    QList<CandidateCell*> m_spareCells;
    QHash<int, FolderHeader*> m_headers;
    QList<FolderHeader*> m_spareHeaders;
    int m_cellWidgets = 0;
    std::optional<GridGeometry::CellIndex> m_current;
    bool m_announcePending = false;
    bool m_focusingHeader = false;
    // Whether the current file shows the focus ring: after keyboard use, not after a click.
    bool m_focusRingShown = false;
};
