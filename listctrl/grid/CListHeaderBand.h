#pragma once
#include <windows.h>

#include <string>

#include "framework/CUniqueHandle.h"
#include "listctrl/drawing/HeaderBandLook.h"
#include "listctrl/ListConstants.h"

class CListCore;
class CListPainter;

// The header band the list draws itself: column captions, images, sort
// arrows, hot and pressed columns; and where a point lies on it. It keeps
// the hot and pressed columns and the band's picture.
class CListHeaderBand {
public:
    // painter: draws the captions' images and texts as the cells' are.
    CListHeaderBand(CListCore& grid, CListPainter& painter) : m_grid(grid), m_painter(painter) {}

    // The column under a point of the band (client coordinates). On a
    // divider, 5 pixels left to 4 right of a column's right edge (at 96
    // DPI), the zone is HEADER_ZONE_DIVIDER and the position names the column a
    // drag resizes.
    bool HeaderFromPoint(int x, int y, int& position, unsigned& zone) const;

    // Widens or narrows a column to its widest text (title or cell) plus 20
    // (at 96 DPI).
    bool FitColumnToContent(int position);

    // The columns drawn hot (themed drawing only) and pressed; -1 for none.
    // Setting one redraws the band when it changes.
    int GetPressedColumn() const { return m_pressedColumn; }
    void SetHotColumn(int position);
    void SetPressedColumn(int position);

    // A header cell drawn pressed into item, as a column drag shows it.
    void PaintPressedHeaderCell(HDC hdc, int position, RECT item);

    // Themed header parts are slow to draw, so the band is drawn into a
    // picture of its own and copied from there while its look stays the same.
    void PaintHeader(HDC hdc, const RECT& clip);

private:
    // Right of a divider the column to pull open is the last of any
    // zero-width columns that follow it, so a collapsed column can be had.
    int DividerColumn(int column, bool leftOfDivider) const;

    static bool WidenTo(HDC hdc, const std::wstring& text, int& widest);

    static constexpr COLORREF PRESSED_HEADER = 0xB48C82;
    enum ThemePart { PART_HEADER_ITEM = 1 };
    enum ThemeState { STATE_NORMAL = 1, STATE_HOT = 2, STATE_PRESSED = 3 };

    void DrawBand(HDC hdc, const RECT& clip);
    void PaintHeaderItem(HDC hdc, int position, const RECT& item, HPEN light, HPEN shadow);

    // A header cell's image and title, and its sort arrow when asked and
    // due, in the list font and header text colour already selected.
    void PaintHeaderCaption(HDC hdc, int position, const RECT& item, bool withSortArrow);

    HeaderBandLook CurrentBandLook(const RECT& band) const;

    // Draws the band's picture again when its look has changed; false when
    // there is no picture to copy from.
    // memory: a memory DC compatible with hdc to draw with.
    bool UpdateBandPicture(HDC hdc, HDC memory, const RECT& band);

    CListCore& m_grid;
    CListPainter& m_painter;
    CBitmapHandle m_bandPicture;
    HeaderBandLook m_bandLook;  // what m_bandPicture shows
    int m_hotColumn = -1, m_pressedColumn = -1;
};
