#include "listctrl/grid/CListColumnDrag.h"

bool CListColumnDrag::SetUp() {
    if (!CListMouse::SetUp()) return false;
    const CLIPFORMAT format = static_cast<CLIPFORMAT>(m_headerFormat);
    m_dragDrop.Register(m_hWnd, *this, true);
    m_dragDrop.AddTargetFormat(format);
    m_dragDrop.AddSourceFormat(format);
    return true;
}

bool CListColumnDrag::RenderHeaderData(const FORMATETC& format, STGMEDIUM& medium) {
    return format.cfFormat == m_headerFormat && HeaderPayload::Render(m_hWnd, medium);
}

DWORD CListColumnDrag::OnHeaderDragOver(const FORMATETC& format, const STGMEDIUM& medium,
                                        POINT point) {
    const bool ours =
        format.cfFormat == m_headerFormat && HeaderPayload::Names(medium, m_hWnd);
    m_dropPosition = ours ? FindDropPosition(point) : -1;
    ShowDropArrows();
    return m_dropPosition != -1 ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

bool CListColumnDrag::OnHeaderDrop(const FORMATETC& format) {
    if (format.cfFormat != m_headerFormat) return false;
    if (ColumnDrop::MoveColumn(m_columns, m_draggedColumn, m_dropPosition)) {
        FollowMovedColumns();
        Invalidate();
    }
    return true;
}

void CListColumnDrag::BeginColumnDrag(int position) {
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
    SetPressedColumn(-1);
    m_draggedColumn = m_dropPosition = -1;
    RedrawHeader();
}

int CListColumnDrag::FindDropPosition(POINT point) {
    int hit = -1;
    unsigned zone = 0;
    RECT cell{};
    if (!HeaderFromPoint(point.x, point.y, hit, zone) || !GetColumnHeaderRect(hit, cell))
        hit = -1;
    SetHotColumn(hit);
    return ColumnDrop::DropPosition(hit, cell.left, cell.right, point.x, m_draggedColumn);
}

void CListColumnDrag::FollowMovedColumns() {
    const int from = m_draggedColumn, to = m_dropPosition;
    m_selection.CurrentCell = ColumnDrop::PositionAfterMove(m_selection.CurrentCell, from, to);
    SetHotCell(GetHotRow(), ColumnDrop::PositionAfterMove(GetHotCell(), from, to));
    m_titleTips.FollowMovedColumn(from, to);
}

void CListColumnDrag::ShowDropArrows() {
    if (m_dropPosition == -1) {
        HideDropArrows();
        return;
    }
    POINT tip{ColumnDrop::InsertionEdge(m_columns, m_dropPosition) - ScrollPosition(SB_HORZ),
              m_headerHeight / 2};
    ::ClientToScreen(m_hWnd, &tip);
    m_dropArrows.Show(tip.x, tip.y);
}

void CListColumnDrag::HideDropArrows() {
    if (m_dropArrows.IsWindow()) ::ShowWindow(m_dropArrows.m_hWnd, SW_HIDE);
}

bool CListColumnDrag::MakeDragImage(int position, SHDRAGIMAGE& image) {
    RECT cell;
    if (!GetColumnHeaderRect(position, cell)) return false;
    const SIZE size{cell.right - cell.left, cell.bottom - cell.top};
    image = SHDRAGIMAGE{size, POINT{size.cx / 2, size.cy / 2}, nullptr,
                        ::GetSysColor(COLOR_WINDOW)};
    if (size.cx <= 0 || size.cy <= 0) return true;
    HDC screen = ::GetDC(m_hWnd);
    if (screen == nullptr) return true;
    CMemoryDCHandle dc(::CreateCompatibleDC(screen));
    CBitmapHandle bitmap(::CreateCompatibleBitmap(screen, size.cx, size.cy));
    ::ReleaseDC(m_hWnd, screen);
    if (!dc || !bitmap) return true;
    const HGDIOBJ oldBitmap = ::SelectObject(dc.Get(), bitmap.Get());
    DrawPressedCell(dc.Get(), position, RECT{0, 0, size.cx, size.cy});
    ::SelectObject(dc.Get(), oldBitmap);
    image.hbmpDragImage = bitmap.Release();
    return true;
}

void CListColumnDrag::DrawPressedCell(HDC hdc, int position, RECT item) {
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

LRESULT CListColumnDrag::OnCancelMode(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_draggedColumn = m_dropPosition = -1;
    bHandled = FALSE;
    return 0;
}

LRESULT CListColumnDrag::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_dragDrop.Revoke();
    bHandled = FALSE;
    return 0;
}
