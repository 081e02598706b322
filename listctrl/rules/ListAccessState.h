#pragma once
#include <cstddef>
#include <vector>

// What a screen reader has been told about a grid: how many rows it has,
// which are selected, which one has the keyboard focus and how the rows
// are sorted. Comparing the state told last with the state now gives the
// events that tell the reader the difference.
class ListAccessState {
public:
    int RowCount = 0;
    std::vector<int> SelectedRows;  // ascending
    int FocusRow = -1;              // -1: the keyboard focus is on no row of the grid
    int SortColumnId = -1;
    bool SortAscending = true;

    enum Event {
        RowCreated,         // Row was appended
        RowsReordered,      // rows went, or changed places: read them again (Row -1)
        SelectionSet,       // the selection changed to Row alone
        SelectionAdded,     // Row joined the selection
        SelectionRemoved,   // Row left the selection
        SelectionReworked,  // too much changed to tell row by row (Row -1)
        RowFocused,         // Row took the keyboard focus
    };
    struct Change {
        Event What;
        int Row;  // -1: the grid itself
        bool operator==(const Change& other) const {
            return What == other.What && Row == other.Row;
        }
    };

    bool operator==(const ListAccessState& other) const {
        return RowCount == other.RowCount && SelectedRows == other.SelectedRows &&
               FocusRow == other.FocusRow && SortColumnId == other.SortColumnId &&
               SortAscending == other.SortAscending;
    }

    // More row-by-row changes than this are told as one.
    static constexpr std::size_t MANY_CHANGES = 16;

    // The events that take a reader told `told` to this state, in the
    // order to raise them: rows, selection, focus.
    std::vector<Change> ChangesSince(const ListAccessState& told) const;

private:
    // False when rows went or moved: row numbers no longer mean the rows
    // they meant when `told` was told.
    bool AppendRowChanges(const ListAccessState& told, std::vector<Change>& changes) const;
    void AppendSelectionChanges(const ListAccessState& told, bool rowsKept,
                                std::vector<Change>& changes) const;
};
