#include "listctrl/grid/CListPainter.h"

#include <algorithm>

#include "framework/CUniqueHandle.h"
#include "listctrl/drawing/ListDrawing.h"
#include "listctrl/grid/CListCore.h"
#include "listctrl/rules/ColumnDrop.h"

void CListPainter::PaintRows(HDC hdc, const RECT& clip) {
    const int left = -m_grid.ScrollPosition(SB_HORZ);
    const int height = m_grid.GetRowHeight();
    // Without metrics (a failed set-up) there are no rows to place.
    if (left >= clip.right || height <= 0) return;
    const int count = m_grid.Rows().RowCount();
    const int right = left + m_grid.GetContentWidth(false);
    const bool focused = m_grid.HasFocus();
    for (int row = m_grid.FirstVisibleRow(), y = m_grid.ItemTop(); row < count && y < clip.bottom;
         ++row, y += height) {
        if (y + height <= clip.top) continue;
        PaintRow(hdc, row, RECT{left, y, right, y + height}, clip, focused);
    }
}

void CListPainter::PaintRow(HDC hdc, int row, const RECT& rowRect, const RECT& clip, bool focused) {
    const bool selected = m_grid.IsRowSelected(row);
    const CListCore::Colors& colors = m_grid.GetColors();
    if (selected) {
        if (m_grid.IsThemed()) {
            const RECT inside = ListDrawing::DrawRoundedFrame(
                hdc, rowRect, focused ? FRAME_OUTER_FOCUSED : FRAME_OUTER_UNFOCUSED,
                focused ? FRAME_INNER_FOCUSED : FRAME_INNER_UNFOCUSED, colors.Background);
            ListDrawing::FillGradient(
                hdc, inside, focused ? GRADIENT_TOP_FOCUSED : GRADIENT_TOP_UNFOCUSED,
                focused ? GRADIENT_BOTTOM_FOCUSED : GRADIENT_BOTTOM_UNFOCUSED);
        } else {
            ListDrawing::FillSolid(hdc, rowRect, colors.SelectedFill);
        }
    }
    int x = rowRect.left;
    for (int position = 0; position < m_grid.GetColumnCount(); ++position) {
        const ListColumn& column = m_grid.ColumnAt(position);
        const RECT cell{x, rowRect.top, x + column.Width, rowRect.bottom};
        x = cell.right;
        if (cell.left >= clip.right) break;
        // The owner draws the rest of the row.
        if (m_grid.Rows().CellKind(row, column.Id) == CELL_OWNERDRAW) break;
        if (cell.right <= clip.left || column.Width == 1) continue;
        PaintCell(hdc, row, position, cell, selected, focused);
    }
}

bool CListPainter::IsCurrentCell(int row, int position) const {
    const RowSelection& selection = m_grid.GetSelection();
    return m_grid.Options.CellFocus && row == selection.CurrentRow &&
           position == selection.CurrentCell;
}

void CListPainter::PaintCurrentCell(HDC hdc, const RECT& cell, bool focused) {
    const COLORREF background = m_grid.GetBackgroundColor();
    if (!m_grid.IsThemed()) {
        if (m_grid.IsEditActive()) {
            ListDrawing::FillSolid(hdc, cell, background);
            ListDrawing::FrameSolid(hdc, cell, CURRENT_CLASSIC);
        } else {
            ListDrawing::FillSolid(hdc, cell, CURRENT_CLASSIC);
        }
    } else if (focused) {
        const RECT inside = ListDrawing::DrawRoundedFrame(
            hdc, cell, FRAME_OUTER_FOCUSED, FRAME_INNER_FOCUSED, background);
        if (m_grid.IsEditActive())
            ListDrawing::FillSolid(hdc, inside, background);
        else
            ListDrawing::FillGradient(hdc, inside, CURRENT_TOP, CURRENT_BOTTOM);
    }
}

void CListPainter::PaintCell(HDC hdc, int row, int position, const RECT& cell, bool selected,
                             bool focused) {
    const int id = m_grid.GetColumnId(position);
    const GridRows& rows = m_grid.Rows();
    const bool current = IsCurrentCell(row, position);
    if (current) PaintCurrentCell(hdc, cell, focused);

    const RECT text = m_grid.CellTextRect(cell, position);
    if (text.right <= text.left || text.bottom <= text.top) return;

    const unsigned flags = rows.CellFlags(row, id);
    const bool classicSelected = selected && !m_grid.IsThemed() && !current;
    const CListCore::Colors& colors = m_grid.GetColors();
    ::SetTextColor(hdc, classicSelected ? colors.SelectedText : colors.CellText);
    ::SelectObject(hdc, m_grid.GetFont());

    switch (rows.CellKind(row, id)) {
    case CELL_DATETIME:
        DrawCellText(hdc, m_grid.FormatCellDateTime(row, id), text, flags);
        break;
    case CELL_CHECK:
        DrawCellImage(hdc, CheckImage(rows.CellText(row, id), false), text, cell);
        break;
    case CELL_TRISTATE:
        DrawCellImage(hdc, CheckImage(rows.CellText(row, id), true), text, cell);
        break;
    case CELL_LINK:
        if (!classicSelected) ::SetTextColor(hdc, LINK_TEXT);
        if (row == m_hotRow && position == m_hotCell && !(flags & CELLF_READONLY))
            ::SelectObject(hdc, m_grid.GetUnderlinedFont());
        DrawCellText(hdc, rows.CellText(row, id), text, flags);
        break;
    case CELL_PROGRESS:
        PaintProgress(hdc, cell, Percentage(rows.CellText(row, id)), flags);
        break;
    default:
        DrawCellText(hdc, rows.CellText(row, id), text, flags);
        break;
    }
}

void CListPainter::DrawCellText(HDC hdc, const std::wstring& text, RECT rect, unsigned flags) {
    if (text.empty()) return;
    UINT format = TEXT_FORMAT;
    if (flags & CELLF_CENTER)
        format |= DT_CENTER;
    else if (flags & CELLF_RIGHT)
        format |= DT_RIGHT;
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

int CListPainter::CheckImage(const std::wstring& text, bool threeState) {
    const int value = static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
    if (!threeState) return value > 0 ? IMAGE_BLUE_CHECK : IMAGE_BOX;
    return value > 0 ? IMAGE_GREEN_CHECK : value == 0 ? IMAGE_BOX : IMAGE_RED_CROSS;
}

double CListPainter::Percentage(const std::wstring& text) {
    const double value = std::wcstod(text.c_str(), nullptr);
    return value > 0 ? std::min(value, 100.0) : 0.0;
}

void CListPainter::DrawImageClipped(HDC hdc, int image, int x, int y, const RECT& clip) {
    const int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    ::ImageList_Draw(m_grid.GetImageList(), image, hdc, x, y, ILD_TRANSPARENT);
    ::RestoreDC(hdc, saved);
}

void CListPainter::DrawCellImage(HDC hdc, int image, const RECT& text, const RECT& cell) {
    const int size = m_grid.ImageWidth();
    const int x = text.left + (text.right - text.left - size) / 2 - 1;
    const int y = cell.top + (cell.bottom - cell.top - size) / 2;
    DrawImageClipped(hdc, image, x, y, cell);
}

void CListPainter::PaintProgress(HDC hdc, const RECT& cell, double percentage, unsigned flags) {
    RECT bar = cell;
    ::InflateRect(&bar, -3, -2);
    const HTHEME theme = m_grid.GetProgressTheme();
    if (theme && m_grid.Options.UseThemes && !(flags & CELLF_PROGRESS_CLASSIC)) {
        ::DrawThemeBackground(theme, hdc, PART_PROGRESS_BAR, 0, &bar, nullptr);
        bar.right -= 2;
        bar.left += 3;
        bar.top += 3;
        bar.bottom -= 3;
        bar.right = bar.left + static_cast<int>((bar.right - bar.left) * percentage / 100);
        if (bar.right > bar.left)
            ::DrawThemeBackground(theme, hdc, PART_PROGRESS_CHUNK, 0, &bar,
                                  nullptr);
        return;
    }
    const CListCore::Colors& colors = m_grid.GetColors();
    CPenHandle pen(::CreatePen(PS_SOLID, 1, colors.Shadow));
    CBrushHandle face(::CreateSolidBrush(colors.HeaderFace));
    if (pen && face) {
        HGDIOBJ oldPen = ::SelectObject(hdc, pen.Get());
        HGDIOBJ oldBrush = ::SelectObject(hdc, face.Get());
        ::RoundRect(hdc, bar.left, bar.top, bar.right, bar.bottom, 5, 5);
        ::SelectObject(hdc, oldBrush);
        ::SelectObject(hdc, oldPen);
    }
    ::InflateRect(&bar, -3, -3);
    bar.right = bar.left + static_cast<int>((bar.right - bar.left) * percentage / 100);
    ListDrawing::FillGradient(hdc, bar, PROGRESS_TOP, PROGRESS_BOTTOM);
}

void CListPainter::PaintSelectionRectangle(HDC hdc, const RECT& rectangle) {
    const RECT client = m_grid.ClientRect();
    const int hpos = m_grid.ScrollPosition(SB_HORZ), vpos = m_grid.RowScrollOffset();
    const int top = m_grid.ItemTop();
    const bool themed = m_grid.IsThemed();
    RECT frame = rectangle;
    ::OffsetRect(&frame, -hpos, -vpos);
    if (m_grid.IsScrolledToEnd(SB_HORZ)) frame.right = std::min(frame.right, client.right);
    if (m_grid.IsScrolledToEnd(SB_VERT)) frame.bottom = std::min(frame.bottom, client.bottom);
    if (hpos == 0) frame.left = std::max<LONG>(frame.left, 0);
    if (vpos == 0) frame.top = std::max<LONG>(frame.top, top);
    const COLORREF fill = themed ? ::GetSysColor(COLOR_HIGHLIGHT) : CURRENT_CLASSIC;
    RECT area = client, visible;
    area.top = top;
    if (::IntersectRect(&visible, &frame, &area)) BlendOver(hdc, visible, fill);
    ListDrawing::FrameSolid(hdc, frame,
                            ::GetSysColor(themed ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT));
}

void CListPainter::SetHotCell(int row, int cell) {
    m_hotRow = row;
    m_hotCell = cell;
}

void CListPainter::FollowMovedColumns(int position, int before) {
    m_hotCell = ColumnDrop::PositionAfterMove(m_hotCell, position, before);
}

void CListPainter::BlendOver(HDC hdc, const RECT& rect, COLORREF color) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    CMemoryDCHandle contentDC(::CreateCompatibleDC(hdc)), fillDC(::CreateCompatibleDC(hdc));
    CBitmapHandle content(::CreateCompatibleBitmap(hdc, width, height));
    CBitmapHandle filled(::CreateCompatibleBitmap(hdc, width, height));
    if (!contentDC || !fillDC || !content || !filled) return;
    HGDIOBJ oldContent = ::SelectObject(contentDC.Get(), content.Get());
    HGDIOBJ oldFill = ::SelectObject(fillDC.Get(), filled.Get());
    ::BitBlt(contentDC.Get(), 0, 0, width, height, hdc, rect.left, rect.top, SRCCOPY);
    ListDrawing::FillSolid(fillDC.Get(), RECT{0, 0, width, height}, color);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 180, 0};
    ::AlphaBlend(fillDC.Get(), 0, 0, width, height, contentDC.Get(), 0, 0, width, height, blend);
    ::BitBlt(hdc, rect.left, rect.top, width, height, fillDC.Get(), 0, 0, SRCCOPY);
    ::SelectObject(fillDC.Get(), oldFill);
    ::SelectObject(contentDC.Get(), oldContent);
}
