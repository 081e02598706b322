#include "listctrl/CDropArrows.h"

#include <iterator>

bool CDropArrows::Create(HWND hWndList, int bandSize, bool vertical) {
    m_brush.Reset(::CreateSolidBrush(RGB(255, 0, 0)));
    if (!m_brush) return false;
    m_vertical = vertical;
    m_length = bandSize + 20;
    const RECT rect{0, 0, vertical ? 12 : m_length, vertical ? m_length : 12};
    if (CWindowImpl<CDropArrows>::Create(hWndList, rect, nullptr, WS_POPUP | WS_DISABLED,
                                         WS_EX_TOOLWINDOW) == nullptr)
        return false;
    if (!ShapeWindow()) {
        DestroyWindow();
        return false;
    }
    return true;
}

bool CDropArrows::ShapeWindow() {
    const int L = m_length;
    const POINT vertical[2][7] = {
        {{8, 0}, {8, 4}, {11, 4}, {6, 9}, {1, 4}, {4, 4}, {4, 0}},
        {{4, L}, {4, L - 4}, {0, L - 4}, {6, L - 10}, {12, L - 4}, {8, L - 4}, {8, L}}};
    const POINT horizontal[2][7] = {
        {{0, 9}, {4, 9}, {4, 12}, {10, 6}, {4, 0}, {4, 4}, {0, 4}},
        {{L, 4}, {L - 4, 4}, {L - 4, 0}, {L - 10, 6}, {L - 4, 12}, {L - 4, 9}, {L, 9}}};
    const auto& arrows = m_vertical ? vertical : horizontal;
    HRGN first = ::CreatePolygonRgn(arrows[0], static_cast<int>(std::size(arrows[0])), ALTERNATE);
    HRGN second = ::CreatePolygonRgn(arrows[1], static_cast<int>(std::size(arrows[1])), ALTERNATE);
    bool combined = first != nullptr && second != nullptr &&
                    ::CombineRgn(first, first, second, RGN_OR) != ERROR;
    if (second != nullptr) ::DeleteObject(second);
    // Once set, the region belongs to the window.
    if (combined && ::SetWindowRgn(m_hWnd, first, FALSE) != 0) return true;
    if (first != nullptr) ::DeleteObject(first);
    return false;
}

void CDropArrows::Show(int x, int y) {
    if (!IsWindow()) return;
    const int left = m_vertical ? x - 7 : x - m_length / 2;
    const int top = m_vertical ? y - m_length / 2 : y - 5;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

LRESULT CDropArrows::OnEraseBkgnd(UINT, WPARAM wParam, LPARAM, BOOL&) {
    const RECT rect{0, 0, m_vertical ? 12 : m_length, m_vertical ? m_length : 12};
    ::FillRect(reinterpret_cast<HDC>(wParam), &rect, m_brush.Get());
    return 1;
}

LRESULT CDropArrows::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_brush.Reset();
    bHandled = FALSE;
    return 0;
}
