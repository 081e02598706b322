#include "framework/CPropertySheetBase.h"

#include <commctrl.h>

#include "framework/CBaseModule.h"
#include "framework/CWinModule.h"

CPropertySheetBase::CPropertySheetBase(LPCWSTR title, UINT startPage, HWND hWndParent)
    : m_psh{} {
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_USECALLBACK;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = CBaseModule::Get().GetResourceInstance();
    m_psh.pszCaption = title;
    m_psh.nStartPage = startPage;
    m_psh.pfnCallback = PropSheetCallback;
}

CPropertySheetBase::~CPropertySheetBase() {
    // Pages still held here were never handed to a sheet.
    for (HPROPSHEETPAGE hPage : m_pages) ::DestroyPropertySheetPage(hPage);
}

bool CPropertySheetBase::AddPage(PROPSHEETPAGEW& page) {
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageW(&page);
    if (hPage == nullptr) return false;
    if (m_hWnd != nullptr) {
        if (!::SendMessageW(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage))) {
            ::DestroyPropertySheetPage(hPage);
            return false;
        }
        return true;
    }
    m_pages.push_back(hPage);
    return true;
}

INT_PTR CPropertySheetBase::DoModal(HWND hWndParent) {
    if (m_psh.hwndParent == nullptr) m_psh.hwndParent = hWndParent;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    m_psh.phpage = m_pages.data();
    INT_PTR result = 0;
    {
        CWinModule::CreateWndData offer(this, 0);
        result = ::PropertySheetW(&m_psh);
    }
    // The control owns the pages now (and has destroyed them).
    m_pages.clear();
    m_psh.nPages = 0;
    m_psh.phpage = nullptr;
    return result;
}

int CALLBACK CPropertySheetBase::PropSheetCallback(HWND hWnd, UINT uMsg, LPARAM) {
    if (uMsg == PSCB_INITIALIZED) {
        if (CWindowImplBase* pSheet = CWinModule::ExtractCreateWndData(0))
            pSheet->SubclassWindow(hWnd);
    }
    return 0;
}
