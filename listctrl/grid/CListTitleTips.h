#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "listctrl/grid/CTitleTip.h"

// The tips over the list's cells: the title tip, which shows the whole
// text of a cut-off cell while the mouse is over it, and the cell tooltip
// of the hot cell's row. Both windows are the list's children or owned
// popups and go with it.
class CListTitleTips {
public:
    CListTitleTips() = default;
    CListTitleTips(const CListTitleTips&) = delete;
    CListTitleTips& operator=(const CListTitleTips&) = delete;

    // The cell tooltip, made with the list's set-up; false without one.
    bool CreateToolTip(HWND list);
    // A title tip in the list's current metrics; false without one.
    bool CreateTitleTip(HWND list, bool themed);
    void Destroy();

    // Shows the text over the cell's text rectangle (screen coordinates)
    // and remembers the cell; false, hidden, when there is nothing to show.
    bool Show(int row, int cell, const RECT& textRect, const std::wstring& text,
              const std::wstring& toolTipText);
    bool IsShownFor(int row, int cell) const { return row == m_row && cell == m_cell; }
    // Hides the title tip; forgetting its cell lets it show there again.
    void Hide(bool forget);
    // A column moved: the tip's cell stays with its column.
    void FollowMovedColumn(int from, int to);

    // Every mouse message of the list goes past the cell tooltip, so that
    // it can tell when to show itself.
    void Relay(const MSG& message);
    // One tool over the row, with the cell's own tooltip text.
    void SetCellToolTip(const RECT& rowRect, std::wstring text);
    void RemoveCellToolTip();

    HWND GetToolTipWindow() const { return m_toolTip; }
    HWND GetTitleTipWindow() const { return m_titleTip.m_hWnd; }

private:
    enum : UINT_PTR { TOOL_CELL = 1000 };

    TOOLINFOW CellTool() const;

    HWND m_list = nullptr;
    HWND m_toolTip = nullptr;  // a child of the list
    CTitleTip m_titleTip;
    int m_row = -1, m_cell = -1;  // where the title tip was shown last
};
