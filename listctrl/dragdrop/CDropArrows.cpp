#include "listctrl/dragdrop/CDropArrows.h"

#include <iterator>

#include "framework/WindowDpi.h"

bool CDropArrows::Create(HWND hWndList, int bandSize, bool vertical) {
    m_brush.Reset(::CreateSolidBrush(RGB(255, 0, 0)));
    if (!m_brush) return false;
    m_vertical = vertical;
    m_scale = DpiScale(GetWindowDpi(hWndList));
    m_length = bandSize + m_scale.Scale(20);
    const int thickness = Thickness();
    const RECT rect{0, 0, vertical ? thickness : m_length, vertical ? m_length : thickness};
    if (CWindowImpl<CDropArrows>::Create(hWndList, rect, nullptr, WS_POPUP | WS_DISABLED,
                                         WS_EX_TOOLWINDOW) == nullptr)
        return false;
    if (!ShapeWindow()) {
        DestroyWindow();
        return false;
    }
    return true;
}

// The arrows are drawn for 96 DPI; every offset from the window's start or
// end is scaled.
bool CDropArrows::ShapeWindow() {
    const int L = m_length;
    const auto s = [this](int value) { return m_scale.Scale(value); };
    const POINT vertical[2][7] = {
        {{s(8), 0}, {s(8), s(4)}, {s(11), s(4)}, {s(6), s(9)}, {s(1), s(4)}, {s(4), s(4)},
         {s(4), 0}},
        {{s(4), L}, {s(4), L - s(4)}, {0, L - s(4)}, {s(6), L - s(10)}, {s(12), L - s(4)},
         {s(8), L - s(4)}, {s(8), L}}};
    const POINT horizontal[2][7] = {
        {{0, s(9)}, {s(4), s(9)}, {s(4), s(12)}, {s(10), s(6)}, {s(4), 0}, {s(4), s(4)},
         {0, s(4)}},
        {{L, s(4)}, {L - s(4), s(4)}, {L - s(4), 0}, {L - s(10), s(6)}, {L - s(4), s(12)},
         {L - s(4), s(9)}, {L, s(9)}}};
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
    const int left = m_vertical ? x - m_scale.Scale(7) : x - m_length / 2;
    const int top = m_vertical ? y - m_length / 2 : y - m_scale.Scale(5);
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

LRESULT CDropArrows::OnEraseBkgnd(UINT, WPARAM wParam, LPARAM, BOOL&) {
    const int thickness = Thickness();
    const RECT rect{0, 0, m_vertical ? thickness : m_length, m_vertical ? m_length : thickness};
    ::FillRect(reinterpret_cast<HDC>(wParam), &rect, m_brush.Get());
    return 1;
}

LRESULT CDropArrows::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    m_brush.Reset();
    bHandled = FALSE;
    return 0;
}
