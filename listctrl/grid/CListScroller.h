#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/drawing/ListDrawing.h"
#include "listctrl/rules/ScrollAnimation.h"
#include "listctrl/rules/ScrollArithmetic.h"

// The scroll bars, the mouse wheel and the animated vertical scroll.
template <class T>
class CListScroller : public CListHeaderBand<T> {
public:
    using Base = CListHeaderBand<T>;
    using Base::GetVisibleRowCount;
    using Base::HideTitleTip;
    using Base::Options;
    using Base::UpdateScrollBars;

protected:
    using Base::ClientRect;
    using Base::EndEditByFocus;
    using Base::FirstVisibleRow;
    using Base::HasFocus;
    using Base::Invalidate;
    using Base::ItemHeight;
    using Base::ItemTop;
    using Base::PaintRow;
    using Base::ScrollPosition;
    using Base::Self;
    using Base::m_colors;
    using Base::m_contentWidth;
    using Base::m_rowHeight;
    using Base::m_wheelLines;

public:
    enum Timer : UINT_PTR { TIMER_SCROLL_ANIMATION = 1004 };

    BEGIN_MSG_MAP(CListScroller)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_VSCROLL, OnVScroll)
        MESSAGE_HANDLER(WM_HSCROLL, OnHScroll)
        MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        CHAIN_MSG_MAP(CListHeaderBand<T>)
    END_MSG_MAP()

    bool IsAnimating() const { return m_animation.Running(); }

protected:
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        StopAnimation();
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        StopAnimation();
        EndEditByFocus();
        UpdateScrollBars(SB_BOTH, -1, false);
        Invalidate();
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnVScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
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
                                              Self().GetItemCount(), TrackPosition(SB_VERT),
                                              target))
            return 0;
        const bool animate = Options.SmoothScroll && !m_animationStarted && request <= SB_PAGEDOWN;
        const int oldFirst = FirstVisibleRow();
        StopAnimation();
        UpdateScrollBars(SB_VERT, target, false);
        if (animate) {
            StartAnimation(oldFirst, FirstVisibleRow());
        } else {
            ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        return 0;
    }

    LRESULT OnHScroll(UINT, WPARAM wParam, LPARAM, BOOL&) {
        StopAnimation();
        EndEditByFocus();
        HideTitleTip(true);
        int target = 0;
        if (ScrollArithmetic::HorizontalTarget(LOWORD(wParam), ScrollPosition(SB_HORZ),
                                               ClientRect().right, m_contentWidth,
                                               TrackPosition(SB_HORZ), target)) {
            ::SetScrollPos(this->m_hWnd, SB_HORZ, target, TRUE);
            Invalidate();
        }
        return 0;
    }

    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&) {
        HideTitleTip(true);
        EndEditByFocus();
        const int target = ScrollArithmetic::WheelTarget(
            ScrollPosition(SB_VERT), GET_WHEEL_DELTA_WPARAM(wParam),
            static_cast<int>(std::min<UINT>(m_wheelLines, 1000)), m_rowHeight);
        UpdateScrollBars(SB_VERT, target, false);
        Invalidate();
        return 0;  // what a window that handles the wheel answers
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
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

    int TrackPosition(int bar) const {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        return ::GetScrollInfo(this->m_hWnd, bar, &info) ? info.nTrackPos : 0;
    }

    // ---- Scroll animation ---------------------------------------------

    void StartAnimation(int fromRow, int toRow) {
        if (!m_animation.Start(fromRow, toRow, m_rowHeight) || !RenderAnimationStrip()) {
            StopAnimation();
            return;
        }
        m_animationStarted = true;
        ::SetTimer(this->m_hWnd, TIMER_SCROLL_ANIMATION, 20, nullptr);
        RedrawItemArea();
    }

    void StopAnimation() {
        if (!m_animation.Running() && !m_strip) return;
        ::KillTimer(this->m_hWnd, TIMER_SCROLL_ANIMATION);
        m_animation.Stop();
        m_strip.Reset();
        Invalidate();
    }

    // Renders the rows the animation passes over, once, into a strip.
    bool RenderAnimationStrip() {
        const RECT client = ClientRect();
        const int rows = GetVisibleRowCount(true) + m_animation.RowDistance();
        const RECT strip{0, 0, client.right, rows * m_rowHeight};
        if (strip.right <= 0 || strip.bottom <= 0) return false;
        HDC screen = ::GetDC(this->m_hWnd);
        CMemoryDCHandle memory(::CreateCompatibleDC(screen));
        m_strip.Reset(::CreateCompatibleBitmap(screen, strip.right, strip.bottom));
        ::ReleaseDC(this->m_hWnd, screen);
        if (!memory || !m_strip) return false;
        HGDIOBJ old = ::SelectObject(memory.Get(), m_strip.Get());
        ListDrawing::FillSolid(memory.Get(), strip, m_colors.Background);
        ::SetBkMode(memory.Get(), TRANSPARENT);
        const int left = -ScrollPosition(SB_HORZ);
        const bool focused = HasFocus();
        for (int row = m_animation.TopRow(), y = 0; row < Self().GetItemCount() && y < strip.bottom;
             ++row, y += m_rowHeight)
            PaintRow(memory.Get(), row, RECT{left, y, left + m_contentWidth - 1, y + m_rowHeight},
                     strip, focused);
        ::SelectObject(memory.Get(), old);
        return true;
    }

    void PaintAnimationFrame(HDC hdc) {
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

    void RedrawItemArea() {
        RECT area = ClientRect();
        area.top = ItemTop();
        ::RedrawWindow(this->m_hWnd, &area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    ScrollAnimation m_animation;
    bool m_animationStarted = false;  // since the last end-scroll
    CBitmapHandle m_strip;
};
