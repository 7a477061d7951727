#pragma once

#include <QList>
#include <QRect>
#include <optional>

// Where the group grid puts its folder headers and cells, worked out from the number of
// candidates in each folder alone, so that a grid of any size is laid out without making a
// widget for each cell. Coordinates are those of the scrolled content: y = 0 is its top.
struct GridGeometry
{
    struct Metrics
    {
        int headerHeight = 40;
        int cellHeight = 180;
        int minColumnWidth = 168;
        int spacing = 14;
        int padding = 16;

        bool operator==(const Metrics&) const = default;
    };

    // One folder: its header, then its cells in rows.
    struct Section
    {
        int top = 0;
        int count = 0;
        int rows = 0;
        int cellsTop = 0;
        // Where the next section's header starts.
        int bottom = 0;

        bool operator==(const Section&) const = default;
    };

    struct CellIndex
    {
        int section = 0;
        int index = 0;

        bool operator==(const CellIndex&) const = default;
    };

    // A step of the keyboard through the cells.
    enum class Move
    {
        left,
        right,
        up,
        down,
        first,
        last
    };

    Metrics metrics;
    int width = 0;
    int columns = 1;
    int cellWidth = 0;
    int height = 0;
    QList<Section> sections;

    // Lays out sections of `counts` candidates in a viewport `width` wide: as many columns as
    // fit at the minimum width, sharing the room left over.
    static GridGeometry make(const QList<int>& counts, int width, const Metrics& metrics);

    // The section at content height `y` (the last one below the end); nothing without sections.
    int sectionAt(int y) const;
    // Sections and cells that meet the band [top, bottom) of the content.
    QList<int> sectionsIn(int top, int bottom) const;
    QList<CellIndex> cellsIn(int top, int bottom) const;

    QRect headerRect(int section) const;
    QRect cellRect(CellIndex cell) const;
    // Where the header of `section` is drawn while the content is scrolled to `scrollTop`: at
    // its place, or pinned to the top of the viewport while its cells pass under it, until the
    // next header pushes it away.
    QRect pinnedHeaderRect(int section, int scrollTop) const;

    // The first and last cells of the grid; nothing when it has none.
    std::optional<CellIndex> firstCell() const;
    std::optional<CellIndex> lastCell() const;
    // Where `move` goes from `cell`. Left and right follow the reading order, across rows and
    // folders; up and down keep the column, and from a folder's first or last row go on to the
    // nearest row of the folder before or after, landing on its last cell when that row is too
    // short. At the edge of the grid the cell stays where it is.
    CellIndex moved(CellIndex cell, Move move) const;
    // The scroll position, nearest to `scrollTop`, at which `cell` is shown whole in a viewport
    // `viewportHeight` high: below the header pinned at the top, and above the bottom edge.
    int scrollToShow(CellIndex cell, int scrollTop, int viewportHeight) const;
    // Whether `cell` is shown whole at that scroll position.
    bool showsWhole(CellIndex cell, int scrollTop, int viewportHeight) const;

    bool operator==(const GridGeometry&) const = default;
};

inline size_t qHash(const GridGeometry::CellIndex& cell, size_t seed = 0) noexcept
{
    return qHashMulti(seed, cell.section, cell.index);
}
