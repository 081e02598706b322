#include "command/CSheetClaim.h"

std::atomic<bool> CSheetClaim::s_claimed{false};
std::atomic<HWND> CSheetClaim::s_owner{nullptr};

CSheetClaim::~CSheetClaim() {
    if (!m_held) return;
    s_owner = nullptr;
    s_claimed = false;
}

void CSheetClaim::SetOwner(HWND hOwner) {
    if (m_held) s_owner = hOwner;
}

void CSheetClaim::BringOpenSheetToFront() {
    HWND hOwner = s_owner;
    if (hOwner == nullptr) return;
    HWND hSheet = ::GetLastActivePopup(hOwner);
    if (hSheet == nullptr || hSheet == hOwner) return;
    ::SetForegroundWindow(hSheet);
}
