#pragma once
#include <vector>

// Which rows of the list are selected and where the focus is: the row a
// Shift range starts from, the focus row and the focus cell (a column
// position, -1 for the whole row).
class RowSelection {
public:
    int AnchorRow = -1;
    int CurrentRow = -1;
    int CurrentCell = -1;

    // What a selection step asks the list to tell its parent.
    struct Outcome {
        bool Notify;       // send GLN_SELECTED
        int ReportedCell;  // the given cell while fewer than two rows are selected, else -1
    };

    bool IsSelected(int row) const;
    int Count() const { return static_cast<int>(m_rows.size()); }
    const std::vector<int>& Rows() const { return m_rows; }

    // Empties the set and forgets anchor, focus row and focus cell.
    void Clear();

    // A click on a row with the Shift and Ctrl state given.
    Outcome Select(int row, int cell, bool shift, bool ctrl, bool singleSelect);

    // Every one of rowCount rows; anchor and focus stay.
    void SelectAll(int rowCount);

    // Exactly the rows first to last (none when last < first), as a
    // rectangle drawn over them chooses them: anchored at the first, focus
    // on the last, no focus cell.
    void SelectSpan(int first, int last);

    // The owner removed a row from its array: the selection keeps pointing
    // at the same rows, so every index above it moves down by one.
    void ItemRemoved(int row);

    // The focus row (or the lowest selected row when the focus row is not
    // selected) and, with cell focus, the focus cell; false without a row.
    bool GetCurrent(bool cellFocus, int& row, int& cell) const;

private:
    void Add(int row);
    void Remove(int row);
    void SelectOnly(int row, int cell, bool range);
    int ReportedCell(int cell) const { return Count() < 2 ? cell : -1; }

    std::vector<int> m_rows;  // ascending, no duplicates
};
