#include "listctrl/grid/CListHeaderInput.h"

bool CListHeaderInput::SortByColumn(int position) {
    if (!Options.ShowHeader || !Options.SortEnabled || !IsColumn(position)) return false;
    const int id = GetColumnId(position);
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    if (id == Options.SortColumnId) {
        Options.SortAscending = !Options.SortAscending;
        ReverseRows();
    } else {
        Options.SortAscending = true;
        Options.SortColumnId = id;
        SortRowsBy(id);
    }
    ClearSelection();
    ::SetCursor(previous);
    return true;
}

bool CListHeaderInput::IsInBand(POINT point) const {
    return Options.ShowHeader && point.y >= 0 && point.y < m_headerHeight;
}

int CListHeaderInput::ResizableAt(POINT point) const {
    int position = -1;
    unsigned zone = 0;
    if (!IsInBand(point) || !HeaderFromPoint(point.x, point.y, position, zone) ||
        !(zone & ZONE_DIVIDER) || m_columns[position].Fixed)
        return -1;
    return position;
}

LRESULT CListHeaderInput::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    const POINT point = PointOf(lParam);
    if (!IsInBand(point)) {
        bHandled = FALSE;
        return 0;
    }
    BeginPress(point);
    const int resizable = ResizableAt(point);
    int position = -1;
    unsigned zone = 0;
    if (resizable != -1) {
        ::SetCursor(m_dividerCursor.Get());
        m_resizing = true;
        m_resizeColumn = resizable;
        m_startWidth = GetColumnWidth(resizable);
        m_startX = ScreenX(point);
    } else if (HeaderFromPoint(point.x, point.y, position, zone)) {
        SetPressedColumn(position);
    }
    return 0;
}

LRESULT CListHeaderInput::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (IsPressing()) {
        if (!m_resizing) SortByColumn(GetPressedColumn());
        EndHeaderPress();
    }
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    int position = -1;
    unsigned zone = 0;
    const POINT point = PointOf(lParam);
    if (IsInBand(point) && HeaderFromPoint(point.x, point.y, position, zone) &&
        (zone & ZONE_DIVIDER))
        FitColumnToContent(position);
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const POINT point = PointOf(lParam);
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
    SetHotColumn(-1);
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (IsPressing()) EndHeaderPress();
    bHandled = FALSE;
    return 0;
}

LRESULT CListHeaderInput::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    ::KillTimer(m_hWnd, TIMER_AUTO_SHRINK);
    bHandled = FALSE;
    return 0;
}

void CListHeaderInput::TrackBand(POINT point) {
    int position = -1;
    unsigned zone = 0;
    const bool inBand = IsInBand(point);
    if (inBand) HeaderFromPoint(point.x, point.y, position, zone);
    SetHotColumn(inBand && IsThemed() ? position : -1);
    if (!inBand) return;
    HideTitleTip(true);
    if (ResizableAt(point) != -1) ::SetCursor(m_dividerCursor.Get());
}

void CListHeaderInput::FollowPress(POINT point) {
    if (m_resizing) {
        FollowResize(ScreenX(point));
    } else if (std::abs(point.x - m_downPoint.x) > 4 || std::abs(point.y - m_downPoint.y) > 4) {
        BeginColumnDrag(GetPressedColumn());
    }
}

void CListHeaderInput::EndHeaderPress() {
    m_resizing = false;
    m_resizeColumn = -1;
    SetPressedColumn(-1);
    m_startWidth = m_startX = 0;
    RedrawHeader();
}

int CListHeaderInput::ScreenX(POINT point) const {
    ::ClientToScreen(m_hWnd, &point);
    return point.x;
}

int CListHeaderInput::CursorX() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return cursor.x;
}

bool CListHeaderInput::IsAtRightEnd() const {
    return IsHorzBarInUse() &&
           ScrollPosition(SB_HORZ) >= m_contentWidth - ClientRect().right - 1;
}

void CListHeaderInput::FollowResize(int x) {
    if (m_autoShrink) return;
    const int width = std::max(m_startWidth + (x - m_startX), 0);
    if (width < GetColumnWidth(m_resizeColumn) && IsAtRightEnd()) {
        m_autoShrink = true;
        m_autoShrinkOrigin = x;
        ::SetTimer(m_hWnd, TIMER_AUTO_SHRINK, 20, nullptr);
        return;
    }
    SetColumnWidth(m_resizeColumn, width);
}

LRESULT CListHeaderInput::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam != TIMER_AUTO_SHRINK) {
        bHandled = FALSE;
        return 0;
    }
    const int x = CursorX();
    if (!m_resizing || !IsHorzBarInUse() || x > m_autoShrinkOrigin) {
        ::KillTimer(m_hWnd, TIMER_AUTO_SHRINK);
        m_autoShrink = false;
        m_startX = x;
    } else if (x < m_startX && IsAtRightEnd()) {
        m_startWidth = std::max(GetColumnWidth(m_resizeColumn) + (x - m_autoShrinkOrigin), 0);
        SetColumnWidth(m_resizeColumn, m_startWidth);
    }
    return 0;
}
