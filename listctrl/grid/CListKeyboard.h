#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "listctrl/grid/CListEditing.h"
#include "listctrl/rules/TypeAhead.h"

// The keys of the list: moving the focus row and cell, toggling with
// Space, selecting all, and finding a row by typing the start of its text.
// Tab and Shift+Tab go from cell to cell and, past either end of the row,
// on to the next or previous control of the dialog.
template <class T>
class CListKeyboard : public CListEditing<T> {
public:
    using Base = CListEditing<T>;
    using Base::GetColumnCount;
    using Base::GetContentWidth;
    using Base::GetCurrentCell;
    using Base::GetVisibleRowCount;
    using Base::HideTitleTip;
    using Base::Options;
    using Base::ScrollCellIntoView;
    using Base::SelectRow;
    using Base::SetCurrentCell;

protected:
    using Base::Invalidate;
    using Base::IsRow;
    using Base::ScrollPosition;
    using Base::Self;
    using Base::StopAnimation;
    using Base::ToggleCell;
    using Base::m_selection;

public:
    BEGIN_MSG_MAP(CListKeyboard)
        MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
        MESSAGE_HANDLER(WM_SYSKEYDOWN, OnSysKeyDown)
        CHAIN_MSG_MAP(CListEditing<T>)
    END_MSG_MAP()

protected:
    // Pixels Left and Right scroll a list without cell focus (with Ctrl).
    static constexpr int KEY_SCROLL = 5, KEY_SCROLL_WIDE = 50;

    LRESULT OnKeyDown(UINT, WPARAM key, LPARAM, BOOL&) {
        StopAnimation();
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        const bool shift = ::GetKeyState(VK_SHIFT) < 0;
        int row = -1, cell = -1;
        GetCurrentCell(row, cell);
        const int lastRow = Self().GetItemCount() - 1;
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

    LRESULT OnSysKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        HideTitleTip(true);
        bHandled = FALSE;
        return 0;
    }

    // The focus goes to the cell; without Ctrl the selection follows it.
    // The title tip goes: it belongs to the mouse, not to the focus cell.
    void MoveTo(int row, int cell, bool ctrl, bool shift) {
        if (!IsRow(row)) return;
        HideTitleTip(true);
        SetCurrentCell(row, cell);
        if (!ctrl) SelectRow(m_selection.CurrentRow, m_selection.CurrentCell, shift ? MK_SHIFT : 0);
    }

    // Next or previous cell of the row; past the row's ends (or with no
    // cells to move through) the dialog's next or previous control.
    void Tab(int row, int cell, bool backwards) {
        const int target = backwards ? cell - 1 : cell + 1;
        if (!Options.CellFocus || !IsRow(row) || target < 0 || target >= GetColumnCount()) {
            LeaveGrid(backwards);
            return;
        }
        MoveTo(row, target, false, backwards);
    }

    // A page nested in a dialog (a property page) hands the focus on
    // through the outermost dialog, which knows every control of both.
    void LeaveGrid(bool backwards) {
        HWND dialog = ::GetParent(this->m_hWnd);
        while (dialog != nullptr && (::GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) &&
               (::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
               ::GetParent(dialog) != nullptr)
            dialog = ::GetParent(dialog);
        if (dialog != nullptr) ::PostMessageW(dialog, WM_NEXTDLGCTL, backwards ? 1 : 0, FALSE);
    }

    void ScrollSideways(bool left, bool wide) {
        const int step = wide ? KEY_SCROLL_WIDE : KEY_SCROLL;
        const int position = ScrollPosition(SB_HORZ);
        const int target = left ? std::max(position - step, 0)
                                : std::min(position + step, std::max(GetContentWidth(false), 0));
        ::SetScrollPos(this->m_hWnd, SB_HORZ, target, TRUE);
        Invalidate();
    }

    void SelectAll() {
        if (Options.SingleSelect) return;
        m_selection.SelectAll(Self().GetItemCount());
        Invalidate();
    }

    // Searches the sort column (the first column while nothing is sorted).
    void SearchAhead(wchar_t letter, int row, int cell) {
        const int id = Options.SortColumnId < 0 ? 0 : Options.SortColumnId;
        const int hit = m_typeAhead.Find(letter, row, Self().GetItemCount(),
                                         [this, id](int r) { return Self().GetItemText(r, id); });
        if (hit == -1) return;
        HideTitleTip(true);
        SelectRow(hit, cell, MK_LBUTTON);
        ScrollCellIntoView(hit, cell);
    }

    TypeAhead m_typeAhead{[] { return static_cast<std::uint32_t>(::GetTickCount()); }};
};
