#include "listctrl/rules/ColumnDrop.h"

#include <algorithm>

namespace {

bool IsOwnPlace(int dropPosition, int draggedColumn) {
    return dropPosition == draggedColumn || dropPosition == draggedColumn + 1;
}

}  // namespace

int ColumnDrop::DropPosition(int hitColumn, int left, int right, int x, int draggedColumn) {
    if (hitColumn < 0 || draggedColumn < 0) return -1;
    const int position = x >= (left + right) / 2 ? hitColumn + 1 : hitColumn;
    return IsOwnPlace(position, draggedColumn) ? -1 : position;
}

int ColumnDrop::InsertionEdge(const std::vector<ListColumn>& columns, int dropPosition) {
    const int end = std::clamp(dropPosition, 0, static_cast<int>(columns.size()));
    int x = 0;
    for (int position = 0; position < end; ++position) x += columns[position].Width;
    return x;
}

bool ColumnDrop::MoveColumn(std::vector<ListColumn>& columns, int draggedColumn, int dropPosition) {
    const int count = static_cast<int>(columns.size());
    if (draggedColumn < 0 || draggedColumn >= count || dropPosition < 0 || dropPosition > count ||
        IsOwnPlace(dropPosition, draggedColumn))
        return false;
    const auto first = columns.begin();
    // Rotating the span between the two places moves the column without
    // copying any record.
    if (draggedColumn < dropPosition)
        std::rotate(first + draggedColumn, first + draggedColumn + 1, first + dropPosition);
    else
        std::rotate(first + dropPosition, first + draggedColumn, first + draggedColumn + 1);
    return true;
}

int ColumnDrop::PositionAfterMove(int position, int draggedColumn, int dropPosition) {
    if (position < 0) return position;
    if (position == draggedColumn)
        return draggedColumn < dropPosition ? dropPosition - 1 : dropPosition;
    if (draggedColumn < position && position < dropPosition) return position - 1;
    if (dropPosition <= position && position < draggedColumn) return position + 1;
    return position;
}
