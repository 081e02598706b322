#pragma once
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "listctrl/grid/CListKeyboard.h"

// The mouse over the item area: clicks that select, toggle and follow
// links, the selection rectangle with its auto-scroll, the hot cell, the
// cell tooltip and the title tip. Presses in the header band are the
// header's (a layer above); they start with BeginPress as these do.
template <class T>
class CListMouse : public CListKeyboard<T> {
public:
    using Base = CListKeyboard<T>;
    using Base::CellFromPoint;
    using Base::ClearSelection;
    using Base::FormatCellDateTime;
    using Base::GetCellRect;
    using Base::GetColumnId;
    using Base::HideTitleTip;
    using Base::IsRowSelected;
    using Base::Options;
    using Base::RedrawCell;
    using Base::SelectRow;
    using Base::SendCellNotify;

protected:
    using Base::CellTextRect;
    using Base::ClientRect;
    using Base::RowScrollOffset;
    using Base::Invalidate;
    using Base::ItemTop;
    using Base::ScrollPosition;
    using Base::Self;
    using Base::StopAnimation;
    using Base::ToggleCell;
    using Base::m_contentWidth;
    using Base::m_dropArrows;
    using Base::m_editActive;
    using Base::m_hotCell;
    using Base::m_hotRow;
    using Base::m_linkCursor;
    using Base::m_rectangleActive;
    using Base::m_rowHeight;
    using Base::m_selection;
    using Base::m_selectionRect;
    using Base::m_titleTip;
    using Base::m_titleTipCell;
    using Base::m_titleTipRow;
    using Base::m_toolTip;

public:
    enum : UINT_PTR { TIMER_RECTANGLE_SCROLL = 1003 };
    enum : UINT_PTR { TOOL_CELL = 1000 };

    BEGIN_MSG_MAP(CListMouse)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
        MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
        MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
        MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRButtonDown)
        MESSAGE_HANDLER(WM_RBUTTONUP, OnRButtonUp)
        MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
        MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        CHAIN_MSG_MAP(CListKeyboard<T>)
    END_MSG_MAP()

    // Every mouse message goes past the cell tooltip first, so that it
    // can tell when to show itself.
    LRESULT RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
        if (m_toolTip != nullptr) {
            const DWORD position = ::GetMessagePos();
            MSG message{this->m_hWnd, uMsg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                        {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
            ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
        }
        bHandled = FALSE;
        return 0;
    }

    // The whole text of a cut-off cell over the cell, while the mouse is
    // over its text and no editor is open.
    void UpdateTitleTip(int x, int y, int row, int cell) {
        if (m_editActive || (row == m_titleTipRow && cell == m_titleTipCell)) return;
        RECT text;
        if (!GetCellRect(row, cell, text)) {
            HideTitleTip(true);
            return;
        }
        text = CellTextRect(text, cell);
        if (!::PtInRect(&text, POINT{x, y})) return;
        const int id = GetColumnId(cell);
        const std::wstring shown = TitleTipText(row, id);
        ::MapWindowPoints(this->m_hWnd, nullptr, reinterpret_cast<POINT*>(&text), 2);
        if (shown.empty() || !m_titleTip.Show(text, shown, Self().GetCellToolTip(row, id))) {
            HideTitleTip(true);
            return;
        }
        m_titleTipRow = row;
        m_titleTipCell = cell;
    }

protected:
    static POINT PointOf(LPARAM lParam) {
        return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    }
    static UINT ModifiersOf(WPARAM wParam) {
        return static_cast<UINT>(wParam) & (MK_SHIFT | MK_CONTROL);
    }

    // What every left press starts with, in the band or over the items.
    void BeginPress(POINT point) {
        HideTitleTip(true);
        m_buttonDown = true;
        m_downPoint = point;
        m_downContentPoint = ContentPoint(point);
        StopAnimation();
        ::SetFocus(this->m_hWnd);  // an open editor ends here and stores its cell
        ::SetCapture(this->m_hWnd);
    }

    void EndPress() {
        if (m_buttonDown && ::GetCapture() == this->m_hWnd) ::ReleaseCapture();
        m_buttonDown = false;
    }

    // A plain press inside a multiple selection keeps it; the release
    // collapses it to the row.
    bool IsInMultipleSelection(int row) const {
        return IsRowSelected(row) && m_selection.Count() >= 2;
    }

    LRESULT OnLButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        const POINT point = PointOf(lParam);
        BeginPress(point);
        const UINT modifiers = ModifiersOf(wParam);
        int row = -1, cell = -1;
        if (!CellFromPoint(point.x, point.y, row, cell)) {
            m_selection.AnchorRow = -1;
            m_rectangleAllowed = true;
            return 0;
        }
        if (modifiers == 0 && cell != 0) {
            m_rectangleAllowed = true;
            m_selection.AnchorRow = row;
        }
        if (modifiers != 0 || !IsInMultipleSelection(row)) SelectRow(row, cell, modifiers);
        PressCell(row, cell);
        return 0;
    }

    // Check cells toggle, link cells report the click.
    void PressCell(int row, int cell) {
        const int id = GetColumnId(cell);
        if (Self().GetCellFlags(row, id) & CELLF_READONLY) return;
        if (ToggleCell(row, cell)) {
            m_rectangleAllowed = false;
        } else if (Self().GetCellKind(row, id) == CELL_LINK) {
            ::SetCursor(m_linkCursor.Get());
            m_rectangleAllowed = false;
            SendCellNotify(row, cell, GLN_LINKCLICK);
        }
    }

    LRESULT OnLButtonUp(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        EndPress();
        m_rectangleAllowed = false;
        m_downPoint = POINT{};
        if (m_rectangleActive) {
            EndRectangle();
            return 0;
        }
        const POINT point = PointOf(lParam);
        int row = -1, cell = -1;
        const bool onCell = CellFromPoint(point.x, point.y, row, cell);
        if (onCell && ModifiersOf(wParam) == 0 && IsInMultipleSelection(row))
            SelectRow(row, cell, 0);
        NotifyAt(onCell, row, cell, GLN_LEFTCLICK);
        return 0;
    }

    // The second click acts as a press again (a check cell toggles back).
    LRESULT OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL&) {
        HideTitleTip(true);
        ::SendMessageW(this->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        const POINT point = PointOf(lParam);
        int row = -1, cell = -1;
        const bool onCell = CellFromPoint(point.x, point.y, row, cell);
        NotifyAt(onCell, row, cell, GLN_DOUBLECLICK);
        return 0;
    }

    LRESULT OnRButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        StopAnimation();
        ::SetFocus(this->m_hWnd);
        HideTitleTip(true);
        const POINT point = PointOf(lParam);
        int row = -1, cell = -1;
        if (CellFromPoint(point.x, point.y, row, cell) && !IsRowSelected(row))
            SelectRow(row, cell, ModifiersOf(wParam));
        return 0;
    }

    LRESULT OnRButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
        const POINT point = PointOf(lParam);
        int row = -1, cell = -1;
        const bool onCell = CellFromPoint(point.x, point.y, row, cell);
        if (!onCell) ClearSelection();
        NotifyAt(onCell, row, cell, GLN_RIGHTCLICK);
        return 0;
    }

    void NotifyAt(bool onCell, int row, int cell, int code) {
        SendCellNotify(onCell ? row : -1, onCell ? cell : -1, code);
    }

    LRESULT OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        const POINT point = PointOf(lParam);
        if (!(wParam & MK_LBUTTON)) {
            EndPress();  // the button came up where the list did not see it
            TrackMouseLeave();
            TrackHotCell(point);
        } else if (m_buttonDown) {
            DragFrom(point, wParam);
        }
        return 0;
    }

    LRESULT OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&) {
        m_mouseTracked = false;
        m_hotRow = m_hotCell = -1;
        Invalidate();
        return 0;
    }

    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL&) {
        EndPress();
        if (m_rectangleActive) EndRectangle();
        HideTitleTip(true);
        if (m_dropArrows.IsWindow()) ::ShowWindow(m_dropArrows.m_hWnd, SW_HIDE);
        return 0;
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam != TIMER_RECTANGLE_SCROLL) {
            bHandled = FALSE;
            return 0;
        }
        if (!m_rectangleActive) {
            ::KillTimer(this->m_hWnd, TIMER_RECTANGLE_SCROLL);
            return 0;
        }
        POINT point;
        ::GetCursorPos(&point);
        ::ScreenToClient(this->m_hWnd, &point);
        StretchRectangle(point);
        return 0;
    }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        ::KillTimer(this->m_hWnd, TIMER_RECTANGLE_SCROLL);
        bHandled = FALSE;
        return 0;
    }

    void TrackMouseLeave() {
        if (m_mouseTracked) return;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, this->m_hWnd, 0};
        m_mouseTracked = ::_TrackMouseEvent(&track) != FALSE;
    }

    // ---- Selection rectangle --------------------------------------------

    // A drag of more than 3 pixels draws the selection rectangle, or with
    // DragSelectsRows from a row's first cell (or with Shift or Ctrl)
    // selects each row it passes.
    void DragFrom(POINT point, WPARAM wParam) {
        if (!m_rectangleActive) {
            if (std::abs(point.x - m_downPoint.x) <= 3 && std::abs(point.y - m_downPoint.y) <= 3)
                return;
            if (!m_rectangleAllowed && Options.DragSelectsRows) {
                int row = -1, cell = -1;
                CellFromPoint(point.x, point.y, row, cell);
                if (row != -1 && !IsRowSelected(row)) SelectRow(row, cell, ModifiersOf(wParam));
                return;
            }
            if (Options.SingleSelect || m_editActive) return;
            m_rectangleActive = true;
        }
        StretchRectangle(point);
    }

    void StretchRectangle(POINT point) {
        if (UpdateRectangle(point)) {
            ::SetTimer(this->m_hWnd, TIMER_RECTANGLE_SCROLL, 20, nullptr);
            const DWORD now = ::GetTickCount();
            if (now - m_lastAutoScroll > 10) {
                m_lastAutoScroll = now;
                if (AutoScroll(point)) UpdateRectangle(point);
            }
        }
        ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    // The rectangle from the press to the point, and the rows it touches
    // as the selection; false while it is empty.
    bool UpdateRectangle(POINT point) {
        const POINT here = ContentPoint(point);
        m_selectionRect = RECT{std::min(m_downContentPoint.x, here.x),
                               std::min(m_downContentPoint.y, here.y),
                               std::max(m_downContentPoint.x, here.x),
                               std::max(m_downContentPoint.y, here.y)};
        if (::IsRectEmpty(&m_selectionRect)) return false;
        if (m_selectionRect.left >= m_contentWidth || m_rowHeight <= 0) {
            m_selection.SelectSpan(0, -1);
            return true;
        }
        const int first = RowAtContentY(m_selectionRect.top - ItemTop());
        const int last = RowAtContentY(m_selectionRect.bottom - ItemTop());
        m_selection.SelectSpan(std::max(first, 0), std::min(last, Self().GetItemCount() - 1));
        return true;
    }

    // A client point in content coordinates, where row r starts at
    // ItemTop() + r * RowHeight.
    POINT ContentPoint(POINT point) const {
        return POINT{point.x + ScrollPosition(SB_HORZ), point.y + RowScrollOffset()};
    }

    // The row at a height below the top of row 0 (negative above it).
    int RowAtContentY(int y) const {
        return y >= 0 ? y / m_rowHeight : -((-y + m_rowHeight - 1) / m_rowHeight);
    }

    // Outside the item area the view follows the mouse a line at a time.
    bool AutoScroll(POINT point) {
        const RECT client = ClientRect();
        const int vertical = ScrollPosition(SB_VERT), horizontal = ScrollPosition(SB_HORZ);
        if (point.y < ItemTop())
            ::SendMessageW(this->m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
        else if (point.y > client.bottom)
            ::SendMessageW(this->m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
        if (point.x < 0)
            ::SendMessageW(this->m_hWnd, WM_HSCROLL, SB_LINELEFT, 0);
        else if (point.x > client.right)
            ::SendMessageW(this->m_hWnd, WM_HSCROLL, SB_LINERIGHT, 0);
        return ScrollPosition(SB_VERT) != vertical || ScrollPosition(SB_HORZ) != horizontal;
    }

    void EndRectangle() {
        m_rectangleActive = false;
        ::KillTimer(this->m_hWnd, TIMER_RECTANGLE_SCROLL);
        Invalidate();
    }

    // ---- Hot cell, cell tooltip, title tip -------------------------------

    void TrackHotCell(POINT point) {
        int row = -1, cell = -1;
        if (!CellFromPoint(point.x, point.y, row, cell)) {
            LeaveCells();
            return;
        }
        if (row != m_hotRow || cell != m_hotCell) {
            RedrawIfLink(m_hotRow, m_hotCell);
            m_hotRow = row;
            m_hotCell = cell;
            RedrawIfLink(row, cell);
            SetCellToolTip(row, cell);
        }
        if (IsLiveLink(row, cell)) ::SetCursor(m_linkCursor.Get());
        UpdateTitleTip(point.x, point.y, row, cell);
    }

    void LeaveCells() {
        RedrawIfLink(m_hotRow, m_hotCell);
        RemoveCellToolTip();
        m_hotRow = m_hotCell = -1;
        HideTitleTip(true);
    }

    // A link cell that reacts to the mouse: underlined while hot.
    bool IsLiveLink(int row, int cell) const {
        if (row == -1 || cell == -1) return false;
        const int id = GetColumnId(cell);
        return Self().GetCellKind(row, id) == CELL_LINK &&
               !(Self().GetCellFlags(row, id) & CELLF_READONLY);
    }

    void RedrawIfLink(int row, int cell) {
        if (IsLiveLink(row, cell)) RedrawCell(row, cell);
    }

    // One tool over the hot cell's row, with the cell's own tooltip text.
    void SetCellToolTip(int row, int cell) {
        RemoveCellToolTip();
        std::wstring text = Self().GetCellToolTip(row, GetColumnId(cell));
        RECT rect;
        if (m_toolTip == nullptr || text.empty() || !GetCellRect(row, -1, rect)) return;
        if (text.size() > 0x7FFF) text.resize(0x7FFF);
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = this->m_hWnd;
        tool.uId = TOOL_CELL;
        tool.rect = rect;
        tool.lpszText = &text[0];
        ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
        ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    void RemoveCellToolTip() {
        if (m_toolTip == nullptr) return;
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = this->m_hWnd;
        tool.uId = TOOL_CELL;
        ::SendMessageW(m_toolTip, TTM_ACTIVATE, FALSE, 0);
        ::SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // Images and bars have no text to show in full.
    std::wstring TitleTipText(int row, int id) const {
        switch (Self().GetCellKind(row, id)) {
        case CELL_DATETIME:
            return FormatCellDateTime(row, id);
        case CELL_CHECK:
        case CELL_TRISTATE:
        case CELL_PROGRESS:
            return std::wstring();
        default:
            return Self().GetItemText(row, id);
        }
    }

    bool m_buttonDown = false;
    POINT m_downPoint{};         // client coordinates of the press
    POINT m_downContentPoint{};  // the same plus the scroll positions
    bool m_rectangleAllowed = false;
    bool m_mouseTracked = false;
    DWORD m_lastAutoScroll = 0;
};
