#include "command/CSheetClaim.h"

#include "sheet/SheetWindowMark.h"

std::atomic<bool> CSheetClaim::s_claimed{false};

CSheetClaim::CSheetClaim() : m_held(!s_claimed.exchange(true)), m_session(L"BrackwynVTL.OptionsSheet") {
    if (!m_held || !m_session.IsOpen() || m_session.TryTake())
        return;
    m_held = false;
    s_claimed = false;
}

CSheetClaim::~CSheetClaim() {
    if (!m_held) return;
    m_session.Give();
    s_claimed = false;
}

void CSheetClaim::BringOpenSheetToFront() {
    HWND hSheet = SheetWindowMark::Find();
    if (hSheet == nullptr) return;
    // A box the sheet shows (its question at OK, say) stays in front of it.
    HWND hFront = ::GetLastActivePopup(hSheet);
    if (::SetForegroundWindow(hFront)) return;
    FLASHWINFO flash{sizeof(flash), hFront, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    ::FlashWindowEx(&flash);
}
