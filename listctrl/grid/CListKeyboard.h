#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/CMessageMap.h"
#include "listctrl/rules/TypeAhead.h"

class CListCore;
class CListEditing;
class CListScroller;

// The keys of the list: moving the focus row and cell, toggling with
// Space, selecting all, and finding a row by typing the start of its text.
// Tab and Shift+Tab go from cell to cell and, past either end of the row,
// on to the next or previous control of the dialog.
class CListKeyboard : public CMessageMap {
public:
    CListKeyboard(CListCore& grid, CListScroller& scroller, CListEditing& editing)
        : m_grid(grid), m_scroller(scroller), m_editing(editing) {}
    CListKeyboard(const CListKeyboard&) = delete;
    CListKeyboard& operator=(const CListKeyboard&) = delete;

    BEGIN_MSG_MAP(CListKeyboard)
        MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
        MESSAGE_HANDLER(WM_SYSKEYDOWN, OnSysKeyDown)
    END_MSG_MAP()

private:
    // Pixels Left and Right scroll a list without cell focus (with Ctrl).
    static constexpr int KEY_SCROLL = 5, KEY_SCROLL_WIDE = 50;

    LRESULT OnKeyDown(UINT, WPARAM key, LPARAM, BOOL&);
    LRESULT OnSysKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled);

    // The focus goes to the cell; without Ctrl the selection follows it.
    // The title tip goes: it belongs to the mouse, not to the focus cell.
    void MoveTo(int row, int cell, bool ctrl, bool shift);

    // Next or previous cell of the row; past the row's ends (or with no
    // cells to move through) the dialog's next or previous control.
    void Tab(int row, int cell, bool backwards);

    // A page nested in a dialog (a property page) hands the focus on
    // through the outermost dialog, which knows every control of both.
    void LeaveGrid(bool backwards);

    void ScrollSideways(bool left, bool wide);

    // Searches the sort column (the first column while nothing is sorted).
    void SearchAhead(wchar_t letter, int row, int cell);

    CListCore& m_grid;
    CListScroller& m_scroller;
    CListEditing& m_editing;
    TypeAhead m_typeAhead{[] { return static_cast<std::uint32_t>(::GetTickCount()); }};
};
