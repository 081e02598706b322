#include "host/CHostBrowser.h"

CHostBrowser::CHostBrowser(HWND hWnd, bool failHwnd) : m_hWnd(hWnd), m_failHwnd(failHwnd) {
    AddRef();
}

HRESULT CHostBrowser::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CHostBrowser::get_HWND(SHANDLE_PTR* pHWND) {
    if (pHWND == nullptr) return E_POINTER;
    *pHWND = 0;
    if (m_failHwnd) return E_FAIL;
    *pHWND = reinterpret_cast<SHANDLE_PTR>(m_hWnd);
    return S_OK;
}
