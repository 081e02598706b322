#include "listctrl/grid/CListColumnDrag.h"

#include "framework/CUniqueHandle.h"
#include "listctrl/dragdrop/HeaderPayload.h"
#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListHeaderBand.h"
#include "listctrl/grid/CListMouse.h"
#include "listctrl/rules/ColumnDrop.h"

bool CListColumnDrag::SetUp() {
    if (!FitDropArrows()) return false;
    const CLIPFORMAT format = static_cast<CLIPFORMAT>(m_grid.GetHeaderClipboardFormat());
    m_dragDrop.Register(m_grid.m_hWnd, *this, true);
    m_dragDrop.AddTargetFormat(format);
    m_dragDrop.AddSourceFormat(format);
    return true;
}

void CListColumnDrag::DragColumn(int position) {
    m_grid.HideTitleTip(true);
    SHDRAGIMAGE image{};
    if (MakeDragImage(position, image)) {
        FitDropArrows();
        m_draggedColumn = position;
        m_dropPosition = -1;
        m_dragDrop.RunDrag(image.hbmpDragImage != nullptr ? &image : nullptr,
                           DROPEFFECT_MOVE);
    }
    HideDropArrows();
    m_mouse.EndPress();
    m_band.SetPressedColumn(-1);
    m_draggedColumn = m_dropPosition = -1;
    m_grid.RedrawHeader();
}

bool CListColumnDrag::MakeDragImage(int position, SHDRAGIMAGE& image) {
    RECT cell;
    if (!m_grid.GetColumnHeaderRect(position, cell)) return false;
    const SIZE size{cell.right - cell.left, cell.bottom - cell.top};
    image = SHDRAGIMAGE{size, POINT{size.cx / 2, size.cy / 2}, nullptr,
                        ::GetSysColor(COLOR_WINDOW)};
    if (size.cx <= 0 || size.cy <= 0) return true;
    HDC screen = ::GetDC(m_grid.m_hWnd);
    if (screen == nullptr) return true;
    CMemoryDCHandle dc(::CreateCompatibleDC(screen));
    CBitmapHandle bitmap(::CreateCompatibleBitmap(screen, size.cx, size.cy));
    ::ReleaseDC(m_grid.m_hWnd, screen);
    if (!dc || !bitmap) return true;
    const HGDIOBJ oldBitmap = ::SelectObject(dc.Get(), bitmap.Get());
    m_band.PaintPressedHeaderCell(dc.Get(), position, RECT{0, 0, size.cx, size.cy});
    ::SelectObject(dc.Get(), oldBitmap);
    image.hbmpDragImage = bitmap.Release();
    return true;
}

bool CListColumnDrag::RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium) {
    return IsHeaderFormat(format) && HeaderPayload::Render(m_grid.m_hWnd, medium);
}

DWORD CListColumnDrag::OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium,
                                        POINT point) {
    const bool ours = IsHeaderFormat(format) && HeaderPayload::Names(medium, m_grid.m_hWnd);
    m_dropPosition = ours ? FindDropPosition(point) : -1;
    ShowDropArrows();
    return m_dropPosition != -1 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

bool CListColumnDrag::OnHeaderDrop(const FORMATETC& format) {
    if (!IsHeaderFormat(format)) return false;
    m_grid.MoveColumnBefore(m_draggedColumn, m_dropPosition);
    return true;
}

bool CListColumnDrag::IsHeaderFormat(const FORMATETC& format) const {
    return format.cfFormat == m_grid.GetHeaderClipboardFormat();
}

int CListColumnDrag::FindDropPosition(POINT point) {
    int hit = -1;
    unsigned zone = 0;
    RECT cell{};
    if (!m_band.HeaderFromPoint(point.x, point.y, hit, zone) ||
        !m_grid.GetColumnHeaderRect(hit, cell))
        hit = -1;
    m_band.SetHotColumn(hit);
    return ColumnDrop::DropPosition(hit, cell.left, cell.right, point.x, m_draggedColumn);
}

bool CListColumnDrag::FitDropArrows() {
    const int band = m_grid.GetHeaderHeight(), dpi = m_grid.GetDpi();
    if (m_dropArrows.IsWindow() && band == m_arrowsBand && dpi == m_arrowsDpi) return true;
    m_dropArrows.DestroyWindow();
    m_arrowsBand = band;
    m_arrowsDpi = dpi;
    return m_dropArrows.Create(m_grid.m_hWnd, band, true);
}

void CListColumnDrag::ShowDropArrows() {
    if (m_dropPosition == -1) {
        HideDropArrows();
        return;
    }
    POINT tip{m_grid.ColumnInsertionEdge(m_dropPosition), m_grid.GetHeaderHeight() / 2};
    ::ClientToScreen(m_grid.m_hWnd, &tip);
    m_dropArrows.Show(tip.x, tip.y);
}

void CListColumnDrag::HideDropArrows() {
    if (m_dropArrows.IsWindow()) ::ShowWindow(m_dropArrows.m_hWnd, SW_HIDE);
}

LRESULT CListColumnDrag::OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_draggedColumn = m_dropPosition = -1;
    HideDropArrows();
    bHandled = FALSE;
    return 0;
}

LRESULT CListColumnDrag::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_dragDrop.Revoke();
    m_dropArrows.DestroyWindow();
    bHandled = FALSE;
    return 0;
}
