#pragma once
#include <vector>

#include "listctrl/rules/ListColumn.h"

// Where a column dragged over the header band would land, and the move
// itself. A drop position is the position the column is inserted before;
// the column count stands for the place after the last column.
class ColumnDrop {
public:
    // The drop position for a point at x over the column at position
    // hitColumn (-1: over no column) that spans left..right: that column,
    // or the one after it from its centre on. A column is never dropped on
    // its own place, so the dragged column and the one after it give -1,
    // as does a drag with no dragged column.
    static int DropPosition(int hitColumn, int left, int right, int x, int draggedColumn);

    // The x, in content coordinates, where the drop arrows point: the left
    // edge of the column at the drop position, or the right edge of the
    // last column for the place after it.
    static int InsertionEdge(const std::vector<ListColumn>& columns, int dropPosition);

    // Moves the dragged column before the drop position. Columns keep their
    // Ids, so cell data addressed by Id is unchanged. False, and nothing
    // moved, for positions out of range or a drop on the column's own place.
    static bool MoveColumn(std::vector<ListColumn>& columns, int draggedColumn, int dropPosition);

    // Where the column at `position` stands after MoveColumn with the same
    // arguments succeeded; -1 (no column) stays -1.
    static int PositionAfterMove(int position, int draggedColumn, int dropPosition);
};
