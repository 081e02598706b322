#include "listctrl/grid/CListKeyboard.h"

#include <algorithm>

#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListEditing.h"
#include "listctrl/grid/CListScroller.h"

LRESULT CListKeyboard::OnKeyDown(UINT, WPARAM key, LPARAM, BOOL&) {
    m_scroller.StopAnimation();
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    int row = -1, cell = -1;
    m_grid.GetCurrentCell(row, cell);
    const int lastRow = m_grid.Rows().RowCount() - 1;
    const int lastCell = m_grid.GetColumnCount() - 1;
    const int pageStep = std::max(m_grid.GetVisibleRowCount(false) - 1, 1);
    switch (key) {
    case VK_TAB:
        if (!ctrl) Tab(row, cell, shift);
        break;
    case VK_SPACE:
        m_editing.ToggleCell(row, cell);
        break;
    case VK_UP:
        MoveTo(std::max(row - 1, 0), cell, ctrl, shift);
        break;
    case VK_DOWN:
        MoveTo(std::min(row + 1, lastRow), cell, ctrl, shift);
        break;
    case VK_HOME:
        MoveTo(0, cell, ctrl, shift);
        break;
    case VK_END:
        MoveTo(lastRow, cell, ctrl, shift);
        break;
    case VK_PRIOR:
        MoveTo(std::max(row - pageStep, 0), cell, ctrl, shift);
        break;
    case VK_NEXT:
        MoveTo(std::min(row + pageStep, lastRow), cell, ctrl, shift);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (m_grid.Options.CellFocus) {
            const int step = key == VK_LEFT ? -1 : 1;
            MoveTo(row, std::clamp(cell + step, 0, std::max(lastCell, 0)), ctrl, shift);
        } else {
            ScrollSideways(key == VK_LEFT, ctrl);
            if (!ctrl && m_grid.IsRow(row)) m_editing.SelectRow(row, cell, shift ? MK_SHIFT : 0);
        }
        break;
    default:
        if (ctrl && key == 'A')
            m_grid.SelectAll();
        else if (!ctrl && key >= 'A' && key <= 'Z')
            SearchAhead(static_cast<wchar_t>(key), row, cell);
        break;
    }
    return 0;
}

LRESULT CListKeyboard::OnSysKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_grid.HideTitleTip(true);
    bHandled = FALSE;
    return 0;
}

void CListKeyboard::MoveTo(int row, int cell, bool ctrl, bool shift) {
    if (!m_grid.IsRow(row)) return;
    m_grid.HideTitleTip(true);
    m_grid.SetCurrentCell(row, cell);
    const RowSelection& focus = m_grid.GetSelection();
    if (!ctrl) m_editing.SelectRow(focus.CurrentRow, focus.CurrentCell, shift ? MK_SHIFT : 0);
}

void CListKeyboard::Tab(int row, int cell, bool backwards) {
    const int target = backwards ? cell - 1 : cell + 1;
    if (!m_grid.Options.CellFocus || !m_grid.IsRow(row) || target < 0 ||
        target >= m_grid.GetColumnCount()) {
        LeaveGrid(backwards);
        return;
    }
    MoveTo(row, target, false, backwards);
}

void CListKeyboard::LeaveGrid(bool backwards) {
    HWND dialog = ::GetParent(m_grid.m_hWnd);
    while (dialog != nullptr && (::GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) &&
           (::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
           ::GetParent(dialog) != nullptr)
        dialog = ::GetParent(dialog);
    if (dialog != nullptr) ::PostMessageW(dialog, WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
}

void CListKeyboard::ScrollSideways(bool left, bool wide) {
    const int step = wide ? KEY_SCROLL_WIDE : KEY_SCROLL;
    const int position = m_grid.ScrollPosition(SB_HORZ);
    const int target = left ? std::max(position - step, 0)
                            : std::min(position + step, std::max(m_grid.GetContentWidth(false), 0));
    ::SetScrollPos(m_grid.m_hWnd, SB_HORZ, target, TRUE);
    m_grid.Invalidate();
}

void CListKeyboard::SearchAhead(wchar_t letter, int row, int cell) {
    const int id = m_grid.Options.SortColumnId < 0 ? 0 : m_grid.Options.SortColumnId;
    const GridRows& rows = m_grid.Rows();
    const int hit = m_typeAhead.Find(letter, row, rows.RowCount(),
                                     [&rows, id](int r) { return rows.CellText(r, id); });
    if (hit == -1) return;
    m_grid.HideTitleTip(true);
    m_editing.SelectRow(hit, cell, MK_LBUTTON);
    m_grid.ScrollCellIntoView(hit, cell);
}
