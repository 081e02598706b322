#include "listctrl/drawing/ListDrawing.h"

#include "framework/CUniqueHandle.h"

void ListDrawing::FillSolid(HDC hdc, const RECT& rect, COLORREF color) {
    const COLORREF old = ::SetBkColor(hdc, color);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

void ListDrawing::FillGradient(HDC hdc, const RECT& rect, COLORREF top, COLORREF bottom) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, static_cast<COLOR16>(GetRValue(top) << 8),
         static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
        {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
         static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8),
         0}};
    GRADIENT_RECT gradient{0, 1};
    ::GradientFill(hdc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
}

RECT ListDrawing::DrawRoundedFrame(HDC hdc, const RECT& rect, COLORREF outer, COLORREF inner,
                                   COLORREF fill) {
    CPenHandle outerPen(::CreatePen(PS_SOLID, 1, outer));
    CPenHandle innerPen(::CreatePen(PS_SOLID, 1, inner));
    CBrushHandle brush(::CreateSolidBrush(fill));
    RECT inside = rect;
    if (outerPen && innerPen && brush) {
        HGDIOBJ oldPen = ::SelectObject(hdc, outerPen.Get());
        HGDIOBJ oldBrush = ::SelectObject(hdc, brush.Get());
        ::RoundRect(hdc, inside.left, inside.top, inside.right, inside.bottom, 5, 5);
        ::InflateRect(&inside, -1, -1);
        ::SelectObject(hdc, innerPen.Get());
        ::RoundRect(hdc, inside.left, inside.top, inside.right, inside.bottom, 2, 2);
        ::SelectObject(hdc, oldBrush);
        ::SelectObject(hdc, oldPen);
    } else {
        ::InflateRect(&inside, -1, -1);
    }
    ::InflateRect(&inside, -1, -1);
    return inside;
}

void ListDrawing::FrameSolid(HDC hdc, const RECT& rect, COLORREF color) {
    CBrushHandle brush(::CreateSolidBrush(color));
    if (brush) ::FrameRect(hdc, &rect, brush.Get());
}

void ListDrawing::DrawLine(HDC hdc, int x1, int y1, int x2, int y2, HPEN pen) {
    HGDIOBJ old = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, x1, y1, nullptr);
    ::LineTo(hdc, x2, y2);
    ::SelectObject(hdc, old);
}
