#pragma once
#include <windows.h>

// The few GDI shapes the list is drawn from. Each creates and deletes its
// own pens and brushes and leaves the DC's selections as it found them.
class ListDrawing {
public:
    static void FillSolid(HDC hdc, const RECT& rect, COLORREF color);
    // Vertical gradient from top colour to bottom colour.
    static void FillGradient(HDC hdc, const RECT& rect, COLORREF top, COLORREF bottom);
    // Outer rounded frame (corner 5) over a fill of the given colour, an
    // inner frame (corner 2) one pixel in; returns the rectangle inside both.
    static RECT DrawRoundedFrame(HDC hdc, const RECT& rect, COLORREF outer, COLORREF inner,
                                 COLORREF fill);
    static void FrameSolid(HDC hdc, const RECT& rect, COLORREF color);
    static void DrawLine(HDC hdc, int x1, int y1, int x2, int y2, HPEN pen);
};
