#include "listctrl/grid/CListKeyboard.h"

LRESULT CListKeyboard::OnKeyDown(UINT, WPARAM key, LPARAM, BOOL&) {
    StopAnimation();
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    int row = -1, cell = -1;
    GetCurrentCell(row, cell);
    const int lastRow = RowCount() - 1;
    const int lastCell = GetColumnCount() - 1;
    const int pageStep = std::max(GetVisibleRowCount(false) - 1, 1);
    switch (key) {
    case VK_TAB:
        if (!ctrl) Tab(row, cell, shift);
        break;
    case VK_SPACE:
        ToggleCell(row, cell);
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
        if (Options.CellFocus) {
            const int step = key == VK_LEFT ? -1 : 1;
            MoveTo(row, std::clamp(cell + step, 0, std::max(lastCell, 0)), ctrl, shift);
        } else {
            ScrollSideways(key == VK_LEFT, ctrl);
            if (!ctrl && IsRow(row)) SelectRow(row, cell, shift ? MK_SHIFT : 0);
        }
        break;
    default:
        if (ctrl && key == 'A')
            SelectAll();
        else if (!ctrl && key >= 'A' && key <= 'Z')
            SearchAhead(static_cast<wchar_t>(key), row, cell);
        break;
    }
    return 0;
}

LRESULT CListKeyboard::OnSysKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    HideTitleTip(true);
    bHandled = FALSE;
    return 0;
}

void CListKeyboard::MoveTo(int row, int cell, bool ctrl, bool shift) {
    if (!IsRow(row)) return;
    HideTitleTip(true);
    SetCurrentCell(row, cell);
    if (!ctrl) SelectRow(m_selection.CurrentRow, m_selection.CurrentCell, shift ? MK_SHIFT : 0);
}

void CListKeyboard::Tab(int row, int cell, bool backwards) {
    const int target = backwards ? cell - 1 : cell + 1;
    if (!Options.CellFocus || !IsRow(row) || target < 0 || target >= GetColumnCount()) {
        LeaveGrid(backwards);
        return;
    }
    MoveTo(row, target, false, backwards);
}

void CListKeyboard::LeaveGrid(bool backwards) {
    HWND dialog = ::GetParent(m_hWnd);
    while (dialog != nullptr && (::GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) &&
           (::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
           ::GetParent(dialog) != nullptr)
        dialog = ::GetParent(dialog);
    if (dialog != nullptr) ::PostMessageW(dialog, WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
}

void CListKeyboard::ScrollSideways(bool left, bool wide) {
    const int step = wide ? KEY_SCROLL_WIDE : KEY_SCROLL;
    const int position = ScrollPosition(SB_HORZ);
    const int target = left ? std::max(position - step, 0)
                            : std::min(position + step, std::max(GetContentWidth(false), 0));
    ::SetScrollPos(m_hWnd, SB_HORZ, target, TRUE);
    Invalidate();
}

void CListKeyboard::SelectAll() {
    if (Options.SingleSelect) return;
    m_selection.SelectAll(RowCount());
    Invalidate();
}

void CListKeyboard::SearchAhead(wchar_t letter, int row, int cell) {
    const int id = Options.SortColumnId < 0 ? 0 : Options.SortColumnId;
    const int hit = m_typeAhead.Find(letter, row, RowCount(),
                                     [this, id](int r) { return CellText(r, id); });
    if (hit == -1) return;
    HideTitleTip(true);
    SelectRow(hit, cell, MK_LBUTTON);
    ScrollCellIntoView(hit, cell);
}
