#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "prefs/DefaultPreferences.h"
#include "sheet/COptionsDlg.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

namespace {

constexpr int kViewers = SheetDriver::Viewers;
constexpr int kRdf = SheetDriver::RdfDataAccess;

std::wstring Saved(const PreferenceSet& set, const wchar_t* key) {
    const int position = set.FindKey(key);
    return std::wstring(position >= 0 ? set.ValueAt(position) : L"<absent>");
}

}  // namespace

TEST(ViewersPage, ShowsTheSixViewersAndTheDefaults) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(sandbox, "", [](SheetDriver& sheet) {
        ASSERT_EQ(sheet.ItemCount(kViewers, IDC_VIEWER_TYPE), 6);
        const wchar_t* texts[] = {L"Vantrel (default)", L"Zitgist Data Viewer", L"Marbles",
                                  L"DISCO", L"Tabulator", L"Custom (URL)"};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(sheet.ItemText(kViewers, IDC_VIEWER_TYPE, i), texts[i]);
        EXPECT_EQ(sheet.Selection(kViewers, IDC_VIEWER_TYPE), 0);
        EXPECT_FALSE(sheet.Checked(kViewers, IDC_BEHAVIOR_ADD));
        EXPECT_FALSE(sheet.Checked(kViewers, IDC_BEHAVIOR_REPLACE));
        EXPECT_TRUE(sheet.Checked(kViewers, IDC_BEHAVIOR_NEW));
        EXPECT_TRUE(sheet.Checked(kViewers, IDC_MODE_WIN));
        EXPECT_FALSE(sheet.Checked(kViewers, IDC_MODE_TAB));
        EXPECT_EQ(sheet.Text(kViewers, IDC_VIEWER_URL), DefaultViewerEndpoint);
        EXPECT_TRUE(sheet.Enabled(kViewers, IDC_BEHAVIOR_ADD));
        EXPECT_TRUE(sheet.Enabled(kViewers, IDC_BEHAVIOR_NEW));
        EXPECT_FALSE(sheet.Enabled(kViewers, IDC_VIEWER_URL));
        EXPECT_TRUE(sheet.Enabled(kViewers, IDC_MODE_TAB));
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(saved, L"viewertype"), L"builtin");
    EXPECT_EQ(Saved(saved, L"viewerendpoint"), DefaultViewerEndpoint);
    EXPECT_EQ(Saved(saved, L"openingbehavior"), L"new");
    EXPECT_EQ(Saved(saved, L"openingmode"), L"win");
}

TEST(ViewersPage, UnknownStoredValuesSelectNothingAndAreWrittenBackUnchanged) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(sandbox,
        "  viewertype: \"Builtin\",\n  openingbehavior: \"sometimes\",\n  openingmode: \"pane\"",
        [](SheetDriver& sheet) {
            EXPECT_EQ(sheet.Selection(kViewers, IDC_VIEWER_TYPE), CB_ERR);
            for (int id : {IDC_BEHAVIOR_ADD, IDC_BEHAVIOR_REPLACE, IDC_BEHAVIOR_NEW}) {
                EXPECT_FALSE(sheet.Enabled(kViewers, id)) << id;
                EXPECT_FALSE(sheet.Checked(kViewers, id)) << id;
            }
            EXPECT_FALSE(sheet.Enabled(kViewers, IDC_VIEWER_URL));
            EXPECT_FALSE(sheet.Checked(kViewers, IDC_MODE_WIN));
            EXPECT_FALSE(sheet.Checked(kViewers, IDC_MODE_TAB));
            // The SPARQL section needs the built-in viewer, spelt exactly.
            sheet.SelectPage(kRdf);
            EXPECT_FALSE(sheet.Enabled(kRdf, IDC_SPARQL_TYPE));
            sheet.SelectPage(kViewers);
            sheet.PressOk();
        });
    EXPECT_EQ(Saved(saved, L"viewertype"), L"Builtin");
    EXPECT_EQ(Saved(saved, L"openingbehavior"), L"sometimes");
    EXPECT_EQ(Saved(saved, L"openingmode"), L"pane");
}

TEST(ViewersPage, RadiosClickedAreStored) {
    PrefsSandbox sandbox;
    const auto script = [](SheetDriver& sheet) {
        sheet.Click(kViewers, IDC_BEHAVIOR_REPLACE);
        sheet.Click(kViewers, IDC_MODE_TAB);
        EXPECT_FALSE(sheet.Checked(kViewers, IDC_MODE_WIN));
        sheet.PressOk();
    };
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(sandbox, "  openingbehavior: \"odd\"", script);
    EXPECT_EQ(Saved(saved, L"openingbehavior"), L"replace");
    EXPECT_EQ(Saved(saved, L"openingmode"), L"tab");
}

TEST(ViewersPage, OutsideViewersDisableTheRestButTheAddressIsStillStored) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(sandbox, "", [](SheetDriver& sheet) {
        sheet.Type(kViewers, IDC_VIEWER_URL, L"http://typed.example/");
        for (int position : {1, 2, 3, 4}) {
            sheet.Choose(kViewers, IDC_VIEWER_TYPE, position);
            EXPECT_FALSE(sheet.Enabled(kViewers, IDC_BEHAVIOR_ADD)) << position;
            EXPECT_FALSE(sheet.Enabled(kViewers, IDC_BEHAVIOR_REPLACE)) << position;
            EXPECT_FALSE(sheet.Enabled(kViewers, IDC_BEHAVIOR_NEW)) << position;
            EXPECT_FALSE(sheet.Enabled(kViewers, IDC_VIEWER_URL)) << position;
            EXPECT_TRUE(sheet.Enabled(kViewers, IDC_MODE_WIN)) << position;
        }
        EXPECT_EQ(sheet.Text(kViewers, IDC_VIEWER_URL), L"http://typed.example/");
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(saved, L"viewertype"), L"tabulator");
    EXPECT_EQ(Saved(saved, L"viewerendpoint"), L"http://typed.example/");
}

TEST(ViewersPage, CustomViewerOpensTheAddressAsItStandsAndAnEmptyOneIsStoredEmpty) {
    PrefsSandbox sandbox;
    const PreferenceSet saved = SheetDriver::RunOnLocalFile(sandbox, "", [](SheetDriver& sheet) {
        sheet.Choose(kViewers, IDC_VIEWER_TYPE, 5);
        EXPECT_TRUE(sheet.Enabled(kViewers, IDC_VIEWER_URL));
        EXPECT_FALSE(sheet.Enabled(kViewers, IDC_BEHAVIOR_NEW));
        EXPECT_EQ(sheet.Text(kViewers, IDC_VIEWER_URL), DefaultViewerEndpoint);
        sheet.Type(kViewers, IDC_VIEWER_URL, L"");
        sheet.PressOk();
    });
    EXPECT_EQ(Saved(saved, L"viewertype"), L"custom");
    EXPECT_EQ(Saved(saved, L"viewerendpoint"), L"");
}

TEST(ViewersPage, AnAddressLongerThan4095CharactersIsStoredCut) {
    PrefsSandbox sandbox;
    const std::wstring longUrl = L"http://long.example/" + std::wstring(5000, L'x');
    PreferenceSet held;
    {
        COptionsDlg dlg(L"VTL Options", 0, nullptr);
        SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
            sheet.Choose(kViewers, IDC_VIEWER_TYPE, 5);
            sheet.Type(kViewers, IDC_VIEWER_URL, longUrl);
            ASSERT_EQ(sheet.Text(kViewers, IDC_VIEWER_URL), longUrl);
            sheet.PressOk();
        });
        const PreferenceSet& set = dlg.Preferences();
        EXPECT_EQ(Saved(set, L"viewerendpoint"), longUrl.substr(0, 4095));
    }
}

TEST(ViewersPage, LeavingTwiceStoresTheSameKeysAgainAndNothingElse) {
    PrefsSandbox sandbox;
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    SheetDriver::Run(dlg, [&](SheetDriver& sheet) {
        sheet.Choose(kViewers, IDC_VIEWER_TYPE, 2);
        sheet.SelectPage(SheetDriver::About);
        const int count = dlg.Preferences().Count();
        EXPECT_EQ(Saved(dlg.Preferences(), L"viewertype"), L"marbles");
        sheet.SelectPage(kViewers);
        sheet.Choose(kViewers, IDC_VIEWER_TYPE, 3);
        sheet.SelectPage(SheetDriver::About);
        EXPECT_EQ(dlg.Preferences().Count(), count);
        EXPECT_EQ(Saved(dlg.Preferences(), L"viewertype"), L"disco");
        EXPECT_EQ(dlg.Preferences().KeyAt(0), L"viewertype");
        sheet.PressCancel();
    });
}

TEST(ViewersPage, OnlyTheBuiltinViewerOpensTheSparqlSectionWhenThatPageIsShownAgain) {
    PrefsSandbox sandbox;
    COptionsDlg dlg(L"VTL Options", 0, nullptr);
    SheetDriver::Run(dlg, [](SheetDriver& sheet) {
        sheet.SelectPage(kRdf);
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_SPARQL_TYPE));
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_SPARQL_HOST));
        sheet.ClickTab(kViewers);
        ASSERT_EQ(sheet.CurrentPage(), kViewers);
        sheet.Choose(kViewers, IDC_VIEWER_TYPE, 2);
        // The RDF page learns the viewer now but shows it when next shown.
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_SPARQL_TYPE));
        sheet.ClickTab(kRdf);
        ASSERT_EQ(sheet.CurrentPage(), kRdf);
        for (int id : {IDC_SPARQL_TYPE, IDC_SPARQL_HOST, IDC_SPARQL_PORT, IDC_SPARQL_URL,
                       IDC_SPARQL_DEFAULT})
            EXPECT_FALSE(sheet.Enabled(kRdf, id)) << id;
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_RDFIZER_TYPE));
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_HEADER_ADD));
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_HEADER_REMOVE));
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_HEADERS_LIST));
        sheet.SelectPage(kViewers);
        sheet.Choose(kViewers, IDC_VIEWER_TYPE, 0);
        sheet.SelectPage(kRdf);
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_SPARQL_TYPE));
        EXPECT_TRUE(sheet.Enabled(kRdf, IDC_SPARQL_DEFAULT));
        sheet.PressCancel();
    });
}
