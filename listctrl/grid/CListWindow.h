#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListAccessibility.h"

// A grid window of typed cells with a header band, drawn by itself. The
// rows come from GridRows; each concern is a layer of its own. A message
// goes through the layers top-down, each handling it or passing it on:
//   CListWindow          mouse messages past the cell tooltip first
//   CListAccessibility   WM_GETOBJECT; after any message, what changed
//   CListHeaderInput     the mouse on the header band: press, resize, sort
//   CListColumnDrag      column reordering by OLE drag and drop
//   CListMouse           the mouse over the items, the selection rectangle
//   CListKeyboard        keys
//   CListEditing         in-place editors and their results (GLN_ENDEDIT)
//   CListScroller        scroll bars, wheel, scroll animation, size
//   CListCore            creation, destruction, settings, focus, redraw
//   (CListHeaderBand, CListPainter and CListMetrics handle no messages)
//   CDoubleBufferImpl    painting, through one off-screen buffer
//   REFLECT_NOTIFICATIONS the editors' notifications back to them
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
