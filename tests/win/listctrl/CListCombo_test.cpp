#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "listctrl/CListCombo.h"

using namespace editortest;

namespace {

class ListCombo : public EditorTest {
protected:
    bool Open(unsigned flags, const std::wstring& text) {
        return combo.ShowEditor(host.m_hWnd, 2, 1, CELL, flags, text, false, choices);
    }
    LRESULT Selected() const { return SendMessageW(combo.m_hWnd, CB_GETCURSEL, 0, 0); }
    HWND EditField() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo.m_hWnd, &info);
        return info.hwndItem;
    }

    const std::vector<std::wstring> choices{L"text/turtle", L"application/rdf+xml", L"text/n3"};
    CListCombo combo;
};

}  // namespace

TEST_F(ListCombo, DropDownListShowsTheChoicesSortedWithTheCellTextChosen) {
    ASSERT_TRUE(Open(0, L"text/n3"));
    const RECT place = PlaceOf(combo.m_hWnd);
    EXPECT_EQ(place.left, CELL.left + 3);
    EXPECT_EQ(place.top, CELL.top);
    EXPECT_EQ(place.right, CELL.right);
    EXPECT_TRUE(Shown(combo.m_hWnd));
    EXPECT_EQ(GetFocus(), combo.m_hWnd);
    EXPECT_EQ(SendMessageW(combo.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS,
              DLGC_WANTALLKEYS);
    ASSERT_EQ(SendMessageW(combo.m_hWnd, CB_GETCOUNT, 0, 0), 3);
    wchar_t first[32] = L"";
    SendMessageW(combo.m_hWnd, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"application/rdf+xml");
    EXPECT_EQ(Selected(), 1);

    Press(VK_DOWN, 0);  // the user picks the next choice
    Press(VK_RETURN, L'\r');
    const EndEdit& end = TheEnd(combo.m_hWnd);
    EXPECT_EQ(end.ExitKey, VK_RETURN);
    EXPECT_EQ(end.Text, L"text/turtle");
    EXPECT_EQ(end.Item, 2);
    EXPECT_EQ(end.SubItem, 1);
    EXPECT_FALSE(end.HasDate);
    EXPECT_EQ(GetFocus(), host.m_hWnd);
}

TEST_F(ListCombo, DropDownListWithATextNotAmongTheChoicesEndsWithEmptyText) {
    ASSERT_TRUE(Open(0, L"text/html"));
    EXPECT_EQ(Selected(), CB_ERR);
    ClickElsewhere();
    const EndEdit& end = TheEnd(combo.m_hWnd);
    EXPECT_EQ(end.ExitKey, 0);
    EXPECT_EQ(end.Text, L"");
}

TEST_F(ListCombo, EditableFieldTakesTypingAndEndsOnItsOwnExitKeys) {
    ASSERT_TRUE(Open(CELLF_COMBO_EDITABLE, L"text/html"));
    EXPECT_EQ(PlaceOf(combo.m_hWnd).left, CELL.left + 1);
    HWND field = EditField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(SendMessageW(field, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    DWORD start = 1, end = 0;
    SendMessageW(combo.m_hWnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    Type(L"text/csv");  // replaces the selected text
    Press(VK_TAB, L'\t');
    EXPECT_EQ(TheEnd(combo.m_hWnd).ExitKey, VK_TAB);
    EXPECT_EQ(host.ends.back().Text, L"text/csv");

    host.ends.clear();
    ASSERT_TRUE(Open(CELLF_COMBO_EDITABLE, L"text/html"));
    Press(VK_ESCAPE, 27);
    EXPECT_EQ(TheEnd(combo.m_hWnd).ExitKey, VK_ESCAPE);
    EXPECT_EQ(GetFocus(), host.m_hWnd);
}

TEST_F(ListCombo, EditableNumericFieldFiltersTypingAndTogglesTheSign) {
    ASSERT_TRUE(Open(CELLF_COMBO_EDITABLE | CELLF_DECIMAL | CELLF_SIGNED, L"1.5"));
    Press(VK_END, 0);
    Type(L"x.5");
    wchar_t text[32] = L"";
    GetWindowTextW(combo.m_hWnd, text, 32);
    EXPECT_STREQ(text, L"1.55");
    Type(L"-");
    GetWindowTextW(combo.m_hWnd, text, 32);
    EXPECT_STREQ(text, L"-1.550000");
    DWORD start = 0, end = 0;
    SendMessageW(combo.m_hWnd, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 5u);
    EXPECT_EQ(end, 5u);
}

TEST_F(ListCombo, PaintsTheListBehindItAndTheChoiceHighlighted) {
    ShowWindow(host.m_hWnd, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(Open(0, L"text/n3"));
    RedrawWindow(combo.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(host.paintsIntoGivenDC, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo.m_hWnd, &info));
    HDC dc = GetDC(combo.m_hWnd);
    // Left of the selection field the host shows; inside it, at its right
    // end past the text (and clear of the button), the highlight.
    EXPECT_EQ(GetPixel(dc, 0, info.rcItem.top + 1), CEditorHost::BEHIND);
    EXPECT_EQ(GetPixel(dc, info.rcItem.right - 10, info.rcItem.top + 1),
              GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(GetPixel(dc, (info.rcButton.left + info.rcButton.right) / 2,
                       (info.rcButton.top + info.rcButton.bottom) / 2),
              CEditorHost::BEHIND);
    ReleaseDC(combo.m_hWnd, dc);
}
