#pragma once
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <uxtheme.h>

#include <initializer_list>

#include "framework/CUniqueHandle.h"
#include "listctrl/dragdrop/CDragDrop.h"
#include "listctrl/grid/CListMouse.h"
#include "listctrl/rules/ColumnDrop.h"
#include "listctrl/dragdrop/HeaderPayload.h"
#include "listctrl/drawing/ListDrawing.h"

// Reordering the columns by dragging their header cells with OLE drag and
// drop. The list is both the source and the target of the drag; what
// travels is its own window handle, so a list only takes its own columns.
// The header layer above calls BeginColumnDrag once a pressed header cell
// has been dragged more than 4 pixels.
template <class T>
class CListColumnDrag : public CListMouse<T> {
public:
    using Base = CListMouse<T>;
    using Base::GetColumnHeaderRect;
    using Base::HeaderFromPoint;
    using Base::HideTitleTip;
    using Base::IsThemed;
    using Base::RedrawHeader;

protected:
    using Base::EndPress;
    using Base::Invalidate;
    using Base::PART_HEADER_ITEM;
    using Base::PaintHeaderCaption;
    using Base::STATE_PRESSED;
    using Base::ScrollPosition;
    using Base::Self;
    using Base::m_colors;
    using Base::m_columns;
    using Base::m_dropArrows;
    using Base::m_font;
    using Base::m_headerFormat;
    using Base::m_headerHeight;
    using Base::m_headerTheme;
    using Base::m_hotCell;
    using Base::m_hotColumn;
    using Base::m_pressedColumn;
    using Base::m_selection;
    using Base::m_titleTipCell;

public:
    BEGIN_MSG_MAP(CListColumnDrag)
        MESSAGE_HANDLER(WM_CANCELMODE, OnCancelMode)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        CHAIN_MSG_MAP(CListMouse<T>)
    END_MSG_MAP()

    // The list's set-up, with the list registered as the drop target and
    // the drag source of its header format. Without OLE on the thread the
    // registration fails and the list goes on without column drops.
    bool SetUp() {
        if (!Base::SetUp()) return false;
        const CLIPFORMAT format = static_cast<CLIPFORMAT>(m_headerFormat);
        m_dragDrop.Register(Self(), true);
        m_dragDrop.AddTargetFormat(format);
        m_dragDrop.AddSourceFormat(format);
        return true;
    }

    // ---- Hooks of the data object and the drop target ----------------

    // The payload of a column drag: this list's window.
    bool RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium) {
        return format.cfFormat == m_headerFormat && HeaderPayload::Render(this->m_hWnd, medium);
    }

    // Where a column of this list's own drag would go at the point (client
    // coordinates): the drop arrows show the place, the effect says whether
    // there is one. Drags of other lists never drop here.
    DWORD OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium, POINT point) {
        const bool ours =
            format.cfFormat == m_headerFormat && HeaderPayload::Names(medium, this->m_hWnd);
        m_dropPosition = ours ? FindDropPosition(point) : -1;
        ShowDropArrows();
        return m_dropPosition != -1 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    }

    // Moves the dragged column to the place found last. A drop with no
    // place is taken as done and changes nothing.
    bool OnHeaderDrop(const FORMATETC& format) {
        if (format.cfFormat != m_headerFormat) return false;
        if (ColumnDrop::MoveColumn(m_columns, m_draggedColumn, m_dropPosition)) {
            FollowMovedColumns();
            Invalidate();
        }
        return true;
    }

protected:
    // Runs the drag of the pressed column until it is dropped or cancelled.
    // The drag loop takes the mouse, so the press ends here either way.
    void BeginColumnDrag(int position) {
        HideTitleTip(true);
        SHDRAGIMAGE image{};
        if (MakeDragImage(position, image)) {
            m_draggedColumn = position;
            m_dropPosition = -1;
            m_dragDrop.RunDrag(image.hbmpDragImage != nullptr ? &image : nullptr,
                               DROPEFFECT_MOVE);
        }
        HideDropArrows();
        EndPress();
        m_pressedColumn = m_draggedColumn = m_dropPosition = -1;
        RedrawHeader();
    }

    // The drop position for a point over the band, the column under it
    // becoming the hot one; -1 where the column would not move.
    int FindDropPosition(POINT point) {
        int hit = -1;
        unsigned zone = 0;
        RECT cell{};
        if (!HeaderFromPoint(point.x, point.y, hit, zone) || !GetColumnHeaderRect(hit, cell))
            hit = -1;
        if (hit != m_hotColumn) {
            m_hotColumn = hit;
            RedrawHeader();
        }
        return ColumnDrop::DropPosition(hit, cell.left, cell.right, point.x, m_draggedColumn);
    }

    // The focus, hot and title-tip cells are positions: after a move they
    // name the same columns as before.
    void FollowMovedColumns() {
        for (int* cell : {&m_selection.CurrentCell, &m_hotCell, &m_titleTipCell})
            *cell = ColumnDrop::PositionAfterMove(*cell, m_draggedColumn, m_dropPosition);
    }

    // The arrows point at the insertion edge, at the middle of the band.
    void ShowDropArrows() {
        if (m_dropPosition == -1) {
            HideDropArrows();
            return;
        }
        POINT tip{ColumnDrop::InsertionEdge(m_columns, m_dropPosition) - ScrollPosition(SB_HORZ),
                  m_headerHeight / 2};
        ::ClientToScreen(this->m_hWnd, &tip);
        m_dropArrows.Show(tip.x, tip.y);
    }

    void HideDropArrows() {
        if (m_dropArrows.IsWindow()) ::ShowWindow(m_dropArrows.m_hWnd, SW_HIDE);
    }

    // The picture under the cursor: the column's header cell drawn pressed,
    // held at its centre, COLOR_WINDOW transparent. False when the column
    // has no header cell; true with no bitmap when none could be drawn.
    bool MakeDragImage(int position, SHDRAGIMAGE& image) {
        RECT cell;
        if (!GetColumnHeaderRect(position, cell)) return false;
        const SIZE size{cell.right - cell.left, cell.bottom - cell.top};
        image = SHDRAGIMAGE{size, POINT{size.cx / 2, size.cy / 2}, nullptr,
                            ::GetSysColor(COLOR_WINDOW)};
        if (size.cx <= 0 || size.cy <= 0) return true;
        HDC screen = ::GetDC(this->m_hWnd);
        if (screen == nullptr) return true;
        CMemoryDCHandle dc(::CreateCompatibleDC(screen));
        CBitmapHandle bitmap(::CreateCompatibleBitmap(screen, size.cx, size.cy));
        ::ReleaseDC(this->m_hWnd, screen);
        if (!dc || !bitmap) return true;
        const HGDIOBJ oldBitmap = ::SelectObject(dc.Get(), bitmap.Get());
        DrawPressedCell(dc.Get(), position, RECT{0, 0, size.cx, size.cy});
        ::SelectObject(dc.Get(), oldBitmap);
        image.hbmpDragImage = bitmap.Release();
        return true;
    }

    void DrawPressedCell(HDC hdc, int position, RECT item) {
        if (IsThemed()) {
            ::DrawThemeBackground(m_headerTheme.Get(), hdc, PART_HEADER_ITEM, STATE_PRESSED, &item,
                                  nullptr);
        } else {
            ListDrawing::FillSolid(hdc, item, ::GetSysColor(COLOR_BTNFACE));
            ::DrawEdge(hdc, &item, EDGE_RAISED, BF_RECT);
        }
        const HGDIOBJ oldFont = ::SelectObject(hdc, m_font.Get());
        ::SetTextColor(hdc, m_colors.HeaderText);
        ::SetBkMode(hdc, TRANSPARENT);
        PaintHeaderCaption(hdc, position, item, false);
        ::SelectObject(hdc, oldFont);
    }

    LRESULT OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        m_draggedColumn = m_dropPosition = -1;
        bHandled = FALSE;
        return 0;
    }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
        m_dragDrop.Revoke();
        bHandled = FALSE;
        return 0;
    }

    CDragDrop m_dragDrop;
    int m_draggedColumn = -1;
    int m_dropPosition = -1;  // the position the dragged column goes before
};
