#include "listctrl/rules/ListAccessState.h"

#include <algorithm>
#include <iterator>

std::vector<ListAccessState::Change> ListAccessState::ChangesSince(
    const ListAccessState& told) const {
    std::vector<Change> changes;
    const bool rowsKept = AppendRowChanges(told, changes);
    AppendSelectionChanges(told, rowsKept, changes);
    if (FocusRow != -1 && FocusRow != told.FocusRow) changes.push_back({RowFocused, FocusRow});
    return changes;
}

bool ListAccessState::AppendRowChanges(const ListAccessState& told,
                                       std::vector<Change>& changes) const {
    const bool sorted = SortColumnId != told.SortColumnId || SortAscending != told.SortAscending;
    const bool appendedOnly = RowCount >= told.RowCount && !sorted;
    if (appendedOnly && static_cast<std::size_t>(RowCount - told.RowCount) <= MANY_CHANGES) {
        for (int row = told.RowCount; row < RowCount; ++row) changes.push_back({RowCreated, row});
        return true;
    }
    changes.push_back({RowsReordered, -1});
    return appendedOnly;
}

void ListAccessState::AppendSelectionChanges(const ListAccessState& told, bool rowsKept,
                                             std::vector<Change>& changes) const {
    std::vector<int> added, removed;
    std::set_difference(SelectedRows.begin(), SelectedRows.end(), told.SelectedRows.begin(),
                        told.SelectedRows.end(), std::back_inserter(added));
    std::set_difference(told.SelectedRows.begin(), told.SelectedRows.end(), SelectedRows.begin(),
                        SelectedRows.end(), std::back_inserter(removed));
    if (added.empty() && removed.empty()) return;
    if (!rowsKept || added.size() + removed.size() > MANY_CHANGES) {
        changes.push_back({SelectionReworked, -1});
    } else if (SelectedRows.size() == 1) {
        changes.push_back({SelectionSet, SelectedRows.front()});
    } else {
        for (int row : removed) changes.push_back({SelectionRemoved, row});
        for (int row : added) changes.push_back({SelectionAdded, row});
    }
}
