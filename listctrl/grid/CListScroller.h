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
class CListScroller : public CListHeaderBand {
public:
    enum Timer : UINT_PTR { TIMER_SCROLL_ANIMATION = 1004 };

    BEGIN_MSG_MAP(CListScroller)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_VSCROLL, OnVScroll)
        MESSAGE_HANDLER(WM_HSCROLL, OnHScroll)
        MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        CHAIN_MSG_MAP(CListHeaderBand)
    END_MSG_MAP()

    bool IsAnimating() const { return m_animation.Running(); }
    void StopAnimation();

protected:
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnVScroll(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnHScroll(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);

    // ---- Scroll animation ---------------------------------------------

    void StartAnimation(int fromRow, int toRow);

    // Renders the rows the animation passes over, once, into a strip.
    bool RenderAnimationStrip();

    void PaintAnimationFrame(HDC hdc);
    void RedrawItemArea();

    ScrollAnimation m_animation;
    bool m_animationStarted = false;  // since the last end-scroll
    CBitmapHandle m_strip;
};
