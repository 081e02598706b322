#include "listctrl/grid/CListEditing.h"

#include <cwchar>

#include "listctrl/grid/CListCore.h"

#include "listctrl/rules/AccessibleEditorName.h"

bool CListEditing::SelectRow(int row, int cell, UINT modifiers) {
    if (!m_grid.IsRow(row)) return false;
    const RowSelection::Outcome outcome = m_grid.SelectAsClick(row, cell, modifiers);
    if (outcome.Notify) m_grid.SendCellNotify(row, outcome.ReportedCell, GLN_SELECTED);
    if (!m_grid.IsCellInView(row, outcome.ReportedCell, false))
        ::SetTimer(m_grid.m_hWnd, TIMER_DEFERRED_EDIT, DEFERRED_EDIT_MS, nullptr);
    else if (HasFocusCell())
        BeginCellEdit(m_grid.GetSelection().CurrentRow, m_grid.GetSelection().CurrentCell);
    m_grid.Invalidate();
    return true;
}

bool CListEditing::BeginCellEdit(int row, int cell) {
    if (!m_grid.ScrollCellIntoView(row, cell)) return false;
    if (::GetFocus() != m_grid.m_hWnd) return false;
    RECT rect;
    if (!m_grid.GetCellRect(row, cell, rect)) return false;
    const int id = m_grid.GetColumnId(cell);
    const unsigned flags = m_grid.Rows().CellFlags(row, id);
    const int kind = m_grid.Rows().CellKind(row, id);
    if ((flags & CELLF_READONLY) || !HasEditor(kind)) return true;
    std::vector<std::wstring> choices;
    if (kind == CELL_COMBO && !m_grid.Rows().CellChoices(row, id, choices)) return false;
    // A tip left over the cell would hold the mouse, and take the
    // editor's clicks to the list.
    m_grid.HideTitleTip(true);
    // The current cell shows its edit look under the editor.
    m_editActive = true;
    const bool shown =
        ::RedrawWindow(m_grid.m_hWnd, nullptr, nullptr,
                       RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE) &&
        ShowEditor(kind, row, cell, rect, flags, choices);
    // Without an editor no GLN_ENDEDIT will come to clear it.
    if (!shown) m_editActive = false;
    return shown;
}

bool CListEditing::HasEditor(int kind) {
    return kind == CELL_EDIT || kind == CELL_DATETIME || kind == CELL_COMBO;
}

bool CListEditing::HasFocusCell() const {
    const RowSelection& selection = m_grid.GetSelection();
    return selection.CurrentRow != -1 && selection.CurrentCell != -1 &&
           m_grid.IsRowSelected(selection.CurrentRow);
}

bool CListEditing::ShowEditor(int kind, int row, int cell, const RECT& rect, unsigned flags,
                              const std::vector<std::wstring>& choices) {
    HWND list = m_grid.m_hWnd;
    const int id = m_grid.GetColumnId(cell);
    ListColumn column;
    m_grid.GetColumn(cell, column);
    NameCellEditors(AccessibleEditorName(column.Title, row), m_edit, m_combo, m_date);
    if (kind == CELL_DATETIME) {
        SYSTEMTIME date;
        m_grid.GetCellDate(row, id, date);  // all zero for an empty cell
        return m_date.ShowEditor(list, row, cell, rect, flags, date);
    }
    const std::wstring text = m_grid.Rows().CellText(row, id);
    if (kind == CELL_COMBO)
        return m_combo.ShowEditor(list, row, cell, rect, flags, text, m_grid.Options.UseThemes,
                                  choices);
    return m_edit.ShowEditor(list, row, cell, rect, flags, text);
}

bool CListEditing::ToggleCell(int row, int cell) {
    if (!m_grid.IsRow(row) || !m_grid.IsColumn(cell)) return false;
    const int id = m_grid.GetColumnId(cell);
    const int kind = m_grid.Rows().CellKind(row, id);
    if ((m_grid.Rows().CellFlags(row, id) & CELLF_READONLY) ||
        (kind != CELL_CHECK && kind != CELL_TRISTATE))
        return false;
    const long value = std::wcstol(m_grid.Rows().CellText(row, id).c_str(), nullptr, 10);
    const wchar_t* next = value <= 0 ? L"1" : L"0";
    if (kind == CELL_TRISTATE) next = value == 0 ? L"1" : value > 0 ? L"-1" : L"0";
    m_grid.Rows().SetCellText(row, id, next);
    m_grid.SendCellNotify(row, cell, GLN_MODIFIED);
    m_grid.RedrawCell(row, -1);
    return true;
}

LRESULT CListEditing::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    ::KillTimer(m_grid.m_hWnd, TIMER_DEFERRED_EDIT);
    m_edit.DestroyWindow();
    m_combo.DestroyWindow();
    m_date.DestroyWindow();
    bHandled = FALSE;
    return 0;
}

LRESULT CListEditing::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam != TIMER_DEFERRED_EDIT) {
        bHandled = FALSE;
        return 0;
    }
    ::KillTimer(m_grid.m_hWnd, TIMER_DEFERRED_EDIT);
    int row = -1, cell = -1;
    if (m_grid.GetCurrentCell(row, cell) && cell != -1) BeginCellEdit(row, cell);
    return 0;
}

LRESULT CListEditing::OnEndEdit(int, LPNMHDR header, BOOL&) {
    m_editActive = false;
    const NMGRIDCELL& result = *reinterpret_cast<const NMGRIDCELL*>(header);
    if (!m_grid.IsRow(result.Item)) return 0;
    if (result.ExitKey != VK_ESCAPE) {
        const bool stored = StoreResult(result);
        if (result.ExitKey == VK_TAB) ::PostMessageW(m_grid.m_hWnd, WM_KEYDOWN, VK_TAB, 0);
        if (stored) m_grid.SendCellNotify(result.Item, result.SubItem, GLN_MODIFIED);
    }
    m_grid.RedrawCell(result.Item, -1);
    return 0;
}

bool CListEditing::StoreResult(const NMGRIDCELL& result) {
    const int id = m_grid.GetColumnId(result.SubItem);
    const std::wstring before = m_grid.Rows().CellText(result.Item, id);
    const std::wstring text = result.Text != nullptr ? result.Text : L"";
    bool stored = false;
    if (result.Date == nullptr)
        stored = m_grid.Rows().SetCellText(result.Item, id, text);
    else if (std::wcstol(text.c_str(), nullptr, 10) != 0)
        stored = m_grid.SetCellDate(result.Item, id, *result.Date);
    else
        stored = m_grid.Rows().SetCellText(result.Item, id, std::wstring());
    return stored && m_grid.Rows().CellText(result.Item, id) != before;
}
