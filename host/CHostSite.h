#pragma once
#include <windows.h>
#include <exdisp.h>
#include <servprov.h>

// The site the stand-in browser gives the command object: a service
// provider whose SID_SWebBrowserApp service is the browser, if it has one.
class CHostSite final : public IServiceProvider {
public:
    // pBrowser may be null: the site then offers no browser.
    explicit CHostSite(IWebBrowser2* pBrowser);

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IServiceProvider
    STDMETHOD(QueryService)(REFGUID guidService, REFIID riid, void** ppv) override;

private:
    ~CHostSite();

    ULONG m_refCount = 1;
    IWebBrowser2* m_pBrowser;
};
