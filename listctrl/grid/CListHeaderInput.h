#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "listctrl/grid/CListColumnDrag.h"

// The mouse on the header band: hot tracking, the divider cursor, column
// resizing by drag (shrinking on its own at the right end of the view) and
// by double click, the press that sorts and the drag that moves a column.
// What happens outside the band goes on to the layers below.
template <class T>
class CListHeaderInput : public CListColumnDrag<T> {
public:
    using Base = CListColumnDrag<T>;
    using Base::ClearSelection;
    using Base::FitColumnToContent;
    using Base::GetColumnId;
    using Base::GetColumnWidth;
    using Base::HeaderFromPoint;
    using Base::HideTitleTip;
    using Base::IsHorzBarInUse;
    using Base::IsThemed;
    using Base::Options;
    using Base::RedrawHeader;
    using Base::SetColumnWidth;
    using Base::ZONE_DIVIDER;

protected:
    using Base::BeginColumnDrag;
    using Base::BeginPress;
    using Base::ClientRect;
    using Base::IsColumn;
    using Base::PointOf;
    using Base::ScrollPosition;
    using Base::Self;
    using Base::m_columns;
    using Base::m_contentWidth;
    using Base::m_dividerCursor;
    using Base::m_downPoint;
    using Base::m_headerHeight;
    using Base::m_hotColumn;
    using Base::m_pressedColumn;

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
        CHAIN_MSG_MAP(CListColumnDrag<T>)
    END_MSG_MAP()

    // A click on a header cell: the first sorts ascending by that column,
    // each further one reverses the rows. The selection goes either way.
    bool SortByColumn(int position) {
        if (!Options.ShowHeader || !Options.SortEnabled || !IsColumn(position)) return false;
        const int id = GetColumnId(position);
        const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        if (id == Options.SortColumnId) {
            Options.SortAscending = !Options.SortAscending;
            Self().ReverseItemOrder();
        } else {
            Options.SortAscending = true;
            Options.SortColumnId = id;
            Self().SortRows(id);
        }
        ClearSelection();
        ::SetCursor(previous);
        return true;
    }

protected:
    bool IsInBand(POINT point) const {
        return Options.ShowHeader && point.y >= 0 && point.y < m_headerHeight;
    }
    bool IsPressing() const { return m_resizing || m_pressedColumn != -1; }

    // The column a divider zone at the point lets resize; -1 for none.
    int ResizableAt(POINT point) const {
        int position = -1;
        unsigned zone = 0;
        if (!IsInBand(point) || !HeaderFromPoint(point.x, point.y, position, zone) ||
            !(zone & ZONE_DIVIDER) || m_columns[position].Fixed)
            return -1;
        return position;
    }

    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
        const POINT point = PointOf(lParam);
        if (!IsInBand(point)) {
            bHandled = FALSE;
            return 0;
        }
        BeginPress(point);
        const int resizable = ResizableAt(point);
        int position = -1;
        unsigned zone = 0;
        if (resizable != -1) {
            ::SetCursor(m_dividerCursor.Get());
            m_resizing = true;
            m_resizeColumn = resizable;
            m_startWidth = GetColumnWidth(resizable);
            m_startX = ScreenX(point);
        } else if (HeaderFromPoint(point.x, point.y, position, zone)) {
            m_pressedColumn = position;
            RedrawHeader();
        }
        return 0;
    }

    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        if (IsPressing()) {
            if (!m_resizing) SortByColumn(m_pressedColumn);
            EndHeaderPress();
        }
        bHandled = FALSE;
        return 0;
    }

    // Fitted before the second press begins a resize from the new width.
    LRESULT OnLButtonDblClk(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
        int position = -1;
        unsigned zone = 0;
        const POINT point = PointOf(lParam);
        if (IsInBand(point) && HeaderFromPoint(point.x, point.y, position, zone) &&
            (zone & ZONE_DIVIDER))
            FitColumnToContent(position);
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
        const POINT point = PointOf(lParam);
        if (IsPressing() && (wParam & MK_LBUTTON)) {
            FollowPress(point);
            return 0;
        }
        if (IsPressing()) EndHeaderPress();  // released where the list did not see it
        if (!(wParam & MK_LBUTTON)) TrackBand(point);
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnMouseLeave(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        SetHotColumn(-1);
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        if (IsPressing()) EndHeaderPress();
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        ::KillTimer(this->m_hWnd, TIMER_AUTO_SHRINK);
        bHandled = FALSE;
        return 0;
    }

    // Hot column (themed drawing only) and divider cursor.
    void TrackBand(POINT point) {
        int position = -1;
        unsigned zone = 0;
        const bool inBand = IsInBand(point);
        if (inBand) HeaderFromPoint(point.x, point.y, position, zone);
        SetHotColumn(inBand && IsThemed() ? position : -1);
        if (!inBand) return;
        HideTitleTip(true);
        if (ResizableAt(point) != -1) ::SetCursor(m_dividerCursor.Get());
    }

    void SetHotColumn(int position) {
        if (position == m_hotColumn) return;
        m_hotColumn = position;
        RedrawHeader();
    }

    void FollowPress(POINT point) {
        if (m_resizing) {
            FollowResize(ScreenX(point));
        } else if (std::abs(point.x - m_downPoint.x) > 4 || std::abs(point.y - m_downPoint.y) > 4) {
            BeginColumnDrag(m_pressedColumn);
        }
    }

    void EndHeaderPress() {
        m_resizing = false;
        m_resizeColumn = -1;
        m_pressedColumn = -1;
        m_startWidth = m_startX = 0;
        RedrawHeader();
    }

    // ---- Resizing -------------------------------------------------------

    // Widths follow the mouse in screen coordinates, which stay put while
    // the view scrolls under it.
    int ScreenX(POINT point) const {
        ::ClientToScreen(this->m_hWnd, &point);
        return point.x;
    }
    static int CursorX() {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        return cursor.x;
    }

    // Scrolled to the right end, a narrower column would pull the view
    // away from the mouse; the column shrinks on a timer instead.
    bool IsAtRightEnd() const {
        return IsHorzBarInUse() &&
               ScrollPosition(SB_HORZ) >= m_contentWidth - ClientRect().right - 1;
    }

    void FollowResize(int x) {
        if (m_autoShrink) return;
        const int width = std::max(m_startWidth + (x - m_startX), 0);
        if (width < GetColumnWidth(m_resizeColumn) && IsAtRightEnd()) {
            m_autoShrink = true;
            m_autoShrinkOrigin = x;
            ::SetTimer(this->m_hWnd, TIMER_AUTO_SHRINK, 20, nullptr);
            return;
        }
        SetColumnWidth(m_resizeColumn, width);
    }

    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        if (wParam != TIMER_AUTO_SHRINK) {
            bHandled = FALSE;
            return 0;
        }
        const int x = CursorX();
        if (!m_resizing || !IsHorzBarInUse() || x > m_autoShrinkOrigin) {
            ::KillTimer(this->m_hWnd, TIMER_AUTO_SHRINK);
            m_autoShrink = false;
            m_startX = x;
        } else if (x < m_startX && IsAtRightEnd()) {
            m_startWidth = std::max(GetColumnWidth(m_resizeColumn) + (x - m_autoShrinkOrigin), 0);
            SetColumnWidth(m_resizeColumn, m_startWidth);
        }
        return 0;
    }

    bool m_resizing = false;
    int m_resizeColumn = -1;
    int m_startWidth = 0;
    int m_startX = 0;  // screen x
    bool m_autoShrink = false;
    int m_autoShrinkOrigin = 0;  // screen x
};
