#include "host/CHostBrowser.h"

CHostBrowser::CHostBrowser(HWND hWnd, bool failHwnd) : m_hWnd(hWnd), m_failHwnd(failHwnd) {}

HRESULT CHostBrowser::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IWebBrowser) || IsEqualIID(riid, IID_IWebBrowserApp) ||
        IsEqualIID(riid, IID_IWebBrowser2)) {
        *ppv = static_cast<IWebBrowser2*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CHostBrowser::AddRef() { return ++m_refCount; }

ULONG CHostBrowser::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
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
