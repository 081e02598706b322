#include <gtest/gtest.h>
#include <windows.h>
#include <docobj.h>
#include <ocidl.h>
#include <servprov.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host/CHostBrowser.h"
#include "host/CHostSite.h"
#include "module/BrackwynVTL.h"
#include "support/ComponentFiles.h"
#include "support/DialogAnswerer.h"
#include "support/ImportPatch.h"
#include "support/LoadedComponent.h"
#include "support/PrefsSandbox.h"

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

// The preferences files the component writes: each write ends by moving
// its finished temporary file over the file.
std::vector<std::wstring> g_moves;

BOOL WINAPI CountingMove(LPCWSTR from, LPCWSTR to, DWORD flags) {
    g_moves.push_back(to);
    return ::MoveFileExW(from, to, flags);
}

// The visible "VTL Options" windows of this process.
BOOL CALLBACK CountSheet(HWND hWnd, LPARAM lParam) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    wchar_t caption[32]{};
    ::GetWindowTextW(hWnd, caption, 32);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) &&
        std::wstring(caption) == L"VTL Options")
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> OpenSheets() {
    std::vector<HWND> sheets;
    ::EnumWindows(CountSheet, reinterpret_cast<LPARAM>(&sheets));
    return sheets;
}

void PumpMessages() {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 150) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

// Runs once inside the modal loop of the sheet that Exec opened, once the
// sheet shows (a thread timer the loop dispatches).
std::function<void()>* g_pWhileOpen = nullptr;

void CALLBACK RunWhileOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_pWhileOpen == nullptr || OpenSheets().empty()) return;
    ::KillTimer(nullptr, timer);
    std::function<void()>* pScript = std::exchange(g_pWhileOpen, nullptr);
    (*pScript)();
}

TEST_F(Options, ExecWhileTheSheetIsOpenBringsItForwardAndOkSavesEachFileOnce) {
    PrefsSandbox sandbox;
    auto makeWindow = [](const wchar_t* caption) {
        return ::CreateWindowExW(0, L"STATIC", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                 700, 600, nullptr, nullptr, nullptr, nullptr);
    };
    HWND hBrowser = makeWindow(L"VTL test browser");
    HWND hOtherWindow = makeWindow(L"Another browser window");
    auto* pBrowser = new CHostBrowser(hBrowser, false);
    auto* pSite = new CHostSite(pBrowser);
    ASSERT_EQ(m_pWithSite->SetSite(pSite), S_OK);
    IOleCommandTarget* pOther = nullptr;  // a second command object of the module
    ASSERT_EQ(m_component.CreateOptions(IID_IOleCommandTarget, &pOther), S_OK);
    IObjectWithSite* pOtherWithSite = nullptr;
    ASSERT_EQ(pOther->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&pOtherWithSite)),
              S_OK);
    ASSERT_EQ(pOtherWithSite->SetSite(pSite), S_OK);
    g_moves.clear();
    ImportPatch moves("kernel32.dll", "MoveFileExW", reinterpret_cast<void*>(&CountingMove),
                      m_component.Module());
    ASSERT_TRUE(moves.IsActive());

    bool ran = false;
    std::function<void()> whileOpen = [&] {
        ran = true;
        const std::vector<HWND> sheets = OpenSheets();
        ASSERT_EQ(sheets.size(), 1u);
        struct Caller {
            const char* what;
            std::function<HRESULT()> exec;
        };
        const Caller callers[] = {
            {"the same object", [&] { return m_pCommand->Exec(nullptr, 0, 0, nullptr, nullptr); }},
            {"another object", [&] { return pOther->Exec(nullptr, 0, 0, nullptr, nullptr); }},
            // A browser window of its own thread, where the user pressed the button.
            {"an object on another thread", [&] {
                 HRESULT hr = E_FAIL;
                 std::thread([&] {
                     ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
                     HWND hThreadWindow = makeWindow(L"A browser window of another thread");
                     ::SetForegroundWindow(hThreadWindow);
                     IOleCommandTarget* pThird = nullptr;
                     if (m_component.CreateOptions(IID_IOleCommandTarget, &pThird) == S_OK) {
                         hr = pThird->Exec(nullptr, 0, 0, nullptr, nullptr);
                         pThird->Release();
                     }
                     ::DestroyWindow(hThreadWindow);
                     ::CoUninitialize();
                 }).join();
                 return hr;
             }},
        };
        for (const Caller& caller : callers) {
            SCOPED_TRACE(caller.what);
            ::SetForegroundWindow(hOtherWindow);
            ASSERT_EQ(::GetForegroundWindow(), hOtherWindow);
            EXPECT_EQ(caller.exec(), S_OK);
            PumpMessages();  // an activation asked from another thread arrives as a message
            EXPECT_EQ(OpenSheets(), sheets);
            EXPECT_EQ(::GetForegroundWindow(), sheets.front());
        }
        EXPECT_TRUE(g_moves.empty());
        ::SendMessageW(::GetDlgItem(sheets.front(), IDOK), BM_CLICK, 0, 0);
    };
    g_pWhileOpen = &whileOpen;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, RunWhileOpen);
    EXPECT_EQ(m_pCommand->Exec(nullptr, 0, 0, nullptr, nullptr), S_OK);
    ::KillTimer(nullptr, timer);
    g_pWhileOpen = nullptr;
    EXPECT_TRUE(ran);
    EXPECT_EQ(g_moves, (std::vector<std::wstring>{sandbox.LocalPath(), sandbox.CommonPath()}));

    // Closed, the sheet opens again.
    ran = false;
    std::function<void()> cancel = [&] {
        ran = true;
        ::SendMessageW(::GetDlgItem(OpenSheets().front(), IDCANCEL), BM_CLICK, 0, 0);
    };
    g_pWhileOpen = &cancel;
    const UINT_PTR again = ::SetTimer(nullptr, 0, 50, RunWhileOpen);
    EXPECT_EQ(pOther->Exec(nullptr, 0, 0, nullptr, nullptr), S_OK);
    ::KillTimer(nullptr, again);
    g_pWhileOpen = nullptr;
    EXPECT_TRUE(ran);

    pOtherWithSite->SetSite(nullptr);
    pOtherWithSite->Release();
    pOther->Release();
    EXPECT_EQ(m_pWithSite->SetSite(nullptr), S_OK);
    pSite->Release();
    pBrowser->Release();
    ::DestroyWindow(hOtherWindow);
    ::DestroyWindow(hBrowser);
}

}  // namespace
