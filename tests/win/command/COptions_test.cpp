#include <gtest/gtest.h>
#include <windows.h>
#include <docobj.h>
#include <ocidl.h>
#include <servprov.h>

#include "host/CHostBrowser.h"
#include "host/CHostSite.h"
#include "module/BrackwynVTL.h"
#include "support/ComponentFiles.h"
#include "support/DialogAnswerer.h"
#include "support/LoadedComponent.h"

namespace {

// A site that is no service provider at all; counts its references.
class PlainSite : public IUnknown {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
    STDMETHOD_(ULONG, Release)() override { return --refs; }
    ULONG refs = 1;
};

class Options : public ::testing::Test {
protected:
    void SetUp() override {
        m_comInitialised = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(m_component.IsLoaded());
        ASSERT_EQ(m_component.CreateOptions(IID_IOleCommandTarget, &m_pCommand), S_OK);
        ASSERT_EQ(m_pCommand->QueryInterface(IID_IObjectWithSite,
                                             reinterpret_cast<void**>(&m_pWithSite)),
                  S_OK);
    }
    void TearDown() override {
        if (m_pWithSite != nullptr) m_pWithSite->Release();
        if (m_pCommand != nullptr) m_pCommand->Release();
        EXPECT_EQ(m_component.CanUnloadNow(), S_OK);
        if (m_comInitialised) ::CoUninitialize();
    }

    // Runs Exec with an arbitrary command and answers the "Oops" box it must show.
    std::wstring ExecExpectingOops() {
        DialogAnswerer answerer(::GetCurrentProcessId(), L"Oops", IDOK);
        static const GUID group = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
        EXPECT_EQ(m_pCommand->Exec(&group, 4711, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, nullptr),
                  S_OK);
        const std::vector<DialogAnswerer::Seen> boxes = answerer.Stop();
        if (boxes.size() != 1 || boxes[0].texts.size() != 1) return L"<no message box>";
        return boxes[0].texts[0];
    }

    LoadedComponent m_component;
    IOleCommandTarget* m_pCommand = nullptr;
    IObjectWithSite* m_pWithSite = nullptr;
    bool m_comInitialised = false;
};

TEST_F(Options, AnswersItsFiveInterfacesWithOneIdentity) {
    IUnknown* pIdentity = nullptr;
    ASSERT_EQ(m_pCommand->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pIdentity)), S_OK);
    for (const IID* piid : {&IID_IUnknown, &IID_IOptions, &IID_IDispatch, &IID_IObjectWithSite,
                            &IID_IOleCommandTarget}) {
        IUnknown* pInterface = nullptr;
        ASSERT_EQ(m_pWithSite->QueryInterface(*piid, reinterpret_cast<void**>(&pInterface)), S_OK);
        IUnknown* pBack = nullptr;
        pInterface->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pBack));
        EXPECT_EQ(pBack, pIdentity);
        pBack->Release();
        pInterface->Release();
    }
    pIdentity->Release();
    for (const IID* piid : {&IID_IClassFactory, &IID_IServiceProvider, &IID_IPersist,
                            &IID_IWebBrowser2}) {
        void* pv = reinterpret_cast<void*>(1);
        EXPECT_EQ(m_pCommand->QueryInterface(*piid, &pv), E_NOINTERFACE);
        EXPECT_EQ(pv, nullptr);
    }
    EXPECT_EQ(m_pCommand->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(Options, GetSiteGivesBackTheSiteHeldAndReleasesIt) {
    void* pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_pWithSite->GetSite(IID_IUnknown, &pv), E_FAIL);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(m_pWithSite->GetSite(IID_IUnknown, nullptr), E_POINTER);

    PlainSite site;
    EXPECT_EQ(m_pWithSite->SetSite(&site), S_OK);
    EXPECT_EQ(site.refs, 2u);
    EXPECT_EQ(m_pWithSite->SetSite(&site), S_OK);  // the same site again: still one reference
    EXPECT_EQ(site.refs, 2u);
    IUnknown* pGot = nullptr;
    ASSERT_EQ(m_pWithSite->GetSite(IID_IUnknown, reinterpret_cast<void**>(&pGot)), S_OK);
    EXPECT_EQ(pGot, &site);
    pGot->Release();
    pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(m_pWithSite->GetSite(IID_IServiceProvider, &pv), E_NOINTERFACE);  // the site's answer
    EXPECT_EQ(pv, nullptr);

    EXPECT_EQ(m_pWithSite->SetSite(nullptr), S_OK);
    EXPECT_EQ(site.refs, 1u);
    EXPECT_EQ(m_pWithSite->GetSite(IID_IUnknown, &pv), E_FAIL);

    // The object's last release lets go of a site it still holds.
    EXPECT_EQ(m_pWithSite->SetSite(&site), S_OK);
    m_pWithSite->Release();
    m_pWithSite = nullptr;
    m_pCommand->Release();
    m_pCommand = nullptr;
    EXPECT_EQ(site.refs, 1u);
}

TEST_F(Options, QueryStatusLeavesCommandsAndTextUntouched) {
    OLECMD commands[2] = {{1, 0xABCD}, {2, 0x1234}};
    OLECMDTEXT text{OLECMDTEXTF_NAME, 7, 0, {L'x'}};
    EXPECT_EQ(m_pCommand->QueryStatus(nullptr, 2, commands, &text), S_OK);
    EXPECT_EQ(commands[0].cmdID, 1u);
    EXPECT_EQ(commands[0].cmdf, 0xABCDu);
    EXPECT_EQ(commands[1].cmdf, 0x1234u);
    EXPECT_EQ(text.cwActual, 7u);
    EXPECT_EQ(text.rgwz[0], L'x');
    EXPECT_EQ(m_pCommand->QueryStatus(nullptr, 0, nullptr, nullptr), S_OK);
}

TEST_F(Options, DispatchIsServedFromTheRegisteredTypeLibrary) {
    IDispatch* pDispatch = nullptr;
    ASSERT_EQ(m_pCommand->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)), S_OK);
    UINT count = 0;
    EXPECT_EQ(pDispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(pDispatch->GetTypeInfoCount(nullptr), E_POINTER);
    ITypeInfo* pInfo = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(pDispatch->GetTypeInfo(1, 0, &pInfo), DISP_E_BADINDEX);
    EXPECT_EQ(pInfo, nullptr);
    EXPECT_EQ(pDispatch->GetTypeInfo(0, 0, nullptr), E_POINTER);

    ASSERT_EQ(ComponentFiles::Regsvr32(true), 0u);
    ASSERT_EQ(pDispatch->GetTypeInfo(0, 0, &pInfo), S_OK);
    TYPEATTR* pAttr = nullptr;
    ASSERT_EQ(pInfo->GetTypeAttr(&pAttr), S_OK);
    EXPECT_TRUE(IsEqualGUID(pAttr->guid, IID_IOptions));
    pInfo->ReleaseTypeAttr(pAttr);
    pInfo->Release();

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Navigate")};
    DISPID id = 0;
    EXPECT_EQ(pDispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(pDispatch->GetIDsOfNames(IID_IUnknown, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(pDispatch->GetIDsOfNames(IID_NULL, nullptr, 1, 0, &id), E_POINTER);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(pDispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(pDispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              E_POINTER);
    pDispatch->Release();
    EXPECT_EQ(ComponentFiles::Regsvr32(false), 0u);
}

TEST_F(Options, ExecWithoutABrowserSaysSoAndSucceeds) {
    EXPECT_EQ(ExecExpectingOops(), L"No Web browser pointer");  // never given a site

    EXPECT_EQ(m_pWithSite->SetSite(nullptr), S_OK);
    EXPECT_EQ(ExecExpectingOops(), L"No Web browser pointer");

    PlainSite plain;  // no service provider
    EXPECT_EQ(m_pWithSite->SetSite(&plain), S_OK);
    EXPECT_EQ(ExecExpectingOops(), L"No Web browser pointer");

    auto* pSite = new CHostSite(nullptr);  // a provider without the browser service
    EXPECT_EQ(m_pWithSite->SetSite(pSite), S_OK);
    EXPECT_EQ(ExecExpectingOops(), L"No Web browser pointer");
    EXPECT_EQ(m_pWithSite->SetSite(nullptr), S_OK);
    pSite->Release();
}

TEST_F(Options, ExecWithoutTheBrowserWindowSaysSoAndSucceeds) {
    auto* pBrowser = new CHostBrowser(nullptr, true);
    auto* pSite = new CHostSite(pBrowser);
    EXPECT_EQ(m_pWithSite->SetSite(pSite), S_OK);
    EXPECT_EQ(ExecExpectingOops(), L"Can't get browser window pointer");
    EXPECT_EQ(m_pWithSite->SetSite(nullptr), S_OK);
    pSite->Release();
    pBrowser->Release();
}

TEST_F(Options, ANewSiteWithoutABrowserDropsTheOldSitesBrowser) {
    auto* pBrowser = new CHostBrowser(nullptr, true);
    auto* pWithBrowser = new CHostSite(pBrowser);
    auto* pWithout = new CHostSite(nullptr);
    EXPECT_EQ(m_pWithSite->SetSite(pWithBrowser), S_OK);
    EXPECT_EQ(m_pWithSite->SetSite(pWithout), S_OK);
    EXPECT_EQ(ExecExpectingOops(), L"No Web browser pointer");
    EXPECT_EQ(m_pWithSite->SetSite(nullptr), S_OK);
    pWithout->Release();
    pWithBrowser->Release();
    pBrowser->Release();
}

}  // namespace
