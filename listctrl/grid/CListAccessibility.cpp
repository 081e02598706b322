#include "listctrl/grid/CListAccessibility.h"

BOOL CListAccessibility::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                              LRESULT& lResult, DWORD) {
    if (uMsg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        // A window on its way out hands out nothing: an object made now
        // would outlive the disconnection at WM_DESTROY.
        if (m_destroying) {
            lResult = 0;
            return TRUE;
        }
        lResult = AnswerGetObject(wParam);
        if (lResult != 0) return TRUE;
    }
    if (uMsg == WM_DESTROY) {
        m_destroying = true;
        m_accessible.Reset();
    }
    if (uMsg == WM_NCDESTROY) m_destroying = false;  // the object may get a new window
    // Nothing is told of a window on its way out.
    if (uMsg == WM_DESTROY || uMsg == WM_NCDESTROY)
        return ProcessReportedMessage(hWnd, uMsg, wParam, lParam, lResult);
    BOOL handled = FALSE;
    ActThenReport([&] { handled = ProcessReportedMessage(hWnd, uMsg, wParam, lParam, lResult); });
    return handled;
}

LRESULT CListAccessibility::AnswerGetObject(WPARAM wParam) {
    if (!m_accessible) m_accessible.Reset(CListAccessible::Create(m_hWnd, m_view));
    return m_accessible ? m_accessible.Get()->Answer(wParam) : 0;
}

void CListAccessibility::ReportChanges() {
    if (m_reporting || !IsWindow()) return;
    ListAccessState now = StateNow();
    if (now == m_told) return;
    m_reporting = true;
    const ListAccessState told = std::exchange(m_told, std::move(now));
    for (const ListAccessState::Change& change : m_told.ChangesSince(told))
        ::NotifyWinEvent(WinEventOf(change.What), m_hWnd, OBJID_CLIENT, change.Row + 1);
    m_reporting = false;
}

ListAccessState CListAccessibility::StateNow() const {
    ListAccessState state;
    state.RowCount = RowCount();
    state.SelectedRows = m_selection.Rows();
    state.FocusRow = ::GetFocus() == m_hWnd ? CurrentRow() : -1;
    state.SortColumnId = Options.SortColumnId;
    state.SortAscending = Options.SortAscending;
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
    if (IsRow(m_selection.CurrentRow)) return m_selection.CurrentRow;
    int row = -1, cell = -1;
    GetCurrentCell(row, cell);
    return row;
}

int CListAccessibility::EditCell() const {
    if (!Options.CellFocus) return -1;
    return m_selection.CurrentCell != -1 ? m_selection.CurrentCell : 0;
}

std::wstring CListAccessibility::SpokenText(int row, int id) const {
    switch (CellKind(row, id)) {
    case CELL_DATETIME: return FormatCellDateTime(row, id);
    case CELL_OWNERDRAW: return std::wstring();
    default: return CellText(row, id);
    }
}

std::wstring CListAccessibility::SpokenRowName(int row) const {
    std::vector<TitledCell> cells;
    for (const ListColumn& column : m_columns)
        cells.emplace_back(column.Title, SpokenText(row, column.Id));
    return AccessibleRowName(cells);
}

RECT CListAccessibility::RowRect(int row) const {
    const RECT client = ClientRect();
    const int top = ItemTop() + (row - FirstVisibleRow()) * m_rowHeight;
    return RECT{client.left, top, std::min<int>(client.right, ContentRight()),
                top + m_rowHeight};
}

void CListAccessibility::OpenRow(int row) {
    ActThenReport([&] {
        ::SetFocus(m_hWnd);  // an open editor ends here and stores its cell
        const int cell = EditCell();
        ScrollCellIntoView(row, cell);
        SelectRow(row, cell, 0);
    });
}

bool CListAccessibility::SelectByFlags(int row, long flags) {
    const long selecting = SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                           SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
    const bool take = flags & SELFLAG_TAKESELECTION, extend = flags & SELFLAG_EXTENDSELECTION;
    const bool add = flags & SELFLAG_ADDSELECTION, remove = flags & SELFLAG_REMOVESELECTION;
    if ((flags & ~(selecting | SELFLAG_TAKEFOCUS)) || (take && (extend || add || remove)) ||
        (add && remove) || (Options.SingleSelect && (extend || add)))
        return false;
    ActThenReport([&] {
        const int cell = EditCell();
        if (flags & SELFLAG_TAKEFOCUS) {
            ::SetFocus(m_hWnd);
            SetCurrentCell(row, cell);
        }
        if (take)
            SelectRow(row, cell, 0);
        else if (extend)
            SelectRow(row, cell, MK_SHIFT);
        else if ((add || remove) && add != IsRowSelected(row))
            SelectRow(row, cell, MK_CONTROL);
    });
    return true;
}
