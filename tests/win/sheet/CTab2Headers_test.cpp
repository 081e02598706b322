#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sheet/COptionsDlg.h"
#include "support/PrefsSandbox.h"
#include "support/SheetDriver.h"

namespace {

constexpr int kRdf = SheetDriver::RdfDataAccess;
using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

// The header keys of a set, in set order.
Pairs HeaderKeysOf(const PreferenceSet& set) {
    Pairs pairs;
    for (int i = 0; i < set.Count(); ++i)
        if (set.KeyAt(i).rfind(L"h_", 0) == 0) pairs.emplace_back(set.KeyAt(i), set.ValueAt(i));
    return pairs;
}

// The rows of the headers list as "Name|Value".
std::vector<std::wstring> RowsOf(const CListUserData& list) {
    std::vector<std::wstring> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back(list.GetItemText(row, 0) + L"|" + list.GetItemText(row, 1));
    return rows;
}

void SetRow(CListUserData& list, int row, const std::wstring& name, const std::wstring& value) {
    EXPECT_TRUE(list.SetItemText(row, 0, name));
    EXPECT_TRUE(list.SetItemText(row, 1, value));
}

// What the list tells the page when a row is clicked.
void ReportSelected(SheetDriver& sheet, int row) {
    NMGRIDCELL cell{};
    cell.hdr.hwndFrom = sheet.Control(kRdf, IDC_HEADERS_LIST);
    cell.hdr.idFrom = IDC_HEADERS_LIST;
    cell.hdr.code = static_cast<UINT>(GLN_SELECTED);
    cell.Item = row;
    ::SendMessageW(sheet.PageWindow(kRdf), WM_NOTIFY, IDC_HEADERS_LIST,
                   reinterpret_cast<LPARAM>(&cell));
}

void Leave(SheetDriver& sheet) {
    sheet.SelectPage(SheetDriver::About);
    sheet.SelectPage(kRdf);
}

using Script = std::function<void(SheetDriver&, COptionsDlg&, CListUserData&)>;

const char kTwoPairs[] =
    "  h_name0: \"Accept\",\n  h_val0: \"text/turtle\",\n"
    "  h_name1: \"X-Two\",\n  h_val1: \"two\"";

}  // namespace

TEST(RdfDataAccessPage, HeaderRowsComeFromAndGoBackToNumberedPairs) {
    struct Case {
        const char* what;
        std::string file;  // pairs of the local preferences file
        Script script;     // on the page, ending with OK or Cancel
        Pairs saved;       // header keys of the file afterwards
    };
    const Case cases[] = {
        {"loaded pairs are rows, out of the set while the page is open", kTwoPairs,
         [](SheetDriver& sheet, COptionsDlg& dlg, CListUserData& list) {
             EXPECT_EQ(RowsOf(list),
                       (std::vector<std::wstring>{L"Accept|text/turtle", L"X-Two|two"}));
             EXPECT_TRUE(HeaderKeysOf(dlg.Preferences()).empty());
             sheet.PressOk();
         },
         {{L"h_name0", L"Accept"}, {L"h_val0", L"text/turtle"}, {L"h_name1", L"X-Two"},
          {L"h_val1", L"two"}}},
        {"no pairs: one placeholder row, nothing stored", "",
         [](SheetDriver& sheet, COptionsDlg&, CListUserData& list) {
             EXPECT_EQ(RowsOf(list), std::vector<std::wstring>{L".|"});
             sheet.PressOk();
         },
         {}},
        {"a name without its value: placeholder, both gone", "  h_name0: \"Lonely\"",
         [](SheetDriver& sheet, COptionsDlg&, CListUserData& list) {
             EXPECT_EQ(RowsOf(list), std::vector<std::wstring>{L".|"});
             sheet.PressOk();
         },
         {}},
        {"+Add appends placeholders; rows still named \".\" are not stored, the rest renumbered",
         "  h_name0: \"A\",\n  h_val0: \"a\"",
         [](SheetDriver& sheet, COptionsDlg&, CListUserData& list) {
             sheet.Click(kRdf, IDC_HEADER_ADD);
             sheet.Click(kRdf, IDC_HEADER_ADD);
             EXPECT_EQ(RowsOf(list), (std::vector<std::wstring>{L"A|a", L".|", L".|"}));
             SetRow(list, 1, L".", L"filled in, never named");
             SetRow(list, 2, L"B", L"b");
             sheet.PressOk();
         },
         {{L"h_name0", L"A"}, {L"h_val0", L"a"}, {L"h_name1", L"B"}, {L"h_val1", L"b"}}},
        {"-Remove takes the reported row only; activation and removal forget it",
         "  h_name0: \"A\",\n  h_val0: \"a\",\n  h_name1: \"B\",\n  h_val1: \"b\",\n"
         "  h_name2: \"C\",\n  h_val2: \"c\"",
         [](SheetDriver& sheet, COptionsDlg&, CListUserData& list) {
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             ReportSelected(sheet, 7);
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             EXPECT_EQ(list.GetItemCount(), 3);
             EXPECT_TRUE(list.SelectRow(1, 0, 0));
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             EXPECT_EQ(RowsOf(list), (std::vector<std::wstring>{L"A|a", L"C|c"}));
             ReportSelected(sheet, 0);
             Leave(sheet);
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             EXPECT_EQ(list.GetItemCount(), 2);
             ReportSelected(sheet, 0);
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             sheet.PressOk();
         },
         {{L"h_name0", L"C"}, {L"h_val0", L"c"}}},
        {"removing the only row leaves the list empty", "",
         [](SheetDriver& sheet, COptionsDlg&, CListUserData& list) {
             ReportSelected(sheet, 0);
             sheet.Click(kRdf, IDC_HEADER_REMOVE);
             EXPECT_EQ(list.GetItemCount(), 0);
             sheet.PressOk();
         },
         {}},
        {"Cancel keeps the file, pairs stored on leaving the page included",
         "  h_name0: \"A\",\n  h_val0: \"a\"",
         [](SheetDriver& sheet, COptionsDlg& dlg, CListUserData& list) {
             SetRow(list, 0, L"Changed", L"c");
             sheet.Click(kRdf, IDC_HEADER_ADD);
             SetRow(list, 1, L"New", L"n");
             Leave(sheet);
             EXPECT_EQ(HeaderKeysOf(dlg.Preferences()),
                       (Pairs{{L"h_name0", L"Changed"}, {L"h_val0", L"c"}, {L"h_name1", L"New"},
                              {L"h_val1", L"n"}}));
             sheet.PressCancel();
         },
         {{L"h_name0", L"A"}, {L"h_val0", L"a"}}},
        {"quotes, backslashes and non-Latin text survive the file", "",
         [](SheetDriver& sheet, COptionsDlg&, CListUserData& list) {
             SetRow(list, 0, L"X-\"Quoted\"\\Name", L"\u0416\u0438\u0432\u043e \u65e5\u672c "
                                                    L"\\\" \U0001F600");
             sheet.PressOk();
         },
         {{L"h_name0", L"X-\"Quoted\"\\Name"},
          {L"h_val0", L"\u0416\u0438\u0432\u043e \u65e5\u672c \\\" \U0001F600"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrefsSandbox sandbox;
        if (!c.file.empty()) {
            ASSERT_TRUE(sandbox.WriteLocal("vtl_prefs = {\n" + c.file + "};\n"));
        }
        const std::optional<std::string> before = PrefsSandbox::ReadBytes(sandbox.LocalPath());
        COptionsDlg dlg(L"VTL Options", 0, nullptr);
        const INT_PTR result = SheetDriver::RunAndSaveOnOk(dlg, [&](SheetDriver& sheet) {
            sheet.SelectPage(kRdf);
            c.script(sheet, dlg, dlg.RdfDataAccessPage().HeadersList());
        });
        if (result != 1) {
            EXPECT_EQ(PrefsSandbox::ReadBytes(sandbox.LocalPath()), before);
        }
        EXPECT_EQ(HeaderKeysOf(sandbox.LoadLocal()), c.saved);
    }
}
