#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "prefs/DefaultPreferences.h"
#include "sheet/COptionsDlg.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

namespace {

constexpr int kRdf = SheetDriver::RdfDataAccess;
const std::wstring kHost = DefaultServiceHost;
const std::wstring kDefaultRdfizerUrl = L"http://" + kHost + L"/about?url=";

std::wstring Saved(const PreferenceSet& set, const wchar_t* key) {
    const int position = set.FindKey(key);
    return std::wstring(position >= 0 ? set.ValueAt(position) : L"<absent>");
}

// Runs the sheet on a preferences file with the given pairs (none: no
// file), shows the RDF Data Access page, runs the script there and returns
// what was saved.
PreferenceSet RunOnRdfPage(const PrefsSandbox& sandbox, const std::string& pairs,
                           const SheetDriver::Script& script) {
    return SheetDriver::RunOnLocalFile(sandbox, pairs, [&](SheetDriver& sheet) {
        sheet.SelectPage(kRdf);
        script(sheet);
    });
}

void ExpectEnabled(const SheetDriver& sheet, std::initializer_list<int> ids, bool enabled) {
    for (int id : ids) EXPECT_EQ(sheet.Enabled(kRdf, id), enabled) << "control " << id;
}

}  // namespace

TEST(RdfDataAccessPage, ShowsTheTypeChoicesAndTheLoadedValues) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox, "", [](SheetDriver& sheet) {
        const std::vector<std::wstring> rdfizer = {L"Brackwyn Corvessa (Drusker)",
                                                   L"Brackwyn Corvessa (SSL Drusker)", L"Triplr",
                                                   L"Custom (URL)"};
        const std::vector<std::wstring> sparql = {L"Corvessa default", L"Corvessa SSL",
                                                  L"Custom (URL)"};
        ASSERT_EQ(sheet.ItemCount(kRdf, IDC_RDFIZER_TYPE), 4);
        ASSERT_EQ(sheet.ItemCount(kRdf, IDC_SPARQL_TYPE), 3);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(sheet.ItemText(kRdf, IDC_RDFIZER_TYPE, i), rdfizer[i]);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(sheet.ItemText(kRdf, IDC_SPARQL_TYPE, i), sparql[i]);
        EXPECT_EQ(sheet.Selection(kRdf, IDC_RDFIZER_TYPE), 0);
        EXPECT_EQ(sheet.Selection(kRdf, IDC_SPARQL_TYPE), 0);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), kHost);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_PORT), L"");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), kDefaultRdfizerUrl);
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_HOST), kHost);
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"http://" + kHost + L"/sparql");
        ExpectEnabled(sheet, {IDC_RDFIZER_TYPE, IDC_RDFIZER_HOST, IDC_RDFIZER_PORT,
                              IDC_RDFIZER_DEFAULT, IDC_SPARQL_TYPE, IDC_SPARQL_HOST,
                              IDC_SPARQL_PORT, IDC_SPARQL_DEFAULT}, true);
        ExpectEnabled(sheet, {IDC_RDFIZER_URL, IDC_SPARQL_URL}, false);
        wchar_t className[16]{};
        ::GetClassNameW(sheet.Control(kRdf, IDC_HEADERS_LIST), className, 16);
        EXPECT_STREQ(className, L"HdrsList");
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        ASSERT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), L"HdrsList", &wc));
        EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        EXPECT_EQ(wc.hCursor, ::LoadCursorW(nullptr, IDC_ARROW));
        sheet.PressOk();
    });
    // Nothing was changed: every key keeps its default, and the URL fields'
    // texts are what is stored as the custom endpoints.
    EXPECT_EQ(Saved(saved, L"proxyservice"), L"corvessa");
    EXPECT_EQ(Saved(saved, L"proxyhost"), kHost);
    EXPECT_EQ(Saved(saved, L"proxyport"), L"");
    EXPECT_EQ(Saved(saved, L"proxycustendpoint"), kDefaultRdfizerUrl);
    EXPECT_EQ(Saved(saved, L"sparqlcustendpoint"), DefaultSparqlEndpoint);
}

TEST(RdfDataAccessPage, SparqlTypeChoicesComposeTheAddressEndingInSparql) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox, "  sparqlhost: \"h.example\"",
                                             [](SheetDriver& sheet) {
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 1);
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_PORT), L"443");
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"https://h.example/sparql");
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 0);
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_PORT), L"80");
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"http://h.example/sparql");
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 2);
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_PORT), L"");
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"http://h.example/sparql");
        ExpectEnabled(sheet, {IDC_SPARQL_URL}, true);
        ExpectEnabled(sheet, {IDC_SPARQL_HOST, IDC_SPARQL_PORT}, false);
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(saved, L"sparqltype"), L"custom");
    EXPECT_EQ(Saved(saved, L"sparqlcustendpoint"), L"http://h.example/sparql");
}

TEST(RdfDataAccessPage, ATypeChoiceRecomposesBothAddressesFromHostAndPortButSetDefaultDoesNot) {
    PrefsSandbox sandbox;
    RunOnRdfPage(sandbox, "", [](SheetDriver& sheet) {
        sheet.Type(kRdf, IDC_RDFIZER_HOST, L"r.example");
        sheet.Type(kRdf, IDC_RDFIZER_PORT, L"8080");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), kDefaultRdfizerUrl);
        // Set Default shows the address as last composed (when the page was
        // shown), not one made from the typed host and port.
        sheet.Click(kRdf, IDC_SPARQL_DEFAULT);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://" + kHost + L"/about/?url=");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), L"r.example");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_PORT), L"8080");
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 1);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://r.example:8080/about/?url=");
        sheet.PressCancel();
    });
}

TEST(RdfDataAccessPage, RdfizerTypeChoicesSetPortAddressAndEnabling) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox, "  proxyhost: \"p.example\"",
                                             [](SheetDriver& sheet) {
        sheet.Choose(kRdf, IDC_RDFIZER_TYPE, 1);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_PORT), L"443");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"https://p.example/about/?url=");
        sheet.Type(kRdf, IDC_RDFIZER_PORT, L"9443");
        sheet.Choose(kRdf, IDC_RDFIZER_TYPE, 0);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_PORT), L"80");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://p.example/about/?url=");

        sheet.Choose(kRdf, IDC_RDFIZER_TYPE, 2);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_PORT), L"");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://triplr.org/rdf/");
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), L"p.example");
        ExpectEnabled(sheet, {IDC_RDFIZER_HOST, IDC_RDFIZER_PORT}, false);
        ExpectEnabled(sheet, {IDC_RDFIZER_URL, IDC_RDFIZER_TYPE, IDC_RDFIZER_DEFAULT}, true);

        sheet.Choose(kRdf, IDC_RDFIZER_TYPE, 3);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://triplr.org/rdf/");
        ExpectEnabled(sheet, {IDC_RDFIZER_URL}, true);
        sheet.Type(kRdf, IDC_RDFIZER_URL, L"http://mine.example/rdfize?u=");
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(saved, L"proxyservice"), L"custom");
    EXPECT_EQ(Saved(saved, L"proxyhost"), L"p.example");
    EXPECT_EQ(Saved(saved, L"proxyport"), L"");
    EXPECT_EQ(Saved(saved, L"proxycustendpoint"), L"http://mine.example/rdfize?u=");
}

TEST(RdfDataAccessPage, PortsAreComparedAsTypedAndAnEmptyHostLeavesNothingBetween) {
    PrefsSandbox sandbox;
    RunOnRdfPage(sandbox, "", [](SheetDriver& sheet) {
        sheet.Type(kRdf, IDC_RDFIZER_PORT, L"080");
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 0);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://" + kHost + L":080/about/?url=");
        sheet.Type(kRdf, IDC_RDFIZER_PORT, L" 80");
        sheet.Type(kRdf, IDC_RDFIZER_HOST, L"");
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 0);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://: 80/about/?url=");
        sheet.Type(kRdf, IDC_RDFIZER_PORT, L"80");
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 0);
        EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http:///about/?url=");
        sheet.PressCancel();
    });
}

TEST(RdfDataAccessPage, SetDefaultButtonsRestoreTheDefaultService) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox,
        "  proxyservice: \"custom\",\n  proxyhost: \"x.example\",\n  proxyport: \"81\",\n"
        "  proxycustendpoint: \"http://x.example/r\",\n  sparqltype: \"corvessa-ssl\",\n"
        "  sparqlhost: \"y.example\",\n  sparqlport: \"8443\"",
        [](SheetDriver& sheet) {
            EXPECT_EQ(sheet.Selection(kRdf, IDC_RDFIZER_TYPE), 3);
            // The address field shows the stored one until something redisplays it.
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), DefaultSparqlEndpoint);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://x.example/r");
            sheet.Click(kRdf, IDC_RDFIZER_DEFAULT);
            EXPECT_EQ(sheet.Selection(kRdf, IDC_RDFIZER_TYPE), 0);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), kHost);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_PORT), L"80");
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://" + kHost + L"/about/?url=");
            ExpectEnabled(sheet, {IDC_RDFIZER_HOST, IDC_RDFIZER_PORT}, true);
            ExpectEnabled(sheet, {IDC_RDFIZER_URL}, false);
            sheet.Click(kRdf, IDC_SPARQL_DEFAULT);
            EXPECT_EQ(sheet.Selection(kRdf, IDC_SPARQL_TYPE), 0);
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_HOST), kHost);
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_PORT), L"80");
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"http://" + kHost + L"/sparql");
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"proxyservice"), L"corvessa");
    EXPECT_EQ(Saved(saved, L"proxyport"), L"80");
    EXPECT_EQ(Saved(saved, L"sparqltype"), L"corvessa");
    EXPECT_EQ(Saved(saved, L"sparqlhost"), kHost);
    EXPECT_EQ(Saved(saved, L"sparqlcustendpoint"), L"http://" + kHost + L"/sparql");
}

TEST(RdfDataAccessPage, TextTypedInOneSectionSurvivesActionsInTheOther) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox,
        "  proxyservice: \"custom\",\n  sparqltype: \"custom\"",
        [](SheetDriver& sheet) {
            sheet.Type(kRdf, IDC_RDFIZER_URL, L"http://typed.example/r");
            sheet.Type(kRdf, IDC_SPARQL_URL, L"http://typed.example/q");
            sheet.Choose(kRdf, IDC_SPARQL_TYPE, 2);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://typed.example/r");
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"http://typed.example/q");
            sheet.Click(kRdf, IDC_SPARQL_DEFAULT);
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_URL), L"http://typed.example/r");
            sheet.Choose(kRdf, IDC_RDFIZER_TYPE, 0);
            sheet.Type(kRdf, IDC_RDFIZER_HOST, L"r.example");
            sheet.Type(kRdf, IDC_SPARQL_HOST, L"q.example");
            sheet.Click(kRdf, IDC_RDFIZER_DEFAULT);
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_HOST), L"q.example");
            EXPECT_EQ(sheet.Text(kRdf, IDC_RDFIZER_HOST), kHost);
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"sparqlhost"), L"q.example");
    EXPECT_EQ(Saved(saved, L"proxyhost"), kHost);
}

TEST(RdfDataAccessPage, UnknownStoredTypesSelectNothingBehaveAsCustomAndAreWrittenBack) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox,
        "  proxyservice: \"Corvessa\",\n  sparqltype: \"local\",\n"
        "  sparqlcustendpoint: \"http://q.example/s\"",
        [](SheetDriver& sheet) {
            EXPECT_EQ(sheet.Selection(kRdf, IDC_RDFIZER_TYPE), CB_ERR);
            EXPECT_EQ(sheet.Selection(kRdf, IDC_SPARQL_TYPE), CB_ERR);
            ExpectEnabled(sheet, {IDC_RDFIZER_HOST, IDC_RDFIZER_PORT, IDC_SPARQL_HOST,
                                  IDC_SPARQL_PORT}, false);
            ExpectEnabled(sheet, {IDC_RDFIZER_URL, IDC_SPARQL_URL, IDC_RDFIZER_TYPE}, true);
            EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL), L"http://q.example/s");
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"proxyservice"), L"Corvessa");
    EXPECT_EQ(Saved(saved, L"sparqltype"), L"local");
    EXPECT_EQ(Saved(saved, L"sparqlcustendpoint"), L"http://q.example/s");
}

TEST(RdfDataAccessPage, EditingOnlyTheHostStoresItWithTheUnchangedAddressAndGenericDefaults) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox,
        "  proxygenendpoint: \"http://old.example/a\",\n"
        "  sparqlgenendpoint: \"http://old.example/s\"",
        [](SheetDriver& sheet) {
            sheet.Type(kRdf, IDC_RDFIZER_HOST, L"new.example");
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"proxyhost"), L"new.example");
    EXPECT_EQ(Saved(saved, L"proxycustendpoint"), kDefaultRdfizerUrl);
    EXPECT_EQ(Saved(saved, L"proxygenendpoint"), DefaultProxyEndpoint);
    EXPECT_EQ(Saved(saved, L"sparqlgenendpoint"), DefaultSparqlEndpoint);
}

TEST(RdfDataAccessPage, DisabledSparqlSectionIsStillReadAndStored) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = RunOnRdfPage(sandbox, "  viewertype: \"disco\"",
                                             [](SheetDriver& sheet) {
        ExpectEnabled(sheet, {IDC_SPARQL_TYPE, IDC_SPARQL_HOST, IDC_SPARQL_PORT, IDC_SPARQL_URL,
                              IDC_SPARQL_DEFAULT}, false);
        sheet.Type(kRdf, IDC_SPARQL_HOST, L"hidden.example");
        sheet.Type(kRdf, IDC_SPARQL_URL, L"http://hidden.example/q");
        // Leaving the page and coming back stores on each leave.
        sheet.SelectPage(SheetDriver::About);
        sheet.SelectPage(kRdf);
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(saved, L"sparqlhost"), L"hidden.example");
    EXPECT_EQ(Saved(saved, L"sparqlcustendpoint"), L"http://hidden.example/q");
}

TEST(RdfDataAccessPage, FieldTextsAreReadUpTo4095Characters) {
    PrefsSandbox sandbox;
    const std::wstring longHost(6000, L'h');
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
        sheet.SelectPage(kRdf);
        sheet.Type(kRdf, IDC_SPARQL_HOST, longHost);
        sheet.Choose(kRdf, IDC_SPARQL_TYPE, 1);
        EXPECT_EQ(sheet.Text(kRdf, IDC_SPARQL_URL),
                  L"https://" + longHost.substr(0, 4095) + L"/sparql");
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(dlg.Preferences(), L"sparqlhost"), longHost.substr(0, 4095));
}

namespace {

// Counts what a child control receives back from its page.
LRESULT CALLBACK CountReflected(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR refData) {
    auto* pSeen = reinterpret_cast<std::vector<std::pair<UINT, WPARAM>>*>(refData);
    if (uMsg >= 0x2000 && uMsg < 0x3000) pSeen->emplace_back(uMsg, wParam);
    return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

}  // namespace

TEST(RdfDataAccessPage, ChildNotificationsAreReflectedToTheirSender) {
    PrefsSandbox sandbox;
    std::vector<std::pair<UINT, WPARAM>> seen;
    RunOnRdfPage(sandbox, "", [&](SheetDriver& sheet) {
        HWND hEdit = sheet.Control(kRdf, IDC_RDFIZER_HOST);
        ASSERT_TRUE(::SetWindowSubclass(hEdit, CountReflected, 1,
                                        reinterpret_cast<DWORD_PTR>(&seen)));
        sheet.Type(kRdf, IDC_RDFIZER_HOST, L"changed.example");
        NMHDR nmh{hEdit, IDC_RDFIZER_HOST, NM_CLICK};
        ::SendMessageW(sheet.PageWindow(kRdf), WM_NOTIFY, IDC_RDFIZER_HOST,
                       reinterpret_cast<LPARAM>(&nmh));
        ::RemoveWindowSubclass(hEdit, CountReflected, 1);
        sheet.PressCancel();
    });
    const auto has = [&](UINT msg, WPARAM wParam) {
        for (const auto& entry : seen)
            if (entry.first == msg && entry.second == wParam) return true;
        return false;
    };
    EXPECT_TRUE(has(0x2000 + WM_COMMAND, MAKEWPARAM(IDC_RDFIZER_HOST, EN_CHANGE)));
    EXPECT_TRUE(has(0x2000 + WM_NOTIFY, IDC_RDFIZER_HOST));
}
