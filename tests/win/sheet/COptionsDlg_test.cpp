#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "prefs/DefaultPreferences.h"
#include "sheet/COptionsDlg.h"
#include "support/DialogAnswerer.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

namespace {

// A visible top-level window standing in for the browser.
class BrowserWindow {
public:
    explicit BrowserWindow(const RECT& rc) {
        m_hWnd = ::CreateWindowExW(0, L"STATIC", L"browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~BrowserWindow() { ::DestroyWindow(m_hWnd); }
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

std::vector<std::wstring> TabTexts(HWND hSheet) {
    HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(hTab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(text);
    }
    return texts;
}

std::vector<std::wstring> VisibleButtonTexts(HWND hSheet) {
    std::vector<std::wstring> texts;
    for (HWND hChild = ::GetWindow(hSheet, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        wchar_t className[32]{};
        ::GetClassNameW(hChild, className, 32);
        if (_wcsicmp(className, L"Button") != 0 || !::IsWindowVisible(hChild)) continue;
        wchar_t text[64]{};
        ::GetWindowTextW(hChild, text, 64);
        texts.emplace_back(text);
    }
    return texts;
}

POINT CentreOf(HWND hWnd) {
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

RECT WorkAreaOf(HWND hWnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

const char kLoaded[] =
    "vtl_prefs = {\n"
    "  viewertype: \"marbles\",\n"
    "  sparqlgenendpoint: \"http://elsewhere.example/sparql\",\n"
    "  proxyhost: \"loaded.example\",\n"
    "  h_name0: \"Accept\",\n"
    "  h_val0: \"text/turtle\",\n"
    "  somethingelse: \"kept\"};\n";

}  // namespace

TEST(OptionsSheet, OpensOnViewersWithThreeTabsAndOnlyOkAndCancelCentredOverTheBrowser) {
    PrefsSandbox sandbox;
    BrowserWindow browser(RECT{40, 60, 940, 760});
    COptionsDlg dlg(L"VTL Options", 0, browser.Handle());
    const INT_PTR result = SheetDriver::RunAndSaveOnOk(dlg, [&](SheetDriver& sheet) {
        wchar_t title[64]{};
        ::GetWindowTextW(sheet.Sheet(), title, 64);
        EXPECT_STREQ(title, L"VTL Options");
        EXPECT_EQ(sheet.CurrentPage(), SheetDriver::Viewers);
        EXPECT_EQ(TabTexts(sheet.Sheet()),
                  (std::vector<std::wstring>{L"Viewers", L"RDF Data Access", L"About"}));
        EXPECT_EQ(VisibleButtonTexts(sheet.Sheet()), (std::vector<std::wstring>{L"OK", L"Cancel"}));
        const POINT sheetCentre = CentreOf(sheet.Sheet());
        const POINT browserCentre = CentreOf(browser.Handle());
        EXPECT_LE(std::abs(sheetCentre.x - browserCentre.x), 1);
        EXPECT_LE(std::abs(sheetCentre.y - browserCentre.y), 1);
        EXPECT_EQ(::GetWindow(sheet.Sheet(), GW_OWNER), browser.Handle());
        sheet.PressCancel();
    });
    EXPECT_NE(result, 1);
    EXPECT_FALSE(PrefsSandbox::Exists(sandbox.LocalPath()));
    EXPECT_FALSE(PrefsSandbox::Exists(sandbox.CommonPath()));
}

TEST(OptionsSheet, ShowingAgainKeepsThePlaceAndAMinimisedBrowserCentresOnTheWorkArea) {
    PrefsSandbox sandbox;
    BrowserWindow browser(RECT{0, 0, 400, 300});
    ::ShowWindow(browser.Handle(), SW_MINIMIZE);
    COptionsDlg dlg(L"VTL Options", 0, browser.Handle());
    SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
        const RECT work = WorkAreaOf(sheet.Sheet());
        const POINT centre = CentreOf(sheet.Sheet());
        EXPECT_LE(std::abs(centre.x - (work.left + work.right) / 2), 1);
        EXPECT_LE(std::abs(centre.y - (work.top + work.bottom) / 2), 1);
        ::SetWindowPos(sheet.Sheet(), nullptr, 15, 25, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::ShowWindow(sheet.Sheet(), SW_HIDE);
        ::ShowWindow(sheet.Sheet(), SW_SHOW);
        RECT rc{};
        ::GetWindowRect(sheet.Sheet(), &rc);
        EXPECT_EQ(rc.left, 15);
        EXPECT_EQ(rc.top, 25);
        sheet.PressCancel();
    });
}

TEST(OptionsSheet, SheetCentredPartlyOffTheScreenIsMovedInsideTheWorkArea) {
    PrefsSandbox sandbox;
    const RECT work = WorkAreaOf(::GetDesktopWindow());
    const auto placeOver = [&](const RECT& browserRect) {
        BrowserWindow browser(browserRect);
        COptionsDlg dlg(L"VTL Options", 0, browser.Handle());
        RECT rc{};
        SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
            ::GetWindowRect(sheet.Sheet(), &rc);
            sheet.PressCancel();
        });
        return rc;
    };
    // Browsers hanging off a corner would centre the sheet partly off it.
    const RECT topLeft =
        placeOver(RECT{work.left - 300, work.top - 250, work.left + 100, work.top + 50});
    EXPECT_EQ(topLeft.left, work.left);
    EXPECT_EQ(topLeft.top, work.top);
    const RECT bottomRight =
        placeOver(RECT{work.right - 100, work.bottom - 50, work.right + 300, work.bottom + 250});
    EXPECT_EQ(bottomRight.right, work.right);
    EXPECT_EQ(bottomRight.bottom, work.bottom);
}

TEST(OptionsSheet, OkWritesBothFilesWithTheLoadedSetAndLeavesUnvisitedPagesKeysAlone) {
    PrefsSandbox sandbox;
    ASSERT_TRUE(sandbox.WriteLocal(kLoaded));
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    const INT_PTR result = SheetDriver::RunAndSaveOnOk(dlg, [](SheetDriver& sheet) {
        sheet.PressOk();
    });
    ASSERT_EQ(result, 1);
    ASSERT_TRUE(PrefsSandbox::Exists(sandbox.LocalPath()));
    const std::optional<std::string> local = PrefsSandbox::ReadBytes(sandbox.LocalPath());
    EXPECT_EQ(local, PrefsSandbox::ReadBytes(sandbox.CommonPath()));

    const PreferenceSet saved = sandbox.LoadLocal();
    const PreferenceSet& held = dlg.Preferences();
    ASSERT_EQ(saved.Count(), held.Count());
    for (int i = 0; i < held.Count(); ++i) {
        EXPECT_EQ(saved.KeyAt(i), held.KeyAt(i));
        EXPECT_EQ(saved.ValueAt(i), held.ValueAt(i));
    }
    // The RDF Data Access page was never shown: its keys, the generic
    // endpoint included, and the header pairs are as loaded.
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"sparqlgenendpoint")),
              L"http://elsewhere.example/sparql");
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"proxyhost")), L"loaded.example");
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"h_name0")), L"Accept");
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"h_val0")), L"text/turtle");
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"somethingelse")), L"kept");
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"viewertype")), L"marbles");
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"proxyservice")), L"corvessa");
}

TEST(OptionsSheet, CancelAndTheCloseBoxWriteNothingEvenAfterAPageStoredItsValues) {
    PrefsSandbox sandbox;
    ASSERT_TRUE(sandbox.WriteLocal(kLoaded));
    const std::optional<std::string> before = PrefsSandbox::ReadBytes(sandbox.LocalPath());
    {
        COptionsDlg dlg(L"VTL Options", 0, nullptr);
        const INT_PTR result = SheetDriver::RunAndSaveOnOk(dlg, [](SheetDriver& sheet) {
            sheet.Choose(SheetDriver::Viewers, IDC_VIEWER_TYPE, 4);
            sheet.SelectPage(SheetDriver::About);
            sheet.PressCancel();
        });
        EXPECT_NE(result, 1);
        // Leaving the Viewers page stored its values in the set only.
        const PreferenceSet& held = dlg.Preferences();
        EXPECT_EQ(held.ValueAt(held.FindKey(L"viewertype")), L"tabulator");
    }
    {
        COptionsDlg dlg(L"VTL Options", 0, nullptr);
        const INT_PTR result = SheetDriver::RunAndSaveOnOk(dlg, [](SheetDriver& sheet) {
            sheet.Choose(SheetDriver::Viewers, IDC_VIEWER_TYPE, 3);
            sheet.PressCloseBox();
        });
        EXPECT_NE(result, 1);
    }
    EXPECT_EQ(PrefsSandbox::ReadBytes(sandbox.LocalPath()), before);
    EXPECT_FALSE(PrefsSandbox::Exists(sandbox.CommonPath()));
}

// A local copy that another program (a virus scanner, a backup) held open
// without sharing while the sheet loaded still holds what the user saved:
// the sheet shows the defaults, and OK asks before it replaces that copy.
TEST(OptionsSheet, OkOverALocalCopyThatCouldNotBeReadAsksAndGoingBackWritesNothing) {
    const wchar_t kQuestion[] =
        L"Your saved VTL options could not be read, so this sheet shows the defaults. Saving now will "
        L"replace them with what the sheet shows.\n\nSave anyway? Choose No to go back to the sheet "
        L"without saving.";
    PrefsSandbox sandbox;
    ASSERT_TRUE(sandbox.WriteLocal(kLoaded));
    sandbox.MakeFolder(L"ProgramData\\Brackwyn Software\\VTL");
    ASSERT_TRUE(PrefsSandbox::WriteBytes(sandbox.CommonPath(), kLoaded));
    CKernelHandle scanner(::CreateFileW(sandbox.LocalPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(scanner);
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    scanner.Reset();  // the other program lets go before OK
    EXPECT_EQ(dlg.Preferences().Count(), 14);
    EXPECT_EQ(dlg.Preferences().FindKey(L"somethingelse"), -1);

    std::vector<DialogAnswerer::Seen> goBack, saveAnyway;
    const INT_PTR result = SheetDriver::RunAndSaveOnOk(dlg, [&](SheetDriver& sheet) {
        {
            DialogAnswerer answerer(::GetCurrentProcessId(), L"VTL Options", IDNO, kQuestion);
            sheet.PressOk();
            goBack = answerer.Stop();
        }
        EXPECT_TRUE(::IsWindowVisible(sheet.Sheet()));
        EXPECT_EQ(PrefsSandbox::ReadBytes(sandbox.LocalPath()), kLoaded);
        EXPECT_EQ(PrefsSandbox::ReadBytes(sandbox.CommonPath()), kLoaded);
        sheet.Choose(SheetDriver::Viewers, IDC_VIEWER_TYPE, 4);
        DialogAnswerer answerer(::GetCurrentProcessId(), L"VTL Options", IDYES, kQuestion);
        sheet.PressOk();
        saveAnyway = answerer.Stop();
    });
    EXPECT_EQ(result, 1);
    for (const std::vector<DialogAnswerer::Seen>* boxes : {&goBack, &saveAnyway}) {
        ASSERT_EQ(boxes->size(), 1u);
        EXPECT_TRUE(boxes->front().hasOwner);
        EXPECT_EQ(boxes->front().buttons, 2);
        EXPECT_TRUE(boxes->front().closed);
    }
    const PreferenceSet saved = sandbox.LoadLocal();
    EXPECT_EQ(saved.ValueAt(saved.FindKey(L"viewertype")), L"tabulator");
    EXPECT_EQ(saved.FindKey(L"somethingelse"), -1);
    EXPECT_EQ(PrefsSandbox::ReadBytes(sandbox.LocalPath()), PrefsSandbox::ReadBytes(sandbox.CommonPath()));
}

TEST(OptionsSheet, BuildingTheSheetFillsDefaultsThenTheLocalFile) {
    PrefsSandbox sandbox;
    {
        COptionsDlg dlg(L"VTL Options", 0, nullptr);
        const PreferenceSet& held = dlg.Preferences();
        ASSERT_EQ(held.Count(), 14);
        EXPECT_EQ(held.KeyAt(0), L"viewertype");
        EXPECT_EQ(held.ValueAt(1), DefaultViewerEndpoint);
        EXPECT_EQ(held.KeyAt(13), L"proxycustendpoint");
    }
    ASSERT_TRUE(sandbox.WriteLocal("vtl_prefs = {\n  openingmode: \"tab\"};\n"));
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    const PreferenceSet& held = dlg.Preferences();
    ASSERT_EQ(held.Count(), 14);
    EXPECT_EQ(held.KeyAt(13), L"openingmode");
    EXPECT_EQ(held.ValueAt(13), L"tab");
}

namespace {

// The two editing pages in a sheet of their own, linked to nothing.
class CUnlinkedSheet : public CPropertySheetImpl<CUnlinkedSheet> {
public:
    CUnlinkedSheet() : CPropertySheetImpl<CUnlinkedSheet>(L"Unlinked", 0, nullptr) {
        AddPage(m_viewers.PageDescription());
        AddPage(m_rdf.PageDescription());
    }
    // The sheet window keeps the control's own handling throughout.
    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) override {
        return FALSE;
    }

private:
    CTab1 m_viewers;
    CTab2 m_rdf;
};

}  // namespace

TEST(OptionsSheet, PagesWithoutASheetShowTheirOwnInitialValuesAndStoreNowhere) {
    CUnlinkedSheet sheetObject;
    const INT_PTR result = SheetDriver::Run(sheetObject, [](SheetDriver& sheet) {
        EXPECT_EQ(sheet.Selection(SheetDriver::Viewers, IDC_VIEWER_TYPE), CB_ERR);
        sheet.Choose(SheetDriver::Viewers, IDC_VIEWER_TYPE, 0);
        sheet.SelectPage(SheetDriver::RdfDataAccess);
        // Without a Viewers page linked, no viewer type reaches this page.
        EXPECT_FALSE(sheet.Enabled(SheetDriver::RdfDataAccess, IDC_SPARQL_TYPE));
        EXPECT_EQ(sheet.Text(SheetDriver::RdfDataAccess, IDC_RDFIZER_HOST), L"");
        sheet.Choose(SheetDriver::RdfDataAccess, IDC_RDFIZER_TYPE, 1);
        EXPECT_EQ(sheet.Text(SheetDriver::RdfDataAccess, IDC_RDFIZER_URL), L"https:///about/?url=");
        sheet.PressOk();
    });
    EXPECT_EQ(result, 1);
}

TEST(OptionsSheet, UnsetPreferenceFoldersLeaveTheDefaults) {
    PrefsSandbox sandbox;
    ASSERT_TRUE(sandbox.WriteLocal("vtl_prefs = {\n  openingmode: \"tab\"};\n"));
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    ::SetEnvironmentVariableW(L"ALLUSERSPROFILE", nullptr);
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    const PreferenceSet& held = dlg.Preferences();
    ASSERT_EQ(held.Count(), 14);
    EXPECT_EQ(held.ValueAt(held.FindKey(L"openingmode")), L"win");
}
