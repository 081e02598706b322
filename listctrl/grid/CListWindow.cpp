#include "listctrl/grid/CListWindow.h"

#include "listctrl/drawing/ListDrawing.h"

bool CListWindow::SetUp() { return CListMouse::SetUp() && m_columnDrag.SetUp(); }

void CListWindow::DoPaint(HDC hdc, const RECT& clip) {
    const int saved = ::SaveDC(hdc);
    ListDrawing::FillSolid(hdc, clip, m_colors.Background);
    ::SetBkMode(hdc, TRANSPARENT);
    if (m_strip)
        PaintAnimationFrame(hdc);
    else
        PaintRows(hdc, clip);
    if (m_rectangleActive) PaintSelectionRectangle(hdc, m_selectionRect);
    if (Options.ShowHeader && clip.top < m_headerHeight) PaintHeader(hdc, clip);
    ::RestoreDC(hdc, saved);
}
