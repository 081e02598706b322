#include "sheet/CLockedControls.h"

#include <commctrl.h>

#include <algorithm>

#include "sheet/CFieldNames.h"

void CLockedControls::Attach(HWND hPage, CFieldNames& names) {
    m_hPage = hPage;
    m_pNames = &names;
    m_hTooltip = nullptr;
    m_locked.clear();
}

void CLockedControls::Lock(HWND hControl) {
    if (hControl == nullptr || IsLocked(hControl)) return;
    m_locked.push_back(hControl);
    ::EnableWindow(hControl, FALSE);
    AddTool(hControl, true);
}

void CLockedControls::Explain(HWND hControl) {
    if (hControl != nullptr) AddTool(hControl, false);
}

void CLockedControls::Reapply() const {
    for (HWND hControl : m_locked) ::EnableWindow(hControl, FALSE);
}

bool CLockedControls::IsLocked(HWND hControl) const {
    return std::find(m_locked.begin(), m_locked.end(), hControl) != m_locked.end();
}

void CLockedControls::AddTool(HWND hControl, bool disabled) {
    if (m_pNames != nullptr) m_pNames->Describe(hControl, Reason);
    CreateTooltip();
    if (m_hTooltip == nullptr) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_hPage;
    tool.lpszText = const_cast<LPWSTR>(Reason);
    if (disabled) {
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = static_cast<UINT_PTR>(::GetDlgCtrlID(hControl));
        ::GetWindowRect(hControl, &tool.rect);
        ::MapWindowPoints(nullptr, m_hPage, reinterpret_cast<POINT*>(&tool.rect), 2);
    } else {
        tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(hControl);
    }
    ::SendMessageW(m_hTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CLockedControls::CreateTooltip() {
    if (m_hTooltip != nullptr) return;
    m_hTooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hPage, nullptr,
                                   nullptr, nullptr);
}
