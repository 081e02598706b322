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
using Rows = std::vector<std::wstring>;

// The header keys of a set, in set order.
Pairs HeaderKeysOf(const PreferenceSet& set) {
    Pairs pairs;
    for (int i = 0; i < set.Count(); ++i)
        if (set.KeyAt(i).rfind(L"h_", 0) == 0) pairs.emplace_back(set.KeyAt(i), set.ValueAt(i));
    return pairs;
}

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The RDF Data Access page of a running sheet, with its headers list
// reached as the user reaches it: clicks on cells, header cells and
// buttons, and typing.
struct HeadersPage {
    SheetDriver& sheet;
    COptionsDlg& dlg;
    CListUserData& list;

    void ClickCell(int row, int cell) {
        RECT rect{};
        ASSERT_TRUE(list.GetCellRect(row, cell, rect)) << "row " << row << " cell " << cell;
        sheet.ClickAt(list.m_hWnd, CentreOf(rect));
    }
    void ClickHeader(int position) {
        RECT rect{};
        ASSERT_TRUE(list.GetColumnHeaderRect(position, rect));
        sheet.ClickAt(list.m_hWnd, CentreOf(rect));
    }
    void ClickButton(int id) {
        HWND button = sheet.Control(kRdf, id);
        RECT rect{};
        ::GetClientRect(button, &rect);
        sheet.ClickAt(button, CentreOf(rect));
    }
    // Clicks the cell, types over its text and ends the edit with the key,
    // which the sheet must not take for itself: the page is not left (its
    // rows are still out of the set).
    void Edit(int row, int cell, const std::wstring& text, WORD exitKey = VK_RETURN) {
        ClickCell(row, cell);
        sheet.TypeText(text);
        sheet.PressKey(exitKey);
        EXPECT_TRUE(HeaderKeysOf(dlg.Preferences()).empty());
    }
    // What the list tells the page of a selected row; here only bad input.
    void ReportSelected(int row) {
        NMGRIDCELL cell{};
        cell.hdr.hwndFrom = list.m_hWnd;
        cell.hdr.idFrom = IDC_HEADERS_LIST;
        cell.hdr.code = static_cast<UINT>(GLN_SELECTED);
        cell.Item = row;
        ::SendMessageW(sheet.PageWindow(kRdf), WM_NOTIFY, IDC_HEADERS_LIST,
                       reinterpret_cast<LPARAM>(&cell));
    }
    // Away to the About page and back, by the tabs.
    void Leave() {
        sheet.ClickTab(SheetDriver::About);
        sheet.ClickTab(kRdf);
        ASSERT_EQ(sheet.CurrentPage(), kRdf);
    }
    // The rows as "Name|Value".
    Rows RowsShown() const {
        Rows rows;
        for (int row = 0; row < list.GetItemCount(); ++row)
            rows.push_back(list.GetItemText(row, 0) + L"|" + list.GetItemText(row, 1));
        return rows;
    }
};

const char kThreePairs[] =
    "  h_name0: \"A\",\n  h_val0: \"a\",\n  h_name1: \"B\",\n  h_val1: \"b\",\n"
    "  h_name2: \"C\",\n  h_val2: \"c\"";

}  // namespace

TEST(RdfDataAccessPage, HeaderRowsEditedByClicksAndTypingGoBackToNumberedPairs) {
    struct Case {
        const char* what;
        std::string file;                         // pairs of the local preferences file
        std::function<void(HeadersPage&)> script;  // ending with OK or Cancel
        Pairs saved;                              // header keys of the file afterwards
    };
    const Case cases[] = {
        {"loaded pairs are rows, out of the set while the page is open",
         "  h_name0: \"Accept\",\n  h_val0: \"text/turtle\",\n"
         "  h_name1: \"X-Two\",\n  h_val1: \"two\"",
         [](HeadersPage& page) {
             EXPECT_EQ(page.RowsShown(), (Rows{L"Accept|text/turtle", L"X-Two|two"}));
             EXPECT_TRUE(HeaderKeysOf(page.dlg.Preferences()).empty());
             page.sheet.PressOk();
         },
         {{L"h_name0", L"Accept"}, {L"h_val0", L"text/turtle"}, {L"h_name1", L"X-Two"},
          {L"h_val1", L"two"}}},
        {"no pairs: one placeholder row, nothing stored", "",
         [](HeadersPage& page) {
             EXPECT_EQ(page.RowsShown(), Rows{L".|"});
             page.sheet.PressOk();
         },
         {}},
        {"a name without its value: placeholder, both gone", "  h_name0: \"Lonely\"",
         [](HeadersPage& page) {
             EXPECT_EQ(page.RowsShown(), Rows{L".|"});
             page.sheet.PressOk();
         },
         {}},
        {"cells typed over in place; +Add appends placeholders, which are not stored",
         "  h_name0: \"A\",\n  h_val0: \"a\"",
         [](HeadersPage& page) {
             page.ClickButton(IDC_HEADER_ADD);
             page.ClickButton(IDC_HEADER_ADD);
             EXPECT_EQ(page.RowsShown(), (Rows{L"A|a", L".|", L".|"}));
             page.Edit(1, 1, L"filled in, never named");
             page.Edit(2, 0, L"B", VK_TAB);  // on to the Value cell, whose editor opens
             page.sheet.TypeText(L"b");
             page.sheet.PressKey(VK_RETURN);
             EXPECT_EQ(page.RowsShown(), (Rows{L"A|a", L".|filled in, never named", L"B|b"}));
             page.sheet.PressOk();
         },
         {{L"h_name0", L"A"}, {L"h_val0", L"a"}, {L"h_name1", L"B"}, {L"h_val1", L"b"}}},
        {"-Remove takes the clicked row; coming back to the page forgets it until a click",
         kThreePairs,
         [](HeadersPage& page) {
             page.ClickButton(IDC_HEADER_REMOVE);
             page.ReportSelected(7);  // a row the list does not have
             page.ClickButton(IDC_HEADER_REMOVE);
             EXPECT_EQ(page.list.GetItemCount(), 3);
             page.ClickCell(1, 0);
             page.ClickButton(IDC_HEADER_REMOVE);
             page.ClickButton(IDC_HEADER_REMOVE);
             EXPECT_EQ(page.RowsShown(), (Rows{L"A|a", L"C|c"}));
             page.ClickCell(0, 1);
             page.Leave();
             page.ClickButton(IDC_HEADER_REMOVE);
             EXPECT_EQ(page.list.GetItemCount(), 2);
             page.ClickCell(0, 1);
             page.ClickButton(IDC_HEADER_REMOVE);
             EXPECT_EQ(page.RowsShown(), Rows{L"C|c"});
             page.sheet.PressOk();
         },
         {{L"h_name0", L"C"}, {L"h_val0", L"c"}}},
        {"removing the only row leaves the list empty", "",
         [](HeadersPage& page) {
             page.ClickCell(0, 0);
             page.ClickButton(IDC_HEADER_REMOVE);
             EXPECT_EQ(page.list.GetItemCount(), 0);
             page.sheet.PressOk();
         },
         {}},
        {"leaving the page stores an edit still open; Cancel keeps the file",
         "  h_name0: \"A\",\n  h_val0: \"a\"",
         [](HeadersPage& page) {
             page.Edit(0, 0, L"Changed", VK_TAB);
             page.sheet.TypeText(L"c");
             page.sheet.ClickTab(SheetDriver::About);
             EXPECT_EQ(HeaderKeysOf(page.dlg.Preferences()),
                       (Pairs{{L"h_name0", L"Changed"}, {L"h_val0", L"c"}}));
             page.sheet.PressCancel();
         },
         {{L"h_name0", L"A"}, {L"h_val0", L"a"}}},
        {"quotes, backslashes and non-Latin text typed survive the file", "",
         [](HeadersPage& page) {
             page.Edit(0, 0, L"X-\"Quoted\"\\Name", VK_TAB);
             page.sheet.TypeText(L"\u0416\u0438\u0432\u043e \u65e5\u672c \\\" \U0001F600");
             page.sheet.PressKey(VK_RETURN);
             page.sheet.PressOk();
         },
         {{L"h_name0", L"X-\"Quoted\"\\Name"},
          {L"h_val0", L"\u0416\u0438\u0432\u043e \u65e5\u672c \\\" \U0001F600"}}},
        {"a click on \"Header\" sorts the rows into the file and leaves none to -Remove",
         "  h_name0: \"b\",\n  h_val0: \"1\",\n  h_name1: \"B\",\n  h_val1: \"2\",\n"
         "  h_name2: \"a\",\n  h_val2: \"3\",\n  h_name3: \"\",\n  h_val3: \"4\"",
         [](HeadersPage& page) {
             page.ClickCell(0, 1);
             page.ClickHeader(0);
             EXPECT_EQ(page.RowsShown(), (Rows{L"|4", L"B|2", L"a|3", L"b|1"}));
             page.ClickButton(IDC_HEADER_REMOVE);
             EXPECT_EQ(page.list.GetItemCount(), 4);
             page.sheet.PressOk();
         },
         {{L"h_name0", L""}, {L"h_val0", L"4"}, {L"h_name1", L"B"}, {L"h_val1", L"2"},
          {L"h_name2", L"a"}, {L"h_val2", L"3"}, {L"h_name3", L"b"}, {L"h_val3", L"1"}}},
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
            sheet.ClickTab(kRdf);
            ASSERT_EQ(sheet.CurrentPage(), kRdf);
            HeadersPage page{sheet, dlg, dlg.RdfDataAccessPage().HeadersList()};
            c.script(page);
        });
        if (result != 1) {
            EXPECT_EQ(PrefsSandbox::ReadBytes(sandbox.LocalPath()), before);
        }
        EXPECT_EQ(HeaderKeysOf(sandbox.LoadLocal()), c.saved);
    }
}
