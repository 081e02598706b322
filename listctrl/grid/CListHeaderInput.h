#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "listctrl/grid/CListColumnDrag.h"

// The mouse on the header band: hot tracking, the divider cursor, column
// resizing by drag (shrinking on its own at the right end of the view) and
// by double click, the press that sorts and the drag that moves a column.
// What happens outside the band goes on to the layers below.
class CListHeaderInput : public CListColumnDrag {
public:
    enum : UINT_PTR { TIMER_AUTO_SHRINK = 1001 };

    BEGIN_MSG_MAP(CListHeaderInput)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
        MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
        MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
        MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
        MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        CHAIN_MSG_MAP(CListColumnDrag)
    END_MSG_MAP()

    // A click on a header cell: the first sorts ascending by that column,
    // each further one reverses the rows. The selection goes either way.
    bool SortByColumn(int position);

protected:
    bool IsInBand(POINT point) const;
    bool IsPressing() const { return m_resizing || GetPressedColumn() != -1; }

    // The column a divider zone at the point lets resize; -1 for none.
    int ResizableAt(POINT point) const;

    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled);

    // Fitted before the second press begins a resize from the new width.
    LRESULT OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);

    LRESULT OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnMouseLeave(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);

    // Hot column (themed drawing only) and divider cursor.
    void TrackBand(POINT point);

    void FollowPress(POINT point);
    void EndHeaderPress();

    // ---- Resizing -------------------------------------------------------

    // Widths follow the mouse in screen coordinates, which stay put while
    // the view scrolls under it.
    int ScreenX(POINT point) const;

    static int CursorX();

    // Scrolled to the right end, a narrower column would pull the view
    // away from the mouse; the column shrinks on a timer instead.
    bool IsAtRightEnd() const;

    void FollowResize(int x);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);

    bool m_resizing = false;
    int m_resizeColumn = -1;
    int m_startWidth = 0;
    int m_startX = 0;  // screen x
    bool m_autoShrink = false;
    int m_autoShrinkOrigin = 0;  // screen x
};
