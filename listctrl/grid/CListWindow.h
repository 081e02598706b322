#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListAccessibility.h"
#include "listctrl/grid/CListColumnDrag.h"
#include "listctrl/grid/CListEditing.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/grid/CListHeaderInput.h"
#include "listctrl/grid/CListKeyboard.h"
#include "listctrl/grid/CListMouse.h"
#include "listctrl/grid/CListScroller.h"

// A grid window of typed cells with a header band, drawn by itself. The
// rows come from GridRows. Some concerns are members of the window, the
// others still layers it derives from. A message goes through them
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
//     (CListHeaderBand, CListPainter and CListMetrics handle no messages)
//   CDoubleBufferImpl    painting, through one off-screen buffer
//   REFLECT_NOTIFICATIONS the editors' notifications back to them
class CListWindow : public CListHeaderBand, public CDoubleBufferImpl<CListWindow> {
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

    // The layers' set-up, then the column drag's.
    bool SetUp() override;

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
    // For a list that looks at the drag's image or arrows.
    CListColumnDrag& ColumnDrag() { return m_columnDrag; }
    // For a list that looks at the selection rectangle.
    CListMouse& Mouse() { return m_mouse; }

private:
    LRESULT RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The map of the concerns whose changes m_accessibility reports.
    enum : DWORD { MAP_REPORTED = 1 };

    CListScroller m_scroller{*this};
    CListEditing m_editing{*this};
    CListMouse m_mouse{*this, m_scroller, m_editing, m_titleTips};
    CListKeyboard m_keyboard{*this, m_scroller, m_editing};
    CListColumnDrag m_columnDrag{*this, m_mouse};
    CListHeaderInput m_headerInput{*this, m_mouse, m_columnDrag};
    CListAccessibility m_accessibility{*this, m_editing};
};
