#include "listctrl/grid/CListMouse.h"

#include <algorithm>
#include <cstdlib>

#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListEditing.h"
#include "listctrl/grid/CListPainter.h"
#include "listctrl/grid/CListScroller.h"
#include "listctrl/grid/CListTitleTips.h"

void CListMouse::UpdateTitleTip(int x, int y, int row, int cell) {
    if (m_grid.IsEditActive() || m_titleTips.IsShownFor(row, cell)) return;
    RECT text;
    if (!m_grid.GetCellRect(row, cell, text)) {
        m_grid.HideTitleTip(true);
        return;
    }
    text = m_grid.CellTextRect(text, cell);
    if (!::PtInRect(&text, POINT{x, y})) return;
    const int id = m_grid.GetColumnId(cell);
    const std::wstring shown = TitleTipText(row, id);
    ::MapWindowPoints(m_grid.m_hWnd, nullptr, reinterpret_cast<POINT*>(&text), 2);
    m_titleTips.Show(row, cell, text, shown, m_grid.Rows().CellToolTip(row, id));
}

POINT CListMouse::PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

UINT CListMouse::ModifiersOf(WPARAM wParam) {
    return static_cast<UINT>(wParam) & (MK_SHIFT | MK_CONTROL);
}

void CListMouse::BeginPress(POINT point) {
    m_grid.HideTitleTip(true);
    m_buttonDown = true;
    m_downPoint = point;
    m_downContentPoint = ContentPoint(point);
    m_scroller.StopAnimation();
    ::SetFocus(m_grid.m_hWnd);  // an open editor ends here and stores its cell
    ::SetCapture(m_grid.m_hWnd);
}

void CListMouse::EndPress() {
    if (m_buttonDown && ::GetCapture() == m_grid.m_hWnd) ::ReleaseCapture();
    m_buttonDown = false;
}

bool CListMouse::IsInMultipleSelection(int row) const {
    return m_grid.IsRowSelected(row) && m_grid.GetSelection().Count() >= 2;
}

LRESULT CListMouse::OnLButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    const POINT point = PointOf(lParam);
    BeginPress(point);
    const UINT modifiers = ModifiersOf(wParam);
    int row = -1, cell = -1;
    if (!m_grid.CellFromPoint(point.x, point.y, row, cell)) {
        m_grid.SetAnchorRow(-1);
        m_rectangleAllowed = true;
        return 0;
    }
    if (modifiers == 0 && cell != 0) {
        m_rectangleAllowed = true;
        m_grid.SetAnchorRow(row);
    }
    if (modifiers != 0 || !IsInMultipleSelection(row)) m_editing.SelectRow(row, cell, modifiers);
    PressCell(row, cell);
    return 0;
}

void CListMouse::PressCell(int row, int cell) {
    const int id = m_grid.GetColumnId(cell);
    if (m_grid.Rows().CellFlags(row, id) & CELLF_READONLY) return;
    if (m_editing.ToggleCell(row, cell)) {
        m_rectangleAllowed = false;
    } else if (m_grid.Rows().CellKind(row, id) == CELL_LINK) {
        ::SetCursor(m_grid.GetLinkCursor());
        m_rectangleAllowed = false;
        m_grid.SendCellNotify(row, cell, GLN_LINKCLICK);
    }
}

LRESULT CListMouse::OnLButtonUp(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    EndPress();
    m_rectangleAllowed = false;
    m_downPoint = POINT{};
    if (m_rectangleActive) {
        EndRectangle();
        return 0;
    }
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    const bool onCell = m_grid.CellFromPoint(point.x, point.y, row, cell);
    if (onCell && ModifiersOf(wParam) == 0 && IsInMultipleSelection(row))
        m_editing.SelectRow(row, cell, 0);
    NotifyAt(onCell, row, cell, GLN_LEFTCLICK);
    return 0;
}

LRESULT CListMouse::OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL&) {
    m_grid.HideTitleTip(true);
    ::SendMessageW(m_grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    const bool onCell = m_grid.CellFromPoint(point.x, point.y, row, cell);
    NotifyAt(onCell, row, cell, GLN_DOUBLECLICK);
    return 0;
}

LRESULT CListMouse::OnRButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    m_scroller.StopAnimation();
    ::SetFocus(m_grid.m_hWnd);
    m_grid.HideTitleTip(true);
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    if (m_grid.CellFromPoint(point.x, point.y, row, cell) && !m_grid.IsRowSelected(row))
        m_editing.SelectRow(row, cell, ModifiersOf(wParam));
    return 0;
}

LRESULT CListMouse::OnRButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    const bool onCell = m_grid.CellFromPoint(point.x, point.y, row, cell);
    if (!onCell) m_grid.ClearSelection();
    NotifyAt(onCell, row, cell, GLN_RIGHTCLICK);
    return 0;
}

void CListMouse::NotifyAt(bool onCell, int row, int cell, int code) {
    m_grid.SendCellNotify(onCell ? row : -1, onCell ? cell : -1, code);
}

LRESULT CListMouse::OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
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

LRESULT CListMouse::OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&) {
    m_mouseTracked = false;
    m_painter.SetHotCell(-1, -1);
    m_grid.Invalidate();
    return 0;
}

LRESULT CListMouse::OnCancelMode(UINT, WPARAM, LPARAM, BOOL&) {
    EndPress();
    if (m_rectangleActive) EndRectangle();
    m_grid.HideTitleTip(true);
    return 0;
}

LRESULT CListMouse::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam != TIMER_RECTANGLE_SCROLL) {
        bHandled = FALSE;
        return 0;
    }
    if (!m_rectangleActive) {
        ::KillTimer(m_grid.m_hWnd, TIMER_RECTANGLE_SCROLL);
        return 0;
    }
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_grid.m_hWnd, &point);
    StretchRectangle(point);
    return 0;
}

LRESULT CListMouse::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    ::KillTimer(m_grid.m_hWnd, TIMER_RECTANGLE_SCROLL);
    bHandled = FALSE;
    return 0;
}

void CListMouse::TrackMouseLeave() {
    if (m_mouseTracked) return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_grid.m_hWnd, 0};
    m_mouseTracked = ::_TrackMouseEvent(&track) != FALSE;
}

void CListMouse::DragFrom(POINT point, WPARAM wParam) {
    if (!m_rectangleActive) {
        if (std::abs(point.x - m_downPoint.x) <= 3 && std::abs(point.y - m_downPoint.y) <= 3)
            return;
        if (!m_rectangleAllowed && m_grid.Options.DragSelectsRows) {
            int row = -1, cell = -1;
            m_grid.CellFromPoint(point.x, point.y, row, cell);
            if (row != -1 && !m_grid.IsRowSelected(row))
                m_editing.SelectRow(row, cell, ModifiersOf(wParam));
            return;
        }
        if (m_grid.Options.SingleSelect || m_grid.IsEditActive()) return;
        m_rectangleActive = true;
    }
    StretchRectangle(point);
}

void CListMouse::StretchRectangle(POINT point) {
    if (UpdateRectangle(point)) {
        ::SetTimer(m_grid.m_hWnd, TIMER_RECTANGLE_SCROLL, 20, nullptr);
        const DWORD now = ::GetTickCount();
        if (now - m_lastAutoScroll > 10) {
            m_lastAutoScroll = now;
            if (AutoScroll(point)) UpdateRectangle(point);
        }
    }
    ::RedrawWindow(m_grid.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool CListMouse::UpdateRectangle(POINT point) {
    const POINT here = ContentPoint(point);
    m_selectionRect = RECT{std::min(m_downContentPoint.x, here.x),
                           std::min(m_downContentPoint.y, here.y),
                           std::max(m_downContentPoint.x, here.x),
                           std::max(m_downContentPoint.y, here.y)};
    if (::IsRectEmpty(&m_selectionRect)) return false;
    if (m_selectionRect.left > m_grid.GetContentWidth(false) || m_grid.GetRowHeight() <= 0) {
        m_grid.SelectSpan(0, -1);
        return true;
    }
    const int first = RowAtContentY(m_selectionRect.top - m_grid.ItemTop());
    const int last = RowAtContentY(m_selectionRect.bottom - m_grid.ItemTop());
    m_grid.SelectSpan(std::max(first, 0), std::min(last, m_grid.Rows().RowCount() - 1));
    return true;
}

POINT CListMouse::ContentPoint(POINT point) const {
    return POINT{point.x + m_grid.ScrollPosition(SB_HORZ), point.y + m_grid.RowScrollOffset()};
}

int CListMouse::RowAtContentY(int y) const {
    const int height = m_grid.GetRowHeight();
    return y >= 0 ? y / height : -((-y + height - 1) / height);
}

bool CListMouse::AutoScroll(POINT point) {
    const RECT client = m_grid.ClientRect();
    const int vertical = m_grid.ScrollPosition(SB_VERT);
    const int horizontal = m_grid.ScrollPosition(SB_HORZ);
    if (point.y < m_grid.ItemTop())
        ::SendMessageW(m_grid.m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
    else if (point.y > client.bottom)
        ::SendMessageW(m_grid.m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    if (point.x < 0)
        ::SendMessageW(m_grid.m_hWnd, WM_HSCROLL, SB_LINELEFT, 0);
    else if (point.x > client.right)
        ::SendMessageW(m_grid.m_hWnd, WM_HSCROLL, SB_LINERIGHT, 0);
    return m_grid.ScrollPosition(SB_VERT) != vertical ||
           m_grid.ScrollPosition(SB_HORZ) != horizontal;
}

void CListMouse::EndRectangle() {
    m_rectangleActive = false;
    ::KillTimer(m_grid.m_hWnd, TIMER_RECTANGLE_SCROLL);
    m_grid.Invalidate();
}

void CListMouse::TrackHotCell(POINT point) {
    int row = -1, cell = -1;
    if (!m_grid.CellFromPoint(point.x, point.y, row, cell)) {
        LeaveCells();
        return;
    }
    if (row != m_painter.GetHotRow() || cell != m_painter.GetHotCell()) {
        RedrawIfLink(m_painter.GetHotRow(), m_painter.GetHotCell());
        m_painter.SetHotCell(row, cell);
        RedrawIfLink(row, cell);
        SetCellToolTip(row, cell);
    }
    if (IsLiveLink(row, cell)) ::SetCursor(m_grid.GetLinkCursor());
    UpdateTitleTip(point.x, point.y, row, cell);
}

void CListMouse::LeaveCells() {
    RedrawIfLink(m_painter.GetHotRow(), m_painter.GetHotCell());
    m_titleTips.RemoveCellToolTip();
    m_painter.SetHotCell(-1, -1);
    m_grid.HideTitleTip(true);
}

bool CListMouse::IsLiveLink(int row, int cell) const {
    if (row == -1 || cell == -1) return false;
    const int id = m_grid.GetColumnId(cell);
    return m_grid.Rows().CellKind(row, id) == CELL_LINK &&
           !(m_grid.Rows().CellFlags(row, id) & CELLF_READONLY);
}

void CListMouse::RedrawIfLink(int row, int cell) {
    if (IsLiveLink(row, cell)) m_grid.RedrawCell(row, cell);
}

void CListMouse::SetCellToolTip(int row, int cell) {
    RECT rect;
    if (m_grid.GetCellRect(row, -1, rect))
        m_titleTips.SetCellToolTip(rect, m_grid.Rows().CellToolTip(row, m_grid.GetColumnId(cell)));
    else
        m_titleTips.RemoveCellToolTip();
}

std::wstring CListMouse::TitleTipText(int row, int id) const {
    switch (m_grid.Rows().CellKind(row, id)) {
    case CELL_DATETIME:
        return m_grid.FormatCellDateTime(row, id);
    case CELL_CHECK:
    case CELL_TRISTATE:
    case CELL_PROGRESS:
        return std::wstring();
    default:
        return m_grid.Rows().CellText(row, id);
    }
}

bool CListMouse::GetSelectionRectangle(RECT& rectangle) const {
    if (!m_rectangleActive) return false;
    rectangle = m_selectionRect;
    return true;
}

void CListMouse::SetSelectionRectangle(const RECT* rectangle) {
    m_rectangleActive = rectangle != nullptr;
    if (rectangle) m_selectionRect = *rectangle;
    m_grid.Invalidate();
}
