#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/grid/CListAccessibility.h"
#include "listctrl/drawing/ListDrawing.h"

// A grid window of typed cells with a header band, drawn by itself. Each
// concern is a layer of its own, from the bottom up: CListCore (window,
// columns, selection, geometry), CListPainter (rows and cells),
// CListHeaderBand, CListScroller, CListEditing (selecting a row, in-place
// editors), CListKeyboard, CListMouse (the item area), CListColumnDrag,
// CListHeaderInput (the mouse on the band), CListAccessibility (what
// screen readers see); this top joins them and paints through one
// off-screen buffer. See CListCore and CListEditing for what T must answer.
template <class T>
class CListImpl : public CListAccessibility<T>, public CDoubleBufferImpl<T> {
public:
    using CWindowImpl<T>::ReflectNotifications;
    using CListHeaderInput<T>::RelayToToolTip;

    BEGIN_MSG_MAP(CListImpl)
        MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, RelayToToolTip)
        CHAIN_MSG_MAP(CListAccessibility<T>)
        CHAIN_MSG_MAP(CDoubleBufferImpl<T>)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // The whole paint pass for the part of the client area in clip.
    void DoPaint(HDC hdc, const RECT& clip) {
        const int saved = ::SaveDC(hdc);
        ListDrawing::FillSolid(hdc, clip, this->m_colors.Background);
        ::SetBkMode(hdc, TRANSPARENT);
        if (this->m_strip)
            this->PaintAnimationFrame(hdc);
        else
            this->PaintRows(hdc, clip);
        if (this->m_rectangleActive) this->PaintSelectionRectangle(hdc);
        if (this->Options.ShowHeader && clip.top < this->m_headerHeight) this->PaintHeader(hdc, clip);
        ::RestoreDC(hdc, saved);
    }
};
