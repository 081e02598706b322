// The three cell editors over a window that plays the list: it reflects its
// children's notifications back to them, as the list does, and keeps every
// GLN_ENDEDIT. Keys and clicks are posted to the windows as a user's are.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "listctrl/editors/CListCombo.h"
#include "listctrl/editors/CListDate.h"
#include "listctrl/editors/CListEdit.h"
#include "framework/SystemMessageFont.h"
#include "support/ComApartment.h"
#include "support/ScreenReader.h"

namespace {

struct EndEdit {
    HWND From;
    UINT_PTR Id;
    int Item, SubItem;
    WORD ExitKey;
    std::wstring Text;
    bool HasDate;
    SYSTEMTIME Date;
};

class CEditorHost : public CWindowImpl<CEditorHost> {
public:
    DECLARE_WND_CLASS_EX(L"VTL_EditorTestHost", 0, COLOR_WINDOW)
    static constexpr COLORREF BEHIND = RGB(10, 200, 30);

    std::vector<EndEdit> ends;
    int paintsIntoGivenDC = 0;

    BEGIN_MSG_MAP(CEditorHost)
        NOTIFY_CODE_HANDLER(GLN_ENDEDIT, OnEndEdit)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    LRESULT OnEndEdit(int, LPNMHDR header, BOOL&) {
        const auto* cell = reinterpret_cast<const NMGRIDCELL*>(header);
        ends.push_back({cell->hdr.hwndFrom, cell->hdr.idFrom, cell->Item, cell->SubItem,
                        cell->ExitKey, cell->Text, cell->Date != nullptr,
                        cell->Date ? *cell->Date : SYSTEMTIME{}});
        return 0;
    }

    // As the list does, it paints itself into a DC a child hands it: white,
    // and BEHIND from a little above and left of the cells on.
    LRESULT OnPaint(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        bHandled = wParam != 0;
        if (!bHandled) return 0;
        ++paintsIntoGivenDC;
        HDC hdc = reinterpret_cast<HDC>(wParam);
        const RECT all{-9999, -9999, 9999, 9999}, cells{30, 50, 9999, 9999};
        ::FillRect(hdc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        HBRUSH brush = ::CreateSolidBrush(BEHIND);
        ::FillRect(hdc, &cells, brush);
        ::DeleteObject(brush);
        return 0;
    }
};

// The host stays hidden unless a test reads pixels: under Wine a shown
// top-level window takes seconds to go away. A click elsewhere lands on a
// button beside the cell.
class EditorTest : public ::testing::Test {
protected:
    static constexpr RECT CELL{40, 60, 240, 82};

    void SetUp() override {
        ASSERT_NE(host.Create(nullptr, RECT{0, 0, 400, 300}, L"", WS_POPUP | WS_CLIPCHILDREN),
                  nullptr);
        elsewhere = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 300, 250, 90, 30,
                                    host.m_hWnd, nullptr, nullptr, nullptr);
        ASSERT_NE(elsewhere, nullptr);
        SetFocus(host.m_hWnd);
    }
    void TearDown() override { host.DestroyWindow(); }

    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    // A key with its character (0: none) to the window with the focus.
    static void Press(WORD vk, wchar_t ch) {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, vk, 1);
        if (ch != 0) PostMessageW(focus, WM_CHAR, ch, 1);
        PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
        Pump();
    }
    static void Type(const std::wstring& text) {
        for (wchar_t c : text) Press(static_cast<WORD>(VkKeyScanW(c) & 0xFF), c);
    }
    static void Click(HWND hWnd, int x, int y) {
        PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }
    void ClickElsewhere() { Click(elsewhere, 5, 5); }
    static bool Shown(HWND hWnd) { return GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE; }
    // Just opened: shown, with the focus (in its edit field), wanting every key.
    static void ExpectOpen(HWND editor) {
        EXPECT_TRUE(Shown(editor));
        HWND focus = GetFocus();
        EXPECT_TRUE(focus == editor || GetParent(focus) == editor);
        EXPECT_TRUE(SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    }
    // Left, top, right, bottom of the window, measured inwards from the cell's.
    std::vector<int> Inset(HWND hWnd) const {
        RECT r;
        GetWindowRect(hWnd, &r);
        MapWindowPoints(nullptr, host.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return {r.left - CELL.left, r.top - CELL.top, CELL.right - r.right, CELL.bottom - r.bottom};
    }

    // The one report of the edit, from the editor, which is hidden now.
    const EndEdit& TheEnd(HWND editor) {
        static const EndEdit none{};
        EXPECT_EQ(host.ends.size(), 1u);
        if (host.ends.empty()) return none;
        EXPECT_EQ(host.ends.back().From, editor);
        EXPECT_EQ(host.ends.back().Id, 0u);  // editors have no control id
        EXPECT_FALSE(Shown(editor));
        return host.ends.back();
    }

    CEditorHost host;
    HWND elsewhere = nullptr;
};

std::wstring TextOf(HWND hWnd) {
    wchar_t text[64] = L"";
    GetWindowTextW(hWnd, text, 64);
    return text;
}

// The edit selection of an edit box (EM_GETSEL) or combo box (CB_GETEDITSEL).
std::pair<DWORD, DWORD> SelectionOf(HWND hWnd, UINT message) {
    DWORD start = 0, end = 0;
    SendMessageW(hWnd, message, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

using Selection = std::pair<DWORD, DWORD>;

class ListEdit : public EditorTest {
protected:
    CListEdit edit;
};

class ListCombo : public EditorTest {
protected:
    bool Open(unsigned flags, const std::wstring& text) {
        return combo.ShowEditor(host.m_hWnd, 2, 1, CELL, flags, text, false, choices);
    }
    LRESULT Chosen() const { return SendMessageW(combo.m_hWnd, CB_GETCURSEL, 0, 0); }

    const std::vector<std::wstring> choices{L"text/turtle", L"application/rdf+xml", L"text/n3"};
    CListCombo combo;
};

const SYSTEMTIME LEAP_AFTERNOON{2024, 2, 0, 29, 13, 30, 5, 0};

class ListDate : public EditorTest {
protected:
    bool Open(unsigned flags, SYSTEMTIME value = LEAP_AFTERNOON) {
        return date.ShowEditor(host.m_hWnd, 5, 0, CELL, flags, value);
    }
    DWORD Held() const {
        SYSTEMTIME value;
        return DateTime_GetSystemtime(date.m_hWnd, &value);
    }
    // Year, month, day, hour, minute, second; milliseconds must be 0.
    static void ExpectFields(const SYSTEMTIME& t, std::vector<int> fields) {
        EXPECT_EQ(fields, (std::vector<int>{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                                            t.wSecond}));
        EXPECT_EQ(t.wMilliseconds, 0);
    }

    CListDate date;
};

}  // namespace

TEST_F(ListEdit, OpensOverTheCellWithItsTextSelectedInTheMessageFont) {
    ASSERT_TRUE(edit.ShowEditor(host.m_hWnd, 4, 2, CELL, CELLF_UPPERCASE, L"ACCEPT"));
    EXPECT_EQ(Inset(edit.m_hWnd), (std::vector<int>{2, 3, 3, 2}));
    ExpectOpen(edit.m_hWnd);
    EXPECT_EQ(SelectionOf(edit.m_hWnd, EM_GETSEL), Selection(0, 6));
    EXPECT_EQ(GetWindowLongPtrW(edit.m_hWnd, GWL_STYLE) & (ES_UPPERCASE | ES_RIGHT | WS_BORDER),
              ES_UPPERCASE);
    EXPECT_EQ(SendMessageW(edit.m_hWnd, EM_GETMARGINS, 0, 0), MAKELONG(5, 5));
    ASSERT_NE(edit.GetFont(), nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit.m_hWnd, WM_GETFONT, 0, 0)), edit.GetFont());
    LOGFONTW used{}, message{};
    GetObjectW(edit.GetFont(), sizeof(used), &used);
    ASSERT_TRUE(GetSystemMessageFont(message));
    EXPECT_STREQ(used.lfFaceName, message.lfFaceName);
    EXPECT_TRUE(host.ends.empty());
}

TEST_F(ListEdit, ExitKeysAndAClickElsewhereEndTheEditWithTheirCode) {
    const struct {
        const wchar_t* typed;
        WORD key;  // 0: a click elsewhere
        const wchar_t* text;
    } cases[] = {
        {L"", VK_ESCAPE, L"text/turtle"},  // the list ignores an Escape's text
        {L"", VK_RETURN, L"text/turtle"},
        {L"q=1", VK_TAB, L"q=1"},  // typing replaced the selected text
        {L"ab", 0, L"ab"},
    };
    HWND previous = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        host.ends.clear();
        ASSERT_TRUE(edit.ShowEditor(host.m_hWnd, 3, 1, CELL, 0, L"text/turtle"));
        EXPECT_FALSE(previous && IsWindow(previous));  // a new window for each edit
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
    }
    {
        CListEdit gone;  // an editor takes its window along, unreported
        ASSERT_TRUE(gone.ShowEditor(host.m_hWnd, 0, 0, CELL, 0, L"x"));
        previous = gone.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(previous));
    EXPECT_EQ(host.ends.size(), 1u);
}

TEST_F(ListEdit, NumericCellTakesOnlyWhatItMayHoldAndTogglesTheSign) {
    ASSERT_TRUE(edit.ShowEditor(host.m_hWnd, 0, 0, CELL, CELLF_INTEGER | CELLF_SIGNED, L"12"));
    EXPECT_TRUE(GetWindowLongPtrW(edit.m_hWnd, GWL_STYLE) & ES_RIGHT);
    Press(VK_END, 0);
    Type(L"a.3-");
    EXPECT_EQ(TextOf(edit.m_hWnd), L"-123");
    EXPECT_EQ(SelectionOf(edit.m_hWnd, EM_GETSEL), Selection(4, 4));
    Type(L"-");
    EXPECT_EQ(TextOf(edit.m_hWnd), L"123");
    EXPECT_EQ(SelectionOf(edit.m_hWnd, EM_GETSEL), Selection(3, 3));
    Press(VK_RETURN, L'\r');
    EXPECT_EQ(TheEnd(edit.m_hWnd).Text, L"123");
}

TEST_F(ListCombo, DropDownListShowsTheChoicesSortedWithTheCellTextChosen) {
    ASSERT_TRUE(Open(0, L"text/n3"));
    std::vector<int> inset = Inset(combo.m_hWnd);
    inset.pop_back();  // its height is the control's
    EXPECT_EQ(inset, (std::vector<int>{3, 0, 0}));
    ExpectOpen(combo.m_hWnd);
    EXPECT_EQ(GetFocus(), combo.m_hWnd);
    ASSERT_EQ(SendMessageW(combo.m_hWnd, CB_GETCOUNT, 0, 0), 3);
    wchar_t first[32] = L"";
    SendMessageW(combo.m_hWnd, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"application/rdf+xml");
    EXPECT_EQ(Chosen(), 1);

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
    EXPECT_EQ(Chosen(), CB_ERR);
    ClickElsewhere();
    EXPECT_EQ(TheEnd(combo.m_hWnd).ExitKey, 0);
    EXPECT_EQ(host.ends.back().Text, L"");
}

TEST_F(ListCombo, EditableFieldTakesTypingFiltersNumbersAndEndsOnItsOwnExitKeys) {
    ASSERT_TRUE(Open(CELLF_COMBO_EDITABLE, L"text/html"));
    EXPECT_EQ(Inset(combo.m_hWnd)[0], 1);
    ExpectOpen(combo.m_hWnd);
    EXPECT_EQ(GetParent(GetFocus()), combo.m_hWnd);  // the edit field
    EXPECT_EQ(SelectionOf(combo.m_hWnd, CB_GETEDITSEL), Selection(0, 9));
    Type(L"text/csv");
    Press(VK_TAB, L'\t');
    EXPECT_EQ(TheEnd(combo.m_hWnd).ExitKey, VK_TAB);
    EXPECT_EQ(host.ends.back().Text, L"text/csv");

    host.ends.clear();
    ASSERT_TRUE(Open(CELLF_COMBO_EDITABLE | CELLF_DECIMAL | CELLF_SIGNED, L"1.5"));
    Press(VK_END, 0);
    Type(L"x.5-");
    EXPECT_EQ(TextOf(combo.m_hWnd), L"-1.550000");
    EXPECT_EQ(SelectionOf(combo.m_hWnd, CB_GETEDITSEL), Selection(5, 5));
    Press(VK_ESCAPE, 27);
    EXPECT_EQ(TheEnd(combo.m_hWnd).ExitKey, VK_ESCAPE);
    EXPECT_EQ(GetFocus(), host.m_hWnd);
}

TEST_F(ListCombo, PaintsTheListBehindItAndTheChoiceHighlighted) {
    ShowWindow(host.m_hWnd, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(Open(0, L"text/n3"));
    RedrawWindow(combo.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(host.paintsIntoGivenDC, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo.m_hWnd, &info));
    const RECT& item = info.rcItem;
    const RECT& button = info.rcButton;
    HDC dc = GetDC(combo.m_hWnd);
    EXPECT_EQ(GetPixel(dc, 0, item.top + 1), CEditorHost::BEHIND);  // left of the field
    // Past the text, clear of the button.
    EXPECT_EQ(GetPixel(dc, item.right - 10, item.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(GetPixel(dc, (button.left + button.right) / 2, (button.top + button.bottom) / 2),
              CEditorHost::BEHIND);
    ReleaseDC(combo.m_hWnd, dc);
}

TEST_F(ListDate, OpensOverTheCellAndReportsTheDateItHolds) {
    ASSERT_TRUE(Open(0));
    EXPECT_EQ(Inset(date.m_hWnd), (std::vector<int>{3, 2, 3, 2}));
    EXPECT_FALSE(GetWindowLongPtrW(date.m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    ExpectOpen(date.m_hWnd);
    EXPECT_EQ(GetFocus(), date.m_hWnd);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(date.m_hWnd, DTM_GETMCFONT, 0, 0)),
              date.GetFont());
    Press(VK_RETURN, L'\r');
    const EndEdit& end = TheEnd(date.m_hWnd);
    EXPECT_EQ(end.ExitKey, VK_RETURN);
    EXPECT_EQ(end.Text, L"1");
    EXPECT_EQ(end.Item, 5);
    ASSERT_TRUE(end.HasDate);
    ExpectFields(end.Date, {2024, 2, 29, 13, 30, 5});
    EXPECT_EQ(GetFocus(), host.m_hWnd);
}

TEST_F(ListDate, DateOnlyAndTimeOnlyCellsReportTheOtherFieldsAsZero) {
    ASSERT_TRUE(Open(CELLF_DATE_ONLY));
    Press(VK_TAB, L'\t');
    EXPECT_EQ(TheEnd(date.m_hWnd).ExitKey, VK_TAB);
    ExpectFields(host.ends.back().Date, {2024, 2, 29, 0, 0, 0});

    // The picker shows today's date with the cell's time, and so does the value.
    host.ends.clear();
    SYSTEMTIME value{0, 0, 0, 0, 13, 30, 5, 0}, today;
    ASSERT_TRUE(date.ShowEditor(host.m_hWnd, 5, 0, CELL, CELLF_TIME_ONLY, value));
    GetLocalTime(&today);
    ExpectFields(value, {today.wYear, today.wMonth, today.wDay, 13, 30, 5});
    EXPECT_TRUE(GetWindowLongPtrW(date.m_hWnd, GWL_STYLE) & DTS_UPDOWN);
    ClickElsewhere();
    EXPECT_EQ(TheEnd(date.m_hWnd).Text, L"1");
    ExpectFields(host.ends.back().Date, {0, 0, 0, 13, 30, 5});
    EXPECT_EQ(host.ends.back().Date.wDayOfWeek, 0);
}

TEST_F(ListDate, OptionalDateSetToNoDateReportsZero) {
    ASSERT_TRUE(Open(CELLF_DATE_OPTIONAL));
    EXPECT_TRUE(GetWindowLongPtrW(date.m_hWnd, GWL_STYLE) & DTS_SHOWNONE);
    // Clearing the check box before the date (on some systems a window of
    // its own) is still editing.
    HWND box = GetWindow(date.m_hWnd, GW_CHILD);
    Click(box ? box : date.m_hWnd, 6, 6);
    EXPECT_EQ(Held(), DWORD(GDT_NONE));
    EXPECT_EQ(GetFocus(), date.m_hWnd);
    EXPECT_TRUE(host.ends.empty());
    ClickElsewhere();
    EXPECT_EQ(TheEnd(date.m_hWnd).Text, L"0");
    ExpectFields(host.ends.back().Date, {0, 0, 0, 0, 0, 0});

    host.ends.clear();
    ASSERT_TRUE(Open(CELLF_DATE_OPTIONAL, SYSTEMTIME{}));  // an empty cell
    EXPECT_EQ(Held(), DWORD(GDT_NONE));
    Press(VK_ESCAPE, 27);
    EXPECT_EQ(TheEnd(date.m_hWnd).Text, L"0");
}

TEST_F(ListDate, PickingInTheCalendarGoesOnEditingInThePicker) {
    ASSERT_TRUE(Open(0));
    RECT area;
    GetClientRect(date.m_hWnd, &area);
    Click(date.m_hWnd, area.right - 5, area.bottom / 2);  // the drop-down button
    HWND calendar = DateTime_GetMonthCal(date.m_hWnd);
    ASSERT_TRUE(calendar && Shown(calendar));
    EXPECT_TRUE(host.ends.empty());

    // A click on 12 February closes the calendar.
    GetClientRect(calendar, &area);
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof(hit);
    auto onTwelfth = [&] {
        return MonthCal_HitTest(calendar, &hit) == MCHT_CALENDARDATE && hit.st.wMonth == 2 &&
               hit.st.wDay == 12;
    };
    bool found = false;
    for (hit.pt.y = 1; hit.pt.y < area.bottom && !found; hit.pt.y += found ? 0 : 1)
        for (hit.pt.x = 1; hit.pt.x < area.right && !found; hit.pt.x += found ? 0 : 1)
            found = onTwelfth();
    ASSERT_TRUE(found);
    Click(calendar, hit.pt.x, hit.pt.y);
    EXPECT_FALSE(Shown(calendar));
    EXPECT_EQ(GetFocus(), date.m_hWnd);
    EXPECT_TRUE(host.ends.empty());

    Press(VK_TAB, L'\t');
    EXPECT_EQ(TheEnd(date.m_hWnd).ExitKey, VK_TAB);
    const SYSTEMTIME& picked = host.ends.back().Date;  // the time is the picker's affair
    EXPECT_EQ(std::vector<int>({picked.wYear, picked.wMonth, picked.wDay}),
              std::vector<int>({2024, 2, 12}));
}

namespace {

// What a screen reader on a thread of its own hears for the window with the
// focus: the open editor, or the edit field of an editable combo box.
std::wstring HeardForFocus() {
    HWND hFocus = GetFocus();
    std::wstring heard;
    ScreenReader::Ask([&] { heard = ScreenReader::NameOf(hFocus); });
    return heard;
}

}  // namespace

TEST_F(EditorTest, EachEditorIsSpokenByTheNameOfItsCellAgainWhenItReopens) {
    ComApartment com;
    CListEdit edit;
    CListCombo combo;
    CListDate date;
    const std::vector<std::wstring> choices{L"a", L"b"};
    struct Case {
        const char* what;
        std::function<bool()> open;
    };
    const Case cases[] = {
        {"edit box", [&] { return edit.ShowEditor(host.m_hWnd, 1, 0, CELL, 0, L"x"); }},
        {"drop-down list", [&] {
             return combo.ShowEditor(host.m_hWnd, 1, 0, CELL, 0, L"a", false, choices);
         }},
        {"editable combo box", [&] {
             return combo.ShowEditor(host.m_hWnd, 1, 0, CELL, CELLF_COMBO_EDITABLE, L"a", false,
                                     choices);
         }},
        {"date", [&] {
             SYSTEMTIME value = LEAP_AFTERNOON;
             return date.ShowEditor(host.m_hWnd, 1, 0, CELL, 0, value);
         }},
    };
    NameCellEditors(L"Kind, row 2", edit, combo, date);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int opening = 0; opening < 2; ++opening) {
            ASSERT_TRUE(c.open());
            EXPECT_EQ(HeardForFocus(), L"Kind, row 2");
        }
        SetFocus(host.m_hWnd);
        Pump();
    }
}
