#include "host/CHostSite.h"

#include <shlguid.h>

CHostSite::CHostSite(IWebBrowser2* pBrowser) : m_pBrowser(pBrowser) {
    if (m_pBrowser != nullptr) m_pBrowser->AddRef();
}

CHostSite::~CHostSite() {
    if (m_pBrowser != nullptr) m_pBrowser->Release();
}

HRESULT CHostSite::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IServiceProvider)) {
        *ppv = static_cast<IServiceProvider*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CHostSite::AddRef() { return ++m_refCount; }

ULONG CHostSite::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
}

HRESULT CHostSite::QueryService(REFGUID guidService, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualGUID(guidService, SID_SWebBrowserApp) || m_pBrowser == nullptr)
        return E_NOINTERFACE;
    return m_pBrowser->QueryInterface(riid, ppv);
}
