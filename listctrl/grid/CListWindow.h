#pragma once
#include <windows.h>

#include <memory>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListCore.h"

class CListColumnDrag;
class CListHeaderBand;
class CListMouse;

// A grid window of typed cells with a header band, drawn by itself. The
// rows come from GridRows. The window is the grid's state (CListCore, over
// CListMetrics) and holds every concern; the concerns share that state
// through its public operations. They are defined in this class's source
// file with the message map, so that a change to one of them does not reach
// the grid's users. A message goes through them top-down, each handling it
// or passing it on:
//   CListWindow          mouse messages past the cell tooltip first, so
//                        that it can tell when to show itself
//   accessibility        WM_GETOBJECT; runs the concerns below (the map
//                        MAP_REPORTED), then tells what they changed
//     keyboard             keys (no concern below handles them)
//     headerInput          the mouse on the header band: press, resize, sort
//     columnDrag           column reordering by OLE drag and drop
//     mouse                the mouse over the items, the selection rectangle
//     editing              in-place editors and their results (GLN_ENDEDIT)
//     scroller             scroll bars, wheel, scroll animation, size
//     CListCore            creation, destruction, settings, focus, redraw
//   CDoubleBufferImpl    painting, through one off-screen buffer: DoPaint
//                        has the painter draw the rows (or the scroller its
//                        animation frame) and the band the header band
//   REFLECT_NOTIFICATIONS the editors' notifications back to them
// (the painter, the band and CListMetrics handle no messages)
class CListWindow : public CListCore, public CDoubleBufferImpl<CListWindow> {
public:
    CListWindow();
    ~CListWindow() override;

    DECLARE_MSG_MAP()

    // The state's set-up, then the column drag's.
    bool SetUp() override;

    // What the page and the tests ask of the header band, the header input,
    // editing and the scroller.
    bool HeaderFromPoint(int x, int y, int& position, unsigned& zone) const;
    bool FitColumnToContent(int position);
    bool SortByColumn(int position);
    bool SelectRow(int row, int cell, UINT modifiers);
    bool BeginCellEdit(int row, int cell);
    bool IsEditActive() const override;
    bool ToggleCell(int row, int cell);
    bool IsAnimating() const;

    // The whole paint pass for the part of the client area in clip.
    void DoPaint(HDC hdc, const RECT& clip);

protected:
    // The hot cell stays on its column.
    void FollowMovedColumns(int position, int before) override;

    // For a list that sets the hot or pressed header column.
    CListHeaderBand& Band();
    // For a list that looks at the drag's image or arrows.
    CListColumnDrag& ColumnDrag();
    // For a list that looks at the selection rectangle.
    CListMouse& Mouse();

private:
    LRESULT RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The map of the concerns whose changes the accessibility concern reports.
    enum : DWORD { MAP_REPORTED = 1 };

    // The concerns, each owning its state.
    struct Concerns;
    const std::unique_ptr<Concerns> m_concerns;
};
