#include "command/COptions.h"

#include <commctrl.h>
#include <new>
#include <servprov.h>
#include <shlguid.h>

#include "command/CSheetClaim.h"
#include "framework/CBaseModule.h"
#include "sheet/COptionsDlg.h"

HRESULT COptions::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr) return CLASS_E_NOAGGREGATION;
    COptions* pOptions = new (std::nothrow) COptions();
    if (pOptions == nullptr) return E_OUTOFMEMORY;
    // The first reference comes from the query; a refused query deletes the object.
    pOptions->AddRef();
    const HRESULT hr = pOptions->QueryInterface(riid, ppv);
    pOptions->Release();
    return hr;
}

COptions::COptions() {
    CBaseModule::Get().Lock();
}

// The browser's objects are let go while this object still holds the module.
COptions::~COptions() {
    m_browser.Reset();
    m_site.Reset();
    CBaseModule::Get().Unlock();
}

HRESULT COptions::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IObjectWithSite))
        *ppv = static_cast<IObjectWithSite*>(this);
    else if (IsEqualIID(riid, IID_IOptions) || IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IOptions*>(this);
    else if (IsEqualIID(riid, IID_IOleCommandTarget))
        *ppv = static_cast<IOleCommandTarget*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG COptions::AddRef() { return ++m_refCount; }

ULONG COptions::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
}

HRESULT COptions::SetSite(IUnknown* pUnkSite) {
    // A new site's browser replaces the old one; a site without a browser
    // leaves none, so Exec never works on a browser it was not given.
    m_browser.Reset();
    if (pUnkSite != nullptr) FetchBrowser(pUnkSite);
    if (pUnkSite != m_site.Get()) {
        if (pUnkSite != nullptr) pUnkSite->AddRef();
        m_site.Reset(pUnkSite);
    }
    return S_OK;
}

void COptions::FetchBrowser(IUnknown* pUnkSite) {
    IServiceProvider* pProvider = nullptr;
    if (FAILED(pUnkSite->QueryInterface(IID_IServiceProvider,
                                        reinterpret_cast<void**>(&pProvider))) ||
        pProvider == nullptr)
        return;
    IWebBrowser2* pBrowser = nullptr;
    if (SUCCEEDED(pProvider->QueryService(SID_SWebBrowserApp, IID_IWebBrowser2,
                                          reinterpret_cast<void**>(&pBrowser))) &&
        pBrowser != nullptr)
        m_browser.Reset(pBrowser);
    pProvider->Release();
}

HRESULT COptions::GetSite(REFIID riid, void** ppvSite) {
    if (ppvSite == nullptr) return E_POINTER;
    if (!m_site) {
        *ppvSite = nullptr;
        return E_FAIL;
    }
    return m_site.Get()->QueryInterface(riid, ppvSite);
}

HRESULT COptions::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) { return S_OK; }

// Every call shows the sheet, whatever the command; failures are told to the
// user, never returned. While a sheet is open anywhere in the session, a
// call brings that one forward instead: the command is done, so the result
// is S_OK too.
HRESULT COptions::Exec(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*) {
    CSheetClaim claim;
    if (!claim.IsHeld()) {
        CSheetClaim::BringOpenSheetToFront();
        return S_OK;
    }
    HWND hWndBrowser = FindBrowserWindow();
    if (hWndBrowser == nullptr) return S_OK;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    // Any result but OK (Cancel, the close box, a failure) saves nothing.
    COptionsDlg dlg(L"VTL Options", 0, hWndBrowser);
    if (dlg.DoModal(hWndBrowser) == 1) dlg.SavePreferences();
    return S_OK;
}

HWND COptions::FindBrowserWindow() {
    if (!m_browser) {
        ShowOops(L"No Web browser pointer");
        return nullptr;
    }
    SHANDLE_PTR hWnd = 0;
    if (FAILED(m_browser.Get()->get_HWND(&hWnd)) || hWnd == 0) {
        ShowOops(L"Can't get browser window pointer");
        return nullptr;
    }
    return reinterpret_cast<HWND>(hWnd);
}

void COptions::ShowOops(LPCWSTR text) { ::MessageBoxW(nullptr, text, L"Oops", MB_OK); }
