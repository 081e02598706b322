#include "listctrl/grid/CListWindow.h"

#include "listctrl/drawing/ListDrawing.h"

bool CListWindow::SetUp() { return CListCore::SetUp() && m_columnDrag.SetUp(); }

void CListWindow::FollowMovedColumns(int position, int before) {
    CListCore::FollowMovedColumns(position, before);
    m_painter.FollowMovedColumns(position, before);
}

LRESULT CListWindow::RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const DWORD position = ::GetMessagePos();
    const MSG message{m_hWnd, uMsg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                      {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
    m_titleTips.Relay(message);
    bHandled = FALSE;
    return 0;
}

void CListWindow::DoPaint(HDC hdc, const RECT& clip) {
    const int saved = ::SaveDC(hdc);
    ListDrawing::FillSolid(hdc, clip, m_colors.Background);
    ::SetBkMode(hdc, TRANSPARENT);
    if (!m_scroller.PaintAnimationFrame(hdc)) m_painter.PaintRows(hdc, clip);
    RECT rectangle;
    if (m_mouse.GetSelectionRectangle(rectangle))
        m_painter.PaintSelectionRectangle(hdc, rectangle);
    if (Options.ShowHeader && clip.top < m_headerHeight) m_band.PaintHeader(hdc, clip);
    ::RestoreDC(hdc, saved);
}
