#include "listctrl/grid/CListWindow.h"

#include "listctrl/drawing/ListDrawing.h"

bool CListWindow::SetUp() { return CListAccessibility::SetUp() && m_columnDrag.SetUp(); }

BOOL CListWindow::ProcessReportedMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& lResult) {
    return CListWindow::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, REPORTED_MAP);
}

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
