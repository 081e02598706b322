#include <gtest/gtest.h>

#include "EditorTestHost.h"
#include "listctrl/CListEdit.h"
#include "listctrl/SystemMessageFont.h"

using namespace editortest;

namespace {

class ListEdit : public EditorTest {
protected:
    std::wstring Text() const {
        wchar_t text[64] = L"";
        ::GetWindowTextW(edit.m_hWnd, text, 64);
        return text;
    }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        ::SendMessageW(edit.m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    CListEdit edit;
};

}  // namespace

TEST_F(ListEdit, OpensOverTheCellWithItsTextSelectedInTheMessageFont) {
    ASSERT_TRUE(edit.ShowEditor(host.m_hWnd, 4, 2, CELL, CELLF_UPPERCASE, L"ACCEPT"));
    const RECT place = PlaceOf(edit.m_hWnd);
    EXPECT_EQ(place.left, CELL.left + 2);
    EXPECT_EQ(place.top, CELL.top + 3);
    EXPECT_EQ(place.right, CELL.right - 3);
    EXPECT_EQ(place.bottom, CELL.bottom - 2);
    EXPECT_TRUE(Shown(edit.m_hWnd));
    EXPECT_EQ(GetFocus(), edit.m_hWnd);
    EXPECT_EQ(Text(), L"ACCEPT");
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(6)));
    const LONG_PTR style = GetWindowLongPtrW(edit.m_hWnd, GWL_STYLE);
    EXPECT_TRUE(style & ES_UPPERCASE);
    EXPECT_FALSE(style & (ES_RIGHT | WS_BORDER));
    EXPECT_EQ(SendMessageW(edit.m_hWnd, EM_GETMARGINS, 0, 0), MAKELONG(5, 5));
    EXPECT_EQ(SendMessageW(edit.m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);

    ASSERT_NE(edit.GetFont(), nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit.m_hWnd, WM_GETFONT, 0, 0)), edit.GetFont());
    LOGFONTW used{}, message{};
    GetObjectW(edit.GetFont(), sizeof(used), &used);
    ASSERT_TRUE(GetSystemMessageFont(message));
    EXPECT_STREQ(used.lfFaceName, message.lfFaceName);
    EXPECT_EQ(used.lfHeight, message.lfHeight);
    EXPECT_TRUE(host.ends.empty());
}

TEST_F(ListEdit, ExitKeysAndAClickElsewhereEndTheEditWithTheirCode) {
    struct Case {
        const wchar_t* typed;
        WORD key;  // 0: a click elsewhere
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"", VK_ESCAPE, L"text/turtle"},  // the list ignores an Escape's text
        {L"", VK_RETURN, L"text/turtle"},  // unchanged
        {L"q=1", VK_TAB, L"q=1"},          // typing replaced the selected text
        {L"ab", 0, L"ab"},
    };
    HWND previous = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        host.ends.clear();
        ASSERT_TRUE(edit.ShowEditor(host.m_hWnd, 3, 1, CELL, 0, L"text/turtle"));
        EXPECT_FALSE(previous != nullptr && IsWindow(previous));  // a new window for each edit
        previous = edit.m_hWnd;
        Type(c.typed);
        if (c.key != 0)
            Press(c.key, static_cast<wchar_t>(c.key));
        else
            ClickElsewhere();
        const EndEdit& end = TheEnd(edit.m_hWnd);
        EXPECT_EQ(end.ExitKey, c.key);
        EXPECT_EQ(end.Text, c.text);
        EXPECT_EQ(end.Item, 3);
        EXPECT_EQ(end.SubItem, 1);
        EXPECT_FALSE(end.HasDate);
        EXPECT_EQ(GetFocus(), c.key != 0 ? host.m_hWnd : elsewhere);
        EXPECT_TRUE(IsWindow(edit.m_hWnd));  // hidden, kept until the next edit
    }
}

TEST_F(ListEdit, NumericCellTakesOnlyWhatItMayHoldAndTogglesTheSign) {
    ASSERT_TRUE(edit.ShowEditor(host.m_hWnd, 0, 0, CELL, CELLF_INTEGER | CELLF_SIGNED, L"12"));
    EXPECT_TRUE(GetWindowLongPtrW(edit.m_hWnd, GWL_STYLE) & ES_RIGHT);
    Press(VK_END, 0);
    Type(L"a.3");
    EXPECT_EQ(Text(), L"123");
    Type(L"-");
    EXPECT_EQ(Text(), L"-123");
    EXPECT_EQ(Selection(), std::make_pair(DWORD(4), DWORD(4)));
    Type(L"-");
    EXPECT_EQ(Text(), L"123");
    EXPECT_EQ(Selection(), std::make_pair(DWORD(3), DWORD(3)));
    Press(VK_RETURN, L'\r');
    EXPECT_EQ(TheEnd(edit.m_hWnd).Text, L"123");
}

TEST_F(ListEdit, WindowGoesWithItsEditorUnreported) {
    HWND window = nullptr;
    {
        CListEdit scoped;
        ASSERT_TRUE(scoped.ShowEditor(host.m_hWnd, 0, 0, CELL, 0, L"x"));
        window = scoped.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host.ends.empty());
}
