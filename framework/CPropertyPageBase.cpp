#include "framework/CPropertyPageBase.h"

#include <commctrl.h>

#include "framework/CBaseModule.h"

CPropertyPageBase::CPropertyPageBase(UINT idTemplate) : m_psp{} {
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = CBaseModule::Get().GetResourceInstance();
    m_psp.pszTemplate = MAKEINTRESOURCEW(idTemplate);
    m_psp.pfnDlgProc = DialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

HPROPSHEETPAGE CPropertyPageBase::Create() {
    // The resource instance may have been set after construction (at load).
    m_psp.hInstance = CBaseModule::Get().GetResourceInstance();
    return ::CreatePropertySheetPageW(&m_psp);
}

bool CPropertyPageBase::IsSheetNotification(const NMHDR* pnmh) const {
    return pnmh->hwndFrom == ::GetParent(m_hWnd) || pnmh->hwndFrom == m_hWnd;
}

LRESULT CPropertyPageBase::OnNotify(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    const NMHDR* pnmh = reinterpret_cast<const NMHDR*>(lParam);
    // Only the sheet's own notifications; children's go on.
    if (!IsSheetNotification(pnmh)) {
        bHandled = FALSE;
        return 0;
    }
    switch (pnmh->code) {
    case PSN_SETACTIVE:
        return 0;
    case PSN_KILLACTIVE:
        return FALSE;
    case PSN_APPLY:
        return PSNRET_NOERROR;
    case PSN_QUERYCANCEL:
        return FALSE;
    default:
        bHandled = FALSE;
        return 0;
    }
}

bool CPropertyPageBase::ReturnsResultDirectly(UINT uMsg) {
    switch (uMsg) {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK CPropertyPageBase::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam,
                                               LPARAM lParam) {
    if (uMsg == WM_INITDIALOG) {
        // The page object rides in the page description the sheet hands over.
        auto* pPage = reinterpret_cast<CPropertyPageBase*>(
            reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(pPage));
        pPage->m_hWnd = hWnd;
    }
    auto* pPage = reinterpret_cast<CPropertyPageBase*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (pPage == nullptr) return FALSE;

    LRESULT lResult = 0;
    const BOOL handled = pPage->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0);
    if (uMsg == WM_NCDESTROY) {
        pPage->m_hWnd = nullptr;
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
    }
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(uMsg)) return static_cast<INT_PTR>(lResult);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
