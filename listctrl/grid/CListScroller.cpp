#include "listctrl/grid/CListScroller.h"

#include <algorithm>

#include "listctrl/drawing/ListDrawing.h"
#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListPainter.h"
#include "listctrl/rules/ScrollArithmetic.h"

LRESULT CListScroller::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    StopAnimation();
    bHandled = FALSE;
    return 0;
}

LRESULT CListScroller::OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    StopAnimation();
    m_grid.EndEditByFocus();
    m_grid.UpdateScrollBars(SB_BOTH, -1, false);
    m_grid.Invalidate();
    bHandled = FALSE;
    return 0;
}

LRESULT CListScroller::OnVScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
    m_grid.EndEditByFocus();
    m_grid.HideTitleTip(true);
    const int request = LOWORD(wParam);
    if (request == SB_ENDSCROLL) {
        m_animationStarted = false;
        return 0;
    }
    const int position = m_grid.ScrollPosition(SB_VERT);
    int target = 0;
    if (!ScrollArithmetic::VerticalTarget(request, position, m_grid.GetRowHeight(),
                                          m_grid.ItemHeight(), m_grid.Rows().RowCount(),
                                          m_grid.TrackPosition(SB_VERT), target))
        return 0;
    const bool animate =
        m_grid.Options.SmoothScroll && !m_animationStarted && request <= SB_PAGEDOWN;
    const int oldFirst = m_grid.FirstVisibleRow();
    StopAnimation();
    m_grid.UpdateScrollBars(SB_VERT, target, false);
    if (animate) {
        StartAnimation(oldFirst, m_grid.FirstVisibleRow());
    } else {
        ::RedrawWindow(m_grid.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return 0;
}

LRESULT CListScroller::OnHScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
    StopAnimation();
    m_grid.EndEditByFocus();
    m_grid.HideTitleTip(true);
    int target = 0;
    if (ScrollArithmetic::HorizontalTarget(
            LOWORD(wParam), m_grid.ScrollPosition(SB_HORZ), m_grid.ClientRect().right,
            m_grid.GetContentWidth(false) + 1, m_grid.TrackPosition(SB_HORZ), target)) {
        ::SetScrollPos(m_grid.m_hWnd, SB_HORZ, target, TRUE);
        m_grid.Invalidate();
    }
    return 0;
}

LRESULT CListScroller::OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
    m_grid.HideTitleTip(true);
    m_grid.EndEditByFocus();
    const int target = ScrollArithmetic::WheelTarget(
        m_grid.ScrollPosition(SB_VERT), GET_WHEEL_DELTA_WPARAM(wParam),
        static_cast<int>(std::min<UINT>(m_grid.GetWheelLines(), 1000)), m_grid.GetRowHeight());
    m_grid.UpdateScrollBars(SB_VERT, target, false);
    m_grid.Invalidate();
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
    if (!m_animation.Start(fromRow, toRow, m_grid.GetRowHeight()) || !RenderAnimationStrip()) {
        StopAnimation();
        return;
    }
    m_animationStarted = true;
    ::SetTimer(m_grid.m_hWnd, TIMER_SCROLL_ANIMATION, 20, nullptr);
    RedrawItemArea();
}

void CListScroller::StopAnimation() {
    if (!m_animation.Running() && !m_strip) return;
    ::KillTimer(m_grid.m_hWnd, TIMER_SCROLL_ANIMATION);
    m_animation.Stop();
    m_strip.Reset();
    m_grid.Invalidate();
}

bool CListScroller::RenderAnimationStrip() {
    const RECT client = m_grid.ClientRect();
    const int height = m_grid.GetRowHeight();
    const int rows = m_grid.GetVisibleRowCount(true) + m_animation.RowDistance();
    const RECT strip{0, 0, client.right, rows * height};
    if (strip.right <= 0 || strip.bottom <= 0) return false;
    HDC screen = ::GetDC(m_grid.m_hWnd);
    CMemoryDCHandle memory(::CreateCompatibleDC(screen));
    m_strip.Reset(::CreateCompatibleBitmap(screen, strip.right, strip.bottom));
    ::ReleaseDC(m_grid.m_hWnd, screen);
    if (!memory || !m_strip) return false;
    HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
    ListDrawing::FillSolid(memory.Get(), strip, m_grid.GetBackgroundColor());
    ::SetBkMode(memory.Get(), TRANSPARENT);
    const int left = -m_grid.ScrollPosition(SB_HORZ);
    const int right = left + m_grid.GetContentWidth(false);
    const int rowCount = m_grid.Rows().RowCount();
    const bool focused = m_grid.HasFocus();
    for (int row = m_animation.TopRow(), y = 0; row < rowCount && y < strip.bottom;
         ++row, y += height)
        m_painter.PaintRow(memory.Get(), row, RECT{left, y, right, y + height}, strip, focused);
    ::SelectObject(memory.Get(), old);
    return true;
}

bool CListScroller::PaintAnimationFrame(HDC hdc) {
    if (!m_strip) return false;
    CMemoryDCHandle memory(::CreateCompatibleDC(hdc));
    if (!memory) return true;
    BITMAP info{};
    ::GetObjectW(m_strip.Get(), sizeof(info), &info);
    HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
    const int source =
        m_animation.SourceY(info.bmHeight, m_grid.GetVisibleRowCount(true), m_grid.GetRowHeight());
    ::BitBlt(hdc, 0, m_grid.ItemTop(), info.bmWidth, m_grid.ItemHeight(), memory.Get(), 0,
             source, SRCCOPY);
    ::SelectObject(memory.Get(), old);
    return true;
}

void CListScroller::RedrawItemArea() {
    RECT area = m_grid.ClientRect();
    area.top = m_grid.ItemTop();
    ::RedrawWindow(m_grid.m_hWnd, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
