#pragma once
#include <windows.h>

#include <string>

class CListCore;

// Painting of the item area: rows, cells by kind, the current cell and the
// selection rectangle; and the hot cell, whose link shows underlined. It
// draws the grid's state and keeps none of it but the hot cell.
class CListPainter {
public:
    enum Image { IMAGE_ARROW_UP = 0, IMAGE_ARROW_DOWN = 1, IMAGE_BOX = 2, IMAGE_BLUE_CHECK = 3,
                 IMAGE_GREEN_CHECK = 4, IMAGE_RED_CROSS = 5 };
    static constexpr UINT TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

    explicit CListPainter(CListCore& grid) : m_grid(grid) {}

    // The rows in clip, from the first visible one.
    void PaintRows(HDC hdc, const RECT& clip);
    // One row's cells, drawn focused or not, clipped to clip.
    void PaintRow(HDC hdc, int row, const RECT& rowRect, const RECT& clip, bool focused);

    // The rubber band of a drag over the items, in content coordinates.
    void PaintSelectionRectangle(HDC hdc, const RECT& rectangle);

    // An image of the list's image list at x, y, cut to clip.
    void DrawImageClipped(HDC hdc, int image, int x, int y, const RECT& clip);
    static void DrawCellText(HDC hdc, const std::wstring& text, RECT rect, unsigned flags);

    // The cell under the mouse, whose link shows underlined; -1 for none.
    int GetHotRow() const { return m_hotRow; }
    int GetHotCell() const { return m_hotCell; }
    void SetHotCell(int row, int cell);

    // A column moved (as CListCore::MoveColumnBefore): the hot cell stays
    // on its column.
    void FollowMovedColumns(int position, int before);

private:
    static constexpr COLORREF FRAME_OUTER_FOCUSED = 0xF5C8AA, FRAME_INNER_FOCUSED = 0xFAFAE6;
    static constexpr COLORREF GRADIENT_TOP_FOCUSED = 0xFAF0D2, GRADIENT_BOTTOM_FOCUSED = 0xFAD7B9;
    static constexpr COLORREF GRADIENT_TOP_UNFOCUSED = 0xFAFAFA,
                              GRADIENT_BOTTOM_UNFOCUSED = 0xEBEBEB;
    static constexpr COLORREF FRAME_OUTER_UNFOCUSED = 0xDCDCDC, FRAME_INNER_UNFOCUSED = 0xF5F5F5;
    static constexpr COLORREF CURRENT_TOP = 0xF5F5EB, CURRENT_BOTTOM = 0xF5EBE1;
    static constexpr COLORREF PROGRESS_TOP = 0xAAF0AA, PROGRESS_BOTTOM = 0x32D22D;
    static constexpr COLORREF CURRENT_CLASSIC = 0xD2BEB4;
    static constexpr COLORREF LINK_TEXT = 0xC80000;
    enum ThemePart { PART_PROGRESS_BAR = 1, PART_PROGRESS_CHUNK = 3 };

    bool IsCurrentCell(int row, int position) const;
    void PaintCurrentCell(HDC hdc, const RECT& cell, bool focused);
    void PaintCell(HDC hdc, int row, int position, const RECT& cell, bool selected, bool focused);
    static int CheckImage(const std::wstring& text, bool threeState);

    // The percentage a progress cell shows, held to 0..100 so the bar
    // never leaves its frame; text that is no number shows an empty bar.
    static double Percentage(const std::wstring& text);

    void DrawCellImage(HDC hdc, int image, const RECT& text, const RECT& cell);
    void PaintProgress(HDC hdc, const RECT& cell, double percentage, unsigned flags);

    // Lays the drawn content, 180/255 opaque, over a fill of colour.
    static void BlendOver(HDC hdc, const RECT& rect, COLORREF color);

    CListCore& m_grid;
    int m_hotRow = -1, m_hotCell = -1;
};
