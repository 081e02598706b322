#include "host/CHostSite.h"

#include <shlguid.h>

CHostSite::CHostSite(IWebBrowser2* pBrowser) {
    AddRef();
    if (pBrowser != nullptr) pBrowser->AddRef();
    m_browser.Reset(pBrowser);
}

HRESULT CHostSite::QueryService(REFGUID guidService, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualGUID(guidService, SID_SWebBrowserApp) || !m_browser) return E_NOINTERFACE;
    return m_browser.Get()->QueryInterface(riid, ppv);
}
