#include "listctrl/grid/CListAccessibility.h"

#include <oleacc.h>

#include <utility>

#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListEditing.h"
#include "listctrl/rules/AccessibleRowName.h"

bool CListAccessibility::AnswerGetObject(UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& lResult) {
    if (uMsg != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
    // A window on its way out hands out nothing: an object made now would
    // outlive the disconnection at WM_DESTROY.
    if (m_destroying) {
        lResult = 0;
        return true;
    }
    if (!m_accessible) m_accessible.Reset(CListAccessible::Create(m_grid.m_hWnd, m_view));
    lResult = m_accessible ? m_accessible.Get()->Answer(wParam) : 0;
    return lResult != 0;
}

void CListAccessibility::TrackDestruction(UINT uMsg) {
    if (uMsg == WM_DESTROY) {
        m_destroying = true;
        m_accessible.Reset();
    }
    if (uMsg == WM_NCDESTROY) m_destroying = false;  // the object may get a new window
}

void CListAccessibility::ReportChanges() {
    if (m_reporting || !m_grid.IsWindow()) return;
    ListAccessState now = StateNow();
    if (now == m_told) return;
    m_reporting = true;
    const ListAccessState told = std::exchange(m_told, std::move(now));
    for (const ListAccessState::Change& change : m_told.ChangesSince(told))
        ::NotifyWinEvent(WinEventOf(change.What), m_grid.m_hWnd, OBJID_CLIENT, change.Row + 1);
    m_reporting = false;
}

ListAccessState CListAccessibility::StateNow() const {
    ListAccessState state;
    state.RowCount = m_grid.Rows().RowCount();
    state.SelectedRows = m_grid.GetSelection().Rows();
    state.FocusRow = ::GetFocus() == m_grid.m_hWnd ? CurrentRow() : -1;
    state.SortColumnId = m_grid.Options.SortColumnId;
    state.SortAscending = m_grid.Options.SortAscending;
    return state;
}

DWORD CListAccessibility::WinEventOf(ListAccessState::Event event) {
    switch (event) {
    case ListAccessState::RowCreated: return EVENT_OBJECT_CREATE;
    case ListAccessState::RowsReordered: return EVENT_OBJECT_REORDER;
    case ListAccessState::SelectionSet: return EVENT_OBJECT_SELECTION;
    case ListAccessState::SelectionAdded: return EVENT_OBJECT_SELECTIONADD;
    case ListAccessState::SelectionRemoved: return EVENT_OBJECT_SELECTIONREMOVE;
    case ListAccessState::SelectionReworked: return EVENT_OBJECT_SELECTIONWITHIN;
    case ListAccessState::RowFocused: break;
    }
    return EVENT_OBJECT_FOCUS;
}

int CListAccessibility::CurrentRow() const {
    const int focusRow = m_grid.GetSelection().CurrentRow;
    if (m_grid.IsRow(focusRow)) return focusRow;
    int row = -1, cell = -1;
    m_grid.GetCurrentCell(row, cell);
    return row;
}

int CListAccessibility::EditCell() const {
    if (!m_grid.Options.CellFocus) return -1;
    const int focusCell = m_grid.GetSelection().CurrentCell;
    return focusCell != -1 ? focusCell : 0;
}

std::wstring CListAccessibility::SpokenText(int row, int id) const {
    switch (m_grid.Rows().CellKind(row, id)) {
    case CELL_DATETIME: return m_grid.FormatCellDateTime(row, id);
    case CELL_OWNERDRAW: return std::wstring();
    default: return m_grid.Rows().CellText(row, id);
    }
}

std::wstring CListAccessibility::SpokenRowName(int row) const {
    std::vector<TitledCell> cells;
    ListColumn column;
    for (int position = 0; m_grid.GetColumn(position, column); ++position)
        cells.emplace_back(column.Title, SpokenText(row, column.Id));
    return AccessibleRowName(cells);
}

void CListAccessibility::OpenRow(int row) {
    ActThenReport([&] {
        ::SetFocus(m_grid.m_hWnd);  // an open editor ends here and stores its cell
        const int cell = EditCell();
        m_grid.ScrollCellIntoView(row, cell);
        m_editing.SelectRow(row, cell, 0);
    });
}

bool CListAccessibility::SelectByFlags(int row, long flags) {
    const long selecting = SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                           SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
    const bool take = flags & SELFLAG_TAKESELECTION, extend = flags & SELFLAG_EXTENDSELECTION;
    const bool add = flags & SELFLAG_ADDSELECTION, remove = flags & SELFLAG_REMOVESELECTION;
    if ((flags & ~(selecting | SELFLAG_TAKEFOCUS)) || (take && (extend || add || remove)) ||
        (add && remove) || (m_grid.Options.SingleSelect && (extend || add)))
        return false;
    ActThenReport([&] {
        const int cell = EditCell();
        if (flags & SELFLAG_TAKEFOCUS) {
            ::SetFocus(m_grid.m_hWnd);
            m_grid.SetCurrentCell(row, cell);
        }
        if (take)
            m_editing.SelectRow(row, cell, 0);
        else if (extend)
            m_editing.SelectRow(row, cell, MK_SHIFT);
        else if ((add || remove) && add != m_grid.IsRowSelected(row))
            m_editing.SelectRow(row, cell, MK_CONTROL);
    });
    return true;
}

// ---- The list as its accessible object sees it ---------------------------

int CListAccessibility::View::RowCount() const { return m_grid.Rows().RowCount(); }

RECT CListAccessibility::View::RowRect(int row) const { return m_grid.GetRowRect(row); }

RECT CListAccessibility::View::ItemArea() const {
    RECT area = m_grid.ClientRect();
    area.top = m_grid.ItemTop();
    return area;
}

int CListAccessibility::View::RowAt(POINT client) const {
    int row = -1, cell = -1;
    return m_grid.CellFromPoint(client.x, client.y, row, cell) ? row : -1;
}

bool CListAccessibility::View::IsRowSelected(int row) const {
    return m_grid.IsRowSelected(row);
}

std::vector<int> CListAccessibility::View::SelectedRows() const {
    return m_grid.GetSelection().Rows();
}

bool CListAccessibility::View::HasFocus() const { return ::GetFocus() == m_grid.m_hWnd; }

bool CListAccessibility::View::EditsCells() const { return m_grid.Options.CellFocus; }

std::wstring CListAccessibility::View::Description() const { return m_grid.Options.Description; }
