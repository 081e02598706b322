#pragma once
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <uxtheme.h>

#include "framework/CUniqueHandle.h"
#include "listctrl/dragdrop/CDragDrop.h"
#include "listctrl/dragdrop/HeaderDragHandler.h"
#include "listctrl/grid/CListMouse.h"
#include "listctrl/rules/ColumnDrop.h"
#include "listctrl/dragdrop/HeaderPayload.h"
#include "listctrl/drawing/ListDrawing.h"

// Reordering the columns by dragging their header cells with OLE drag and
// drop. The list is both the source and the target of the drag; what
// travels is its own window handle, so a list only takes its own columns.
// The header layer above calls BeginColumnDrag once a pressed header cell
// has been dragged more than 4 pixels.
class CListColumnDrag : public CListMouse, private HeaderDragHandler {
public:
    BEGIN_MSG_MAP(CListColumnDrag)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        CHAIN_MSG_MAP(CListMouse)
    END_MSG_MAP()

    // The list's set-up, with the list registered as the drop target and
    // the drag source of its header format. Without OLE on the thread the
    // registration fails and the list goes on without column drops.
    bool SetUp() override;

protected:
    // ---- What the data object and the drop target ask -----------------

    // The payload of a column drag: this list's window.
    bool RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium) override;

    // Where a column of this list's own drag would go at the point (client
    // coordinates): the drop arrows show the place, the effect says whether
    // there is one. Drags of other lists never drop here.
    DWORD OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium,
                           POINT point) override;

    // Moves the dragged column to the place found last. A drop with no
    // place is taken as done and changes nothing.
    bool OnHeaderDrop(const FORMATETC& format) override;

    // Runs the drag of the pressed column until it is dropped or cancelled.
    // The drag loop takes the mouse, so the press ends here either way.
    void BeginColumnDrag(int position);

    // The drop position for a point over the band, the column under it
    // becoming the hot one; -1 where the column would not move.
    int FindDropPosition(POINT point);

    // The focus, hot and title-tip cells are positions: after a move they
    // name the same columns as before.
    void FollowMovedColumns();

    // The arrows point at the insertion edge, at the middle of the band.
    void ShowDropArrows();

    void HideDropArrows();

    // The picture under the cursor: the column's header cell drawn pressed,
    // held at its centre, COLOR_WINDOW transparent. False when the column
    // has no header cell; true with no bitmap when none could be drawn.
    bool MakeDragImage(int position, SHDRAGIMAGE& image);

    void DrawPressedCell(HDC hdc, int position, RECT item);
    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);

    CDragDrop m_dragDrop;
    int m_draggedColumn = -1;
    int m_dropPosition = -1;  // the position the dragged column goes before
};
