#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/CMessageMap.h"

class CListCore;
class CListEditing;
class CListPainter;
class CListScroller;
class CListTitleTips;

// The mouse over the item area: clicks that select, toggle and follow
// links, the selection rectangle with its auto-scroll, the hot cell, and
// when the tips over the cells show (CListTitleTips). Presses in the header
// band are the header input's (which sees them first); they start with
// BeginPress as these do.
class CListMouse final : public CMessageMap {
public:
    enum : UINT_PTR { TIMER_RECTANGLE_SCROLL = 1003 };

    // painter: keeps the hot cell.
    CListMouse(CListCore& grid, CListPainter& painter, CListScroller& scroller,
               CListEditing& editing, CListTitleTips& titleTips)
        : m_grid(grid), m_painter(painter), m_scroller(scroller), m_editing(editing),
          m_titleTips(titleTips) {}
    CListMouse(const CListMouse&) = delete;
    CListMouse& operator=(const CListMouse&) = delete;

    BEGIN_MSG_MAP(CListMouse)
        MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
        MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
        MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
        MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRButtonDown)
        MESSAGE_HANDLER(WM_RBUTTONUP, OnRButtonUp)
        MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
        MESSAGE_HANDLER(WM_MOUSELEAVE, OnMouseLeave)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    // The client point of a mouse message.
    static POINT PointOf(LPARAM lParam);

    // What every left press starts with, in the band or over the items.
    void BeginPress(POINT point);

    void EndPress();

    // The rubber band while a drag over the items draws one (content
    // coordinates); false while there is none.
    bool GetSelectionRectangle(RECT& rectangle) const;

    // Shows the rubber band as a drag leaves it, or none for null.
    void SetSelectionRectangle(const RECT* rectangle);

private:
    static UINT ModifiersOf(WPARAM wParam);

    // A plain press inside a multiple selection keeps it; the release
    // collapses it to the row.
    bool IsInMultipleSelection(int row) const;

    LRESULT OnLButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&);

    // Check cells toggle, link cells report the click.
    void PressCell(int row, int cell);

    LRESULT OnLButtonUp(UINT, WPARAM wParam, LPARAM lParam, BOOL&);

    // The second click acts as a press again (a check cell toggles back).
    LRESULT OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL&);

    LRESULT OnRButtonDown(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnRButtonUp(UINT, WPARAM, LPARAM lParam, BOOL&);
    void NotifyAt(bool onCell, int row, int cell, int code);
    LRESULT OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnMouseLeave(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    void TrackMouseLeave();

    // ---- Selection rectangle --------------------------------------------

    // A drag of more than 3 pixels draws the selection rectangle, or with
    // DragSelectsRows from a row's first cell (or with Shift or Ctrl)
    // selects each row it passes.
    void DragFrom(POINT point, WPARAM wParam);

    void StretchRectangle(POINT point);

    // The rectangle from the press to the point, and the rows it touches
    // as the selection; false while it is empty.
    bool UpdateRectangle(POINT point);

    // A client point in content coordinates, where row r starts at
    // ItemTop() + r * RowHeight.
    POINT ContentPoint(POINT point) const;

    // The row at a height below the top of row 0 (negative above it).
    int RowAtContentY(int y) const;

    // Outside the item area the view follows the mouse a line at a time.
    bool AutoScroll(POINT point);

    void EndRectangle();

    // ---- Hot cell, cell tooltip, title tip -------------------------------

    // The whole text of a cut-off cell over the cell, while the mouse is
    // over its text and no editor is open.
    void UpdateTitleTip(int x, int y, int row, int cell);

    void TrackHotCell(POINT point);
    void LeaveCells();

    // A link cell that reacts to the mouse: underlined while hot.
    bool IsLiveLink(int row, int cell) const;

    void RedrawIfLink(int row, int cell);

    // One tool over the hot cell's row, with the cell's own tooltip text.
    void SetCellToolTip(int row, int cell);

    // Images and bars have no text to show in full.
    std::wstring TitleTipText(int row, int id) const;

    CListCore& m_grid;
    CListPainter& m_painter;
    CListScroller& m_scroller;
    CListEditing& m_editing;
    CListTitleTips& m_titleTips;
    bool m_buttonDown = false;
    POINT m_downPoint{};         // client coordinates of the press
    POINT m_downContentPoint{};  // the same plus the scroll positions
    bool m_rectangleAllowed = false;
    bool m_mouseTracked = false;
    DWORD m_lastAutoScroll = 0;
    bool m_rectangleActive = false;
    RECT m_selectionRect{};  // content coordinates
};
