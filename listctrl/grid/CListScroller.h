#pragma once
#include <windows.h>

#include "framework/CMessageMap.h"
#include "framework/CUniqueHandle.h"
#include "listctrl/rules/ScrollAnimation.h"

class CListCore;
class CListPainter;

// The scroll bars, the mouse wheel and the animated vertical scroll: while
// it runs, the rows it passes over are drawn once into a strip and the
// item area shows a moving part of it.
class CListScroller final : public CMessageMap {
public:
    enum Timer : UINT_PTR { TIMER_SCROLL_ANIMATION = 1004 };

    // painter: draws the rows into the animation's strip.
    CListScroller(CListCore& grid, CListPainter& painter) : m_grid(grid), m_painter(painter) {}
    CListScroller(const CListScroller&) = delete;
    CListScroller& operator=(const CListScroller&) = delete;

    BEGIN_MSG_MAP(CListScroller)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_VSCROLL, OnVScroll)
        MESSAGE_HANDLER(WM_HSCROLL, OnHScroll)
        MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
    END_MSG_MAP()

    bool IsAnimating() const { return m_animation.Running(); }
    void StopAnimation();

    // The animation's current frame over the item area; false, nothing
    // drawn, while no animation runs.
    bool PaintAnimationFrame(HDC hdc);

private:
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnVScroll(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnHScroll(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);

    void StartAnimation(int fromRow, int toRow);

    // Renders the rows the animation passes over, once, into a strip.
    bool RenderAnimationStrip();

    void RedrawItemArea();

    CListCore& m_grid;
    CListPainter& m_painter;
    ScrollAnimation m_animation;
    bool m_animationStarted = false;  // since the last end-scroll
    CBitmapHandle m_strip;
};
