#include "listctrl/grid/CListScroller.h"

LRESULT CListScroller::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    StopAnimation();
    bHandled = FALSE;
    return 0;
}

LRESULT CListScroller::OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    StopAnimation();
    EndEditByFocus();
    UpdateScrollBars(SB_BOTH, -1, false);
    Invalidate();
    bHandled = FALSE;
    return 0;
}

LRESULT CListScroller::OnVScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
    EndEditByFocus();
    HideTitleTip(true);
    const int request = LOWORD(wParam);
    if (request == SB_ENDSCROLL) {
        m_animationStarted = false;
        return 0;
    }
    const int position = ScrollPosition(SB_VERT);
    int target = 0;
    if (!ScrollArithmetic::VerticalTarget(request, position, m_rowHeight, ItemHeight(),
                                          RowCount(), TrackPosition(SB_VERT),
                                          target))
        return 0;
    const bool animate = Options.SmoothScroll && !m_animationStarted && request <= SB_PAGEDOWN;
    const int oldFirst = FirstVisibleRow();
    StopAnimation();
    UpdateScrollBars(SB_VERT, target, false);
    if (animate) {
        StartAnimation(oldFirst, FirstVisibleRow());
    } else {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return 0;
}

LRESULT CListScroller::OnHScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
    StopAnimation();
    EndEditByFocus();
    HideTitleTip(true);
    int target = 0;
    if (ScrollArithmetic::HorizontalTarget(LOWORD(wParam), ScrollPosition(SB_HORZ),
                                           ClientRect().right, m_contentWidth,
                                           TrackPosition(SB_HORZ), target)) {
        ::SetScrollPos(m_hWnd, SB_HORZ, target, TRUE);
        Invalidate();
    }
    return 0;
}

LRESULT CListScroller::OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
    HideTitleTip(true);
    EndEditByFocus();
    const int target = ScrollArithmetic::WheelTarget(
        ScrollPosition(SB_VERT), GET_WHEEL_DELTA_WPARAM(wParam),
        static_cast<int>(std::min<UINT>(m_wheelLines, 1000)), m_rowHeight);
    UpdateScrollBars(SB_VERT, target, false);
    Invalidate();
    return 0;  // what a window that handles the wheel answers
}

LRESULT CListScroller::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (wParam != TIMER_SCROLL_ANIMATION) {
        bHandled = FALSE;
        return 0;
    }
    if (!m_animation.Tick() || !m_strip) {
        StopAnimation();
        return 0;
    }
    RedrawItemArea();
    return 0;
}

void CListScroller::StartAnimation(int fromRow, int toRow) {
    if (!m_animation.Start(fromRow, toRow, m_rowHeight) || !RenderAnimationStrip()) {
        StopAnimation();
        return;
    }
    m_animationStarted = true;
    ::SetTimer(m_hWnd, TIMER_SCROLL_ANIMATION, 20, nullptr);
    RedrawItemArea();
}

void CListScroller::StopAnimation() {
    if (!m_animation.Running() && !m_strip) return;
    ::KillTimer(m_hWnd, TIMER_SCROLL_ANIMATION);
    m_animation.Stop();
    m_strip.Reset();
    Invalidate();
}

bool CListScroller::RenderAnimationStrip() {
    const RECT client = ClientRect();
    const int rows = GetVisibleRowCount(true) + m_animation.RowDistance();
    const RECT strip{0, 0, client.right, rows * m_rowHeight};
    if (strip.right <= 0 || strip.bottom <= 0) return false;
    HDC screen = ::GetDC(m_hWnd);
    CMemoryDCHandle memory(::CreateCompatibleDC(screen));
    m_strip.Reset(::CreateCompatibleBitmap(screen, strip.right, strip.bottom));
    ::ReleaseDC(m_hWnd, screen);
    if (!memory || !m_strip) return false;
    HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
    ListDrawing::FillSolid(memory.Get(), strip, m_colors.Background);
    ::SetBkMode(memory.Get(), TRANSPARENT);
    const int left = -ScrollPosition(SB_HORZ);
    const bool focused = HasFocus();
    for (int row = m_animation.TopRow(), y = 0; row < RowCount() && y < strip.bottom;
         ++row, y += m_rowHeight)
        PaintRow(memory.Get(), row, RECT{left, y, left + m_contentWidth - 1, y + m_rowHeight},
                 strip, focused);
    ::SelectObject(memory.Get(), old);
    return true;
}

void CListScroller::PaintAnimationFrame(HDC hdc) {
    CMemoryDCHandle memory(::CreateCompatibleDC(hdc));
    if (!memory) return;
    BITMAP info{};
    ::GetObjectW(m_strip.Get(), sizeof(info), &info);
    HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
    const int source =
        m_animation.SourceY(info.bmHeight, GetVisibleRowCount(true), m_rowHeight);
    ::BitBlt(hdc, 0, ItemTop(), info.bmWidth, ItemHeight(), memory.Get(), 0, source, SRCCOPY);
    ::SelectObject(memory.Get(), old);
}

void CListScroller::RedrawItemArea() {
    RECT area = ClientRect();
    area.top = ItemTop();
    ::RedrawWindow(m_hWnd, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
