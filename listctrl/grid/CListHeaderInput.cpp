#include "listctrl/grid/CListHeaderInput.h"

#include <algorithm>
#include <cstdlib>

#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/grid/CListMouse.h"

bool CListHeaderInput::SortByColumn(int position) {
    ListOptions& options = m_grid.Options;
    if (!options.ShowHeader || !options.SortEnabled || !m_grid.IsColumn(position)) return false;
    const int id = m_grid.GetColumnId(position);
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    if (id == options.SortColumnId) {
        options.SortAscending = !options.SortAscending;
        m_grid.Rows().ReverseRows();
    } else {
        options.SortAscending = true;
        options.SortColumnId = id;
        m_grid.Rows().SortRowsBy(id);
    }
    m_grid.ClearSelection();
    ::SetCursor(previous);
    return true;
}

bool CListHeaderInput::IsInBand(POINT point) const {
    return m_grid.Options.ShowHeader && point.y >= 0 && point.y < m_grid.GetHeaderHeight();
}

bool CListHeaderInput::IsPressing() const {
    return m_resizing || m_band.GetPressedColumn() != -1;
}

int CListHeaderInput::ResizableAt(POINT point) const {
    int position = -1;
    unsigned zone = 0;
    if (!IsInBand(point) || !m_band.HeaderFromPoint(point.x, point.y, position, zone) ||
        !(zone & HEADER_ZONE_DIVIDER) || m_grid.IsColumnFixed(position))
        return -1;
    return position;
}

LRESULT CListHeaderInput::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    const POINT point = CListMouse::PointOf(lParam);
    if (!IsInBand(point)) {
        bHandled = FALSE;
        return 0;
    }
    m_mouse.BeginPress(point);
    m_pressPoint = point;
    const int resizable = ResizableAt(point);
    int position = -1;
    unsigned zone = 0;
    if (resizable != -1) {
        ::SetCursor(m_grid.GetDividerCursor());
        m_resizing = true;
        m_resizeColumn = resizable;
        m_startWidth = m_grid.GetColumnWidth(resizable);
        m_startX = ScreenX(point);
    } else if (m_band.HeaderFromPoint(point.x, point.y, position, zone)) {
        m_band.SetPressedColumn(position);
    }
    return 0;
}

LRESULT CListHeaderInput::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (IsPressing()) {
        if (!m_resizing) SortByColumn(m_band.GetPressedColumn());
        EndHeaderPress();
    }
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    int position = -1;
    unsigned zone = 0;
    const POINT point = CListMouse::PointOf(lParam);
    if (IsInBand(point) && m_band.HeaderFromPoint(point.x, point.y, position, zone) &&
        (zone & HEADER_ZONE_DIVIDER))
        m_band.FitColumnToContent(position);
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const POINT point = CListMouse::PointOf(lParam);
    if (IsPressing() && (wParam & MK_LBUTTON)) {
        FollowPress(point);
        return 0;
    }
    if (IsPressing()) EndHeaderPress();  // released where the list did not see it
    if (!(wParam & MK_LBUTTON)) TrackBand(point);
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnMouseLeave(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_band.SetHotColumn(-1);
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (IsPressing()) EndHeaderPress();
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    ::KillTimer(m_grid.m_hWnd, TIMER_AUTO_SHRINK);
    bHandled = FALSE;
    return 0;
}

void CListHeaderInput::TrackBand(POINT point) {
    int position = -1;
    unsigned zone = 0;
    const bool inBand = IsInBand(point);
    if (inBand) m_band.HeaderFromPoint(point.x, point.y, position, zone);
    m_band.SetHotColumn(inBand && m_grid.IsThemed() ? position : -1);
    if (!inBand) return;
    m_grid.HideTitleTip(true);
    if (ResizableAt(point) != -1) ::SetCursor(m_grid.GetDividerCursor());
}

void CListHeaderInput::FollowPress(POINT point) {
    if (m_resizing) {
        FollowResize(ScreenX(point));
    } else if (std::abs(point.x - m_pressPoint.x) > 4 || std::abs(point.y - m_pressPoint.y) > 4) {
        m_columnDrag.DragColumn(m_band.GetPressedColumn());
    }
}

void CListHeaderInput::EndHeaderPress() {
    m_resizing = false;
    m_resizeColumn = -1;
    m_band.SetPressedColumn(-1);
    m_startWidth = m_startX = 0;
    m_grid.RedrawHeader();
}

int CListHeaderInput::ScreenX(POINT point) const {
    ::ClientToScreen(m_grid.m_hWnd, &point);
    return point.x;
}

int CListHeaderInput::CursorX() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return cursor.x;
}

bool CListHeaderInput::IsAtRightEnd() const {
    return m_grid.IsHorzBarInUse() && m_grid.ContentRight() <= m_grid.ClientRect().right;
}

void CListHeaderInput::FollowResize(int x) {
    if (m_autoShrink) return;
    const int width = std::max(m_startWidth + (x - m_startX), 0);
    if (width < m_grid.GetColumnWidth(m_resizeColumn) && IsAtRightEnd()) {
        m_autoShrink = true;
        m_autoShrinkOrigin = x;
        ::SetTimer(m_grid.m_hWnd, TIMER_AUTO_SHRINK, 20, nullptr);
        return;
    }
    m_grid.SetColumnWidth(m_resizeColumn, width);
}

LRESULT CListHeaderInput::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam != TIMER_AUTO_SHRINK) {
        bHandled = FALSE;
        return 0;
    }
    const int x = CursorX();
    if (!m_resizing || !m_grid.IsHorzBarInUse() || x > m_autoShrinkOrigin) {
        ::KillTimer(m_grid.m_hWnd, TIMER_AUTO_SHRINK);
        m_autoShrink = false;
        m_startX = x;
    } else if (x < m_startX && IsAtRightEnd()) {
        m_startWidth =
            std::max(m_grid.GetColumnWidth(m_resizeColumn) + (x - m_autoShrinkOrigin), 0);
        m_grid.SetColumnWidth(m_resizeColumn, m_startWidth);
    }
    return 0;
}
