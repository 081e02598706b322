#include "listctrl/rules/RowSelection.h"

#include <algorithm>

bool RowSelection::IsSelected(int row) const {
    return std::binary_search(m_rows.begin(), m_rows.end(), row);
}

void RowSelection::Add(int row) {
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), row);
    if (it == m_rows.end() || *it != row) m_rows.insert(it, row);
}

void RowSelection::Remove(int row) {
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), row);
    if (it != m_rows.end() && *it == row) m_rows.erase(it);
}

void RowSelection::Clear() {
    m_rows.clear();
    AnchorRow = CurrentRow = CurrentCell = -1;
}

RowSelection::Outcome RowSelection::Select(int row, int cell, bool shift, bool ctrl,
                                           bool singleSelect) {
    if ((singleSelect || !shift) && ctrl) {
        if (singleSelect) m_rows.clear();
        if (IsSelected(row)) {
            Remove(row);
            AnchorRow = CurrentRow = row;
            CurrentCell = ReportedCell(cell);
            return {false, CurrentCell};
        }
        AnchorRow = row;
        Add(row);
        CurrentRow = row;
        CurrentCell = ReportedCell(cell);
        return {true, CurrentCell};
    }
    if (Count() == 1 && m_rows.front() == row) {
        AnchorRow = CurrentRow = row;
        CurrentCell = cell;
        return {false, cell};
    }
    SelectOnly(row, cell, shift && !singleSelect);
    return {true, CurrentCell};
}

void RowSelection::SelectOnly(int row, int cell, bool range) {
    m_rows.clear();
    if (range) {
        // Without an anchor the clicked row starts the range for the next Shift+click.
        if (AnchorRow == -1) AnchorRow = row;
        for (int r = std::min(AnchorRow, row); r <= std::max(AnchorRow, row); ++r)
            m_rows.push_back(r);
    } else {
        AnchorRow = row;
        m_rows.push_back(row);
    }
    CurrentRow = row;
    CurrentCell = ReportedCell(cell);
}

void RowSelection::SelectAll(int rowCount) {
    m_rows.clear();
    for (int row = 0; row < rowCount; ++row) m_rows.push_back(row);
}

void RowSelection::SelectSpan(int first, int last) {
    m_rows.clear();
    for (int row = first; row <= last; ++row) m_rows.push_back(row);
    AnchorRow = first <= last ? first : -1;
    if (first <= last) CurrentRow = last;
    CurrentCell = -1;
}

void RowSelection::ItemRemoved(int row) {
    Remove(row);
    for (int& selected : m_rows)
        if (selected > row) --selected;
    for (int* focus : {&AnchorRow, &CurrentRow}) {
        if (*focus == row)
            *focus = -1;
        else if (*focus > row)
            --*focus;
    }
}

bool RowSelection::GetCurrent(bool cellFocus, int& row, int& cell) const {
    if (CurrentRow != -1 && IsSelected(CurrentRow))
        row = CurrentRow;
    else
        row = m_rows.empty() ? -1 : m_rows.front();
    cell = (cellFocus && row != -1) ? CurrentCell : -1;
    return row != -1;
}
