#include "GridGeometry.h"

#include <algorithm>

GridGeometry GridGeometry::make(const QList<int>& counts, int width, const Metrics& metrics)
{
    GridGeometry grid;
    grid.metrics = metrics;
    grid.width = width;
    const int room = qMax(0, width - 2 * metrics.padding);
    grid.columns = qMax(1, (room + metrics.spacing) / (metrics.minColumnWidth + metrics.spacing));
    grid.cellWidth = qMax(
        metrics.minColumnWidth, (room - (grid.columns - 1) * metrics.spacing) / grid.columns);

    int y = 0;
    grid.sections.reserve(counts.size());
    for (int count : counts) {
        Section section;
        section.top = y;
        section.count = count;
        section.rows = (count + grid.columns - 1) / grid.columns;
        section.cellsTop = y + metrics.headerHeight + metrics.spacing;
        const int rowsHeight
            = section.rows * metrics.cellHeight + qMax(0, section.rows - 1) * metrics.spacing;
        section.bottom = section.cellsTop + rowsHeight + metrics.padding;
        grid.sections.append(section);
        y = section.bottom;
    }
    grid.height = y;
    return grid;
}

int GridGeometry::sectionAt(int y) const
{
    if (sections.isEmpty())
        return -1;
    const auto after = std::upper_bound(sections.cbegin(), sections.cend(), y,
        [](int value, const Section& section) { return value < section.top; });
    return qMax(0, int(after - sections.cbegin()) - 1);
}

QList<int> GridGeometry::sectionsIn(int top, int bottom) const
{
    QList<int> found;
    for (int i = qMax(0, sectionAt(top)); i < sections.size() && sections[i].top < bottom; ++i) {
        if (sections[i].bottom > top)
            found.append(i);
    }
    return found;
}

QList<GridGeometry::CellIndex> GridGeometry::cellsIn(int top, int bottom) const
{
    QList<CellIndex> found;
    const int rowPitch = metrics.cellHeight + metrics.spacing;
    for (int s : sectionsIn(top, bottom)) {
        const Section& section = sections[s];
        const int firstRow = qMax(0, (top - section.cellsTop) / rowPitch);
        for (int row = firstRow; row < section.rows; ++row) {
            const int rowTop = section.cellsTop + row * rowPitch;
            if (rowTop >= bottom)
                break;
            if (rowTop + metrics.cellHeight <= top)
                continue;
            const int end = qMin(section.count, (row + 1) * columns);
            for (int index = row * columns; index < end; ++index)
                found.append({ s, index });
        }
    }
    return found;
}

QRect GridGeometry::headerRect(int section) const
{
    return { 0, sections[section].top, width, metrics.headerHeight };
}

QRect GridGeometry::cellRect(CellIndex cell) const
{
    const Section& section = sections[cell.section];
    const int row = cell.index / columns;
    const int column = cell.index % columns;
    return { metrics.padding + column * (cellWidth + metrics.spacing),
        section.cellsTop + row * (metrics.cellHeight + metrics.spacing), cellWidth,
        metrics.cellHeight };
}

QRect GridGeometry::pinnedHeaderRect(int section, int scrollTop) const
{
    QRect rect = headerRect(section);
    const int pushedUpTo = sections[section].bottom - metrics.headerHeight;
    rect.moveTop(qBound(rect.top(), scrollTop, qMax(rect.top(), pushedUpTo)));
    return rect;
}

std::optional<GridGeometry::CellIndex> GridGeometry::firstCell() const
{
    for (int s = 0; s < sections.size(); ++s) {
        if (sections[s].count > 0)
            return CellIndex { s, 0 };
    }
    return std::nullopt;
}

std::optional<GridGeometry::CellIndex> GridGeometry::lastCell() const
{
    for (int s = int(sections.size()) - 1; s >= 0; --s) {
        if (sections[s].count > 0)
            return CellIndex { s, sections[s].count - 1 };
    }
    return std::nullopt;
}

namespace {

// The nearest section after (`step` 1) or before (-1) `section` that holds cells.
std::optional<int> nextFilled(const QList<GridGeometry::Section>& sections, int section, int step)
{
    for (int s = section + step; s >= 0 && s < sections.size(); s += step) {
        if (sections[s].count > 0)
            return s;
    }
    return std::nullopt;
}

} // namespace

GridGeometry::CellIndex GridGeometry::moved(CellIndex cell, Move move) const
{
    const int count = sections[cell.section].count;
    const int column = cell.index % columns;
    switch (move) {
    case Move::first:
        return firstCell().value_or(cell);
    case Move::last:
        return lastCell().value_or(cell);
    case Move::left:
        if (cell.index > 0)
            return { cell.section, cell.index - 1 };
        if (const auto before = nextFilled(sections, cell.section, -1))
            return { *before, sections[*before].count - 1 };
        return cell;
    case Move::right:
        if (cell.index + 1 < count)
            return { cell.section, cell.index + 1 };
        if (const auto after = nextFilled(sections, cell.section, 1))
            return { *after, 0 };
        return cell;
    case Move::up:
        if (cell.index >= columns)
            return { cell.section, cell.index - columns };
        if (const auto before = nextFilled(sections, cell.section, -1)) {
            const int beforeCount = sections[*before].count;
            const int lastRowStart = (beforeCount - 1) / columns * columns;
            return { *before, qMin(lastRowStart + column, beforeCount - 1) };
        }
        return cell;
    case Move::down:
        if (cell.index / columns < sections[cell.section].rows - 1)
            return { cell.section, qMin(cell.index + columns, count - 1) };
        if (const auto after = nextFilled(sections, cell.section, 1))
            return { *after, qMin(column, sections[*after].count - 1) };
        return cell;
    }
    return cell;
}

int GridGeometry::scrollToShow(CellIndex cell, int scrollTop, int viewportHeight) const
{
    const QRect rect = cellRect(cell);
    int top = scrollTop;
    // Below the bottom edge: bring it up, with the room the grid keeps under its last row.
    if (rect.bottom() + 1 > top + viewportHeight)
        top = rect.bottom() + 1 + metrics.padding - viewportHeight;
    // Under the pinned header, or too tall to fit below it: its top row counts most.
    if (rect.top() < top + metrics.headerHeight)
        top = rect.top() - metrics.headerHeight - metrics.spacing;
    return qBound(0, top, qMax(0, height - viewportHeight));
}

bool GridGeometry::showsWhole(CellIndex cell, int scrollTop, int viewportHeight) const
{
    const QRect rect = cellRect(cell);
    return rect.top() >= scrollTop + metrics.headerHeight
        && rect.bottom() + 1 <= scrollTop + viewportHeight;
}
