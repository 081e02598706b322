#pragma once
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "framework/CMessageMap.h"
#include "listctrl/dragdrop/CDragDrop.h"
#include "listctrl/dragdrop/CDropArrows.h"
#include "listctrl/dragdrop/HeaderDragHandler.h"

class CListCore;
class CListHeaderBand;
class CListMouse;

// Reordering the columns by dragging their header cells with OLE drag and
// drop. The list is both the source and the target of the drag; what
// travels is its own window handle, so a list only takes its own columns.
// The header input runs a drag (DragColumn) once a pressed header cell
// has been dragged more than 4 pixels; the drop arrows show where the
// column would land.
class CListColumnDrag final : public CMessageMap, private HeaderDragHandler {
public:
    CListColumnDrag(CListCore& grid, CListHeaderBand& band, CListMouse& mouse)
        : m_grid(grid), m_band(band), m_mouse(mouse) {}
    CListColumnDrag(const CListColumnDrag&) = delete;
    CListColumnDrag& operator=(const CListColumnDrag&) = delete;

    BEGIN_MSG_MAP(CListColumnDrag)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    // Part of the list's set-up: the drop arrows, and the list registered
    // as the drop target and the drag source of its header format. Without
    // OLE on the thread the registration fails and the list goes on
    // without column drops; false only when the arrows cannot be made.
    bool SetUp();

    // Runs the drag of the pressed column until it is dropped or cancelled.
    // The drag loop takes the mouse, so the press ends here either way.
    void DragColumn(int position);

    // The picture under the cursor: the column's header cell drawn pressed,
    // held at its centre, COLOR_WINDOW transparent. False when the column
    // has no header cell; true with no bitmap when none could be drawn.
    bool MakeDragImage(int position, SHDRAGIMAGE& image);

    HWND GetDropArrowsWindow() const { return m_dropArrows.m_hWnd; }

private:
    // ---- What the data object and the drop target ask -----------------

    // The payload of a column drag: this list's window.
    bool RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium) override;

    // Where a column of this list's own drag would go at the point: the
    // drop arrows show the place, the effect says whether there is one.
    // Drags of other lists never drop here.
    DWORD OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium,
                           POINT point) override;

    // Moves the dragged column to the place found last. A drop with no
    // place is taken as done and changes nothing.
    bool OnHeaderDrop(const FORMATETC& format) override;

    bool IsHeaderFormat(const FORMATETC& format) const;

    // The drop position for a point over the band, the column under it
    // becoming the hot one; -1 where the column would not move.
    int FindDropPosition(POINT point);

    // The arrows are made for the band's height at the list's DPI, and
    // made again when either has changed since.
    bool FitDropArrows();

    // The arrows point at the insertion edge, at the middle of the band.
    void ShowDropArrows();

    void HideDropArrows();

    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);

    CListCore& m_grid;
    CListHeaderBand& m_band;
    CListMouse& m_mouse;
    CDragDrop m_dragDrop;
    CDropArrows m_dropArrows;
    int m_arrowsBand = 0;  // the band height and DPI the arrows were made for
    int m_arrowsDpi = 0;
    int m_draggedColumn = -1;
    int m_dropPosition = -1;  // the position the dragged column goes before
};
