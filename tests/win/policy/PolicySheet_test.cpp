// The options sheet under an administrator's policies, set in the real
// registry as Group Policy sets them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "listctrl/GridTestSupport.h"
#include "prefs/DefaultPreferences.h"
#include "sheet/COptionsDlg.h"
#include "sheet/SheetResources.h"
#include "support/AccessibleQueries.h"
#include "support/ComApartment.h"
#include "support/PolicyRegistry.h"
#include "support/PrefsSandbox.h"
#include "support/ScreenReader.h"
#include "support/SheetDriver.h"

namespace {

constexpr int kViewers = SheetDriver::Viewers;
constexpr int kRdf = SheetDriver::RdfDataAccess;
const wchar_t kReason[] = L"Set by your administrator";
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;

std::wstring Saved(const PreferenceSet& set, const wchar_t* key) {
    const int position = set.FindKey(key);
    return std::wstring(position >= 0 ? set.ValueAt(position) : L"<absent>");
}

struct TooltipSearch {
    HWND hPage;
    POINT point;  // page client coordinates
    std::wstring text;
};

// Asks each tooltip of the thread which tool lies under the search point.
BOOL CALLBACK FindTooltipAt(HWND hWnd, LPARAM lParam) {
    auto& s = *reinterpret_cast<TooltipSearch*>(lParam);
    wchar_t name[32]{};
    ::GetClassNameW(hWnd, name, 32);
    if (::lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    TTHITTESTINFOW hit{};
    hit.hwnd = s.hPage;
    hit.pt = s.point;
    hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!::SendMessageW(hWnd, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return TRUE;
    wchar_t text[80]{};
    hit.ti.lpszText = text;
    ::SendMessageW(hWnd, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&hit.ti));
    s.text = text;
    return FALSE;
}

// The text of the tooltip shown when the pointer rests on the middle of a
// control of the page; empty when none would show.
std::wstring TooltipAt(HWND hPage, HWND hControl) {
    RECT rect{};
    ::GetWindowRect(hControl, &rect);
    TooltipSearch search{hPage, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, L""};
    ::ScreenToClient(hPage, &search.point);
    ::EnumThreadWindows(::GetCurrentThreadId(), FindTooltipAt, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

// The description a screen reader hears for a control.
std::wstring DescriptionOf(HWND hControl) {
    std::wstring heard = L"<none>";
    ScreenReader::Ask([&] {
        IAccessible* pAcc = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(hControl, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&pAcc))) || pAcc == nullptr)
            return;
        BSTR description = nullptr;
        if (pAcc->get_accDescription(accessible::Child(CHILDID_SELF), &description) == S_OK)
            heard = accessible::TakeString(description);
        pAcc->Release();
    });
    return heard;
}

// Takes the text of the thread's visible tooltip, if one shows.
BOOL CALLBACK FindVisibleTooltip(HWND hWnd, LPARAM lParam) {
    wchar_t name[32]{};
    ::GetClassNameW(hWnd, name, 32);
    if (::lstrcmpiW(name, TOOLTIPS_CLASSW) != 0 || !::IsWindowVisible(hWnd)) return TRUE;
    wchar_t text[80]{};
    ::GetWindowTextW(hWnd, text, 80);
    *reinterpret_cast<std::wstring*>(lParam) = text;
    return FALSE;
}

// The text of the tooltip that shows once the pointer rests on the middle
// of the control; empty when none shows within three seconds.
std::wstring TooltipShownOver(SheetDriver& sheet, HWND hControl) {
    RECT rect{};
    ::GetClientRect(hControl, &rect);
    sheet.PointAt(hControl, POINT{rect.right / 2, rect.bottom / 2});
    std::wstring shown;
    for (int i = 0; i < 60 && shown.empty(); ++i) {
        gridtest::Pump(50);
        ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleTooltip, reinterpret_cast<LPARAM>(&shown));
    }
    return shown;
}

// A control locked by a policy: disabled, with the tooltip and description.
void ExpectLocked(SheetDriver& sheet, int page, int id) {
    SCOPED_TRACE(testing::Message() << "locked control " << id);
    HWND hControl = sheet.Control(page, id);
    EXPECT_FALSE(sheet.Enabled(page, id));
    EXPECT_EQ(TooltipAt(sheet.PageWindow(page), hControl), kReason);
    EXPECT_EQ(DescriptionOf(hControl), kReason);
}

void ExpectFree(SheetDriver& sheet, int page, int id) {
    SCOPED_TRACE(testing::Message() << "free control " << id);
    EXPECT_TRUE(sheet.Enabled(page, id));
    EXPECT_EQ(TooltipAt(sheet.PageWindow(page), sheet.Control(page, id)), L"");
}

}  // namespace

TEST(PolicySheet, MandatoryEndpointsLockTheirControlsWhatThePageDoesAndOkWritesThemOverTheFile) {
    ComApartment com;
    PrefsSandbox sandbox;
    PolicyRegistry policies;
    // The machine's host wins over the user's; the user's RDFizer address
    // has no machine policy against it.
    ASSERT_TRUE(policies.SetStrings({
        {HKLM, L"", L"sparqlhost", L"sparql.corp.example"},
        {HKCU, L"", L"sparqlhost", L"user.example"},
        {HKCU, L"", L"proxyservice", L"custom"},
        {HKCU, L"", L"proxycustendpoint", L"http://rdfizer.corp.example/?url="},
    }));
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(
        sandbox, "  sparqlhost: \"file.example\",\n  proxyservice: \"corvessa\",\n  sparqlport: \"8890\"\n",
        [&](SheetDriver& sheet) {
            sheet.SelectPage(kRdf);
            // The pointer resting on the disabled field shows why.
            EXPECT_EQ(TooltipShownOver(sheet, sheet.Control(kRdf, IDC_SPARQL_HOST)), kReason);
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_HOST), L"sparql.corp.example");
            EXPECT_EQ(sheet.Selection(kRdf, IDC_RDFIZER_TYPE), 3);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://rdfizer.corp.example/?url=");
            for (int id : {IDC_SPARQL_HOST, IDC_SPARQL_DEFAULT, IDC_RDFIZER_TYPE, IDC_RDFIZER_URL,
                           IDC_RDFIZER_DEFAULT})
                ExpectLocked(sheet, kRdf, id);
            for (int id : {IDC_SPARQL_TYPE, IDC_SPARQL_PORT, IDC_HEADER_ADD}) ExpectFree(sheet, kRdf, id);

            // The page's own rules never free a locked control, and a type
            // choice keeps the locked host in the address it composes.
            sheet.Choose(kRdf, IDC_SPARQL_TYPE, 1);
            EXPECT_FALSE(sheet.Enabled(kRdf, IDC_SPARQL_HOST));
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_HOST), L"sparql.corp.example");
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"https://sparql.corp.example/sparql");
            sheet.SelectPage(kViewers);
            sheet.Choose(kViewers, IDC_VIEWER_TYPE, 2);
            sheet.SelectPage(kRdf);
            EXPECT_FALSE(sheet.Enabled(kRdf, IDC_SPARQL_TYPE));
            sheet.SelectPage(kViewers);
            sheet.Choose(kViewers, IDC_VIEWER_TYPE, 0);
            sheet.SelectPage(kRdf);
            EXPECT_TRUE(sheet.Enabled(kRdf, IDC_SPARQL_TYPE));
            EXPECT_FALSE(sheet.Enabled(kRdf, IDC_SPARQL_HOST));
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"sparqlhost"), L"sparql.corp.example");
    EXPECT_EQ(Saved(saved, L"proxyservice"), L"custom");
    EXPECT_EQ(Saved(saved, L"proxycustendpoint"), L"http://rdfizer.corp.example/?url=");
    EXPECT_EQ(Saved(saved, L"sparqltype"), L"corvessa-ssl");
    EXPECT_EQ(Saved(saved, L"sparqlport"), L"443");
    // Both copies hold the same text.
    EXPECT_EQ(ScratchFolder::ReadBytes(sandbox.LocalPath()), ScratchFolder::ReadBytes(sandbox.CommonPath()));
}

TEST(PolicySheet, AValueThePageDoesNotOfferIsShownAsFromTheFileAndStaysLocked) {
    ComApartment com;
    PrefsSandbox sandbox;
    PolicyRegistry policies;
    ASSERT_TRUE(policies.SetStrings({
        {HKLM, L"", L"viewertype", L"lodview"},
        {HKCU, L"", L"openingmode", L"tab"},
    }));
    ASSERT_TRUE(policies.SetDword(HKLM, L"", L"viewerendpoint", 7));  // not a string: absent
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(
        sandbox, "  viewertype: \"custom\",\n  openingmode: \"win\"\n", [&](SheetDriver& sheet) {
            EXPECT_EQ(sheet.Selection(kViewers, IDC_VIEWER_TYPE), -1);
            EXPECT_TRUE(sheet.Checked(kViewers, IDC_MODE_TAB));
            for (int id : {IDC_VIEWER_TYPE, IDC_MODE_WIN, IDC_MODE_TAB}) ExpectLocked(sheet, kViewers, id);
            // The unknown viewer disables the address as the page does
            // for such a value, without making it a locked one.
            EXPECT_FALSE(sheet.Enabled(kViewers, IDC_VIEWER_URL));
            EXPECT_EQ(TooltipAt(sheet.PageWindow(kViewers), sheet.Control(kViewers, IDC_VIEWER_URL)), L"");
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"viewertype"), L"lodview");
    EXPECT_EQ(Saved(saved, L"openingmode"), L"tab");
}

TEST(PolicySheet, ARecommendedValueFillsAMissingKeyAndYieldsToTheUsersSavedOne) {
    ComApartment com;
    PolicyRegistry policies;
    ASSERT_TRUE(policies.SetStrings({
        {HKCU, L"Recommended", L"proxyhost", L"rec.corp.example"},
        {HKCU, L"Recommended\\AdditionalHeaders", L"1", L"X-Rec: yes"},
    }));
    struct Case {
        const char* what;
        std::string file;
        const wchar_t* host;
        const wchar_t* header;
    };
    const Case cases[] = {
        {"no file", "", L"rec.corp.example", L"X-Rec"},
        {"the file lacks the key", "  viewertype: \"builtin\"\n", L"rec.corp.example", L"X-Rec"},
        {"the user saved one", "  proxyhost: \"mine.example\",\n  h_name0: \"X-Mine\",\n  h_val0: \"1\"\n",
         L"mine.example", L"X-Mine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrefsSandbox sandbox;
        const PreferenceSet saved = SheetDriver::RunOnLocalFile(sandbox, c.file, [&](SheetDriver& sheet) {
            sheet.SelectPage(kRdf);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), c.host);
            ExpectFree(sheet, kRdf, IDC_RDFIZER_HOST);
            sheet.Type(kRdf, IDC_RDFIZER_HOST, L"typed.example");
            sheet.PressOk();
        });
        EXPECT_EQ(Saved(saved, L"proxyhost"), L"typed.example");
        EXPECT_EQ(Saved(saved, L"h_name0"), c.header);
        // The user's own save is what the next sheet starts from.
        SheetDriver::RunOnLocalFile(sandbox, "", [&](SheetDriver& sheet) {
            sheet.SelectPage(kRdf);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), L"typed.example");
            sheet.PressCancel();
        });
    }
}

TEST(PolicySheet, AMandatoryHeaderListIsReadOnlyAndSaved) {
    ComApartment com;
    PrefsSandbox sandbox;
    PolicyRegistry policies;
    ASSERT_TRUE(policies.SetStrings({
        {HKLM, L"AdditionalHeaders", L"1", L"X-Corp: yes"},
        {HKLM, L"AdditionalHeaders", L"2", L"no colon"},
        {HKLM, L"AdditionalHeaders", L"3", L"Accept : text/turtle "},
        {HKCU, L"AdditionalHeaders", L"1", L"X-User: ignored"},
    }));
    ASSERT_TRUE(sandbox.WriteLocal("vtl_prefs = {\n  h_name0: \"X-Mine\",\n  h_val0: \"mine\"};\n"));
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    SheetDriver::RunAndSaveOnOk(dlg, [&](SheetDriver& sheet) {
        sheet.SelectPage(kRdf);
        CListUserData& list = dlg.RdfDataAccessPage().HeadersList();
        ASSERT_EQ(list.GetItemCount(), 2);
        EXPECT_EQ(list.GetItemText(0, 0) + L"=" + list.GetItemText(0, 1), L"X-Corp=yes");
        EXPECT_EQ(list.GetItemText(1, 0) + L"=" + list.GetItemText(1, 1), L"Accept=text/turtle");
        ExpectLocked(sheet, kRdf, IDC_HEADER_ADD);
        ExpectLocked(sheet, kRdf, IDC_HEADER_REMOVE);
        // The grid stays readable: enabled, scrollable, saying why it
        // cannot be changed; a click on a cell opens no editor.
        HWND hGrid = sheet.Control(kRdf, IDC_HEADERS_LIST);
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_HEADERS_LIST));
        EXPECT_EQ(DescriptionOf(hGrid), kReason);
        gridtest::Click(hGrid, gridtest::CellCentre(list, 0, 1));
        gridtest::Click(hGrid, gridtest::CellCentre(list, 0, 1));
        EXPECT_FALSE(::IsChild(hGrid, ::GetFocus()));
        gridtest::Key(hGrid, VK_F2);
        EXPECT_FALSE(::IsChild(hGrid, ::GetFocus()));
        EXPECT_EQ(list.GetItemText(0, 1), L"yes");
        sheet.PressOk();
    });
    const PreferenceSet saved = sandbox.LoadLocal();
    EXPECT_EQ(Saved(saved, L"h_name0"), L"X-Corp");
    EXPECT_EQ(Saved(saved, L"h_val0"), L"yes");
    EXPECT_EQ(Saved(saved, L"h_name1"), L"Accept");
    EXPECT_EQ(Saved(saved, L"h_val1"), L"text/turtle");
    EXPECT_EQ(Saved(saved, L"h_name2"), L"<absent>");
}
