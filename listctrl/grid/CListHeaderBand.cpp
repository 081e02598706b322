#include "listctrl/grid/CListHeaderBand.h"

#include <algorithm>

#include "listctrl/drawing/ListDrawing.h"
#include "listctrl/grid/CListCore.h"
#include "listctrl/grid/CListPainter.h"

bool CListHeaderBand::HeaderFromPoint(int x, int y, int& position, unsigned& zone) const {
    position = -1;
    zone = 0;
    if (!m_grid.Options.ShowHeader || y < 0 || y > m_grid.GetHeaderHeight()) return false;
    int right = -m_grid.ScrollPosition(SB_HORZ);
    for (int column = 0; column < m_grid.GetColumnCount(); ++column) {
        const int width = m_grid.GetColumnWidth(column);
        right += width;
        if (m_grid.DividerZone(right).Contains(x)) {
            zone = HEADER_ZONE_DIVIDER;
            position = DividerColumn(column, x < right);
            return true;
        }
        if (right - width < x && x < right) {
            position = column;
            return true;
        }
    }
    return false;
}

bool CListHeaderBand::FitColumnToContent(int position) {
    if (!m_grid.IsColumn(position) || m_grid.IsColumnFixed(position)) return false;
    const ListColumn& column = m_grid.ColumnAt(position);
    const GridRows& rows = m_grid.Rows();
    HDC hdc = ::GetDC(m_grid.m_hWnd);
    if (hdc == nullptr) return false;
    HGDIOBJ old = ::SelectObject(hdc, m_grid.GetFont());
    int widest = 0;
    bool measured = WidenTo(hdc, column.Title, widest);
    for (int row = 0; measured && row < rows.RowCount(); ++row)
        measured = WidenTo(hdc, rows.CellText(row, column.Id), widest);
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_grid.m_hWnd, hdc);
    return measured && m_grid.SetColumnWidth(position, widest + m_grid.Scale(20));
}

int CListHeaderBand::DividerColumn(int column, bool leftOfDivider) const {
    const int count = m_grid.GetColumnCount();
    if (leftOfDivider || column + 1 == count - 1) return column;
    int last = column;
    while (last + 1 < count && m_grid.GetColumnWidth(last + 1) == 0) ++last;
    return last;
}

bool CListHeaderBand::WidenTo(HDC hdc, const std::wstring& text, int& widest) {
    SIZE extent{};
    if (!::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &extent))
        return false;
    widest = std::max<int>(widest, extent.cx);
    return true;
}

void CListHeaderBand::PaintHeader(HDC hdc, const RECT& clip) {
    const RECT band{0, 0, m_grid.ClientRect().right, m_grid.GetHeaderHeight()};
    RECT area;
    if (!::IntersectRect(&area, &band, &clip)) return;
    CMemoryDCHandle memory(::CreateCompatibleDC(hdc));
    if (!memory || !UpdateBandPicture(hdc, memory.Get(), band)) {
        DrawBand(hdc, clip);
        return;
    }
    HGDIOBJ old = ::SelectObject(memory.Get(), m_bandPicture.Get());
    ::BitBlt(hdc, area.left, area.top, area.right - area.left, area.bottom - area.top,
             memory.Get(), area.left, area.top, SRCCOPY);
    ::SelectObject(memory.Get(), old);
}

void CListHeaderBand::DrawBand(HDC hdc, const RECT& clip) {
    const RECT client = m_grid.ClientRect();
    const bool themed = m_grid.IsThemed();
    const int height = m_grid.GetHeaderHeight();
    const CListCore::Colors& colors = m_grid.GetColors();
    const RECT band{0, 0, client.right, height};
    CPenHandle light, shadow;
    if (!themed) {
        ListDrawing::FillSolid(hdc, band, colors.HeaderFace);
        light.Reset(::CreatePen(PS_SOLID, 1, colors.Light));
        shadow.Reset(::CreatePen(PS_SOLID, 1, colors.Shadow));
    }
    ::SelectObject(hdc, m_grid.GetFont());
    ::SetTextColor(hdc, colors.HeaderText);
    int x = -m_grid.ScrollPosition(SB_HORZ);
    for (int position = 0; position < m_grid.GetColumnCount(); ++position) {
        const RECT item{x, 0, x + m_grid.GetColumnWidth(position), height};
        x = item.right;
        if (item.right <= clip.left) continue;
        if (item.left >= clip.right) break;
        PaintHeaderItem(hdc, position, item, light.Get(), shadow.Get());
    }
    if (themed) {
        if (x < client.right) {
            const RECT rest{x, 0, client.right + 2, height};
            ::DrawThemeBackground(m_grid.GetHeaderTheme(), hdc, PART_HEADER_ITEM, STATE_NORMAL,
                                  &rest, nullptr);
        }
    } else if (m_grid.GetContentWidth(false) >= 0 && light && shadow) {
        const RECT frame{0, 0, client.right + 2, height};
        ListDrawing::DrawLine(hdc, frame.left, frame.top, frame.right, frame.top, light.Get());
        ListDrawing::DrawLine(hdc, frame.left, frame.top, frame.left, frame.bottom, light.Get());
        ListDrawing::DrawLine(hdc, frame.right - 1, frame.top, frame.right - 1, frame.bottom,
                              shadow.Get());
        ListDrawing::DrawLine(hdc, frame.left, frame.bottom - 1, frame.right, frame.bottom - 1,
                              shadow.Get());
    }
}

void CListHeaderBand::PaintHeaderItem(HDC hdc, int position, const RECT& item, HPEN light,
                                      HPEN shadow) {
    if (m_grid.IsThemed()) {
        const int state = position == m_pressedColumn ? STATE_PRESSED
                          : position == m_hotColumn   ? STATE_HOT
                                                      : STATE_NORMAL;
        ::DrawThemeBackground(m_grid.GetHeaderTheme(), hdc, PART_HEADER_ITEM, state, &item,
                              nullptr);
    } else {
        if (position == m_pressedColumn) ListDrawing::FillSolid(hdc, item, PRESSED_HEADER);
        if (light && shadow) {
            const int inset = m_grid.Scale(4);
            const int bottom = m_grid.GetHeaderHeight() - inset;
            ListDrawing::DrawLine(hdc, item.right - 1, item.top + inset, item.right - 1, bottom,
                                  shadow);
            ListDrawing::DrawLine(hdc, item.right, item.top + inset, item.right, bottom, light);
        }
    }
    PaintHeaderCaption(hdc, position, item, true);
}

void CListHeaderBand::PaintHeaderCaption(HDC hdc, int position, const RECT& item,
                                         bool withSortArrow) {
    const ListColumn& column = m_grid.ColumnAt(position);
    const ListOptions& options = m_grid.Options;
    const int height = m_grid.GetHeaderHeight();
    RECT text = item;
    text.left += m_grid.Scale(position == 0 ? 4 : 3);
    ::OffsetRect(&text, 0, 1);
    const int arrowWidth = m_grid.Scale(15);
    const bool arrowRoom = options.SortEnabled && column.Width > arrowWidth;
    const bool sortArrow = withSortArrow && arrowRoom && !column.Fixed &&
                           column.Id == options.SortColumnId;
    if (sortArrow) text.right -= arrowWidth;
    text.left += m_grid.Scale(4);
    text.right -= m_grid.Scale(5);

    const RECT imageClip{item.left, item.top, item.right - m_grid.Scale(2), height};
    const int size = m_grid.ImageWidth();
    if (column.Image != -1) {
        int imageX = text.left;
        if (column.Title.empty())
            imageX = text.left + (text.right - text.left - size) / 2 - (m_grid.IsThemed() ? 1 : 0);
        m_painter.DrawImageClipped(hdc, column.Image, imageX, (height - size) / 2, imageClip);
        text.left += size + m_grid.Scale(4);
    }
    CListPainter::DrawCellText(hdc, column.Title, text, column.Flags);
    if (sortArrow) {
        const RECT arrowClip{item.left, item.top, item.right, height};
        const int arrow =
            options.SortAscending ? CListPainter::IMAGE_ARROW_DOWN : CListPainter::IMAGE_ARROW_UP;
        m_painter.DrawImageClipped(hdc, arrow, text.right + m_grid.Scale(4),
                                   height / 2 - m_grid.Scale(3), arrowClip);
    }
}

void CListHeaderBand::PaintPressedHeaderCell(HDC hdc, int position, RECT item) {
    if (m_grid.IsThemed()) {
        ::DrawThemeBackground(m_grid.GetHeaderTheme(), hdc, PART_HEADER_ITEM, STATE_PRESSED,
                              &item, nullptr);
    } else {
        ListDrawing::FillSolid(hdc, item, ::GetSysColor(COLOR_BTNFACE));
        ::DrawEdge(hdc, &item, EDGE_RAISED, BF_RECT);
    }
    const HGDIOBJ oldFont = ::SelectObject(hdc, m_grid.GetFont());
    ::SetTextColor(hdc, m_grid.GetColors().HeaderText);
    ::SetBkMode(hdc, TRANSPARENT);
    PaintHeaderCaption(hdc, position, item, false);
    ::SelectObject(hdc, oldFont);
}

void CListHeaderBand::SetHotColumn(int position) {
    if (position == m_hotColumn) return;
    m_hotColumn = position;
    m_grid.RedrawHeader();
}

void CListHeaderBand::SetPressedColumn(int position) {
    if (position == m_pressedColumn) return;
    m_pressedColumn = position;
    m_grid.RedrawHeader();
}

HeaderBandLook CListHeaderBand::CurrentBandLook(const RECT& band) const {
    HeaderBandLook look;
    const int count = m_grid.GetColumnCount();
    look.Items.reserve(count);
    for (int position = 0; position < count; ++position) {
        const ListColumn& column = m_grid.ColumnAt(position);
        look.Items.push_back(
            {column.Title, column.Width, column.Image, column.Fixed, column.Flags, column.Id});
    }
    const ListOptions& options = m_grid.Options;
    look.SortEnabled = options.SortEnabled;
    look.SortAscending = options.SortAscending;
    look.SortColumnId = options.SortColumnId;
    look.HotColumn = m_hotColumn;
    look.PressedColumn = m_pressedColumn;
    look.Left = -m_grid.ScrollPosition(SB_HORZ);
    look.Width = band.right;
    look.Height = band.bottom;
    look.ContentWidth = m_grid.GetContentWidth(false);
    look.Themed = m_grid.IsThemed();
    look.MetricsGeneration = m_grid.GetMetricsGeneration();
    return look;
}

bool CListHeaderBand::UpdateBandPicture(HDC hdc, HDC memory, const RECT& band) {
    HeaderBandLook look = CurrentBandLook(band);
    if (m_bandPicture && look == m_bandLook) return true;
    if (!m_bandPicture || look.Width != m_bandLook.Width || look.Height != m_bandLook.Height)
        m_bandPicture.Reset(::CreateCompatibleBitmap(hdc, band.right, band.bottom));
    if (!m_bandPicture) return false;
    HGDIOBJ old = ::SelectObject(memory, m_bandPicture.Get());
    // As the paint pass leaves it under the band: background, transparent text.
    ListDrawing::FillSolid(memory, band, m_grid.GetBackgroundColor());
    ::SetBkMode(memory, TRANSPARENT);
    DrawBand(memory, band);
    ::SelectObject(memory, old);
    m_bandLook = std::move(look);
    return true;
}
