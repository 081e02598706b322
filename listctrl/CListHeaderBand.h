#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "listctrl/CListPainter.h"
#include "listctrl/HeaderBandLook.h"
#include "listctrl/ListDrawing.h"

// The header band the list draws itself: column captions, images, sort
// arrows, hot and pressed columns.
template <class T>
class CListHeaderBand : public CListPainter<T> {
public:
    using Base = CListPainter<T>;
    using Base::GetColumnCount;
    using Base::IMAGE_ARROW_DOWN;
    using Base::IMAGE_ARROW_UP;
    using Base::IsThemed;
    using Base::Options;

protected:
    using Base::ClientRect;
    using Base::DrawCellText;
    using Base::DrawImageClipped;
    using Base::ImageWidth;
    using Base::ScrollPosition;
    using Base::m_colors;
    using Base::m_columns;
    using Base::m_contentWidth;
    using Base::m_font;
    using Base::m_headerHeight;
    using Base::m_headerTheme;

protected:

    static constexpr COLORREF PRESSED_HEADER = 0xB48C82;
    enum ThemePart { PART_HEADER_ITEM = 1 };
    enum ThemeState { STATE_NORMAL = 1, STATE_HOT = 2, STATE_PRESSED = 3 };

    // Themed header parts are slow to draw, so the band is drawn into a
    // picture of its own and copied from there while its look stays the same.
    void PaintHeader(HDC hdc, const RECT& clip) {
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

    void DrawBand(HDC hdc, const RECT& clip) {
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

    void PaintHeaderItem(HDC hdc, int position, const RECT& item, HPEN light, HPEN shadow) {
        const ListColumn& column = m_columns[position];
        if (IsThemed()) {
            const int state = position == m_pressedColumn ? STATE_PRESSED
                              : position == m_hotColumn   ? STATE_HOT
                                                          : STATE_NORMAL;
            ::DrawThemeBackground(m_headerTheme.Get(), hdc, PART_HEADER_ITEM, state, &item, nullptr);
        } else {
            if (position == m_pressedColumn) ListDrawing::FillSolid(hdc, item, PRESSED_HEADER);
            if (light && shadow) {
                ListDrawing::DrawLine(hdc, item.right - 1, item.top + 4, item.right - 1,
                                      m_headerHeight - 4, shadow);
                ListDrawing::DrawLine(hdc, item.right, item.top + 4, item.right,
                                      m_headerHeight - 4, light);
            }
        }

        RECT text = item;
        text.left += position == 0 ? 4 : 3;
        ::OffsetRect(&text, 0, 1);
        const bool arrowRoom = Options.SortEnabled && column.Width > 15;
        const bool sortArrow =
            arrowRoom && !column.Fixed && column.Id == Options.SortColumnId;
        if (sortArrow) text.right -= 15;
        text.left += 4;
        text.right -= 5;

        const RECT imageClip{item.left, item.top, item.right - 2, m_headerHeight};
        const int size = ImageWidth();
        if (column.Image != -1) {
            int imageX = text.left;
            if (column.Title.empty())
                imageX = text.left + (text.right - text.left - size) / 2 - (IsThemed() ? 1 : 0);
            DrawImageClipped(hdc, column.Image, imageX, (m_headerHeight - size) / 2, imageClip);
            text.left += size + 4;
        }
        DrawCellText(hdc, column.Title, text, column.Flags);
        if (sortArrow) {
            const RECT arrowClip{item.left, item.top, item.right, m_headerHeight};
            DrawImageClipped(hdc, Options.SortAscending ? IMAGE_ARROW_DOWN : IMAGE_ARROW_UP,
                             text.right + 4, m_headerHeight / 2 - 3, arrowClip);
        }
    }

    int m_hotColumn = -1, m_pressedColumn = -1;

private:
    HeaderBandLook CurrentBandLook(const RECT& band) const {
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
        look.MetricsGeneration = this->m_metricsGeneration;
        return look;
    }

    // Draws the band's picture again when its look has changed; false when
    // there is no picture to copy from.
    // memory: a memory DC compatible with hdc to draw with.
    bool UpdateBandPicture(HDC hdc, HDC memory, const RECT& band) {
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

    CBitmapHandle m_bandPicture;
    HeaderBandLook m_bandLook;  // what m_bandPicture shows
};
