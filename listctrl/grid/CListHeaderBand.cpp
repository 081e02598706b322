#include "listctrl/grid/CListHeaderBand.h"

bool CListHeaderBand::HeaderFromPoint(int x, int y, int& position, unsigned& zone) const {
    position = -1;
    zone = 0;
    if (!Options.ShowHeader || y < 0 || y > m_headerHeight) return false;
    int right = -ScrollPosition(SB_HORZ);
    for (int column = 0; column < GetColumnCount(); ++column) {
        const int width = m_columns[column].Width;
        right += width;
        if (m_scale.DividerZone(right).Contains(x)) {
            zone = ZONE_DIVIDER;
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
    if (!IsColumn(position) || m_columns[position].Fixed) return false;
    const int id = m_columns[position].Id;
    HDC hdc = ::GetDC(m_hWnd);
    if (hdc == nullptr) return false;
    HGDIOBJ old = ::SelectObject(hdc, m_font.Get());
    int widest = 0;
    bool measured = WidenTo(hdc, m_columns[position].Title, widest);
    for (int row = 0; measured && row < RowCount(); ++row)
        measured = WidenTo(hdc, CellText(row, id), widest);
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    return measured && SetColumnWidth(position, widest + Scale(20));
}

int CListHeaderBand::DividerColumn(int column, bool leftOfDivider) const {
    const int count = GetColumnCount();
    if (leftOfDivider || column + 1 == count - 1) return column;
    int last = column;
    while (last + 1 < count && m_columns[last + 1].Width == 0) ++last;
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
    const RECT band{0, 0, ClientRect().right, m_headerHeight};
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
    const RECT client = ClientRect();
    const bool themed = IsThemed();
    const RECT band{0, 0, client.right, m_headerHeight};
    CPenHandle light, shadow;
    if (!themed) {
        ListDrawing::FillSolid(hdc, band, m_colors.HeaderFace);
        light.Reset(::CreatePen(PS_SOLID, 1, m_colors.Light));
        shadow.Reset(::CreatePen(PS_SOLID, 1, m_colors.Shadow));
    }
    ::SelectObject(hdc, m_font.Get());
    ::SetTextColor(hdc, m_colors.HeaderText);
    int x = -ScrollPosition(SB_HORZ);
    for (int position = 0; position < GetColumnCount(); ++position) {
        const RECT item{x, 0, x + m_columns[position].Width, m_headerHeight};
        x = item.right;
        if (item.right <= clip.left) continue;
        if (item.left >= clip.right) break;
        PaintHeaderItem(hdc, position, item, light.Get(), shadow.Get());
    }
    if (themed) {
        if (x < client.right) {
            const RECT rest{x, 0, client.right + 2, m_headerHeight};
            ::DrawThemeBackground(m_headerTheme.Get(), hdc, PART_HEADER_ITEM, STATE_NORMAL,
                                  &rest, nullptr);
        }
    } else if (m_contentWidth >= 1 && light && shadow) {
        const RECT frame{0, 0, client.right + 2, m_headerHeight};
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
    if (IsThemed()) {
        const int state = position == m_pressedColumn ? STATE_PRESSED
                          : position == m_hotColumn   ? STATE_HOT
                                                      : STATE_NORMAL;
        ::DrawThemeBackground(m_headerTheme.Get(), hdc, PART_HEADER_ITEM, state, &item, nullptr);
    } else {
        if (position == m_pressedColumn) ListDrawing::FillSolid(hdc, item, PRESSED_HEADER);
        if (light && shadow) {
            const int inset = Scale(4);
            ListDrawing::DrawLine(hdc, item.right - 1, item.top + inset, item.right - 1,
                                  m_headerHeight - inset, shadow);
            ListDrawing::DrawLine(hdc, item.right, item.top + inset, item.right,
                                  m_headerHeight - inset, light);
        }
    }
    PaintHeaderCaption(hdc, position, item, true);
}

void CListHeaderBand::PaintHeaderCaption(HDC hdc, int position, const RECT& item,
                                         bool withSortArrow) {
    const ListColumn& column = m_columns[position];
    RECT text = item;
    text.left += Scale(position == 0 ? 4 : 3);
    ::OffsetRect(&text, 0, 1);
    const int arrowWidth = Scale(15);
    const bool arrowRoom = Options.SortEnabled && column.Width > arrowWidth;
    const bool sortArrow = withSortArrow && arrowRoom && !column.Fixed &&
                           column.Id == Options.SortColumnId;
    if (sortArrow) text.right -= arrowWidth;
    text.left += Scale(4);
    text.right -= Scale(5);

    const RECT imageClip{item.left, item.top, item.right - Scale(2), m_headerHeight};
    const int size = ImageWidth();
    if (column.Image != -1) {
        int imageX = text.left;
        if (column.Title.empty())
            imageX = text.left + (text.right - text.left - size) / 2 - (IsThemed() ? 1 : 0);
        DrawImageClipped(hdc, column.Image, imageX, (m_headerHeight - size) / 2, imageClip);
        text.left += size + Scale(4);
    }
    DrawCellText(hdc, column.Title, text, column.Flags);
    if (sortArrow) {
        const RECT arrowClip{item.left, item.top, item.right, m_headerHeight};
        DrawImageClipped(hdc, Options.SortAscending ? IMAGE_ARROW_DOWN : IMAGE_ARROW_UP,
                         text.right + Scale(4), m_headerHeight / 2 - Scale(3), arrowClip);
    }
}

void CListHeaderBand::PaintPressedHeaderCell(HDC hdc, int position, RECT item) {
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

void CListHeaderBand::SetHotColumn(int position) {
    if (position == m_hotColumn) return;
    m_hotColumn = position;
    RedrawHeader();
}

void CListHeaderBand::SetPressedColumn(int position) {
    if (position == m_pressedColumn) return;
    m_pressedColumn = position;
    RedrawHeader();
}

HeaderBandLook CListHeaderBand::CurrentBandLook(const RECT& band) const {
    HeaderBandLook look;
    look.Items.reserve(m_columns.size());
    for (const ListColumn& column : m_columns)
        look.Items.push_back(
            {column.Title, column.Width, column.Image, column.Fixed, column.Flags, column.Id});
    look.SortEnabled = Options.SortEnabled;
    look.SortAscending = Options.SortAscending;
    look.SortColumnId = Options.SortColumnId;
    look.HotColumn = m_hotColumn;
    look.PressedColumn = m_pressedColumn;
    look.Left = -ScrollPosition(SB_HORZ);
    look.Width = band.right;
    look.Height = band.bottom;
    look.ContentWidth = m_contentWidth;
    look.Themed = IsThemed();
    look.MetricsGeneration = m_metricsGeneration;
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
    ListDrawing::FillSolid(memory, band, m_colors.Background);
    ::SetBkMode(memory, TRANSPARENT);
    DrawBand(memory, band);
    ::SelectObject(memory, old);
    m_bandLook = std::move(look);
    return true;
}
