#pragma once
#include <windows.h>

#include "framework/CMessageMap.h"

class CListColumnDrag;
class CListCore;
class CListHeaderBand;
class CListMouse;

// The mouse on the header band: hot tracking, the divider cursor, column
// resizing by drag (shrinking on its own at the right end of the view) and
// by double click, the press that sorts and the drag that moves a column
// (handed to the column drag). What happens outside the band goes on.
class CListHeaderInput final : public CMessageMap {
public:
    enum : UINT_PTR { TIMER_AUTO_SHRINK = 1001 };

    CListHeaderInput(CListCore& grid, CListHeaderBand& band, CListMouse& mouse,
                     CListColumnDrag& columnDrag)
        : m_grid(grid), m_band(band), m_mouse(mouse), m_columnDrag(columnDrag) {}
    CListHeaderInput(const CListHeaderInput&) = delete;
    CListHeaderInput& operator=(const CListHeaderInput&) = delete;

    // A click on a header cell: the first sorts ascending by that column,
    // each further one reverses the rows. The selection goes either way.
    bool SortByColumn(int position);

    BEGIN_MSG_MAP(CListHeaderInput)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
        MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
        MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
        MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
        MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

private:
    bool IsInBand(POINT point) const;
    bool IsPressing() const;

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

    CListCore& m_grid;
    CListHeaderBand& m_band;
    CListMouse& m_mouse;
    CListColumnDrag& m_columnDrag;
    POINT m_pressPoint{};  // client coordinates
    bool m_resizing = false;
    int m_resizeColumn = -1;
    int m_startWidth = 0;
    int m_startX = 0;  // screen x
    bool m_autoShrink = false;
    int m_autoShrinkOrigin = 0;  // screen x
};
