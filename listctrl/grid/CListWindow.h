#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListAccessibility.h"
#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/grid/CListHeaderInput.h"

// A grid window of typed cells with a header band, drawn by itself. The
// rows come from GridRows. A message goes through the concerns top-down,
// each handling it or passing it on; members of the window are marked *:
//   CListWindow          mouse messages past the cell tooltip first
//   CListAccessibility   WM_GETOBJECT; runs the list's own handling (the
//                        REPORTED map below), then tells what changed
//   m_headerInput *      the mouse on the header band: press, resize, sort
//   m_columnDrag *       column reordering by OLE drag and drop
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
    ALT_MSG_MAP(REPORTED_MAP)
        CHAIN_MSG_MAP_MEMBER(m_headerInput)
        CHAIN_MSG_MAP_MEMBER(m_columnDrag)
        CHAIN_MSG_MAP(CListMouse)
    END_MSG_MAP()

    // The layers' set-up, then the column drag's.
    bool SetUp() override;

    // The whole paint pass for the part of the client area in clip.
    void DoPaint(HDC hdc, const RECT& clip);

protected:
    enum : DWORD { REPORTED_MAP = 1 };

    // The REPORTED map.
    BOOL ProcessReportedMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                LRESULT& lResult) override;

    CListColumnDrag m_columnDrag{*this};
    CListHeaderInput m_headerInput{*this, m_columnDrag};
};
