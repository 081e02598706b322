#include "listctrl/grid/CTitleTip.h"

#include <commctrl.h>

#include <vector>

#include "framework/CBaseModule.h"
#include "framework/IsThemingAvailable.h"
#include "listctrl/drawing/ListDrawing.h"
#include "framework/SystemMessageFont.h"
#include "framework/WindowDpi.h"

// Last: its macros would rename framework members.
#include <windowsx.h>

bool CTitleTip::Create(HWND hWndList, bool themed) {
    m_list = hWndList;
    m_themed = themed;
    m_scale = DpiScale(GetWindowDpi(hWndList));
    m_background = ::GetSysColor(COLOR_INFOBK);
    m_text = ::GetSysColor(IsThemed() ? COLOR_WINDOWTEXT : COLOR_INFOTEXT);
    LOGFONTW font;
    m_font.Reset();
    if (GetSystemMessageFont(font)) m_font.Reset(::CreateFontIndirectW(&font));
    if (m_font && CreateWindows(hWndList)) return true;
    DestroyWindow();
    return false;
}

bool CTitleTip::CreateWindows(HWND hWndList) {
    const RECT rect{0, 0, 0, 0};
    if (CWindowImpl<CTitleTip>::Create(hWndList, rect, nullptr, WS_POPUP,
                                       WS_EX_TOOLWINDOW | WS_EX_TOPMOST) == nullptr)
        return false;
    m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, m_hWnd, nullptr,
                                  CBaseModule::Get().GetModuleInstance(), nullptr);
    if (m_toolTip == nullptr) return false;
    ::SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 0x7FFF);
    return true;
}

bool CTitleTip::IsThemed() const { return m_themed && IsThemingAvailable(); }

bool CTitleTip::Show(const RECT& textRect, const std::wstring& text,
                     const std::wstring& toolTipText) {
    if (!IsWindow() || text.empty()) return false;
    ::SetWindowTextW(m_hWnd, text.c_str());
    const int width = MeasureText(text, textRect);
    if (width < textRect.right - textRect.left) return false;
    SetToolTipText(toolTipText);
    // The tip draws its text TEXT_INSET in, where the cell's text starts.
    const int inset = m_scale.Scale(TEXT_INSET);
    if (!::SetWindowPos(m_hWnd, nullptr, textRect.left - inset, textRect.top,
                        width + m_scale.Scale(11), textRect.bottom - textRect.top,
                        SWP_NOCOPYBITS | SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER))
        return false;
    ::SetCapture(m_hWnd);
    return true;
}

int CTitleTip::MeasureText(const std::wstring& text, const RECT& rect) const {
    RECT measured = rect;
    HDC hdc = ::GetDC(m_hWnd);
    if (hdc == nullptr) return 0;
    HGDIOBJ oldFont = ::SelectObject(hdc, m_font.Get());
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &measured,
                DT_CALCRECT | TEXT_FORMAT);
    ::SelectObject(hdc, oldFont);
    ::ReleaseDC(m_hWnd, hdc);
    return measured.right - measured.left;
}

// One tool for the whole tip, replaced at every show rather than added to.
void CTitleTip::SetToolTipText(const std::wstring& toolTipText) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_list;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ::SendMessageW(m_toolTip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tool));
    if (toolTipText.empty()) {
        ::SendMessageW(m_toolTip, TTM_ACTIVATE, FALSE, 0);
        return;
    }
    std::wstring shown = toolTipText.substr(0, 0x7FFF);
    tool.lpszText = &shown[0];
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CTitleTip::Hide() {
    if (!IsWindow()) return;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    ::ShowWindow(m_hWnd, SW_HIDE);
}

LRESULT CTitleTip::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    if (hdc != nullptr) Paint(hdc);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CTitleTip::OnPrintClient(UINT, WPARAM wParam, LPARAM, BOOL&) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CTitleTip::Paint(HDC hdc) const {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (IsThemed()) {
        const RECT inside =
            ListDrawing::DrawRoundedFrame(hdc, client, OUTER_BORDER, INNER_BORDER, m_background);
        ListDrawing::FillGradient(hdc, inside, GRADIENT_TOP, GRADIENT_BOTTOM);
    } else {
        ListDrawing::FillSolid(hdc, client, m_background);
        ListDrawing::FrameSolid(hdc, client, m_text);
    }
    std::vector<wchar_t> text(::GetWindowTextLengthW(m_hWnd) + 1);
    const int length = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    RECT textRect = client;
    ::OffsetRect(&textRect, m_scale.Scale(TEXT_INSET), 0);
    HGDIOBJ oldFont = ::SelectObject(hdc, m_font.Get());
    const COLORREF oldColor = ::SetTextColor(hdc, m_text);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    ::DrawTextW(hdc, text.data(), length, &textRect, TEXT_FORMAT);
    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldColor);
    ::SelectObject(hdc, oldFont);
}

LRESULT CTitleTip::OnMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&) {
    RelayToToolTip(uMsg, wParam, lParam);
    if (uMsg == WM_MOUSEWHEEL) {
        // The wheel comes in screen coordinates already, as the list expects it.
        ::PostMessageW(m_list, uMsg, wParam, lParam);
        return 0;
    }
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(m_hWnd, &screen);
    if (uMsg != WM_MOUSEMOVE) {
        ForwardToList(uMsg, wParam, screen);
        return 0;
    }
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    // Leaving hides the tip; the list keeps its cell, so the tip does not
    // come back over it until the mouse reaches another cell.
    if (!::PtInRect(&window, screen)) Hide();
    return 0;
}

void CTitleTip::RelayToToolTip(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (m_toolTip == nullptr) return;
    const DWORD position = ::GetMessagePos();
    MSG msg{m_hWnd, uMsg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
            {GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
    ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

// The click acts on whatever part of the list lies under the tip: its
// client area as the same message, its frame as the non-client one.
void CTitleTip::ForwardToList(UINT uMsg, WPARAM wParam, POINT screen) const {
    const LRESULT hit = ::SendMessageW(m_list, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        POINT client = screen;
        ::ScreenToClient(m_list, &client);
        ::PostMessageW(m_list, uMsg, wParam, MAKELPARAM(client.x, client.y));
        return;
    }
    // Buttons down, up and double click; wheel and extra buttons have no
    // counterpart the list handles.
    if (uMsg >= WM_LBUTTONDOWN && uMsg <= WM_MBUTTONDBLCLK)
        ::PostMessageW(m_list, uMsg - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                       MAKELPARAM(screen.x, screen.y));
}

LRESULT CTitleTip::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    bHandled = FALSE;
    return 0;
}
