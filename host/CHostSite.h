#pragma once
#include <windows.h>
#include <exdisp.h>
#include <servprov.h>

#include "framework/CComReference.h"
#include "framework/CUnknownImpl.h"

// The site the stand-in browser gives the command object: a service
// provider whose SID_SWebBrowserApp service is the browser, if it has one.
class CHostSite final : public CUnknownImpl<IServiceProvider, IID_IServiceProvider> {
public:
    // One reference, the creator's. pBrowser may be null: the site then
    // offers no browser.
    explicit CHostSite(IWebBrowser2* pBrowser);

    STDMETHOD(QueryService)(REFGUID guidService, REFIID riid, void** ppv) override;

private:
    ~CHostSite() override = default;

    CComReference<IWebBrowser2> m_browser;
};
