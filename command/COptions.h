#pragma once
#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <ocidl.h>

#include "framework/CComReference.h"
#include "framework/IDispatchImpl.h"
#include "module/BrackwynVTL.h"

// The command object the browser runs when the user presses the "VTL
// options" button or picks its menu entry: Exec shows the options sheet over
// the browser window. Lives in the browser's single-threaded apartment.
class COptions final : public IObjectWithSite,
                       public IDispatchImpl<IOptions, &IID_IOptions, &LIBID_BrackwynVTLLib, 1, 0, 0x0409>,
                       public IOleCommandTarget {
public:
    // The instance creator of the class: no aggregation.
    static HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv);

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IObjectWithSite
    STDMETHOD(SetSite)(IUnknown* pUnkSite) override;
    STDMETHOD(GetSite)(REFIID riid, void** ppvSite) override;

    // IOleCommandTarget
    STDMETHOD(QueryStatus)(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                           OLECMDTEXT* pCmdText) override;
    STDMETHOD(Exec)(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                    VARIANT* pvaOut) override;

private:
    COptions();
    ~COptions();
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;

    void FetchBrowser(IUnknown* pUnkSite);
    // The browser's top-level window, or null after telling the user why not.
    HWND FindBrowserWindow();
    static void ShowOops(LPCWSTR text);

    ULONG m_refCount = 0;
    CComReference<IUnknown> m_site;
    CComReference<IWebBrowser2> m_browser;
};
