#include "listctrl/grid/CListMouse.h"

LRESULT CListMouse::RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const DWORD position = ::GetMessagePos();
    const MSG message{m_hWnd, uMsg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                      {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
    m_titleTips.Relay(message);
    bHandled = FALSE;
    return 0;
}

void CListMouse::UpdateTitleTip(int x, int y, int row, int cell) {
    if (m_editActive || m_titleTips.IsShownFor(row, cell)) return;
    RECT text;
    if (!GetCellRect(row, cell, text)) {
        HideTitleTip(true);
        return;
    }
    text = CellTextRect(text, cell);
    if (!::PtInRect(&text, POINT{x, y})) return;
    const int id = GetColumnId(cell);
    const std::wstring shown = TitleTipText(row, id);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&text), 2);
    m_titleTips.Show(row, cell, text, shown, CellToolTip(row, id));
}

POINT CListMouse::PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

UINT CListMouse::ModifiersOf(WPARAM wParam) {
    return static_cast<UINT>(wParam) & (MK_SHIFT | MK_CONTROL);
}

void CListMouse::BeginPress(POINT point) {
    HideTitleTip(true);
    m_buttonDown = true;
    m_downPoint = point;
    m_downContentPoint = ContentPoint(point);
    StopAnimation();
    ::SetFocus(m_hWnd);  // an open editor ends here and stores its cell
    ::SetCapture(m_hWnd);
}

void CListMouse::EndPress() {
    if (m_buttonDown && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_buttonDown = false;
}

bool CListMouse::IsInMultipleSelection(int row) const {
    return IsRowSelected(row) && m_selection.Count() >= 2;
}

LRESULT CListMouse::OnLButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
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

void CListMouse::PressCell(int row, int cell) {
    const int id = GetColumnId(cell);
    if (CellFlags(row, id) & CELLF_READONLY) return;
    if (ToggleCell(row, cell)) {
        m_rectangleAllowed = false;
    } else if (CellKind(row, id) == CELL_LINK) {
        ::SetCursor(m_linkCursor.Get());
        m_rectangleAllowed = false;
        SendCellNotify(row, cell, GLN_LINKCLICK);
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
    const bool onCell = CellFromPoint(point.x, point.y, row, cell);
    if (onCell && ModifiersOf(wParam) == 0 && IsInMultipleSelection(row))
        SelectRow(row, cell, 0);
    NotifyAt(onCell, row, cell, GLN_LEFTCLICK);
    return 0;
}

LRESULT CListMouse::OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL&) {
    HideTitleTip(true);
    ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    const bool onCell = CellFromPoint(point.x, point.y, row, cell);
    NotifyAt(onCell, row, cell, GLN_DOUBLECLICK);
    return 0;
}

LRESULT CListMouse::OnRButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    StopAnimation();
    ::SetFocus(m_hWnd);
    HideTitleTip(true);
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    if (CellFromPoint(point.x, point.y, row, cell) && !IsRowSelected(row))
        SelectRow(row, cell, ModifiersOf(wParam));
    return 0;
}

LRESULT CListMouse::OnRButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&) {
    const POINT point = PointOf(lParam);
    int row = -1, cell = -1;
    const bool onCell = CellFromPoint(point.x, point.y, row, cell);
    if (!onCell) ClearSelection();
    NotifyAt(onCell, row, cell, GLN_RIGHTCLICK);
    return 0;
}

void CListMouse::NotifyAt(bool onCell, int row, int cell, int code) {
    SendCellNotify(onCell ? row : -1, onCell ? cell : -1, code);
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
    SetHotCell(-1, -1);
    Invalidate();
    return 0;
}

LRESULT CListMouse::OnCancelMode(UINT, WPARAM, LPARAM, BOOL&) {
    EndPress();
    if (m_rectangleActive) EndRectangle();
    HideTitleTip(true);
    return 0;
}

LRESULT CListMouse::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam != TIMER_RECTANGLE_SCROLL) {
        bHandled = FALSE;
        return 0;
    }
    if (!m_rectangleActive) {
        ::KillTimer(m_hWnd, TIMER_RECTANGLE_SCROLL);
        return 0;
    }
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    StretchRectangle(point);
    return 0;
}

LRESULT CListMouse::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    ::KillTimer(m_hWnd, TIMER_RECTANGLE_SCROLL);
    bHandled = FALSE;
    return 0;
}

void CListMouse::TrackMouseLeave() {
    if (m_mouseTracked) return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
    m_mouseTracked = ::_TrackMouseEvent(&track) != FALSE;
}

void CListMouse::DragFrom(POINT point, WPARAM wParam) {
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

void CListMouse::StretchRectangle(POINT point) {
    if (UpdateRectangle(point)) {
        ::SetTimer(m_hWnd, TIMER_RECTANGLE_SCROLL, 20, nullptr);
        const DWORD now = ::GetTickCount();
        if (now - m_lastAutoScroll > 10) {
            m_lastAutoScroll = now;
            if (AutoScroll(point)) UpdateRectangle(point);
        }
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool CListMouse::UpdateRectangle(POINT point) {
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
    m_selection.SelectSpan(std::max(first, 0), std::min(last, RowCount() - 1));
    return true;
}

POINT CListMouse::ContentPoint(POINT point) const {
    return POINT{point.x + ScrollPosition(SB_HORZ), point.y + RowScrollOffset()};
}

int CListMouse::RowAtContentY(int y) const {
    return y >= 0 ? y / m_rowHeight : -((-y + m_rowHeight - 1) / m_rowHeight);
}

bool CListMouse::AutoScroll(POINT point) {
    const RECT client = ClientRect();
    const int vertical = ScrollPosition(SB_VERT), horizontal = ScrollPosition(SB_HORZ);
    if (point.y < ItemTop())
        ::SendMessageW(m_hWnd, WM_VSCROLL, SB_LINEUP, 0);
    else if (point.y > client.bottom)
        ::SendMessageW(m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    if (point.x < 0)
        ::SendMessageW(m_hWnd, WM_HSCROLL, SB_LINELEFT, 0);
    else if (point.x > client.right)
        ::SendMessageW(m_hWnd, WM_HSCROLL, SB_LINERIGHT, 0);
    return ScrollPosition(SB_VERT) != vertical || ScrollPosition(SB_HORZ) != horizontal;
}

void CListMouse::EndRectangle() {
    m_rectangleActive = false;
    ::KillTimer(m_hWnd, TIMER_RECTANGLE_SCROLL);
    Invalidate();
}

void CListMouse::TrackHotCell(POINT point) {
    int row = -1, cell = -1;
    if (!CellFromPoint(point.x, point.y, row, cell)) {
        LeaveCells();
        return;
    }
    if (row != GetHotRow() || cell != GetHotCell()) {
        RedrawIfLink(GetHotRow(), GetHotCell());
        SetHotCell(row, cell);
        RedrawIfLink(row, cell);
        SetCellToolTip(row, cell);
    }
    if (IsLiveLink(row, cell)) ::SetCursor(m_linkCursor.Get());
    UpdateTitleTip(point.x, point.y, row, cell);
}

void CListMouse::LeaveCells() {
    RedrawIfLink(GetHotRow(), GetHotCell());
    m_titleTips.RemoveCellToolTip();
    SetHotCell(-1, -1);
    HideTitleTip(true);
}

bool CListMouse::IsLiveLink(int row, int cell) const {
    if (row == -1 || cell == -1) return false;
    const int id = GetColumnId(cell);
    return CellKind(row, id) == CELL_LINK &&
           !(CellFlags(row, id) & CELLF_READONLY);
}

void CListMouse::RedrawIfLink(int row, int cell) {
    if (IsLiveLink(row, cell)) RedrawCell(row, cell);
}

void CListMouse::SetCellToolTip(int row, int cell) {
    RECT rect;
    if (GetCellRect(row, -1, rect))
        m_titleTips.SetCellToolTip(rect, CellToolTip(row, GetColumnId(cell)));
    else
        m_titleTips.RemoveCellToolTip();
}

std::wstring CListMouse::TitleTipText(int row, int id) const {
    switch (CellKind(row, id)) {
    case CELL_DATETIME:
        return FormatCellDateTime(row, id);
    case CELL_CHECK:
    case CELL_TRISTATE:
    case CELL_PROGRESS:
        return std::wstring();
    default:
        return CellText(row, id);
    }
}
