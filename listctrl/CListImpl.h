#pragma once
#include <windows.h>

#include "framework/CDoubleBufferImpl.h"
#include "listctrl/CListScroller.h"
#include "listctrl/ListDrawing.h"

// A grid window of typed cells with a header band, drawn by itself. Each
// concern is a layer of its own, from the bottom up: CListCore (window,
// columns, selection, geometry), CListPainter (rows and cells),
// CListHeaderBand, CListScroller; this top joins them and paints through
// one off-screen buffer. See CListCore for what T must answer.
template <class T>
class CListImpl : public CListScroller<T>, public CDoubleBufferImpl<T> {
public:
    using CWindowImpl<T>::ReflectNotifications;

    BEGIN_MSG_MAP(CListImpl)
        CHAIN_MSG_MAP(CListScroller<T>)
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
