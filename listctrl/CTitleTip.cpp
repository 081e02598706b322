#include "listctrl/CTitleTip.h"

#include <commctrl.h>

#include "framework/CBaseModule.h"
#include "framework/IsThemingAvailable.h"
#include "listctrl/SystemMessageFont.h"

bool CTitleTip::Create(HWND hWndList, bool themed) {
    m_themed = themed;
    m_background = ::GetSysColor(COLOR_INFOBK);
    m_text = ::GetSysColor(themed && IsThemingAvailable() ? COLOR_WINDOWTEXT : COLOR_INFOTEXT);
    const RECT rect{0, 0, 0, 0};
    if (CWindowImpl<CTitleTip>::Create(hWndList, rect, nullptr, WS_POPUP,
                                       WS_EX_TOOLWINDOW | WS_EX_TOPMOST) == nullptr)
        return false;
    m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, 0, 0, 0, 0, m_hWnd, nullptr,
                                  CBaseModule::Get().GetModuleInstance(), nullptr);
    if (m_toolTip == nullptr) return false;
    ::SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 0x7FFF);
    LOGFONTW font;
    m_font.Reset();
    if (!GetSystemMessageFont(font)) return false;
    m_font.Reset(::CreateFontIndirectW(&font));
    return static_cast<bool>(m_font);
}

// The tip's drawing and mouse handling are not in yet: no tip is shown.
bool CTitleTip::Show(const RECT&, const std::wstring&, const std::wstring&) { return false; }

void CTitleTip::Hide() {
    if (!IsWindow()) return;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    ::ShowWindow(m_hWnd, SW_HIDE);
}

LRESULT CTitleTip::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (m_toolTip != nullptr) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    bHandled = FALSE;
    return 0;
}
