#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListAccessibility.h"
#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListEditing.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/grid/CListHeaderInput.h"
#include "listctrl/grid/CListKeyboard.h"
#include "listctrl/grid/CListMouse.h"
#include "listctrl/grid/CListPainter.h"
#include "listctrl/grid/CListScroller.h"

// A grid window of typed cells with a header band, drawn by itself. The
// rows come from GridRows. The window is the grid's state (CListCore, over
// CListMetrics) and holds every concern as a member; the concerns share
// that state through its public operations. A message goes through them
// top-down, each handling it or passing it on:
//   CListWindow          mouse messages past the cell tooltip first, so
//                        that it can tell when to show itself
//   m_accessibility      WM_GETOBJECT; runs the concerns below (the map
//                        MAP_REPORTED), then tells what they changed
//     m_keyboard           keys (no concern below handles them)
//     m_headerInput        the mouse on the header band: press, resize, sort
//     m_columnDrag         column reordering by OLE drag and drop
//     m_mouse              the mouse over the items, the selection rectangle
//     m_editing            in-place editors and their results (GLN_ENDEDIT)
//     m_scroller           scroll bars, wheel, scroll animation, size
//     CListCore            creation, destruction, settings, focus, redraw
//   CDoubleBufferImpl    painting, through one off-screen buffer: DoPaint
//                        has m_painter draw the rows (or m_scroller its
//                        animation frame) and m_band the header band
//   REFLECT_NOTIFICATIONS the editors' notifications back to them
// (m_painter, m_band and CListMetrics handle no messages)
class CListWindow : public CListCore, public CDoubleBufferImpl<CListWindow> {
public:
    BEGIN_MSG_MAP(CListWindow)
        MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, RelayToToolTip)
        CHAIN_MSG_MAP_MEMBER_AROUND(m_accessibility, CListWindow, MAP_REPORTED)
        CHAIN_MSG_MAP(CDoubleBufferImpl<CListWindow>)
        REFLECT_NOTIFICATIONS()
    ALT_MSG_MAP(MAP_REPORTED)
        CHAIN_MSG_MAP_MEMBER(m_keyboard)
        CHAIN_MSG_MAP_MEMBER(m_headerInput)
        CHAIN_MSG_MAP_MEMBER(m_columnDrag)
        CHAIN_MSG_MAP_MEMBER(m_mouse)
        CHAIN_MSG_MAP_MEMBER(m_editing)
        CHAIN_MSG_MAP_MEMBER(m_scroller)
        CHAIN_MSG_MAP(CListCore)
    END_MSG_MAP()

    // Zone bits of a header point (HeaderFromPoint).
    enum : unsigned { ZONE_DIVIDER = CListHeaderBand::ZONE_DIVIDER };

    // The state's set-up, then the column drag's.
    bool SetUp() override;

    bool HeaderFromPoint(int x, int y, int& position, unsigned& zone) const {
        return m_band.HeaderFromPoint(x, y, position, zone);
    }
    bool FitColumnToContent(int position) { return m_band.FitColumnToContent(position); }

    bool SortByColumn(int position) { return m_headerInput.SortByColumn(position); }

    bool SelectRow(int row, int cell, UINT modifiers) {
        return m_editing.SelectRow(row, cell, modifiers);
    }
    bool BeginCellEdit(int row, int cell) { return m_editing.BeginCellEdit(row, cell); }
    bool IsEditActive() const override { return m_editing.IsEditActive(); }
    bool ToggleCell(int row, int cell) { return m_editing.ToggleCell(row, cell); }
    bool IsAnimating() const { return m_scroller.IsAnimating(); }

    // The whole paint pass for the part of the client area in clip.
    void DoPaint(HDC hdc, const RECT& clip);

protected:
    // The hot cell stays on its column.
    void FollowMovedColumns(int position, int before) override;

    // For a list that sets the hot or pressed header column.
    CListHeaderBand& Band() { return m_band; }
    // For a list that looks at the drag's image or arrows.
    CListColumnDrag& ColumnDrag() { return m_columnDrag; }
    // For a list that looks at the selection rectangle.
    CListMouse& Mouse() { return m_mouse; }

private:
    LRESULT RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The map of the concerns whose changes m_accessibility reports.
    enum : DWORD { MAP_REPORTED = 1 };

    CListPainter m_painter{*this};
    CListHeaderBand m_band{*this, m_painter};
    CListScroller m_scroller{*this, m_painter};
    CListEditing m_editing{*this};
    CListMouse m_mouse{*this, m_painter, m_scroller, m_editing, m_titleTips};
    CListKeyboard m_keyboard{*this, m_scroller, m_editing};
    CListColumnDrag m_columnDrag{*this, m_band, m_mouse};
    CListHeaderInput m_headerInput{*this, m_band, m_mouse, m_columnDrag};
    CListAccessibility m_accessibility{*this, m_editing};
};
