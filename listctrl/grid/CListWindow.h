#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListAccessibility.h"

// A grid window of typed cells with a header band, drawn by itself. Each
// concern is a layer of its own, from the bottom up: CListCore (window,
// columns, selection, geometry), CListPainter (rows and cells),
// CListHeaderBand, CListScroller, CListEditing (selecting a row, in-place
// editors), CListKeyboard, CListMouse (the item area), CListColumnDrag,
// CListHeaderInput (the mouse on the band), CListAccessibility (what
// screen readers see); this top joins them and paints through one
// off-screen buffer. The rows come from GridRows.
class CListWindow : public CListAccessibility, public CDoubleBufferImpl<CListWindow> {
public:
    BEGIN_MSG_MAP(CListWindow)
        MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, RelayToToolTip)
        CHAIN_MSG_MAP(CListAccessibility)
        CHAIN_MSG_MAP(CDoubleBufferImpl<CListWindow>)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // The whole paint pass for the part of the client area in clip.
    void DoPaint(HDC hdc, const RECT& clip);
};
